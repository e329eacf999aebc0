#pragma once

#include "engine/core/EventKeyboard.h"
#include "engine/world/Object.h"
#include "game/Player.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// Shared by the game's tests. The program's environment starts the log and
// resource managers in the test directory and loads the game's resources
// from the data folder once; each test starts and ends with an empty world.
namespace gametest
{

// The log lines written while the game's resources loaded: [begin, end).
int resourceLogBegin();
int resourceLogEnd();

// Deletes every object, puts the view, boundary, following and slack back to
// their defaults, forgets the level and clears the game-over flag.
void clearWorld();

// Every object in the world of the given type name, in insertion order.
std::vector<ov::Object*> objectsOfType(const std::string& type);

// A row of ground tiles from column `from` to column `to`.
void buildGround(int from, int to, int row);

// Delivers step events straight to one object, as the game loop does.
void step(ov::Object* object, int times = 1);

// The row at which a player rests on ground at `groundRow`, as after a landing.
float restingRow(int groundRow);

bool isMarkedForDelete(const ov::Object* object);

// Each test starts and ends with an empty world.
class GameTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
};

// A player that already has control, with keys held down by the test.
class ControlledPlayer : public Player
{
public:
    ControlledPlayer();

    void hold(ov::Key key);
    void release(ov::Key key);

protected:
    bool isKeyDown(ov::Key key) const override;

private:
    std::set<ov::Key> m_held;
};

} // namespace gametest

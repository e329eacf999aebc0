#pragma once

#include "engine/core/Manager.h"
#include "engine/world/Box.h"
#include "engine/world/Vector.h"

class Checkpoint;
class Player;
class StartMenu;

// Builds the dungeon one floor at a time from a seed: the entrance shaft and
// the player with the first floor, then 104 columns of stepped ground, up to
// five enemies and a checkpoint per floor. The sixth floor is flat and empty
// and its checkpoint wins the game. The engine knows it only as a Manager.
class FloorManager : public ov::Manager
{
public:
    static FloorManager& getInstance();

    // Builds the first floor.
    int start() override;

    // Builds the next floor to the right of the last one; returns 0.
    int createFloor();
    // The final checkpoint was reached by the player: it walks off by itself
    // and the game-over screen shows.
    void winGame(ov::Object* player);
    // A new player, for one that died with lives left, 3 rows above the last
    // checkpoint reached (or where the first one stood): the view follows it
    // and the start screen starts it.
    void respawnPlayer();

    // The seed is the time of day at construction; tests fix it to rebuild a level.
    void setSeed(int seed) { m_seed = seed; }
    // Forgets the floors built so far (the world must have been emptied), so
    // that the next createFloor builds the first floor again.
    void reset();

    int getFloorCount() const { return m_floorCount; }
    int getBaseHeight() const { return m_baseHeight; }
    Player* getPlayer() const { return m_player; }
    Checkpoint* getCheckpoint() const { return m_checkpoint; }
    Checkpoint* getPreviousCheckpoint() const { return m_previousCheckpoint; }
    // Where the player first stands, on the roof near its right end.
    ov::Vector getStartPosition() const;

private:
    FloorManager();

    void setUpFirstFloor(ov::Box& boundary);
    void addFloorTile(int x, int y);

    int m_floorCount = 0;
    int m_stepInterval = 5;
    int m_roughness = 80;
    int m_groundOffset = 0;
    Player* m_player = nullptr;
    int m_baseHeight = 1000;
    int m_lastFloor = 5;
    Checkpoint* m_checkpoint = nullptr;
    Checkpoint* m_previousCheckpoint = nullptr;
    int m_seed;
    // The start screen, which the world may have deleted: see WorldManager::holds.
    StartMenu* m_startMenu = nullptr;
    int m_startMenuId = -1;
};

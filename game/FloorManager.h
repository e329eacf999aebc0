#pragma once

#include "engine/core/Manager.h"
#include "engine/world/Box.h"
#include "engine/world/Vector.h"

class Checkpoint;
class Player;

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

    // The seed is the time of day at construction; tests fix it to rebuild a level.
    void setSeed(int seed);
    int getSeed() const;
    // Forgets the floors built so far (the world must have been emptied), so
    // that the next createFloor builds the first floor again.
    void reset();

    int getFloorCount() const;
    int getBaseHeight() const;
    int getLastFloor() const;
    int getGroundOffset() const;
    Player* getPlayer() const;
    void setPlayer(Player* player);
    Checkpoint* getCheckpoint() const;
    Checkpoint* getPreviousCheckpoint() const;
    // Where the player first stands, on the roof near its right end.
    ov::Vector getStartPosition() const;

private:
    FloorManager();
    ~FloorManager() override;

    void setUpFirstFloor(ov::Box& boundary);
    void addFloorTile(int x, int y);

    int m_floorCount;
    int m_stepInterval;
    int m_roughness;
    int m_groundOffset;
    Player* m_player;
    int m_baseHeight;
    int m_lastFloor;
    Checkpoint* m_checkpoint;
    Checkpoint* m_previousCheckpoint;
    int m_seed;
};

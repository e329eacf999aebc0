#pragma once

#include "engine/world/WorldManager.h"
#include "game/FloorManager.h"

// The level the benchmarks draw and update: the game's own for a fixed seed,
// with the given number of floors built, seen from a few rows above the
// first floor's ground.
inline ov::Box buildBenchLevel(int floorCount)
{
    const int seed = 20260301;
    ov::WorldManager& world = ov::WorldManager::getInstance();
    FloorManager& floors = FloorManager::getInstance();
    floors.setSeed(seed);
    floors.start();
    while (floors.getFloorCount() < floorCount)
        floors.createFloor();
    world.setViewFollowing(nullptr);
    world.setView(ov::Box(ov::Vector(20, static_cast<float>(floors.getBaseHeight()) - 4), 80, 30));
    return world.getView();
}

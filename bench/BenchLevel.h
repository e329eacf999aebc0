#pragma once

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/display/DisplayManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/WorldManager.h"
#include "game/FloorManager.h"
#include "game/GameResources.h"

#include <cstdio>
#include <cstdlib>

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

// What the benchmarks run on: a window on an X display, the world and the
// game's resources, with audio going nowhere. False, with a line on the
// standard error naming the benchmark, when the engine cannot start.
inline bool startBenchEngine(const char* name)
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (!ov::platform::displayAvailable())
    {
        std::fprintf(stderr, "%s: needs an X display (tools/with-xvfb.sh)\n", name);
        return false;
    }
    ov::LogManager::getInstance().start();
    if (ov::DisplayManager::getInstance().start() != 0 || ov::WorldManager::getInstance().start() != 0 ||
        ov::ResourceManager::getInstance().start() != 0)
    {
        std::fprintf(stderr, "%s: cannot start the engine (is the font beside it?)\n", name);
        return false;
    }
    loadResources();
    return true;
}

inline void stopBenchEngine()
{
    ov::WorldManager::getInstance().stop();
    ov::DisplayManager::getInstance().stop();
    ov::LogManager::getInstance().stop();
}

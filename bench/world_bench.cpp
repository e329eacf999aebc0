// Times one world update and the world's draw pass with the whole six-floor
// level built and every enemy gathered near the view, in a real window. The
// draw pass fills the display's frame; the swap that rasterizes it is left
// out of the time.
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/display/DisplayManager.h"
#include "engine/resources/ResourceManager.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/WorldManager.h"
#include "game/EnemyMaster.h"
#include "BenchLevel.h"
#include "game/FloorManager.h"
#include "game/GameResources.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace
{

const int FLOORS = 6;

// Builds the level and moves every enemy into the view, spread across it a
// few rows above the first floor's ground. Returns the number of objects.
int buildLevel()
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    const ov::Box view = buildBenchLevel(FLOORS);

    const ov::ObjectList objects = world.getAllObjects();
    int enemies = 0;
    for (int i = 0; i < objects.getCount(); ++i)
    {
        ov::Object* object = objects.get(i);
        if (!dynamic_cast<EnemyMaster*>(object))
            continue;
        object->setPosition(ov::Vector(view.corner.x + 3.0f + static_cast<float>((enemies * 7) % 74),
                                       view.corner.y + 4.0f + static_cast<float>((enemies * 3) % 12)));
        ++enemies;
    }
    std::printf("world_bench: %d objects, %d enemies near the view\n", objects.getCount(), enemies);
    return objects.getCount();
}

void worldUpdateAndDraw(benchmark::State& state)
{
    ov::WorldManager& world = ov::WorldManager::getInstance();
    ov::DisplayManager& display = ov::DisplayManager::getInstance();
    int step = 0;
    for (auto _ : state)
    {
        world.update(++step);
        world.draw();

        state.PauseTiming();
        display.swapBuffers();
        state.ResumeTiming();
    }
    state.counters["objects"] = static_cast<double>(world.getAllObjects().getCount());
}

BENCHMARK(worldUpdateAndDraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (!ov::platform::displayAvailable())
    {
        std::fprintf(stderr, "world_bench: needs an X display (tools/with-xvfb.sh)\n");
        return 1;
    }
    ov::LogManager::getInstance().start();
    if (ov::DisplayManager::getInstance().start() != 0 || ov::WorldManager::getInstance().start() != 0
        || ov::ResourceManager::getInstance().start() != 0)
    {
        std::fprintf(stderr, "world_bench: cannot start the engine (is the font beside it?)\n");
        return 1;
    }
    loadResources();
    buildLevel();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    ov::WorldManager::getInstance().stop();
    ov::DisplayManager::getInstance().stop();
    ov::LogManager::getInstance().stop();
    return 0;
}

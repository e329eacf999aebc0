// Times one world update and the world's draw pass with the whole six-floor
// level built and every enemy gathered near the view, in a real window. The
// draw pass fills the display's frame; the swap that rasterizes it is left
// out of the time.
//
// And what recording a run costs the game loop per frame on that level: the
// clock's readings and the frame's input kept, every object's digest taken,
// and the frame's line written to a file, as the loop does it. The world's
// update between frames is left out of the time, but it runs, so that
// objects move and their changed digests are written.
#include "engine/core/GameManager.h"
#include "engine/core/Recorder.h"
#include "engine/display/DisplayManager.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/WorldManager.h"
#include "game/EnemyMaster.h"
#include "BenchLevel.h"
#include "game/FloorManager.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/stat.h>

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

const char FILE_PATH[] = "recorder_bench.replay";

// A frame of play as a person gives it: a key held, the pointer moving.
ov::FrameInput playedInput(int step)
{
    ov::FrameInput input;
    input.keys[static_cast<int>(ov::Key::D)] = (step / 30) % 2 == 0;
    input.happenings.push_back({ov::FrameInput::Happening::MOUSE_MOVED, -1,
                                ov::Vector(static_cast<float>(step % 1024), 384.0f)});
    return input;
}

void recordFrame(benchmark::State& state)
{
    ov::Recorder& recorder = ov::Recorder::getInstance();
    ov::WorldManager& world = ov::WorldManager::getInstance();
    std::remove(FILE_PATH);
    recorder.startRecording();
    recorder.openFile(FILE_PATH);
    int step = 0;
    int now = 43200000;
    for (auto _ : state)
    {
        recorder.beginFrame(++step);
        // The loop reads its clock four times a frame.
        for (int i = 0; i < 4; ++i)
            benchmark::DoNotOptimize(recorder.time(now += 8));
        ov::FrameInput input = playedInput(step);
        recorder.input(input);
        benchmark::DoNotOptimize(recorder.quit(false));
        ov::GameManager::getInstance().digestWorld();

        state.PauseTiming();
        world.update(step);
        state.ResumeTiming();
    }
    recorder.finish();
    struct stat info;
    if (stat(FILE_PATH, &info) == 0)
        state.counters["bytes/frame"] = static_cast<double>(info.st_size) / step;
    state.counters["objects"] = static_cast<double>(world.getAllObjects().getCount());
    std::remove(FILE_PATH);
}

BENCHMARK(recordFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!startBenchEngine("world_bench"))
        return 1;
    buildLevel();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    stopBenchEngine();
    return 0;
}

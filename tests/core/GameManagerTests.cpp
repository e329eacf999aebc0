#include "CoreTestSupport.h"

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"

#include <chrono>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace
{

// The loop's sleep, faked: it records what was asked and moves the fake
// clock on by that much plus the oversleep chosen for that call.
std::vector<int> g_sleeps;
std::vector<int> g_oversleeps;

void fakeSleep(int milliseconds)
{
    size_t call = g_sleeps.size();
    g_sleeps.push_back(milliseconds);
    coretest::g_fakeTimeMs += milliseconds + (call < g_oversleeps.size() ? g_oversleeps[call] : 0);
}

// A world object whose handling of the loop's own step event takes the fake
// time given for that frame, and which ends the game after the last frame.
// A time of -1 runs out of memory instead.
class FrameProbe : public ov::Object
{
public:
    explicit FrameProbe(std::vector<int> workMs) :
        m_workMs(workMs)
    {
        setType("FrameProbe");
    }

    int handleEvent(const ov::Event& event) override
    {
        if (event.getType() != ov::EVENT_TYPE_STEP)
            return 0;
        int count = static_cast<const ov::EventStep&>(event).getStepCount();
        if (count != 0)
        {
            worldSteps.push_back(count);
            return 1;
        }
        ov::GameManager& game = ov::GameManager::getInstance();
        loopSteps.push_back(game.getStepCount());
        logMessage("", "Frame %d.", game.getStepCount());
        if (m_workMs[loopSteps.size() - 1] < 0)
            throw std::bad_alloc();
        coretest::g_fakeTimeMs += m_workMs[loopSteps.size() - 1];
        if (loopSteps.size() == m_workMs.size())
            game.setGameOver(true);
        return 1;
    }

    std::vector<int> loopSteps;  // the game's step count at each loop step event
    std::vector<int> worldSteps; // step counts of the world update's step events

private:
    std::vector<int> m_workMs;
};

// Stands in for the game's floor manager.
class TestFloor : public ov::Manager
{
public:
    explicit TestFloor(int startResult) :
        m_startResult(startResult)
    {
        setType("TestFloor");
    }

    int start() override
    {
        return m_startResult == 0 ? Manager::start() : m_startResult;
    }

private:
    int m_startResult;
};

class GameLoopTest : public coretest::LogTest
{
protected:
    void SetUp() override
    {
        coretest::LogTest::SetUp();
        coretest::useFakeTime(12, 0, 0, 0);
        g_sleeps.clear();
        g_oversleeps.clear();
        ov::GameManager& game = ov::GameManager::getInstance();
        game.setSleepFunction(fakeSleep);
        game.setGameOver(false);
    }

    void TearDown() override
    {
        if (m_probe)
            ov::WorldManager::getInstance().removeObject(m_probe.get());
        m_probe.reset();
        ov::GameManager& game = ov::GameManager::getInstance();
        game.setSleepFunction(ov::platform::sleepMilliseconds);
        game.setFloorManager(nullptr);
        game.setGameOver(false);
        coretest::LogTest::TearDown();
    }

    FrameProbe& addProbe(std::vector<int> workMs)
    {
        m_probe = std::make_unique<FrameProbe>(workMs);
        ov::WorldManager::getInstance().insertObject(m_probe.get());
        return *m_probe;
    }

    std::unique_ptr<FrameProbe> m_probe;
};

const char START_LINE[] = "--------START GAME LOOP--------";
const char END_LINE[] = "---------END GAME LOOP---------";

} // namespace

TEST_F(GameLoopTest, SleepsOutTheFrameAndPaysBackOversleep)
{
    FrameProbe& probe = addProbe({10, 10, 10});
    g_oversleeps = {2, 0, 0};

    ov::GameManager::getInstance().run();

    // 33 - 10; then 2 ms shorter after the 2 ms oversleep; then back to 23.
    EXPECT_EQ(g_sleeps, (std::vector<int>{23, 21, 23}));
    EXPECT_EQ(probe.loopSteps, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(probe.worldSteps, (std::vector<int>{1, 2, 3}));
    // The frame that ended the game ran to its end, sleep included, and no further.
    EXPECT_EQ(ov::GameManager::getInstance().getStepCount(), 3);
}

TEST_F(GameLoopTest, LongFrameSleepsNothingAndTheAdjustmentEnds)
{
    addProbe({10, 40, 10, 10});
    g_oversleeps = {3, 0, -5, 0};

    ov::GameManager::getInstance().run();

    // The 3 ms oversleep is swallowed by the 40 ms frame; undersleeping is not made up.
    EXPECT_EQ(g_sleeps, (std::vector<int>{23, 0, 23, 23}));
}

// With the platform's own sleep and clock, as the program runs: thirty frames
// of next to no work take thirty times 33 ms, oversleeps paid back.
TEST_F(GameLoopTest, RealSleepsAndClockHoldTheFrameRate)
{
    const int frames = 30;
    ov::setUtcTimeSource(nullptr);
    ov::GameManager& game = ov::GameManager::getInstance();
    game.setSleepFunction(ov::platform::sleepMilliseconds);
    addProbe(std::vector<int>(frames, 0));

    ov::platform::beginTimerPeriod(1);
    auto begin = std::chrono::steady_clock::now();
    game.run();
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
    ov::platform::endTimerPeriod(1);

    EXPECT_EQ(game.getStepCount(), frames);
    EXPECT_GE(took.count(), (frames - 1) * ov::FRAME_TIME_MS);
    EXPECT_LT(took.count(), frames * ov::FRAME_TIME_MS + 250);
}

TEST_F(GameLoopTest, FloorManagerRunsAroundTheFrames)
{
    addProbe({5, 5});
    TestFloor floor(0);
    ov::GameManager::getInstance().setFloorManager(&floor);

    ov::GameManager::getInstance().run();
    EXPECT_FALSE(floor.isStarted());

    test::GameLog log;
    const std::vector<test::LogLine>& lines = log.lines();
    int clock = log.find("Clock", "Delta clock started. Reported start time: 12:00:00.000 UTC");
    int start = log.find("GameManager", START_LINE);
    int floorStarted = log.find("TestFloor", "Started.");
    int firstFrame = log.find(m_probe->getType() + " " + std::to_string(m_probe->getId()), "Frame 1.");
    int lastFrame = log.find(m_probe->getType() + " " + std::to_string(m_probe->getId()), "Frame 2.");
    int floorStopped = log.find("TestFloor", "Stopped.");
    int end = log.find("GameManager", END_LINE);

    ASSERT_GE(clock, 0);
    EXPECT_LT(clock, start);
    EXPECT_LT(start, floorStarted);
    EXPECT_LT(floorStarted, firstFrame);
    EXPECT_LT(firstFrame, lastFrame);
    EXPECT_LT(lastFrame, floorStopped);
    EXPECT_LT(floorStopped, end);
    EXPECT_EQ(end, static_cast<int>(lines.size()) - 1);
    EXPECT_EQ(lines[start].level, "ALERT");
    EXPECT_EQ(lines[end].level, "ALERT");
}

TEST_F(GameLoopTest, FailedFloorManagerEndsTheGameBeforeTheFirstFrame)
{
    FrameProbe& probe = addProbe({5});
    TestFloor floor(-1);
    ov::GameManager::getInstance().setFloorManager(&floor);

    ov::GameManager::getInstance().run();

    EXPECT_TRUE(ov::GameManager::getInstance().getGameOver());
    EXPECT_EQ(ov::GameManager::getInstance().getStepCount(), 0);
    EXPECT_TRUE(probe.loopSteps.empty());
    EXPECT_TRUE(g_sleeps.empty());

    test::GameLog log;
    const std::vector<test::LogLine>& lines = log.lines();
    int start = log.find("GameManager", START_LINE);
    ASSERT_GE(start, 0);
    ASSERT_EQ(start + 2, static_cast<int>(lines.size()));
    EXPECT_EQ(lines[start + 1].level, "ERROR");
    EXPECT_EQ(lines[start + 1].source, "GameManager");
    EXPECT_EQ(lines[start + 1].message, "Error starting FloorManager.");
    EXPECT_EQ(log.find("GameManager", END_LINE), -1);
}

// Memory that runs out ends the game as Q would, and the log says what the
// loop could not make.
TEST_F(GameLoopTest, RunningOutOfMemoryEndsTheLoopWithItsLines)
{
    FrameProbe& probe = addProbe({5, -1, 5});
    ov::GameManager::getInstance().run();

    EXPECT_TRUE(ov::GameManager::getInstance().getGameOver());
    EXPECT_EQ(probe.loopSteps, (std::vector<int>{1, 2}));
    test::GameLog log;
    const int alert = log.find("GameManager", "Out of memory while stepping the objects in frame 2; the game stops.");
    ASSERT_GE(alert, 0);
    EXPECT_EQ(log.lines()[alert].level, "ALERT");
    EXPECT_EQ(log.find("GameManager", END_LINE), alert + 1);
}

TEST_F(GameLoopTest, StopEndsTheGameAndStopsTheManagersLogLast)
{
    ov::GameManager& game = ov::GameManager::getInstance();
    game.stop();
    EXPECT_TRUE(game.getGameOver());
    EXPECT_FALSE(game.isStarted());
    EXPECT_FALSE(ov::LogManager::getInstance().isStarted());

    test::GameLog log;
    const std::vector<test::LogLine>& lines = log.lines();
    int stopping = log.find("GameManager", "Stopping managers.");
    int input = log.find("InputManager", "Stopped.", stopping);
    int world = log.find("WorldManager", "Stopped.", input);
    int display = log.find("DisplayManager", "Stopped.", world);
    ASSERT_GE(stopping, 0);
    EXPECT_GT(input, stopping);
    EXPECT_GT(world, input);
    EXPECT_GT(display, world);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().source, "LogManager");
    EXPECT_EQ(lines.back().message, "Stopping...");
    EXPECT_EQ(log.find("GameManager", "Stopped."), -1);
}

// With a display the managers start in order; without one the display
// manager cannot open its window and the game manager says so.
TEST_F(GameLoopTest, StartBringsUpTheManagersInOrder)
{
    ov::GameManager& game = ov::GameManager::getInstance();
    int result = game.start();
    test::GameLog log;
    const std::vector<test::LogLine>& lines = log.lines();

    if (test::displayAvailable())
    {
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(game.isStarted());
        int logStarted = log.find("LogManager", "Started.");
        int display = log.find("DisplayManager", "Started.");
        int world = log.find("WorldManager", "Started.");
        int input = log.find("InputManager", "Started.");
        int started = log.find("GameManager", "Started.");
        ASSERT_GE(logStarted, 0);
        EXPECT_LT(logStarted, display);
        EXPECT_LT(display, world);
        EXPECT_LT(world, input);
        EXPECT_LT(input, started);
    }
    else
    {
        EXPECT_EQ(result, -1);
        EXPECT_FALSE(game.isStarted());
        int error = log.find("GameManager", "Error staring DisplayManager.");
        ASSERT_GE(error, 0);
        EXPECT_EQ(lines[error].level, "ERROR");
        EXPECT_EQ(log.find("GameManager", "Started."), -1);
    }

    game.stop();
}

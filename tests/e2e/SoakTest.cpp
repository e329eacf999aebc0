#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <utility>
#include <vector>
#include <string>

using namespace e2e;

namespace
{

// Memory the sanitizer holds back after a free to catch late uses of it
// (256 MB by default) would fill up over minutes and read as growth; a small
// quarantine fills in the first seconds and then stays as it is.
const char* SOAK_ASAN_OPTIONS = "quarantine_size_mb=16";

const double RSS_BASELINE_SECONDS = 10;
const double RSS_TOLERANCE = 0.10;

// A run that ends by itself spent its last seconds on the game-over screen
// and the shutdown; the sanitizer's allocator grows there by a few
// megabytes of its own, so the end of play is taken from before that.
const double GAME_OVER_SECONDS = 5;

double settingOr(const char* name, double fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atof(value) : fallback;
}

// Resident memory of a process in kilobytes, -1 when it cannot be read.
long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

// The soak: a monkey plays for ORVANE_SOAK_SECONDS (60 by default). When the
// monkey's player dies, the game ends by itself and a new run begins; the
// last run is ended with Q. Every run must end with exit code 0 and no
// sanitizer report, and a run's resident memory at the end of its play must
// be within 10 % of what it was after its first 10 seconds (runs shorter
// than that have nothing to compare).
TEST(Soak, MonkeyPlaysWithoutCrashOrGrowth)
{
    double seconds = settingOr("ORVANE_SOAK_SECONDS", 60);
    double defaultSeed = static_cast<double>(std::time(nullptr) % 100000);
    unsigned seed = static_cast<unsigned>(settingOr("ORVANE_SOAK_SEED", defaultSeed));
    note("soak of " + std::to_string(static_cast<int>(seconds)) + " s, monkey seed " + std::to_string(seed) +
         " (ORVANE_SOAK_SEED repeats it)");
    Monkey monkey(seed);
    double end = now() + seconds;

    for (int session = 1; now() < end; ++session)
    {
        GameRun run;
        ASSERT_TRUE(run.start(true, SOAK_ASAN_OPTIONS));
        ASSERT_TRUE(run.findWindow(60)) << run.process().describeEnd();
        double began = now();
        int inputsBefore = monkey.inputs();
        long baseline = -1;
        std::vector<std::pair<double, long>> samples; // seconds into the run, resident kB
        bool endedByItself = false;
        while (now() < end)
        {
            if (!run.process().running())
            {
                endedByItself = true;
                break;
            }
            long rss = residentKb(run.process().pid());
            if (rss > 0)
                samples.push_back({now() - began, rss});
            if (baseline < 0 && now() - began >= RSS_BASELINE_SECONDS)
                baseline = rss;
            monkey.act(run);
            sleepSeconds(monkey.pause());
        }
        monkey.releaseAll(run);
        double length = now() - began;
        if (!endedByItself)
        {
            long rss = residentKb(run.process().pid());
            if (rss > 0)
                samples.push_back({length, rss});
            run.tap("q");
        }
        long last = -1;
        double playEnd = endedByItself ? length - GAME_OVER_SECONDS : length;
        for (const std::pair<double, long>& sample : samples)
            if (sample.first <= playEnd && sample.first > RSS_BASELINE_SECONDS)
                last = sample.second;
        ASSERT_TRUE(run.waitForExit(60)) << "session " << session << " still running 60 s after Q";
        EXPECT_TRUE(run.process().exitedNormally()) << "session " << session << ": " << run.process().describeEnd();
        EXPECT_EQ(0, run.process().exitCode()) << "session " << session;
        EXPECT_EQ("", run.sanitizerReport()) << "session " << session;

        test::GameLog log = run.log();
        EXPECT_GE(log.find("GameManager", "---------END GAME LOOP---------"), 0) << "session " << session;
        if (endedByItself)
        {
            EXPECT_GE(log.find("GameOver ", "Die."), 0) << "session " << session << " ended without a game over";
        }

        char figures[256];
        std::snprintf(figures, sizeof figures,
                      "session %d: %.0f s, %d inputs, ended by %s, exit code %d, resident memory %ld kB after %.0f s, "
                      "%ld kB at the end of play",
                      session, length, monkey.inputs() - inputsBefore, endedByItself ? "the game over" : "Q",
                      run.process().exitCode(), baseline, RSS_BASELINE_SECONDS, last);
        note(figures);
        if (baseline > 0 && last > 0)
        {
            EXPECT_LE(last, baseline * (1 + RSS_TOLERANCE)) << "session " << session << " grew";
            EXPECT_GE(last, baseline * (1 - RSS_TOLERANCE)) << "session " << session << " shrank";
        }
    }
    note("inputs sent in all: " + std::to_string(monkey.inputs()));
}

#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using namespace e2e;

// Scenario 1: start the game, walk, jump, swing, quit; everything the program
// leaves behind (exit code, log, sound) tells the same story.
TEST(StartAndQuit, PlaysThenQuitsWithTheWholeRunInTheLogAndTheSound)
{
    GameRun run;
    ASSERT_TRUE(run.start());
    Opening opening;
    ASSERT_NO_FATAL_FAILURE(playOpening(run, opening));

    // Standing on the ground: jump.
    double jumpAt = run.elapsed();
    run.tap("space");
    sleepSeconds(1.5);

    // Walk right as a person would: jump when a step of the ground stops
    // the player, swing now and then at whatever flies at it, and stop
    // once it has come some way. The level and the bats' flight differ a
    // little from run to run, so the walk watches rather than counts.
    double from = opening.player.centreX();
    Image walkedShot;
    double furthest = walkRight(run, from, &walkedShot);
    walkedShot.savePpm(run.path("walked.ppm")); // kept with the run's files when the test fails
    EXPECT_GT(furthest, from + 3 * CELL_WIDTH)
        << "the player stood at x " << from << " px and got no further right than " << furthest;
    InkBox walked = findPlayer(run);
    ASSERT_FALSE(walked.empty()) << "the player is not to be seen after walking";

    sleepSeconds(1.0); // the last swing's cooldown runs out
    double swingAt = run.elapsed();
    run.click(static_cast<int>(walked.centreX()) + 200, static_cast<int>(walked.centreY()));
    sleepSeconds(1.0);
    double quitAt = run.elapsed();
    run.tap("q");

    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after Q";
    expectCleanEnd(run);

    test::GameLog log = run.log();
    expectWholeRunInOrder(log);
    EXPECT_EQ("LogManager", log.lines().front().source);
    // The clock was fixed: the run began at noon.
    EXPECT_LT(log.lines().front().seconds - GameRun::CLOCK_START, 5.0) << log.lines().front().text();
    EXPECT_GE(log.lines().front().seconds, GameRun::CLOCK_START) << log.lines().front().text();
    for (const test::LogLine& l : log.lines())
        EXPECT_EQ(std::string::npos, l.message.find("not loaded")) << l.text();

    Recording audio;
    std::string error;
    ASSERT_TRUE(run.loadAudio(audio, &error)) << error;
    double quitAudio = GameRun::audioTimeOfElapsed(log, quitAt);
    EXPECT_GT(audio.seconds(), quitAudio - 0.5) << "the recording stops before Q was pressed";

    std::vector<Recording::Window> windows = audio.windows(0.05);
    double music = median(windows, &Recording::Window::rms);
    EXPECT_GT(music, 0.005) << "the music is silent";

    double jump = GameRun::audioTimeOfElapsed(log, jumpAt);
    Recording::Window jumpSound = strongestIn(windows, &Recording::Window::rms, jump - 0.2, jump + 1.0);
    EXPECT_GT(jumpSound.rms, 4 * music) << "no jump sound near " << jump << " s of the recording";

    // The swing's sound is a noise sweep: it shows in the high frequencies,
    // where the music is quiet.
    double swing = GameRun::audioTimeOfElapsed(log, swingAt);
    Recording::Window swingSound = strongestIn(windows, &Recording::Window::edge, swing - 0.2, swing + 1.0);
    EXPECT_GT(swingSound.edge, 8 * median(windows, &Recording::Window::edge)) << "no swing sound near " << swing << " s of the recording";

    char figures[256];
    std::snprintf(figures, sizeof figures,
                  "start screen agreement %.3f; player at %.0f px, walked right to %.0f px; music rms %.4f, "
                  "jump %.1fx louder, swing %.1fx sharper",
                  opening.startScreen.score, from, furthest, music, jumpSound.rms / music,
                  swingSound.edge / median(windows, &Recording::Window::edge));
    note(figures);
}

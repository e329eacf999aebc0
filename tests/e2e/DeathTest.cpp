#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

namespace
{

// Best agreement of any frame of the animated game-over screen with a screenshot.
double gameOverShown(const Image& shot, const std::vector<SpriteArt>& frames)
{
    double best = 0;
    for (const SpriteArt& frame : frames)
        best = std::max(best, shot.findText(frame.rows, Ink::Red, frame.transparent).score);
    return best;
}

} // namespace

// Scenario 2: the player walks into the enemies and never attacks. The
// fourth hit kills it; the game-over screen shows, its sound plays, and the
// program ends by itself. The run is a stored recording of a person doing
// so, replayed in real time and checked, so that it does not depend on how
// fast this machine lets a script play.
TEST(Death, WalkingIntoTheEnemiesEndsTheGameByItself)
{
    GameRun run;
    std::string art = run.path("sprites/gameover-spr.txt");
    std::vector<SpriteArt> frames(static_cast<size_t>(std::max(0, spriteFrameCount(art))));
    ASSERT_FALSE(frames.empty());
    for (size_t i = 0; i < frames.size(); ++i)
        ASSERT_TRUE(readSpriteFrame(art, static_cast<int>(i), frames[i]));

    ASSERT_NO_FATAL_FAILURE(startReplay(run, storedRecording("floor-change-and-death.replay"), {"--check"}));
    ASSERT_TRUE(run.findWindow(30)) << run.process().describeEnd();
    ASSERT_TRUE(run.waitForLogLine("Renamed GameOver.", 150))
        << "no game-over screen in the replay (" << run.process().describeEnd() << ")";
    // A replay in real time keeps the recorded sleeps, not the recorded
    // moments: on a slower machine it falls a little behind its log's times.
    const double seen = run.elapsed();
    int gameOver = run.log().find("GameOver ", "Renamed GameOver.");

    double shown = 0;
    Image shot;
    for (int attempt = 0; attempt < 20 && shown < 0.97 && run.process().running(); ++attempt)
    {
        if (run.screenshot(shot))
            shown = std::max(shown, gameOverShown(shot, frames));
    }
    shot.savePpm(run.path("game-over.ppm"));
    EXPECT_GE(shown, 0.97) << "the game-over screen did not show";

    // Nothing more is sent: the screen ends the game when it has been shown.
    ASSERT_TRUE(run.waitForExit(60)) << "the program did not end by itself";
    expectCleanEnd(run);

    test::GameLog log = run.log();
    int playerDied = log.find("Player ", "Die.", gameOver + 1);
    int screenEnded = log.find("GameOver ", "Die.", gameOver + 1);
    int loopEnded = log.find("GameManager", "---------END GAME LOOP---------");
    ASSERT_GE(playerDied, 0) << "the player was never deleted";
    ASSERT_GE(screenEnded, 0) << "the game-over screen was never deleted";
    EXPECT_LT(playerDied, loopEnded) << "the player died only when the world stopped";
    EXPECT_LT(screenEnded, loopEnded) << "the game ended before the game-over screen was done";

    // The game-over tune: over a second of sound well above the music,
    // starting when the screen was made.
    Recording audio;
    std::string error;
    ASSERT_TRUE(run.loadAudio(audio, &error)) << error;
    std::vector<Recording::Window> windows = audio.windows(0.05);
    double music = median(windows, &Recording::Window::rms);
    double start = GameRun::audioTimeOfLine(log, gameOver);
    int loud = 0;
    for (const Recording::Window& w : windows)
        loud += w.start >= std::min(start, seen) - 0.3 && w.start < std::max(start, seen) + 2.5 && w.rms > 3 * music;
    EXPECT_GE(loud, 16) << "no game-over sound near " << start << " s of the recording (seen at " << seen << " s)";

    char figures[200];
    std::snprintf(figures, sizeof figures,
                  "game over made %.1f s after start-up, seen %.1f s into the replay; screen agreement %.3f; "
                  "%.2f s of loud sound after it", log.secondsAt(gameOver), seen, shown, loud * 0.05);
    note(figures);
}

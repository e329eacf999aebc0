#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace e2e;

namespace
{

// What a player waits for between Q and the program's end.
const double QUIT_LIMIT_SECONDS = 0.5;

} // namespace

// Scenario 4: Q in the middle of play, with the music playing, a swing's
// sound just started and the first floor's enemies about, ends the program
// within half a second, and the log still tells the whole shut-down.
TEST(QuickQuit, QEndsTheProgramWithinHalfASecond)
{
    GameRun run;
    ASSERT_TRUE(run.start());
    Opening opening;
    ASSERT_NO_FATAL_FAILURE(playOpening(run, opening));

    sleepSeconds(1.5); // the first swing's cooldown runs out
    run.click(static_cast<int>(opening.player.centreX()) + 150, static_cast<int>(opening.player.centreY()));
    sleepSeconds(0.2);
    ASSERT_TRUE(run.process().running()) << run.process().describeEnd();

    // From before xdotool is started, which sends the key, to the moment the
    // program is seen to have ended, polled far more often than the limit:
    // the figure is an upper bound of what the player waits.
    double pressed = now();
    run.tap("q");
    while (run.process().running() && now() - pressed < 30)
        sleepSeconds(0.002);
    double waited = now() - pressed;
    ASSERT_FALSE(run.process().running()) << "still running 30 s after Q";

    EXPECT_LT(waited, QUIT_LIMIT_SECONDS) << "Q to the end of the program took " << waited << " s";
    expectCleanEnd(run);

    // Quick, but nothing left out: every object that entered the world died
    // with its line, and the log manager's last line closes the log.
    test::GameLog log = run.log();
    int inserted = 0;
    int died = 0;
    for (const test::LogLine& line : log.lines())
    {
        if (line.source == "SceneGraph" && line.message.compare(0, 17, "Inserting object ") == 0)
            ++inserted;
        if (line.message == "Die.")
            ++died;
    }
    EXPECT_GT(inserted, 100);
    EXPECT_EQ(inserted, died);
    int killing = log.find("WorldManager", "Killing all Objects.");
    EXPECT_GE(killing, 0);
    EXPECT_GE(log.find("WorldManager", "Stopped.", killing), 0);
    EXPECT_GE(log.find("DisplayManager", "Stopped.", killing), 0);

    char figure[128];
    std::snprintf(figure, sizeof figure, "Q to process exit %.3f s (%d objects deleted at the end)", waited,
                  died);
    note(figure);
}

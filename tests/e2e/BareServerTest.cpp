#include "GameRun.h"
#include "Play.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace
{

const char LOOP_START[] = "--------START GAME LOOP--------";

} // namespace

// Scenario 5: an X server as xvfb-run or a bare Xvfb gives it, which resets
// whenever its last client leaves, and a server that goes away mid-game.

// Nothing else talks to the server while the program starts (the test waits
// on the log file, not on the window), so the program is its only client.
TEST(BareServer, TwelveStartsInARowAllSucceed)
{
    XServer server;
    ASSERT_TRUE(server.started()) << "Xvfb did not start";
    int succeeded = 0;
    for (int i = 0; i < 12; ++i)
    {
        SCOPED_TRACE("start " + std::to_string(i + 1));
        GameRun run;
        ASSERT_TRUE(run.start());
        EXPECT_TRUE(run.waitForLogLine(LOOP_START, 60)) << run.process().describeEnd() << "\n" << run.errorOutput();
        if (run.findWindow(30))
            run.tap("q");
        ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after Q";
        expectCleanEnd(run);
        test::GameLog log = run.log();
        if (run.process().exitedNormally() && run.process().exitCode() == 0 && log.find("", LOOP_START) >= 0)
            ++succeeded;
    }
    EXPECT_EQ(12, succeeded);
}

TEST(BareServer, LosingTheDisplayEndsTheGameCleanly)
{
    XServer server;
    ASSERT_TRUE(server.started()) << "Xvfb did not start";
    GameRun run;
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForLogLine(LOOP_START, 60)) << run.process().describeEnd();
    sleepSeconds(1.0);
    server.stop();
    ASSERT_TRUE(run.waitForExit(20)) << "still running 20 s after the display went away";
    expectCleanEnd(run);

    test::GameLog log = run.log();
    int lost = log.find("GameManager", "Lost the connection to display '" + server.display() +
                                           "'. Stopping without it.");
    ASSERT_GE(lost, 0);
    EXPECT_EQ("ALERT", log.lines()[lost].level);
    EXPECT_GT(log.find("FloorManager", "Stopped.", lost), lost);
    EXPECT_GT(log.find("WorldManager", "Stopped.", lost), lost);
}

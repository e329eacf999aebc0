#include "GameRun.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace e2e;

namespace
{

// Where the window's top-left corner lies on the screen, as the X server
// says; false when it cannot be read.
bool windowPosition(const std::string& window, int& x, int& y)
{
    std::string output;
    if (runCommand({"xdotool", "getwindowgeometry", window}, 5, &output) != 0)
        return false;
    const std::size_t at = output.find("Position: ");
    return at != std::string::npos && std::sscanf(output.c_str() + at, "Position: %d,%d", &x, &y) == 2;
}

// Starts the game on a screen of the given size and reads where its window
// settles (the windowing layer may place it first and the display move it).
void expectWindowAt(const std::string& size, int expectedX, int expectedY)
{
    // Up between clients as in tools/with-xvfb.sh, so that xdotool's queries do not reset it.
    XServer screen(size + "x24", true);
    ASSERT_TRUE(screen.started()) << "no X server with a " << size << " screen";
    GameRun run;
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.findWindow(60)) << run.process().describeEnd();
    int x = -1;
    int y = -1;
    for (double deadline = now() + 3; now() < deadline; sleepSeconds(0.1))
    {
        if (windowPosition(run.window(), x, y) && x == expectedX && y == expectedY)
            break;
    }
    EXPECT_EQ(x, expectedX) << "on a " << size << " screen";
    EXPECT_EQ(y, expectedY) << "on a " << size << " screen";
    run.process().kill();
}

} // namespace

// The 1024 x 768 window lies wholly on the screen: centred on a larger one,
// from the top-left corner on one of its own size or smaller.
TEST(WindowPlacement, CentredOnALargerScreenAndAtTheCornerOtherwise)
{
    expectWindowAt("1280x1024", 128, 128);
    expectWindowAt("1024x768", 0, 0);
    expectWindowAt("800x600", 0, 0);
}

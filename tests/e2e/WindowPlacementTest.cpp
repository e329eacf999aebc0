#include "GameRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace e2e;

namespace
{

// An X server of its own with one screen of the given size; DISPLAY points
// at it while it lives, for the program and for xdotool alike.
class Screen
{
public:
    explicit Screen(const std::string& size)
    {
        char pattern[] = "/tmp/orvane-screen.XXXXXX";
        if (!mkdtemp(pattern))
            return;
        m_dir = pattern;
        Process::Options options;
        // -noreset as in tools/with-xvfb.sh: the server outlives each client.
        options.argv = {"Xvfb", "-displayfd", "1", "-screen", "0", size + "x24", "-nolisten", "tcp", "-noreset"};
        options.environment = environmentWithout({});
        options.stdoutPath = m_dir + "/display";
        if (!m_server.start(options))
            return;
        // The server writes its display number once it accepts clients.
        for (double deadline = now() + 20; now() < deadline && m_server.running() && m_number.empty();)
        {
            std::ifstream file(options.stdoutPath);
            std::string line;
            if (std::getline(file, line) && !file.eof())
                m_number = line;
            else
                sleepSeconds(0.05);
        }
        const char* saved = std::getenv("DISPLAY");
        m_savedDisplay = saved ? saved : "";
        m_hadDisplay = saved != nullptr;
        if (!m_number.empty())
            setenv("DISPLAY", (":" + m_number).c_str(), 1);
    }

    ~Screen()
    {
        if (m_hadDisplay)
            setenv("DISPLAY", m_savedDisplay.c_str(), 1);
        else
            unsetenv("DISPLAY");
        m_server.kill();
        std::remove((m_dir + "/display").c_str());
        std::remove(m_dir.c_str());
    }

    bool ready() const { return !m_number.empty(); }

private:
    Process m_server;
    std::string m_dir;
    std::string m_number;
    std::string m_savedDisplay;
    bool m_hadDisplay = false;
};

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
    Screen screen(size);
    ASSERT_TRUE(screen.ready()) << "no X server with a " << size << " screen";
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

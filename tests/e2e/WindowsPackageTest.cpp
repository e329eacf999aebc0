#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace e2e;

namespace
{

// The Wine prefix to run in: the one the environment names (WINEPREFIX, as
// tools/test-windows.sh prepares it), or else one of the test's own, as a
// first-time player's, made on the first start and thrown away at the end.
class WinePrefix
{
public:
    WinePrefix()
    {
        const char* given = std::getenv("WINEPREFIX");
        if (given && *given)
        {
            m_dir = given;
            return;
        }
        char pattern[] = "/tmp/orvane-wine-XXXXXX";
        if (mkdtemp(pattern))
            m_dir = m_own = pattern;
    }
    ~WinePrefix()
    {
        if (m_own.empty())
            return;
        runCommand({"env", "WINEPREFIX=" + m_own, "wineserver", "-k"}, 30);
        std::error_code ignored;
        std::filesystem::remove_all(m_own, ignored);
    }
    const std::string& dir() const { return m_dir; }

private:
    std::string m_dir;
    std::string m_own;
};



} // namespace

// The Windows package as a player gets it: unzipped into an empty folder and
// started there with Wine, on the test's X server, with OpenAL Soft's silent
// output as every test here has it. tools/test-windows.sh runs this with
// ORVANE_WINDOWS_ZIP naming the package.
TEST(WindowsPackage, UnzippedAndRunUnderWineItStartsPlaysQuitsAndReplays)
{
    const char* zip = std::getenv("ORVANE_WINDOWS_ZIP");
    ASSERT_TRUE(zip && *zip) << "ORVANE_WINDOWS_ZIP must name the package";
    GameRun run(GameRun::Staging::Nothing);
    ASSERT_EQ(0, runCommand({"unzip", "-q", zip, "-d", run.dir()}, 120)) << "cannot unzip " << zip;
    // Everything in one folder, and a README that older Notepads show as lines.
    std::vector<std::string> top;
    for (const auto& entry : std::filesystem::directory_iterator(run.dir()))
        top.push_back(entry.path().filename().string());
    EXPECT_EQ(top, std::vector<std::string>{"orvane"});
    ASSERT_TRUE(std::filesystem::exists(run.path("orvane/orvane.exe")));
    const std::string readme = run.readFile("orvane/README.txt");
    EXPECT_EQ(std::count(readme.begin(), readme.end(), '\n'), countOf(readme, "\r\n"));

    WinePrefix prefix;
    ASSERT_FALSE(prefix.dir().empty());
    // No installer dialogs for .NET or the HTML engine in a fresh prefix.
    const std::vector<std::string> wine = {"WINEPREFIX=" + prefix.dir(), "WINEDEBUG=-all",
                                           "WINEDLLOVERRIDES=mscoree,mshtml="};
    // Started from the folder above its own, the console says what to do.
    // The first start of Wine in a fresh prefix sets the prefix up first.
    ASSERT_TRUE(run.startProgram({"wine", "orvane/orvane.exe"}, wine));
    ASSERT_TRUE(run.waitForExit(120));
    EXPECT_EQ(1, countOf(run.errorOutput(), "its font ov-font.ttf is not in the folder it was started in"))
        << run.errorOutput();

    run.enterFolder("orvane");
    ASSERT_TRUE(run.startProgram({"wine", "orvane.exe"}, wine));
    Opening opening;
    ASSERT_NO_FATAL_FAILURE(playOpening(run, opening));

    // The level differs from run to run here: the clock is real. Under Wine
    // on a busy machine frames run late, and the game moves per frame, so
    // the walk is given longer.
    double from = opening.player.centreX();
    double furthest = walkRight(run, from, nullptr, 16);
    EXPECT_GT(furthest, from + 3 * CELL_WIDTH)
        << "the player stood at x " << from << " px and got no further right than " << furthest;

    const double pressed = now();
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after Q";
    const double waited = now() - pressed;
    // Wine's own processes of this prefix end a few seconds after the program.
    runCommand({"env", "WINEPREFIX=" + prefix.dir(), "wineserver", "-w"}, 30);
    expectCleanEnd(run, false);
    const test::GameLog log = run.log();
    expectWholeRunInOrder(log);
    // Destroying a shown window waits up to 2 s for a window manager to
    // answer, which a bare X server never does (tools/wine-check.sh shows it
    // with a window of a few lines): that wait is Wine's own; the rest of Q's
    // way is the game's.
    const int closing = log.find("DisplayManager", "Closing window.");
    const double destroying = log.secondsAt(log.find("DisplayManager", "Stopped.", closing)) - log.secondsAt(closing);
    EXPECT_LT(waited - destroying, 0.5) << "Q to exit " << waited << " s, of which Wine's own " << destroying << " s";

    // Nothing alarming on the console: a few lines at most, as from the
    // Linux build, not a line for every sound played.
    std::ifstream out(run.path("stdout.txt")), err(run.path("stderr.txt"));
    std::stringstream output;
    output << out.rdbuf() << err.rdbuf();
    EXPECT_LT(countOf(output.str(), "\n"), 20) << output.str().substr(0, 2000);

    // The run's recording replays under Wine as it was played.
    const std::string played = run.readFile("orvane.log");
    run.writeFile("played.replay", run.readFile("orvane.replay"));
    ASSERT_TRUE(run.startProgram({"wine", "orvane-replay.exe", "--fast", "--check", "played.replay"}, wine));
    ASSERT_TRUE(run.waitForExit(120));
    EXPECT_EQ(run.process().exitCode(), 0) << run.process().describeEnd() << "\n" << run.errorOutput();
    EXPECT_TRUE(run.readFile("orvane.log") == played) << "the replay's log differs from the run's";

    char figures[200];
    std::snprintf(figures, sizeof figures,
                  "Wine: start screen agreement %.3f, walked from %.0f px to %.0f px, Q to exit %.2f s (Wine's "
                  "window destruction %.2f s)", opening.startScreen.score, from, furthest, waited, destroying);
    note(figures);
}

#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <algorithm>
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

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

// The Windows package as a player gets it: unzipped into an empty folder and
// started there with Wine, on the test's X server, with OpenAL Soft's silent
// output as every test here has it. tools/test-windows.sh runs this with
// ORVANE_WINDOWS_ZIP naming the package.
TEST(WindowsPackage, UnzippedAndRunUnderWineItStartsPlaysAndQuits)
{
    const char* zip = std::getenv("ORVANE_WINDOWS_ZIP");
    ASSERT_TRUE(zip && *zip) << "ORVANE_WINDOWS_ZIP must name the package";
    GameRun run(GameRun::Staging::Nothing);
    ASSERT_EQ(0, runCommand({"unzip", "-q", zip, "-d", run.dir()}, 120)) << "cannot unzip " << zip;
    ASSERT_TRUE(std::filesystem::exists(run.path("orvane.exe")));

    WinePrefix prefix;
    ASSERT_FALSE(prefix.dir().empty());
    // No installer dialogs for .NET or the HTML engine in a fresh prefix.
    ASSERT_TRUE(run.startProgram({"wine", "orvane.exe"},
                                 {"WINEPREFIX=" + prefix.dir(), "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="}));
    // The first start of Wine in a fresh prefix sets the prefix up first.
    Opening opening;
    ASSERT_NO_FATAL_FAILURE(playOpening(run, opening));

    // The level differs from run to run here: the clock is real. Under Wine
    // on a busy machine frames run late, and the game moves per frame, so
    // the walk is given longer.
    double from = opening.player.centreX();
    double furthest = walkRight(run, from, nullptr, 16);
    EXPECT_GT(furthest, from + 3 * CELL_WIDTH)
        << "the player stood at x " << from << " px and got no further right than " << furthest;

    run.tap("q");
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after Q";
    // Wine's own processes of this prefix end a few seconds after the program.
    runCommand({"env", "WINEPREFIX=" + prefix.dir(), "wineserver", "-w"}, 30);
    expectCleanEnd(run);
    expectWholeRunInOrder(run.log());

    // Nothing alarming on the console: a few lines at most, as from the
    // Linux build, not a line for every sound played.
    std::ifstream out(run.path("stdout.txt")), err(run.path("stderr.txt"));
    std::stringstream output;
    output << out.rdbuf() << err.rdbuf();
    EXPECT_LT(lineCount(output.str()), 20) << output.str().substr(0, 2000);

    note("Wine: start screen agreement " + std::to_string(opening.startScreen.score) + ", walked from " +
         std::to_string(static_cast<int>(from)) + " px to " + std::to_string(static_cast<int>(furthest)) + " px");
}

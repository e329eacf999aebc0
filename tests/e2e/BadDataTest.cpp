#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace e2e;

namespace
{

struct Line
{
    std::string level;
    std::string message;
};

// The lines that follow "Loading file '<file>'." from the resource manager,
// as level and message.
std::vector<Line> linesAfterLoading(const GameLog& log, const std::string& file, size_t count)
{
    std::vector<Line> result;
    int at = log.find("ResourceManager", "Loading file '" + file + "'.");
    for (int i = at + 1; at >= 0 && i < static_cast<int>(log.lines().size()) && result.size() < count; ++i)
        result.push_back({log.lines()[i].level, log.lines()[i].message});
    return result;
}

void expectLines(const std::vector<Line>& expected, const std::vector<Line>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(expected[i].level, actual[i].level) << actual[i].message;
        EXPECT_EQ(expected[i].message, actual[i].message);
    }
}

// Plays until the start screen shows, quits with Q and expects a clean end.
void seeStartScreenThenQuit(GameRun& run)
{
    ASSERT_TRUE(run.findWindow(60)) << run.process().describeEnd();
    SpriteArt menu;
    ASSERT_TRUE(readSpriteFrame(run.path("sprites/startmenu-spr.txt"), 0, menu));
    EXPECT_GE(waitForArt(run, menu, Ink::Yellow, 0.98, 30).score, 0.98) << "the start screen did not show";
    run.tap("space");
    sleepSeconds(2.0); // the game plays on with what it has
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after Q";
}

void expectCleanEnd(GameRun& run)
{
    EXPECT_TRUE(run.process().exitedNormally()) << run.process().describeEnd();
    EXPECT_EQ(0, run.process().exitCode());
    EXPECT_EQ("", run.sanitizerReport());
}

} // namespace

// Scenario 3: missing and broken data. Nothing stops the program but the
// things it cannot run without, and it always ends with exit code 0.
TEST(BadData, MissingSpriteIsReportedAndTheGameRunsWithoutIt)
{
    GameRun run;
    run.removeFile("sprites/bat-spr.txt");
    ASSERT_TRUE(run.start());
    seeStartScreenThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectLines({{"ERROR", "Error opening 'bat' sprite from file 'sprites/bat-spr.txt'."},
                 {"ALERT", "Sprite 'bat' not loaded."}},
                linesAfterLoading(log, "sprites/bat-spr.txt", 2));
    EXPECT_EQ(17, loadedResources(log));
    EXPECT_GE(log.find("GameManager", "--------START GAME LOOP--------"), 0);
    EXPECT_GE(log.find("GameManager", "---------END GAME LOOP---------"), 0);
}

TEST(BadData, BrokenSpriteFilesGiveTheLoadersMessages)
{
    GameRun run;
    // A blank line ends the header before its keys.
    run.writeFile("sprites/slime-spr.txt", "<HEADER>\nframes 2\n\nwidth 5\nheight 2\n</HEADER>\n<BODY>\n</BODY>\n");
    // The second frame's last row is one character short.
    run.writeFile("sprites/bat-spr.txt", "<HEADER>\nframes 2\nwidth 3\nheight 2\ncolor red\n</HEADER>\n<BODY>\n"
                                         "\\o/\n/ \\\nend\n/o\\\n\\ \nend\n</BODY>\n");
    // The header promises a frame more than the body holds.
    run.writeFile("sprites/gameover-spr.txt", "<HEADER>\nframes 3\nwidth 4\nheight 1\n</HEADER>\n<BODY>\n"
                                              "OVER\nend\nover\nend\n</BODY>\n");
    ASSERT_TRUE(run.start());
    seeStartScreenThenQuit(run);
    expectCleanEnd(run);

    GameLog log = run.log();
    expectLines({{"ERROR", "Sprite Error: HEADER not closed."},
                 {"ERROR", "Error loading slime sprite: frames not declared in HEADER"},
                 {"ALERT", "Sprite 'slime' not loaded."}},
                linesAfterLoading(log, "sprites/slime-spr.txt", 3));
    expectLines({{"ERROR", "Error loading bat sprite: 1 frame not declared properly in BODY"},
                 {"ALERT", "Sprite 'bat' not loaded."}},
                linesAfterLoading(log, "sprites/bat-spr.txt", 2));
    expectLines({{"ERROR", "Error loading sprite frame: Frame does not exist."},
                 {"ERROR", "Error loading gameover sprite: 2 frame not declared properly in BODY"},
                 {"ALERT", "Sprite 'gameover' not loaded."}},
                linesAfterLoading(log, "sprites/gameover-spr.txt", 3));
    EXPECT_EQ(15, loadedResources(log));
}

TEST(BadData, MissingFontEndsTheProgramCleanly)
{
    GameRun run;
    run.removeFile("ov-font.ttf");
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after start without a font";
    expectCleanEnd(run);

    GameLog log = run.log();
    int font = log.find("DisplayManager", "Error loading font from ov-font.ttf.");
    ASSERT_GE(font, 0);
    EXPECT_EQ("ERROR", log.lines()[font].level);
    EXPECT_GT(log.find("Driver", "Error starting GameManager."), font);
    EXPECT_EQ(-1, log.find("GameManager", "--------START GAME LOOP--------"));
    EXPECT_EQ("Stopping...", log.lines().back().message);
}

TEST(BadData, NoDisplayEndsTheProgramCleanly)
{
    GameRun run;
    ASSERT_TRUE(run.start(false));
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after start without a display";
    expectCleanEnd(run);

    GameLog log = run.log();
    int display = log.find("GameManager", "Error staring DisplayManager.");
    ASSERT_GE(display, 0);
    EXPECT_GT(log.find("Driver", "Error starting GameManager."), display);
    EXPECT_EQ(-1, log.find("GameManager", "--------START GAME LOOP--------"));
}

TEST(BadData, UnwritableLogEndsTheProgramCleanly)
{
    GameRun run;
    run.blockLogFile();
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after start without a log";
    expectCleanEnd(run);
    EXPECT_TRUE(std::filesystem::is_directory(run.path("orvane.log"))) << "the blocked log path was replaced";
}

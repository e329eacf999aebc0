#include "GameRun.h"
#include "Play.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace e2e;

namespace
{

const char LOOP_START[] = "--------START GAME LOOP--------";
const char LOOP_END[] = "---------END GAME LOOP---------";
const char FAILED_START[] = "The game could not start; orvane.log says why.\n";



} // namespace

// Faults met by chance or by an attacker, and data the program cannot run
// without. Each case ends with exit code 0 and the log closed, or a word on
// the standard error where no log can be.
TEST(Faults, FontMissingOrAPipeEndsTheProgramCleanly)
{
    for (const bool pipe : {false, true})
    {
        SCOPED_TRACE(pipe ? "a pipe for a font" : "no font");
        GameRun run;
        run.removeFile("ov-font.ttf");
        if (pipe)
        {
            ASSERT_EQ(0, mkfifo(run.path("ov-font.ttf").c_str(), 0644));
        }
        ASSERT_TRUE(run.start());
        ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after start";
        expectCleanEnd(run);

        test::GameLog log = run.log();
        int font = log.find("DisplayManager", "Error loading font from ov-font.ttf.");
        ASSERT_GE(font, 0);
        EXPECT_EQ("ERROR", log.lines()[font].level);
        EXPECT_GT(log.find("Driver", "Error starting GameManager."), font);
        EXPECT_EQ(-1, log.find("GameManager", LOOP_START));
        // Missing, it most likely means the game was started in another folder, and the terminal says so.
        const std::string said = pipe ? FAILED_START : "The game could not start: its font ov-font.ttf is not in the "
                                                       "folder it was started in (" + run.dir() + ").";
        EXPECT_EQ(1, countOf(run.errorOutput(), said)) << run.errorOutput();
    }
}

TEST(Faults, NoDisplayEndsTheProgramCleanly)
{
    GameRun run;
    ASSERT_TRUE(run.start(false));
    ASSERT_TRUE(run.waitForExit(30)) << "still running 30 s after start without a display";
    expectCleanEnd(run);

    test::GameLog log = run.log();
    int display = log.find("GameManager", "Error staring DisplayManager.");
    ASSERT_GE(display, 0);
    EXPECT_GT(log.find("Driver", "Error starting GameManager."), display);
    EXPECT_EQ(-1, log.find("GameManager", LOOP_START));
}

// The player's sprite gone, or every sprite: the player never enters the
// world, and Q still ends the game.
TEST(Faults, QuitsWithQWithoutThePlayersSpriteOrAnySprite)
{
    for (const bool all : {false, true})
    {
        SCOPED_TRACE(all ? "no sprites" : "no player sprite");
        GameRun run;
        if (all)
            std::filesystem::remove_all(run.path("sprites"));
        else
            run.removeFile("sprites/player-bounds.txt");
        ASSERT_TRUE(run.start());
        seeStartScreenThenQuit(run, !all);
        expectCleanEnd(run);
        EXPECT_GE(run.log().find("GameManager", LOOP_END), 0);
    }
}

TEST(Faults, SignalsEndTheGameAsQDoes)
{
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP})
    {
        SCOPED_TRACE("signal " + std::to_string(signalNumber));
        GameRun run;
        ASSERT_TRUE(run.start());
        ASSERT_TRUE(run.waitForLogLine(LOOP_START, 60)) << run.process().describeEnd();
        sleepSeconds(1.0);
        ASSERT_TRUE(run.process().sendSignal(signalNumber));
        ASSERT_TRUE(run.waitForExit(20)) << "still running 20 s after the signal";
        expectCleanEnd(run);

        test::GameLog log = run.log();
        int end = log.find("GameManager", LOOP_END);
        EXPECT_GE(end, 0);
        EXPECT_GT(log.find("GameManager", "Stopping managers."), end);
    }
}

TEST(Faults, SecondCopyInTheSameFolderLeavesTheFirstCopysLogAlone)
{
    GameRun run;
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForLogLine(LOOP_START, 60)) << run.process().describeEnd();

    Process second;
    ASSERT_TRUE(run.startCopy(second, "second-stderr.txt"));
    ASSERT_TRUE(second.waitFor(20)) << "the second copy is still running";
    EXPECT_TRUE(second.exitedNormally()) << second.describeEnd();
    EXPECT_EQ(0, second.exitCode());
    const std::string said = run.readFile("second-stderr.txt");
    EXPECT_EQ(1, countOf(said, "orvane.log is in use by another copy of the game running in this folder")) << said;

    ASSERT_TRUE(run.findWindow(30));
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(20));
    expectCleanEnd(run);
    test::GameLog log = run.log();
    EXPECT_EQ(1, log.count("LogManager", "Started."));
    EXPECT_GE(log.find("GameManager", LOOP_START), 0);
    EXPECT_GE(log.find("GameManager", LOOP_END), 0);
}

TEST(Faults, FullDiskIsReportedOnceAndThePlayGoesOn)
{
    GameRun run;
    std::filesystem::create_symlink("/dev/full", run.path("orvane.log"));
    ASSERT_TRUE(run.start());
    seeStartScreenThenQuit(run);
    expectCleanEnd(run, false);
    EXPECT_EQ(1, countOf(run.errorOutput(), "Cannot write orvane.log: No space left on device.")) << run.errorOutput();
}

// A folder where the log goes, and a folder the program may not write in.
TEST(Faults, UnwritableLogSaysWhyOnStandardError)
{
    GameRun blocked;
    blocked.blockLogFile();
    ASSERT_TRUE(blocked.start());
    ASSERT_TRUE(blocked.waitForExit(30)) << "still running 30 s after start without a log";
    expectCleanEnd(blocked, false);
    EXPECT_TRUE(std::filesystem::is_directory(blocked.path("orvane.log"))) << "the blocked log path was replaced";
    EXPECT_EQ("orvane.log cannot be created: Is a directory.\n", blocked.errorOutput());

    GameRun run;
    // Root writes anywhere: the program then runs as nobody, who cannot
    // write the test's directory (made for its owner alone).
    // The clock library cannot set itself up as nobody, and is not needed here.
    if (geteuid() == 0)
        run.setCommandPrefix(
            {"env", "-u", "LD_PRELOAD", "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    ASSERT_EQ(0, chmod(run.dir().c_str(), 0500));
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForExit(30));
    chmod(run.dir().c_str(), 0700);
    expectCleanEnd(run, false);
    EXPECT_EQ("orvane.log cannot be created: Permission denied.\n", run.errorOutput());
    EXPECT_FALSE(std::filesystem::exists(run.path("orvane.log")));
}

TEST(Faults, ClosedStandardErrorKeepsTheLibrariesOutOfTheLog)
{
    GameRun run;
    run.setStderrClosed(true);
    run.setFakeClock(false);
    ASSERT_TRUE(run.start());
    seeStartScreenThenQuit(run);
    expectCleanEnd(run);

    test::GameLog log = run.log();
    EXPECT_EQ("Orvane engine: a character-cell 2D game engine", log.banner());
    EXPECT_EQ("LogManager", log.lines().front().source);
    EXPECT_EQ("Started.", log.lines().front().message);
}

// Without a sound card every call of the audio layer would fail and say so
// on the standard error, and the drivers it tries complain as it opens the
// device: thousands of lines a game. The game learns it once and plays
// silently, with a WARN line in the log and at most a few on the terminal.
// Run as a user without a sound card meets it: no driver named.
TEST(Faults, WithoutAnAudioDeviceTheGamePlaysSilentlyAndQuietly)
{
    if (std::filesystem::exists("/dev/snd/controlC0"))
        GTEST_SKIP() << "this machine has a sound card";
    GameRun run;
    run.setCommandPrefix({"env", "-u", "ALSOFT_DRIVERS", "-u", "ALSOFT_CONF"});
    ASSERT_TRUE(run.start());
    seeStartScreenThenQuit(run);
    expectCleanEnd(run);
    EXPECT_GE(run.log().find("Sound", "No audio device could be opened; playing without sound."), 0);
    EXPECT_LE(countOf(run.errorOutput(), "\n"), 5) << run.errorOutput().substr(0, 2000);
}

// Limits a user or an administrator may set: a file that cannot grow is a
// full disk, too few files or too little memory end the start cleanly.
TEST(Faults, LimitsOfFilesAndMemoryAreSaidAndNotFatal)
{
    GameRun sized;
    sized.setCommandPrefix({"prlimit", "--fsize=65536", "--"});
    ASSERT_TRUE(sized.start());
    seeStartScreenThenQuit(sized);
    expectCleanEnd(sized, false);
    EXPECT_EQ(1, countOf(sized.errorOutput(), "Cannot write orvane.log: File too large.")) << sized.errorOutput();
    EXPECT_EQ(65536u, sized.readFile("orvane.log").size());

    GameRun few;
    few.setCommandPrefix({"prlimit", "--nofile=6", "--"});
    ASSERT_TRUE(few.start());
    ASSERT_TRUE(few.waitForExit(30));
    expectCleanEnd(few, false);
    EXPECT_EQ(1, countOf(few.errorOutput(), "may have only 6 here (ulimit -n); it does not start.")) << few.errorOutput();

    GameRun small;
    small.setCommandPrefix({"prlimit", "--as=300000000", "--"});
    ASSERT_TRUE(small.start());
    ASSERT_TRUE(small.waitForExit(30));
    expectCleanEnd(small);
    EXPECT_GE(small.log().find("DisplayManager", "Failed creating window."), 0);
}

// A screen of 16 bits a pixel, as some remote desktops have, plays; one of
// 8 bits cannot show the window, and the start ends as without a display.
TEST(Faults, ShallowScreensPlayOrEndCleanly)
{
    {
        XServer screen("1280x1024x16", true);
        ASSERT_TRUE(screen.started());
        GameRun run;
        ASSERT_TRUE(run.start());
        seeStartScreenThenQuit(run);
        expectCleanEnd(run);
    }
    XServer screen("1280x1024x8", true);
    ASSERT_TRUE(screen.started());
    GameRun run;
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.waitForExit(30));
    expectCleanEnd(run);
    test::GameLog log = run.log();
    EXPECT_GE(log.find("DisplayManager", "The screen has 8 bits a pixel; the window needs at least 16."), 0);
    EXPECT_GE(log.find("DisplayManager", "Failed creating window."), 0);
}

// A start screen made 1000 x 1000 characters: what cannot be seen is not
// drawn, and Q is as quick as ever.
TEST(Faults, HugeSpriteCostsWhatCanBeSeen)
{
    GameRun run;
    std::string rows;
    for (int y = 0; y < 1000; ++y)
        rows += std::string(1000, "#@*+"[y % 4]) + "\n";
    run.writeFile("sprites/startmenu-spr.txt",
                  "<HEADER>\nframes 1\nwidth 1000\nheight 1000\ncolor yellow\n</HEADER>\n<BODY>\n" + rows +
                      "end\n</BODY>\n");
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.findWindow(60)) << run.process().describeEnd();
    ASSERT_TRUE(run.waitForLogLine("--------START GAME LOOP--------", 30));
    sleepSeconds(2.0);
    const double pressed = now();
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(30));
    EXPECT_LT(now() - pressed, 1.0) << "Q took " << now() - pressed << " s";
    expectCleanEnd(run);
}

// `orvane 2>&1 | true`: the terminal went away; the game does not.
TEST(Faults, ClosedPipeForOutputDoesNotEndTheGame)
{
    GameRun run;
    run.setOutputToClosedPipe(true);
    ASSERT_TRUE(run.start());
    seeStartScreenThenQuit(run);
    expectCleanEnd(run);
}

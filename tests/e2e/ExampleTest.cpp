#include "GameRun.h"
#include "Play.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace e2e;

// The example game, built against the engine's package by
// tools/build-example.sh, played as a person plays it: the frog and the pads
// show from its own sprite files, it walks and hops, a click lays a leaf,
// and Q ends it cleanly with the whole log.
TEST(Example, HopperPlaysFromThePackageAndEndsCleanly)
{
    const std::filesystem::path built = ORVANE_EXAMPLE_DIR;
    ASSERT_TRUE(std::filesystem::exists(built / "hopper")) << "tools/build-example.sh has not built " << built;
    GameRun run(GameRun::Staging::Nothing);
    for (const char* staged : {"sprites", "sounds", "ov-font.ttf"})
        std::filesystem::copy(built / staged, run.path(staged), std::filesystem::copy_options::recursive);
    run.writeFile("alsoft.conf", "[wave]\nfile=" + run.path("audio.wav") + "\n"); // its sound heard, into a file
    run.setProgram({(built / "hopper").string()});
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.findWindow(30)) << run.process().describeEnd();

    SpriteArt frog, pad;
    ASSERT_TRUE(readSpriteFrame(run.path("sprites/frog.txt"), 0, frog));
    ASSERT_TRUE(readSpriteFrame(run.path("sprites/pad.txt"), 0, pad));
    EXPECT_GE(waitForArt(run, frog, Ink::Green, 0.97, 20).score, 0.97) << "no frog";
    EXPECT_GE(waitForArt(run, pad, Ink::Cyan, 0.97, 5).score, 0.97) << "no pad";

    run.keyDown("d");
    sleepSeconds(1);
    run.tap("space");
    sleepSeconds(1);
    run.keyUp("d");
    run.click(600, 500);
    sleepSeconds(0.5);
    run.tap("q");
    ASSERT_TRUE(run.waitForExit(30));
    expectCleanEnd(run);
    const test::GameLog log = run.log();
    int at = 0;
    for (const auto& line : {std::make_pair("LogManager", "Started."), {"ResourceManager", "Sound 'gulp' loaded."},
                             {"GameManager", "--------START GAME LOOP--------"},
                             {"Pond ", "Laid a leaf."}, {"GameManager", "---------END GAME LOOP---------"}, {"WorldManager", "Stopped."}})
    {
        at = log.find(line.first, line.second, at);
        EXPECT_GE(at, 0) << line.second;
    }
}

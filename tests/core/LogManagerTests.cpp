#include "CoreTestSupport.h"

#include "engine/core/LogManager.h"

#include <cstdio>
#include <filesystem>
#include <string>

using coretest::LogTest;

namespace
{

const char BANNER[] = "Orvane engine: a character-cell 2D game engine";

} // namespace

TEST_F(LogTest, FileIsBannerThenLinesEachStartingWithALineEnd)
{
    ov::LogManager& log = ov::LogManager::getInstance();
    log.stop();
    coretest::useFakeTime(7, 4, 9, 50);
    ASSERT_EQ(log.start(), 0);
    EXPECT_TRUE(log.isStarted());
    log.stop();
    EXPECT_FALSE(log.isStarted());

    // An empty level word is padded to five blanks before " | ". No line end
    // after the last line, and the banner alone on the first.
    EXPECT_EQ(test::readTextFile("orvane.log"), std::string(BANNER) +
              "\n      | 07:04:09.050 | LogManager       | Started."
              "\n      | 07:04:09.050 | LogManager       | Stopping...");
}

TEST_F(LogTest, PadsShortWordsAndWritesLongOnesWhole)
{
    ov::LogManager& log = ov::LogManager::getInstance();
    coretest::useFakeTime(23, 0, 1, 2);

    int written = log.writeLog("WARNING", "ASourceLongerThanSixteen", "count %d of %s", 3, "x");
    log.writeLog("ALERT", "ExactlySixteen16", "full");
    log.writeLog("", "Clock", "%s", "");
    log.stop();

    test::GameLog lines;
    ASSERT_EQ(lines.size(), 5);
    const std::string longLine = "WARNING | 23:00:01.002 | ASourceLongerThanSixteen | count 3 of x";
    const std::string text = test::readTextFile("orvane.log");
    EXPECT_NE(text.find("\n" + longLine + "\n"), std::string::npos);
    EXPECT_NE(text.find("\nALERT | 23:00:01.002 | ExactlySixteen16 | full\n"), std::string::npos);
    EXPECT_NE(text.find("\n      | 23:00:01.002 | Clock            | \n"), std::string::npos);
    EXPECT_EQ(lines.lines()[1].source, "ASourceLongerThanSixteen");
    // The count includes the line end that starts the line.
    EXPECT_EQ(written, static_cast<int>(longLine.size()) + 1);
}

TEST_F(LogTest, FlushedLineIsInTheFileAtOnce)
{
    ov::LogManager& log = ov::LogManager::getInstance();
    log.setFlush(true);
    EXPECT_GT(log.writeLog("", "Test", "flushed %d", 1), 0);
    EXPECT_NE(test::readTextFile("orvane.log").find("| flushed 1"), std::string::npos);
}

TEST_F(LogTest, BufferedLineReachesTheFileWhenTheLogStops)
{
    ov::LogManager& log = ov::LogManager::getInstance();
    log.setFlush(false);
    log.writeLog("", "Test", "buffered");
    log.stop();
    std::vector<test::LogLine> lines = test::GameLog().lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].message, "buffered");
    EXPECT_EQ(lines[2].source, "LogManager");
    EXPECT_EQ(lines[2].message, "Stopping...");
}

TEST_F(LogTest, WritesNothingWithoutAnOpenFile)
{
    ov::LogManager& log = ov::LogManager::getInstance();
    log.stop();
    std::string before = test::readTextFile("orvane.log");

    EXPECT_EQ(log.writeLog("ERROR", "Driver", "Error starting %s.", "GameManager"), 0);
    EXPECT_EQ(test::readTextFile("orvane.log"), before);
}

TEST_F(LogTest, StartFailsWhenTheFileCannotBeOpened)
{
    ov::LogManager& log = ov::LogManager::getInstance();
    log.stop();
    ASSERT_EQ(std::remove("orvane.log"), 0);
    ASSERT_TRUE(std::filesystem::create_directory("orvane.log"));

    EXPECT_EQ(log.start(), -1);
    EXPECT_FALSE(log.isStarted());
    EXPECT_EQ(log.writeLog("", "Test", "nowhere"), 0);

    ASSERT_TRUE(std::filesystem::remove("orvane.log"));
}

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include "engine/core/Platform.h"

#include <cstdio>
#include <fstream>
#include <string>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// The log's file is locked before it is emptied: a second opener finds it in
// use and leaves what the first wrote. flock locks belong to the open file,
// so two opens in one process meet as two copies of the program would.
TEST(Platform, SecondExclusiveOpenFindsTheFileInUseAndLeavesItAlone)
{
    ov::platform::OpenResult result = ov::platform::OpenResult::Failed;
    std::string reason;
    std::FILE* first = ov::platform::openExclusive("exclusive.txt", result, reason);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(ov::platform::OpenResult::Opened, result);
    std::fputs("first copy", first);
    std::fflush(first);

    std::FILE* second = ov::platform::openExclusive("exclusive.txt", result, reason);
    EXPECT_EQ(nullptr, second);
    EXPECT_EQ(ov::platform::OpenResult::InUse, result);
    EXPECT_EQ("first copy", test::readFile("exclusive.txt"));

    // Closed, the file is free again, and the next opener empties it.
    std::fclose(first);
    second = ov::platform::openExclusive("exclusive.txt", result, reason);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(ov::platform::OpenResult::Opened, result);
    std::fclose(second);
    EXPECT_EQ("", test::readFile("exclusive.txt"));
}

// Folders, links and pipes are made with POSIX calls; the Windows build runs
// the exclusive open above only.
#ifndef _WIN32
TEST(Platform, ExclusiveOpenSaysWhyItFailed)
{
    ASSERT_EQ(0, mkdir("taken", 0755));
    ov::platform::OpenResult result = ov::platform::OpenResult::Opened;
    std::string reason;
    EXPECT_EQ(nullptr, ov::platform::openExclusive("taken", result, reason));
    EXPECT_EQ(ov::platform::OpenResult::Failed, result);
    EXPECT_EQ("Is a directory", reason);

    // A pipe nobody reads would hold the open for ever; one with a reader,
    // every write, once the reader stops reading.
    ASSERT_EQ(0, mkfifo("log-pipe", 0644));
    EXPECT_EQ(nullptr, ov::platform::openExclusive("log-pipe", result, reason));
    EXPECT_EQ(ov::platform::OpenResult::Failed, result);
    EXPECT_EQ("it is a pipe, not a file", reason);
    const int reader = open("log-pipe", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(nullptr, ov::platform::openExclusive("log-pipe", result, reason));
    EXPECT_EQ("it is a pipe, not a file", reason);
    close(reader);
}

TEST(Platform, OnlyRegularFilesAreRegular)
{
    std::ofstream("plain.txt") << "x";
    ASSERT_EQ(0, symlink("plain.txt", "link.txt"));
    ASSERT_EQ(0, mkdir("folder", 0755));
    ASSERT_EQ(0, mkfifo("pipe", 0644));
    EXPECT_TRUE(ov::platform::isRegularFile("plain.txt"));
    EXPECT_TRUE(ov::platform::isRegularFile("link.txt"));
    EXPECT_FALSE(ov::platform::isRegularFile("folder"));
    EXPECT_FALSE(ov::platform::isRegularFile("pipe"));
    EXPECT_FALSE(ov::platform::isRegularFile("missing"));
}
#endif

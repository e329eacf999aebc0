#pragma once

#include "support/GameLog.h"

#include <gtest/gtest.h>

#include <string>

// Helpers shared by the test programs. Every test program runs in a fresh
// temporary working directory that holds a copy of the game's font, so the
// log file "orvane.log" and any files a test writes stay out of the tree.
namespace test
{

// The game's data folder in the source tree.
std::string dataDir();

// The whole file, or "" when it cannot be read.
std::string readFile(const std::string& path);
// The same for a text file, with each line end read as "\n" whatever the
// platform wrote (Windows writes the log's line ends as "\r\n").
std::string readTextFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
bool fileExists(const std::string& path);

// Whether an X display can be opened (tests with a window need one).
bool displayAvailable();

// The temporary working directory of this test program.
std::string workDir();

// The number of lines the log holds now: a mark to read what comes after.
inline int logMark()
{
    return GameLog().size();
}

// The engine's managers, as a test names those it needs.
enum Managers
{
    LOG = 1,
    DISPLAY = 2,
    WORLD = 4,
    INPUT = 8,
    RESOURCES = 16,
};

// Starts those of the managers named that are not running, in the order
// the engine starts them, the log flushing every line so that a test reads
// it back at once; an input manager is started again in any case, as a
// window opened anew repeats keys until it is told otherwise. Fails the test
// when one does not start.
void startManagers(int which);
// Stops those named, in the reverse order; the log stops flushing.
void stopManagers(int which);

// A test with the managers it names started before and stopped after it;
// the clock is the system's again afterwards.
template <int WHICH>
class ManagerTest : public testing::Test
{
protected:
    void SetUp() override { startManagers(WHICH); }
    void TearDown() override;
};

// Starts the managers named before the program's first test and stops them
// after its last (for a namespace-scope initialiser).
bool keepManagersRunning(int which);

void restoreClock();

template <int WHICH>
void ManagerTest<WHICH>::TearDown()
{
    stopManagers(WHICH);
    restoreClock();
}

} // namespace test

#pragma once

#include <string>
#include <vector>

// Helpers shared by the test programs. Every test program runs in a fresh
// temporary working directory that holds a copy of the game's font, so the
// log file "orvane.log" and any files a test writes stay out of the tree.
namespace test
{

// One line of "orvane.log", split at its bars.
struct LogLine
{
    std::string level;   // trimmed level word ("" for routine lines)
    std::string time;    // hh:mm:ss.mmm
    std::string source;  // trimmed source name
    std::string message; // the message as written
    std::string raw;     // the whole line
};

// The game's data folder in the source tree.
std::string dataDir();

// The whole file, or "" when it cannot be read.
std::string readFile(const std::string& path);
// The same for a text file, with each line end read as "\n" whatever the
// platform wrote (Windows writes the log's line ends as "\r\n").
std::string readTextFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
bool fileExists(const std::string& path);

// The log file split into its lines (the banner is line 0); parsed lines skip the banner.
std::vector<std::string> logRawLines();
std::vector<LogLine> logLines();

// Lines of the log whose message equals (or contains) the text.
int countLogMessages(const std::string& message);
bool logContains(const std::string& text);

// Whether an X display can be opened (tests with a window need one).
bool displayAvailable();

// The temporary working directory of this test program.
std::string workDir();

} // namespace test

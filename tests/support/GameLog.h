#pragma once

#include <string>
#include <vector>

// The one reader of "orvane.log" that every test uses, from the unit tests
// that read their own process's log to the end-to-end runs that read the
// program's.
namespace test
{

// One line: "LEVEL | hh:mm:ss.mmm | Source | message".
struct LogLine
{
    std::string level;   // trimmed ("" for routine lines)
    std::string time;    // hh:mm:ss.mmm
    std::string source;  // trimmed; "Player 602" for objects
    std::string message; // as written; it may hold " | " itself
    double seconds = 0;  // the time of day in seconds

    std::string text() const;
};

// The log as it stands in the file when read: the banner, then the lines.
// Line ends are read alike whatever the platform wrote.
class GameLog
{
public:
    explicit GameLog(const std::string& path = "orvane.log");

    bool loaded() const { return m_loaded; }
    const std::string& banner() const { return m_banner; }
    const std::vector<LogLine>& lines() const { return m_lines; }
    bool empty() const { return m_lines.empty(); }
    int size() const { return static_cast<int>(m_lines.size()); }

    // Index of the first line at or after `from` with this source and message
    // (exact), or -1. An empty source matches any; one ending in a blank
    // matches any object of that type ("Player " matches "Player 602").
    int find(const std::string& source, const std::string& message, int from = 0) const;
    int findPrefix(const std::string& source, const std::string& messageStart, int from = 0) const;
    int count(const std::string& source, const std::string& message, int from = 0) const;
    // The lines from `from` on whose source matches, as for find.
    std::vector<LogLine> linesOf(const std::string& source, int from = 0) const;
    // "level|source|message" of the lines from `from` on, for compact comparisons.
    std::vector<std::string> describe(int from = 0) const;

    // Seconds from the first line (the log manager's start) to line i.
    double secondsAt(int i) const;

private:
    std::string m_banner;
    std::vector<LogLine> m_lines;
    bool m_loaded = false;
};

} // namespace test

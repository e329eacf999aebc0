#pragma once

#include <string>
#include <vector>

namespace e2e
{

// One line of "orvane.log": "LEVEL | hh:mm:ss.mmm | Source | message".
struct LogLine
{
    std::string level;
    std::string time;
    std::string source; // "Player 602" for objects
    std::string message;
    double seconds = 0; // the time of day in seconds

    std::string text() const;
};

// The log as the program left it: the banner line, then the parsed lines.
class GameLog
{
public:
    bool load(const std::string& path);

    const std::string& banner() const { return m_banner; }
    const std::vector<LogLine>& lines() const { return m_lines; }
    bool empty() const { return m_lines.empty(); }

    // Index of the first line at or after `from` with this source and
    // message (exact), or -1. A source ending in a blank matches any object
    // of that type ("Player " matches "Player 602").
    int find(const std::string& source, const std::string& message, int from = 0) const;
    int findMessage(const std::string& message, int from = 0) const;
    int findPrefix(const std::string& source, const std::string& messageStart, int from = 0) const;
    int count(const std::string& source, const std::string& message) const;

    // Seconds from the first line (the log manager's start) to line i.
    double secondsAt(int i) const;

private:
    bool sourceMatches(const std::string& wanted, const std::string& source) const;

    std::string m_banner;
    std::vector<LogLine> m_lines;
};

} // namespace e2e

#include "GameLog.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace e2e
{

namespace
{

std::string trim(const std::string& s)
{
    size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

} // namespace

std::string LogLine::text() const
{
    return level + " | " + time + " | " + source + " | " + message;
}

bool GameLog::load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    m_banner.clear();
    m_lines.clear();
    size_t start = 0;
    bool first = true;
    while (start <= content.size())
    {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string raw = content.substr(start, end - start);
        start = end + 1;
        // The Windows build writes its line ends as "\r\n".
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (first)
        {
            m_banner = raw;
            first = false;
            continue;
        }
        // The message itself may hold " | ": only the first three bars split.
        size_t a = raw.find(" | ");
        size_t b = a == std::string::npos ? a : raw.find(" | ", a + 3);
        size_t c = b == std::string::npos ? b : raw.find(" | ", b + 3);
        if (c == std::string::npos)
            continue;
        LogLine line;
        line.level = trim(raw.substr(0, a));
        line.time = raw.substr(a + 3, b - a - 3);
        line.source = trim(raw.substr(b + 3, c - b - 3));
        line.message = raw.substr(c + 3);
        int h = 0, m = 0, s = 0, ms = 0;
        if (std::sscanf(line.time.c_str(), "%d:%d:%d.%d", &h, &m, &s, &ms) == 4)
            line.seconds = (h * 60 + m) * 60 + s + ms / 1000.0;
        m_lines.push_back(line);
    }
    return true;
}

bool GameLog::sourceMatches(const std::string& wanted, const std::string& source) const
{
    if (!wanted.empty() && wanted.back() == ' ')
        return source.compare(0, wanted.size(), wanted) == 0;
    return source == wanted;
}

int GameLog::find(const std::string& source, const std::string& message, int from) const
{
    for (int i = from; i < static_cast<int>(m_lines.size()); ++i)
        if (m_lines[i].message == message && sourceMatches(source, m_lines[i].source))
            return i;
    return -1;
}

int GameLog::findMessage(const std::string& message, int from) const
{
    for (int i = from; i < static_cast<int>(m_lines.size()); ++i)
        if (m_lines[i].message == message)
            return i;
    return -1;
}

int GameLog::findPrefix(const std::string& source, const std::string& messageStart, int from) const
{
    for (int i = from; i < static_cast<int>(m_lines.size()); ++i)
        if (m_lines[i].message.compare(0, messageStart.size(), messageStart) == 0 &&
            sourceMatches(source, m_lines[i].source))
            return i;
    return -1;
}

int GameLog::count(const std::string& source, const std::string& message) const
{
    int n = 0;
    for (const LogLine& line : m_lines)
        if (line.message == message && sourceMatches(source, line.source))
            ++n;
    return n;
}

double GameLog::secondsAt(int i) const
{
    if (m_lines.empty() || i < 0 || i >= static_cast<int>(m_lines.size()))
        return 0;
    return m_lines[i].seconds - m_lines[0].seconds;
}

} // namespace e2e

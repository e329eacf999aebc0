#include "support/GameLog.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace test
{

namespace
{

std::string trim(const std::string& s)
{
    size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool sourceMatches(const std::string& wanted, const std::string& source)
{
    if (!wanted.empty() && wanted.back() == ' ')
        return source.compare(0, wanted.size(), wanted) == 0;
    return wanted.empty() || source == wanted;
}

} // namespace

std::string LogLine::text() const
{
    return level + " | " + time + " | " + source + " | " + message;
}

GameLog::GameLog(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    m_loaded = static_cast<bool>(in);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t start = 0; m_loaded && start <= content.size();)
    {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string raw = content.substr(start, end - start);
        const bool banner = start == 0;
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (banner)
        {
            m_banner = raw;
            continue;
        }
        // Only the first three bars split: the message may hold more.
        size_t a = raw.find(" | ");
        size_t b = a == std::string::npos ? a : raw.find(" | ", a + 3);
        size_t c = b == std::string::npos ? b : raw.find(" | ", b + 3);
        LogLine line;
        if (c == std::string::npos)
        {
            line.message = raw;
            m_lines.push_back(line);
            continue;
        }
        line.level = trim(raw.substr(0, a));
        line.time = raw.substr(a + 3, b - a - 3);
        line.source = trim(raw.substr(b + 3, c - b - 3));
        line.message = raw.substr(c + 3);
        int h = 0, m = 0, s = 0, ms = 0;
        if (std::sscanf(line.time.c_str(), "%d:%d:%d.%d", &h, &m, &s, &ms) == 4)
            line.seconds = (h * 60 + m) * 60 + s + ms / 1000.0;
        m_lines.push_back(line);
    }
}

int GameLog::find(const std::string& source, const std::string& message, int from) const
{
    for (int i = from; i < size(); ++i)
        if (m_lines[i].message == message && sourceMatches(source, m_lines[i].source))
            return i;
    return -1;
}

int GameLog::findPrefix(const std::string& source, const std::string& messageStart, int from) const
{
    for (int i = from; i < size(); ++i)
        if (m_lines[i].message.compare(0, messageStart.size(), messageStart) == 0 &&
            sourceMatches(source, m_lines[i].source))
            return i;
    return -1;
}

int GameLog::count(const std::string& source, const std::string& message, int from) const
{
    int n = 0;
    for (int i = find(source, message, from); i >= 0; i = find(source, message, i + 1))
        ++n;
    return n;
}

std::vector<LogLine> GameLog::linesOf(const std::string& source, int from) const
{
    std::vector<LogLine> result;
    for (int i = from; i < size(); ++i)
        if (sourceMatches(source, m_lines[i].source))
            result.push_back(m_lines[i]);
    return result;
}

std::vector<std::string> GameLog::describe(int from) const
{
    std::vector<std::string> result;
    for (int i = from; i < size(); ++i)
        result.push_back(m_lines[i].level + "|" + m_lines[i].source + "|" + m_lines[i].message);
    return result;
}

double GameLog::secondsAt(int i) const
{
    if (m_lines.empty() || i < 0 || i >= size())
        return 0;
    return m_lines[i].seconds - m_lines[0].seconds;
}

} // namespace test

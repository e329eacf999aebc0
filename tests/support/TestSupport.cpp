#include "support/TestSupport.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace test
{

std::string dataDir()
{
    return std::string(ORVANE_SOURCE_DIR) + "/data";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string readTextFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::vector<std::string> logRawLines()
{
    std::vector<std::string> lines;
    std::string text = readTextFile("orvane.log");
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

static std::string trim(const std::string& text)
{
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return "";
    size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

std::vector<LogLine> logLines()
{
    std::vector<LogLine> parsed;
    std::vector<std::string> raw = logRawLines();
    for (size_t i = 1; i < raw.size(); ++i)
    {
        LogLine line;
        line.raw = raw[i];
        size_t first = raw[i].find(" | ");
        size_t second = first == std::string::npos ? first : raw[i].find(" | ", first + 3);
        size_t third = second == std::string::npos ? second : raw[i].find(" | ", second + 3);
        if (third == std::string::npos)
        {
            line.message = raw[i];
            parsed.push_back(line);
            continue;
        }
        line.level = trim(raw[i].substr(0, first));
        line.time = raw[i].substr(first + 3, second - first - 3);
        line.source = trim(raw[i].substr(second + 3, third - second - 3));
        line.message = raw[i].substr(third + 3);
        parsed.push_back(line);
    }
    return parsed;
}

int countLogMessages(const std::string& message)
{
    int count = 0;
    for (const LogLine& line : logLines())
        if (line.message == message)
            ++count;
    return count;
}

bool logContains(const std::string& text)
{
    return readTextFile("orvane.log").find(text) != std::string::npos;
}

bool displayAvailable()
{
    return ov::platform::displayAvailable();
}

} // namespace test

#include "ResourceTesting.h"

#include "engine/core/LogManager.h"
#include "engine/resources/ResourceManager.h"

#include <cmath>
#include <cstdint>
#include <fstream>

namespace restest
{

void ResourceTest::SetUp()
{
    ov::LogManager& log = ov::LogManager::getInstance();
    log.setFlush(true);
    ASSERT_EQ(log.start(), 0);
    ASSERT_EQ(ov::ResourceManager::getInstance().start(), 0);
    mark();
}

void ResourceTest::TearDown()
{
    ov::ResourceManager::getInstance().stop();
    ov::LogManager& log = ov::LogManager::getInstance();
    log.stop();
    log.setFlush(false);
}

void ResourceTest::mark()
{
    m_mark = test::logLines().size();
}

std::vector<test::LogLine> ResourceTest::linesSinceMark() const
{
    std::vector<test::LogLine> lines = test::logLines();
    if (m_mark >= lines.size())
        return std::vector<test::LogLine>();
    return std::vector<test::LogLine>(lines.begin() + static_cast<std::ptrdiff_t>(m_mark), lines.end());
}

std::vector<std::string> describe(const std::vector<test::LogLine>& lines)
{
    std::vector<std::string> result;
    for (const test::LogLine& line : lines)
        result.push_back(line.level + "|" + line.source + "|" + line.message);
    return result;
}

namespace
{

void put32(std::ofstream& out, uint32_t value)
{
    const char bytes[4] = {char(value & 0xff), char(value >> 8 & 0xff), char(value >> 16 & 0xff), char(value >> 24)};
    out.write(bytes, 4);
}

void put16(std::ofstream& out, uint16_t value)
{
    const char bytes[2] = {char(value & 0xff), char(value >> 8)};
    out.write(bytes, 2);
}

} // namespace

void writeSineWav(const std::string& path, float amplitude, float hertz, float seconds)
{
    const uint32_t rate = 44100;
    const uint32_t count = static_cast<uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("RIFF", 4);
    put32(out, 36 + count * 2);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, count * 2);
    for (uint32_t i = 0; i < count; ++i)
    {
        const double value = amplitude * std::sin(2.0 * M_PI * hertz * i / rate);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767.0))));
    }
}

} // namespace restest

#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Shared by the resource test programs: a fresh flushing log and a started
// resource manager per test, log lines written since a mark, and small files
// made on the spot.
namespace restest
{

// Starts the log (flushing every line) and the resource manager; stops both
// afterwards, so every test begins with an empty registry.
class ResourceTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The log lines written since the last mark (or since SetUp).
    std::vector<test::LogLine> linesSinceMark() const;
    void mark();

private:
    size_t m_mark = 0;
};

// "level|source|message" of each line, for compact comparisons.
std::vector<std::string> describe(const std::vector<test::LogLine>& lines);

// A mono 16-bit WAV of a sine of the given amplitude (0 to 1) and length.
void writeSineWav(const std::string& path, float amplitude, float hertz, float seconds);

} // namespace restest

#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Shared by the resource test programs: a fresh flushing log and a started
// resource manager per test, and small files made on the spot.
namespace restest
{

// The log and the resource manager started for each test, so that every
// test begins with an empty registry, and the log lines since a mark.
class ResourceTest : public test::ManagerTest<test::LOG | test::RESOURCES>
{
protected:
    void SetUp() override
    {
        ManagerTest::SetUp();
        mark();
    }

    void mark() { m_mark = test::logMark(); }
    // "level|source|message" of each line written since the mark.
    std::vector<std::string> logSinceMark() const { return test::GameLog().describe(m_mark); }

private:
    int m_mark = 0;
};

// A mono 16-bit WAV of a sine of the given amplitude (0 to 1) and length.
void writeSineWav(const std::string& path, float amplitude, float hertz, float seconds);

// A copy of a short Ogg Vorbis file whose last page claims that the sound
// runs for the given time; false when the file is not one.
bool writeLongOgg(const std::string& from, const std::string& to, double seconds);

} // namespace restest

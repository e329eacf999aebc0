#pragma once

#include "engine/core/Clock.h"
#include "engine/core/LogManager.h"

#include <gtest/gtest.h>

// A time of day that tests set by hand, handed to the engine through
// ov::setUtcTimeSource so that clocks and log stamps read it.
namespace coretest
{

inline int g_fakeTimeMs = 0;

inline ov::UtcTime fakeUtcTime()
{
    int ms = g_fakeTimeMs;
    return ov::UtcTime{ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
}

inline int timeMs(int hour, int minute, int second, int millisecond)
{
    return ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
}

inline void useFakeTime(int hour, int minute, int second, int millisecond)
{
    g_fakeTimeMs = timeMs(hour, minute, second, millisecond);
    ov::setUtcTimeSource(fakeUtcTime);
}

// Every test starts with a fresh log that flushes each line, so that the
// test can read it back at once, and leaves the log, its flush flag and the
// time source as it found them.
class LogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(ov::LogManager::getInstance().start(), 0);
        ov::LogManager::getInstance().setFlush(true);
    }

    void TearDown() override
    {
        ov::LogManager& log = ov::LogManager::getInstance();
        if (log.isStarted())
            log.stop();
        log.setFlush(false);
        ov::setUtcTimeSource(nullptr);
    }
};

} // namespace coretest

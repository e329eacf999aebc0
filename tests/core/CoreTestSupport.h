#pragma once

#include "engine/core/Clock.h"
#include "support/TestSupport.h"

// A time of day that tests set by hand, handed to the engine through
// ov::setUtcTimeSource so that clocks and log stamps read it. Tests that use
// it run with the log started (LogTest), which puts the system clock back.
namespace coretest
{

inline int g_fakeTimeMs = 0;

inline ov::UtcTime fakeUtcTime()
{
    int ms = g_fakeTimeMs;
    return ov::UtcTime{ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
}

inline void useFakeTime(int hour, int minute, int second, int millisecond)
{
    g_fakeTimeMs = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
    ov::setUtcTimeSource(fakeUtcTime);
}

using LogTest = test::ManagerTest<test::LOG>;

} // namespace coretest

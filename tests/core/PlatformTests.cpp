#include "engine/core/Clock.h"
#include "engine/core/Platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

namespace
{

int msOfDay(const ov::UtcTime& t)
{
    return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

int systemClockMsOfDay()
{
    auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return static_cast<int>(ms % (24LL * 3600 * 1000));
}

} // namespace

// The platform's UTC time of day is the standard library's, to the millisecond
// (Windows: GetSystemTime; elsewhere the real-time clock).
TEST(Platform, UtcTimeIsTheSystemClocksTimeOfDay)
{
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        int before = systemClockMsOfDay();
        int platform = msOfDay(ov::platform::utcTime());
        int after = systemClockMsOfDay();
        if (after < before)
            continue; // midnight passed in between
        EXPECT_GE(platform, before - 1);
        EXPECT_LE(platform, after + 1);
        return;
    }
    FAIL() << "midnight three times in a row";
}

// With the timer resolution asked for, short sleeps last about what was asked:
// a system timer left at its usual 15.6 ms would make twenty 5 ms sleeps take
// more than 300 ms.
TEST(Platform, ShortSleepsAreFineGrainedWithTheTimerPeriodSet)
{
    ov::platform::beginTimerPeriod(1);
    auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i)
        ov::platform::sleepMilliseconds(5);
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
    ov::platform::endTimerPeriod(1);

    EXPECT_GE(took.count(), 100);
    EXPECT_LT(took.count(), 250);
}

// A sleep of nothing only gives up the time slice.
TEST(Platform, ZeroSleepReturnsAtOnce)
{
    auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i)
        ov::platform::sleepMilliseconds(0);
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
    EXPECT_LT(took.count(), 100);
}

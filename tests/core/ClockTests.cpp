#include "CoreTestSupport.h"

using coretest::LogTest;
using coretest::useFakeTime;

TEST_F(LogTest, TimeOfDayRollsOverAtMidnight)
{
    useFakeTime(23, 59, 59, 999);
    EXPECT_EQ(ov::timeOfDayMs(), 86399999);
    EXPECT_EQ(ov::getTimeString(), "23:59:59.999");

    useFakeTime(0, 0, 0, 0);
    EXPECT_EQ(ov::timeOfDayMs(), 0);
    EXPECT_EQ(ov::getTimeString(), "00:00:00.000");

    useFakeTime(7, 4, 9, 50);
    EXPECT_EQ(ov::getTimeString(), "07:04:09.050");
    useFakeTime(9, 5, 3, 7);
    EXPECT_EQ(ov::getTimeString(), "09:05:03.007");
}

TEST_F(LogTest, ClockLogsItsStartAndMeasuresFromItsReference)
{
    useFakeTime(10, 0, 0, 0);
    ov::Clock clock;

    test::LogLine line = test::GameLog().lines().back();
    EXPECT_EQ(line.level, "");
    EXPECT_EQ(line.source, "Clock");
    EXPECT_EQ(line.message, "Delta clock started. Reported start time: 10:00:00.000 UTC");

    coretest::g_fakeTimeMs += 250;
    EXPECT_EQ(clock.split(), 250);
    EXPECT_EQ(clock.split(), 250);
    EXPECT_EQ(clock.delta(), 250);
    EXPECT_EQ(clock.split(), 0);
    coretest::g_fakeTimeMs += 7;
    EXPECT_EQ(clock.delta(), 7);
}

TEST_F(LogTest, ClockReportsMinusOneOnceAcrossMidnight)
{
    useFakeTime(23, 59, 59, 990);
    ov::Clock clock;

    useFakeTime(0, 0, 0, 5);
    EXPECT_EQ(clock.split(), -1);
    EXPECT_EQ(clock.delta(), -1);

    // delta took 00:00:00.005 as the new reference.
    useFakeTime(0, 0, 0, 20);
    EXPECT_EQ(clock.split(), 15);
}

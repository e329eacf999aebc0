#include "engine/core/Clock.h"

#include "engine/core/LogManager.h"
#include "engine/core/Platform.h"
#include "engine/core/Recorder.h"

#include <cstdio>

namespace ov
{

namespace
{

UtcTimeSource g_utcTimeSource = nullptr;

int toMilliseconds(const UtcTime& time)
{
    return ((time.hour * 60 + time.minute) * 60 + time.second) * 1000 + time.millisecond;
}

// Elapsed time between two times of day; across UTC midnight the difference
// is negative, and that one measurement is reported as -1.
int elapsed(int from, int to)
{
    int difference = to - from;
    return difference < 0 ? -1 : difference;
}

} // namespace

UtcTime currentUtcTime()
{
    // Every reading of the run goes through the recorder, which keeps it,
    // or gives the recorded one in its place when the run is replayed.
    const UtcTime now = g_utcTimeSource ? g_utcTimeSource() : platform::utcTime();
    const int kept = Recorder::getInstance().time(toMilliseconds(now));
    if (kept == toMilliseconds(now))
        return now;
    return UtcTime{kept / 3600000, kept / 60000 % 60, kept / 1000 % 60, kept % 1000};
}

int randomSeed()
{
    return Recorder::getInstance().seed(timeOfDayMs());
}

void setUtcTimeSource(UtcTimeSource source)
{
    g_utcTimeSource = source;
}

int timeOfDayMs()
{
    return toMilliseconds(currentUtcTime());
}

std::string getTimeString()
{
    // One buffer shared by every log line: the engine logs from one thread only.
    static char buffer[13];
    UtcTime now = currentUtcTime();
    std::snprintf(buffer, sizeof(buffer), "%02d:%02d:%02d.%03d", now.hour, now.minute, now.second,
                  now.millisecond);
    return std::string(buffer);
}

Clock::Clock()
{
    LogManager::getInstance().writeLog("", "Clock", "Delta clock started. Reported start time: %s UTC",
                                       getTimeString().c_str());
    m_previousTime = timeOfDayMs();
}

int Clock::delta()
{
    int now = timeOfDayMs();
    int result = elapsed(m_previousTime, now);
    m_previousTime = now;
    return result;
}

int Clock::split() const
{
    return elapsed(m_previousTime, timeOfDayMs());
}

} // namespace ov

#include "engine/core/Platform.h"

#include <X11/Xlib.h>
#include <cerrno>
#include <ctime>
#include <sched.h>

namespace ov
{
namespace platform
{

UtcTime utcTime()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm parts{};
    gmtime_r(&now.tv_sec, &parts);
    return UtcTime{parts.tm_hour, parts.tm_min, parts.tm_sec, static_cast<int>(now.tv_nsec / 1000000)};
}

void sleepMilliseconds(int milliseconds)
{
    if (milliseconds <= 0)
    {
        sched_yield();
        return;
    }
    timespec request{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    timespec remaining{};
    while (nanosleep(&request, &remaining) == -1 && errno == EINTR)
        request = remaining;
}

void beginTimerPeriod(unsigned int)
{
}

void endTimerPeriod(unsigned int)
{
}

bool displayAvailable()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

} // namespace platform
} // namespace ov

#include "engine/core/Platform.h"

#include <windows.h>
#include <mmsystem.h>

namespace ov
{
namespace platform
{

UtcTime utcTime()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    return UtcTime{now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

void sleepMilliseconds(int milliseconds)
{
    Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

void beginTimerPeriod(unsigned int milliseconds)
{
    timeBeginPeriod(milliseconds);
}

void endTimerPeriod(unsigned int milliseconds)
{
    timeEndPeriod(milliseconds);
}

bool displayAvailable()
{
    // Windows has no display connection to probe, and its windowing layer does
    // not abort the process when a window cannot be made: the window is always
    // tried, and a failure is the display manager's "Failed creating window.".
    return true;
}

} // namespace platform
} // namespace ov

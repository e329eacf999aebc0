// Built for Windows by tools/check-windows.sh: proves the platform layer links
// against kernel32 and winmm. Run on Windows, it prints the time and sleeps once.
#include "engine/core/Platform.h"

#include <cstdio>

int main()
{
    ov::platform::beginTimerPeriod(1);
    ov::UtcTime now = ov::platform::utcTime();
    std::printf("%02d:%02d:%02d.%03d UTC\n", now.hour, now.minute, now.second, now.millisecond);
    ov::platform::sleepMilliseconds(5);
    ov::platform::endTimerPeriod(1);
    return ov::platform::displayAvailable() ? 0 : 1;
}

#include "engine/core/Platform.h"

#include <windows.h>
#include <mmsystem.h>
#include <iterator>

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

namespace
{

// The keys of the engine's table, in its order, as the windowing layer reads them.
const int VIRTUAL_KEYS[] = {
    VK_SPACE, VK_RETURN, VK_ESCAPE, VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PAUSE, VK_SUBTRACT, VK_ADD,
    VK_OEM_3, VK_OEM_PERIOD, VK_OEM_COMMA, VK_OEM_2, VK_OEM_PLUS, VK_OEM_5, VK_MULTIPLY, VK_OEM_7, VK_OEM_1,
    VK_LCONTROL, VK_RCONTROL, VK_LSHIFT, VK_RSHIFT,
    VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11, VK_F12,
    'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M',
    'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z',
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', VK_BACK,
};
static_assert(std::size(VIRTUAL_KEYS) == KEY_COUNT, "one virtual key per engine key");

bool isDown(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace

// Windows keeps the state in the process's reach: asking key by key costs no
// round trip, and gives the same answers the windowing layer gives.
bool readHeldKeys(bool (&held)[KEY_COUNT])
{
    for (int i = 0; i < KEY_COUNT; ++i)
        held[i] = isDown(VIRTUAL_KEYS[i]);
    return true;
}

bool readHeldButtons(bool& left, bool& middle, bool& right)
{
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    left = isDown(swapped ? VK_RBUTTON : VK_LBUTTON);
    middle = isDown(VK_MBUTTON);
    right = isDown(swapped ? VK_LBUTTON : VK_RBUTTON);
    return true;
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
    // A Windows desktop session always has a display for the window.
    return true;
}

} // namespace platform
} // namespace ov

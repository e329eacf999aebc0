#pragma once

// The engine's only contact with the operating system: the UTC time of day,
// millisecond sleeps, the system timer resolution, the keys and mouse buttons
// held down and whether a display can be opened. One source per platform
// implements it (PlatformWindows.cpp, PlatformPosix.cpp).
#include "engine/core/EventKeyboard.h"

namespace ov
{

struct UtcTime
{
    int hour;
    int minute;
    int second;
    int millisecond;
};

namespace platform
{

// The current time of day in UTC, to the millisecond.
UtcTime utcTime();

// Sleeps the calling thread; 0 gives up the rest of its time slice.
void sleepMilliseconds(int milliseconds);

// Which keys of the engine's table are held down now, wherever the keyboard's
// focus is, indexed by Key: read in one go, as asking key by key would cost a
// round trip to the display server for each. False, with none held, when
// there is no display to ask.
bool readHeldKeys(bool (&held)[KEY_COUNT]);
// Likewise the left, middle and right mouse buttons (swapped buttons count
// as the system reports them), in one query.
bool readHeldButtons(bool& left, bool& middle, bool& right);

// Asks for a system timer resolution of the given period while the game runs,
// and gives it back. Only Windows needs it; elsewhere sleeps are already fine-grained.
void beginTimerPeriod(unsigned int milliseconds);
void endTimerPeriod(unsigned int milliseconds);

// Whether a window can be opened at all. Without a display the windowing layer
// aborts the process inside the window constructor, so the display asks first.
bool displayAvailable();

} // namespace platform

} // namespace ov

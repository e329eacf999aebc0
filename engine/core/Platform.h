#pragma once

#include <cstdio>
#include <string>

// The engine's only contact with the operating system: the UTC time of day,
// millisecond sleeps, the system timer resolution, the keys and mouse buttons
// held down, the display connection, files and the requests to quit that come
// from outside the window. One source per platform implements it
// (PlatformWindows.cpp, PlatformPosix.cpp).
#include "engine/core/EventKeyboard.h"

namespace ov
{

struct UtcTime;

namespace platform
{

// The system's name as a recording names it: the standard library's random
// numbers, from which the levels are drawn, differ from system to system.
const char* name();

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
// The connection that asked stays open until releaseDisplayProbe: were it the
// server's only client, closing it would let the server reset just as the
// window connects, and the windowing layer aborts on that too.
bool displayAvailable();
void releaseDisplayProbe();

// Called when the connection to the display is lost for good, with the
// display's name. The windowing layer cannot go on without it, so the
// handler must not return: it ends the process (see exitNow).
using DisplayLostHandler = void (*)(const char* displayName);
void setDisplayLostHandler(DisplayLostHandler handler);

// Called with a description of each error the display reports about a
// request of the program; the process goes on. Without a handler of ours the
// windowing layer's default would end the process on the first.
using DisplayErrorHandler = void (*)(const char* description);
void setDisplayErrorHandler(DisplayErrorHandler handler);
// How many errors the display has reported so far.
int displayErrorCount();

// Calls a library function that may crash the process when memory or other
// resources run short (the graphics library making a window does): a crash
// inside it comes back as false, with the library left as the crash left
// it, so nothing more of it may be used. True when the call returned.
bool callGuarded(void (*call)(void* context), void* context);

// Ends the process at once with the code given, running no destructors:
// after the display is lost they would only call into it again.
[[noreturn]] void exitNow(int code);

// Makes sure the standard input, output and error are open, on the null
// device where they were closed, so that the first file the program opens
// does not take their place and receive what libraries print there. Call it
// before anything opens a file.
void openStandardStreams();

// Keeps what the process writes to its standard error, libraries included,
// in a file of its own until releaseStandardError, which puts the standard
// error back and returns what was written meanwhile. Not nested.
void holdStandardError();
std::string releaseStandardError();

// A write to a pipe nobody reads any more, or to a file at the size the
// system allows it, ends a POSIX process by a signal; from here on such a
// write fails instead, and the writer says so.
void ignoreOutputSignals();

// How many files the process may have open at once.
int openFileLimit();

// How many megabytes more the process may map, under a limit of its
// address space (ulimit -v); -1 without a limit.
long long addressSpaceLeftMb();

// Whether the path names a regular file, following links. A folder or a pipe
// given to a decoder as a data file makes it spin or block for ever.
bool isRegularFile(const char* path);

enum class OpenResult
{
    Opened,
    InUse,  // another process holds the file
    Failed, // it cannot be created or opened; reason says why
};

// Opens a file for writing that no other process may write while it is
// open: the file is locked first and only then emptied, so a second copy of
// the program finds it in use and leaves what the first one wrote alone.
// Text mode. The lock goes with the file when it is closed. A pipe is
// refused (it would block the program until someone reads it); a device
// such as the null device is written as it is.
std::FILE* openExclusive(const char* path, OpenResult& result, std::string& reason);

// Requests to quit that do not come through the window: SIGINT, SIGTERM and
// SIGHUP on POSIX, the console's Ctrl+C, Ctrl+Break and close events on
// Windows. Once watching starts they only set a flag, which the game loop
// reads at the end of each frame.
void watchQuitRequests();
bool quitRequested();

} // namespace platform

} // namespace ov

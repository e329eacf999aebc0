#include "engine/core/Platform.h"

#include "engine/core/Clock.h"
#include "engine/core/KeyTable.h"

#include <windows.h>
#include <mmsystem.h>
#include <iterator>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace ov
{
namespace platform
{

namespace
{

// Windows ends the process once a close event's handler returns, or after
// about five seconds; the handler waits a little less for the game loop to
// finish its frame and stop the managers, which ends the process first.
const DWORD CLOSE_GRACE_MS = 4500;

volatile LONG g_quitRequested = 0;

BOOL WINAPI onConsoleEvent(DWORD type)
{
    switch (type)
    {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        InterlockedExchange(&g_quitRequested, 1);
        return TRUE;
    case CTRL_CLOSE_EVENT:
        InterlockedExchange(&g_quitRequested, 1);
        Sleep(CLOSE_GRACE_MS);
        return TRUE;
    default:
        return FALSE;
    }
}

std::string systemMessage(DWORD error)
{
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    // The system's messages end with a line end and often a full stop.
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.'))
        text[--length] = '\0';
    return length > 0 ? std::string(text) : "error " + std::to_string(error);
}

} // namespace

const char* name()
{
    return "windows";
}

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

// The keys of the engine's table, in its order, as Windows names them.
#define ORVANE_VIRTUAL_KEY(engine, sfml, keysym, virtualKey) virtualKey,
const int VIRTUAL_KEYS[] = {ORVANE_KEYS(ORVANE_VIRTUAL_KEY)};
#undef ORVANE_VIRTUAL_KEY
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
    // Windows has no display connection to probe, and its windowing layer does
    // not abort the process when a window cannot be made: the window is always
    // tried, and a failure is the display manager's "Failed creating window.".
    return true;
}

void releaseDisplayProbe()
{
}

void setDisplayLostHandler(DisplayLostHandler)
{
    // A window's desktop does not go away while the program runs.
}

void setDisplayErrorHandler(DisplayErrorHandler)
{
    // Windows reports a failed window call by its result, not to a handler.
}

int displayErrorCount()
{
    return 0;
}

bool callGuarded(void (*call)(void* context), void* context)
{
    // No guard here: a failure inside the graphics library shows as a window
    // without a handle.
    call(context);
    return true;
}

void exitNow(int code)
{
    ExitProcess(static_cast<UINT>(code));
}

void openStandardStreams()
{
    // A console program is given its three handles by the system.
}

void ignoreOutputSignals()
{
    // A Windows write to a closed pipe or a full disk fails; no signal ends the process.
}

int openFileLimit()
{
    return _getmaxstdio();
}

long long addressSpaceLeftMb()
{
    // A Windows process has no such limit of its own.
    return -1;
}

bool isRegularFile(const char* path)
{
    struct _stat64 status;
    return _stat64(path, &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
}

std::FILE* openExclusive(const char* path, OpenResult& result, std::string& reason)
{
    // Others may read the log while it is written, never write it.
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
    {
        const DWORD error = GetLastError();
        result = error == ERROR_SHARING_VIOLATION ? OpenResult::InUse : OpenResult::Failed;
        reason = systemMessage(error);
        return nullptr;
    }
    OVERLAPPED whole = {};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole))
    {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        result = error == ERROR_LOCK_VIOLATION ? OpenResult::InUse : OpenResult::Failed;
        reason = systemMessage(error);
        return nullptr;
    }
    // Locked: now it may be emptied.
    if (!SetEndOfFile(handle))
    {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        result = OpenResult::Failed;
        reason = systemMessage(error);
        return nullptr;
    }
    int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_TEXT);
    if (descriptor == -1)
    {
        CloseHandle(handle);
        result = OpenResult::Failed;
        reason = "no descriptor for the file";
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "w");
    if (!file)
    {
        _close(descriptor);
        result = OpenResult::Failed;
        reason = "no stream for the file";
        return nullptr;
    }
    result = OpenResult::Opened;
    return file;
}

void watchQuitRequests()
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool quitRequested()
{
    return InterlockedCompareExchange(&g_quitRequested, 0, 0) != 0;
}

} // namespace platform
} // namespace ov

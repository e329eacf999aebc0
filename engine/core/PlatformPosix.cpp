#include "engine/core/Platform.h"

#include "engine/core/Clock.h"
#include "engine/core/KeyTable.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <csetjmp>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <sched.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ov
{
namespace platform
{

namespace
{

// A server that has just reset after its last client left may turn away a
// connection that arrives meanwhile; the probe asks again a few times.
const int PROBE_ATTEMPTS = 5;
const int PROBE_RETRY_MS = 100;

Display* g_probe = nullptr;
DisplayLostHandler g_displayLost = nullptr;
DisplayErrorHandler g_displayError = nullptr;
volatile std::sig_atomic_t g_displayErrors = 0;
volatile std::sig_atomic_t g_quitRequested = 0;

extern "C" void onQuitSignal(int)
{
    g_quitRequested = 1;
}

extern "C" int onDisplayIOError(Display* display)
{
    // Xlib ends the process when this returns; the handler ends it first, so
    // it is entered once. Anything it calls that reaches the display again
    // comes back here, and then there is nothing left to save.
    static volatile std::sig_atomic_t entered = 0;
    if (entered || !g_displayLost)
        exitNow(0);
    entered = 1;
    const char* name = display ? DisplayString(display) : nullptr;
    g_displayLost(name ? name : "");
    exitNow(0);
}

extern "C" int onDisplayError(Display* display, XErrorEvent* error)
{
    // Xlib calls this with no request of its own in flight: the text comes
    // from its own tables, and nothing here sends anything to the server.
    ++g_displayErrors;
    char text[160] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    char description[256];
    std::snprintf(description, sizeof description, "%s (request %d.%d)", text, error->request_code,
                  error->minor_code);
    if (g_displayError)
        g_displayError(description);
    return 0;
}

sigjmp_buf g_guard;

extern "C" void onGuardedCrash(int)
{
    siglongjmp(g_guard, 1);
}

} // namespace

const char* name()
{
#ifdef __linux__
    return "linux";
#else
    return "posix";
#endif
}

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

namespace
{

// The keys of the engine's table, in its order, as the X server names them.
#define ORVANE_KEYSYM(engine, sfml, keysym, virtualKey) keysym,
const KeySym KEY_SYMBOLS[] = {ORVANE_KEYS(ORVANE_KEYSYM)};
#undef ORVANE_KEYSYM
static_assert(std::size(KEY_SYMBOLS) == KEY_COUNT, "one symbol per engine key");

// A connection of our own for reading the keyboard and pointer, opened on
// first use and kept, with the key codes of the table (0: no such key here).
struct InputConnection
{
    Display* display;
    KeyCode codes[KEY_COUNT] = {};

    InputConnection()
        : display(XOpenDisplay(nullptr))
    {
        for (int i = 0; display && i < KEY_COUNT; ++i)
            codes[i] = XKeysymToKeycode(display, KEY_SYMBOLS[i]);
    }
};

const InputConnection& inputConnection()
{
    static const InputConnection connection;
    return connection;
}

} // namespace

bool readHeldKeys(bool (&held)[KEY_COUNT])
{
    const InputConnection& connection = inputConnection();
    char keys[32] = {};
    if (connection.display)
        XQueryKeymap(connection.display, keys);
    for (int i = 0; i < KEY_COUNT; ++i)
    {
        const KeyCode code = connection.codes[i];
        held[i] = code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
    }
    return connection.display != nullptr;
}

bool readHeldButtons(bool& left, bool& middle, bool& right)
{
    const InputConnection& connection = inputConnection();
    unsigned int buttons = 0;
    if (connection.display)
    {
        ::Window root, child;
        int rootX, rootY, x, y;
        XQueryPointer(connection.display, DefaultRootWindow(connection.display), &root, &child, &rootX, &rootY, &x,
                      &y, &buttons);
    }
    left = (buttons & Button1Mask) != 0;
    middle = (buttons & Button2Mask) != 0;
    right = (buttons & Button3Mask) != 0;
    return connection.display != nullptr;
}

void beginTimerPeriod(unsigned int)
{
}

void endTimerPeriod(unsigned int)
{
}

bool displayAvailable()
{
    if (g_probe)
        return true;
    // Without DISPLAY there is nothing to wait for.
    const int attempts = std::getenv("DISPLAY") ? PROBE_ATTEMPTS : 1;
    for (int attempt = 0; attempt < attempts && !g_probe; ++attempt)
    {
        if (attempt > 0)
            sleepMilliseconds(PROBE_RETRY_MS);
        g_probe = XOpenDisplay(nullptr);
    }
    return g_probe != nullptr;
}

void releaseDisplayProbe()
{
    if (g_probe)
    {
        XCloseDisplay(g_probe);
        g_probe = nullptr;
    }
}

void setDisplayLostHandler(DisplayLostHandler handler)
{
    g_displayLost = handler;
    XSetIOErrorHandler(handler ? onDisplayIOError : nullptr);
}

void setDisplayErrorHandler(DisplayErrorHandler handler)
{
    g_displayError = handler;
    XSetErrorHandler(onDisplayError);
}

int displayErrorCount()
{
    return g_displayErrors;
}

bool callGuarded(void (*call)(void* context), void* context)
{
    struct sigaction guard, oldSegv, oldBus;
    std::memset(&guard, 0, sizeof guard);
    guard.sa_handler = onGuardedCrash;
    sigemptyset(&guard.sa_mask);
    guard.sa_flags = SA_NODEFER;
    sigaction(SIGSEGV, &guard, &oldSegv);
    sigaction(SIGBUS, &guard, &oldBus);
    const bool returned = sigsetjmp(g_guard, 1) == 0;
    if (returned)
        call(context);
    sigaction(SIGSEGV, &oldSegv, nullptr);
    sigaction(SIGBUS, &oldBus, nullptr);
    return returned;
}

void exitNow(int code)
{
    _exit(code);
}

void openStandardStreams()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor)
    {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor is taken, which is this one.
        int null = open("/dev/null", O_RDWR);
        if (null >= 0 && null != descriptor)
        {
            dup2(null, descriptor);
            close(null);
        }
    }
}

void ignoreOutputSignals()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

int openFileLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > INT_MAX)
        return INT_MAX;
    return static_cast<int>(limit.rlim_cur);
}

long long addressSpaceLeftMb()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    // The first number of statm is the size mapped now, in pages.
    unsigned long long pages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r"))
    {
        if (std::fscanf(statm, "%llu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const unsigned long long used = pages * static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
    const unsigned long long total = static_cast<unsigned long long>(limit.rlim_cur);
    return used >= total ? 0 : static_cast<long long>((total - used) >> 20);
}

bool isRegularFile(const char* path)
{
    struct stat status;
    return stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

std::FILE* openExclusive(const char* path, OpenResult& result, std::string& reason)
{
    // Not O_TRUNC: the file may be another process's, still in use. Not
    // blocking: a pipe without a reader would hold the open for ever.
    int descriptor = open(path, O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    struct stat status;
    if (descriptor == -1 || fstat(descriptor, &status) == -1 || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
    {
        const int error = errno;
        result = OpenResult::Failed;
        reason = descriptor != -1 || error == ENXIO ? "it is a pipe, not a file" : std::strerror(error);
        if (descriptor != -1)
            close(descriptor);
        return nullptr;
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    if (flock(descriptor, LOCK_EX | LOCK_NB) == -1)
    {
        const int error = errno;
        close(descriptor);
        result = error == EWOULDBLOCK ? OpenResult::InUse : OpenResult::Failed;
        reason = std::strerror(error);
        return nullptr;
    }
    // Only a regular file can be emptied; a device (a full disk's stand-in,
    // /dev/full, or /dev/null) is written as it is.
    if (S_ISREG(status.st_mode) && ftruncate(descriptor, 0) == -1)
    {
        const int error = errno;
        close(descriptor);
        result = OpenResult::Failed;
        reason = std::strerror(error);
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "w");
    if (!file)
    {
        const int error = errno;
        close(descriptor);
        result = OpenResult::Failed;
        reason = std::strerror(error);
        return nullptr;
    }
    result = OpenResult::Opened;
    return file;
}

void watchQuitRequests()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    // Reads and waits of the libraries carry on; the loop looks at the flag.
    action.sa_flags = SA_RESTART;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signalNumber, &action, nullptr);
}

bool quitRequested()
{
    return g_quitRequested != 0;
}

} // namespace platform
} // namespace ov

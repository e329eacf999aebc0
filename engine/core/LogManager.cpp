#include "engine/core/LogManager.h"

#include "engine/core/Clock.h"
#include "engine/core/Platform.h"

#include <cerrno>
#include <cstring>

namespace ov
{

namespace
{

// The first line of every log; each later line starts with its own line end,
// so nothing follows the banner on its line.
const char BANNER[] = "Orvane engine: a character-cell 2D game engine";

} // namespace

LogManager::~LogManager()
{
    // A run that ends without stopping the log still gets its pending lines.
    if (m_file)
    {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

LogManager& LogManager::getInstance()
{
    static LogManager instance;
    return instance;
}

int LogManager::start()
{
    // Starting again begins a fresh log instead of leaking the old handle.
    if (m_file)
    {
        std::fclose(m_file);
        m_file = nullptr;
        setStarted(false);
    }

    // Without a log the program says why on the standard error, the only
    // place left; it is open, on the null device at worst.
    platform::OpenResult result = platform::OpenResult::Failed;
    std::string reason;
    m_file = platform::openExclusive(LOG_FILE, result, reason);
    if (!m_file)
    {
        if (result == platform::OpenResult::InUse)
            std::fprintf(stderr, "%s is in use by another copy of the game running in this folder; "
                                 "this copy does not start.\n", LOG_FILE);
        else
            std::fprintf(stderr, "%s cannot be created: %s.\n", LOG_FILE, reason.c_str());
        return -1;
    }
    m_writeFailed = false;

    if (std::fputs(BANNER, m_file) < 0)
    {
        noteWriteFailure(errno);
        return -1;
    }

    setStarted(true);
    logMessage("", "Started.");
    return 0;
}

void LogManager::stop()
{
    logMessage("", "Stopping...");
    if (m_file)
    {
        // The last buffered lines are written here, and may fail here.
        errno = 0;
        if (std::fclose(m_file) != 0)
            noteWriteFailure(errno);
        m_file = nullptr;
    }
    // Not the base stop: with the log gone there is no "Stopped." to write.
    setStarted(false);
}

void LogManager::flushFile()
{
    errno = 0;
    if (m_file && std::fflush(m_file) != 0)
        noteWriteFailure(errno);
}

int LogManager::writeLog(const std::string& level, const std::string& source, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int written = writeLogV(level, source, format, args);
    va_end(args);
    return written;
}

int LogManager::writeLogV(const std::string& level, const std::string& source, const char* format, va_list args)
{
    // Callers log failures of their own before the log is open or after it
    // closed (the program entry does); those lines have nowhere to go.
    if (!m_file)
        return 0;

    std::string time = getTimeString();
    errno = 0;
    int head = std::fprintf(m_file, "\n%-5s | %s | %-16s | ", level.c_str(), time.c_str(), source.c_str());
    int message = format ? std::vfprintf(m_file, format, args) : 0;

    int written = head + message;
    if (written > 0 && m_flush)
        std::fflush(m_file);
    if (std::ferror(m_file))
        noteWriteFailure(errno);
    return written;
}

void LogManager::noteWriteFailure(int error)
{
    // A full disk fails every write after the first; once is enough to say.
    if (m_writeFailed)
        return;
    m_writeFailed = true;
    std::fprintf(stderr, "Cannot write %s: %s. The game goes on; the rest of its log may be lost.\n", LOG_FILE,
                 error != 0 ? std::strerror(error) : "write error");
}

} // namespace ov

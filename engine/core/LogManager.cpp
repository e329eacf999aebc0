#include "engine/core/LogManager.h"

#include "engine/core/Clock.h"

namespace ov
{

namespace
{

// The first line of every log; each later line starts with its own line end,
// so nothing follows the banner on its line.
const char BANNER[] = "Orvane engine: a character-cell 2D game engine";

} // namespace

LogManager::LogManager() :
    m_flush(false),
    m_file(nullptr)
{
    setType("LogManager");
}

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

    m_file = std::fopen(LOG_FILE, "w");
    if (!m_file)
        return -1;

    if (std::fputs(BANNER, m_file) < 0)
        return -1;

    setStarted(true);
    logMessage("", "Started.");
    return 0;
}

void LogManager::stop()
{
    logMessage("", "Stopping...");
    if (m_file)
    {
        std::fclose(m_file);
        m_file = nullptr;
    }
    // Not the base stop: with the log gone there is no "Stopped." to write.
    setStarted(false);
}

void LogManager::setFlush(bool flush)
{
    m_flush = flush;
}

bool LogManager::getFlush() const
{
    return m_flush;
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
    int head = std::fprintf(m_file, "\n%-5s | %s | %-16s | ", level.c_str(), time.c_str(), source.c_str());
    int message = format ? std::vfprintf(m_file, format, args) : 0;

    int written = head + message;
    if (written > 0 && m_flush)
        std::fflush(m_file);
    return written;
}

} // namespace ov

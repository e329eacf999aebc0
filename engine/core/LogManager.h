#pragma once

#include "engine/core/Manager.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace ov
{

const char LOG_FILE[] = "orvane.log";

// Writes the program's log file: one line per event, stamped with the UTC
// time of day, a level word and the name of the part that reports.
// Line format: "\n%-5s | %s | %-16s | " then the message.
class LogManager : public Manager
{
public:
    static LogManager& getInstance();

    int start() override;
    void stop() override;

    void setFlush(bool flush) { m_flush = flush; }
    // Puts the lines so far into the file now, before a step that may end
    // the process (making the window, opening the audio device).
    void flushFile();

    // Returns the number of characters written; 0 when no file is open.
    int writeLog(const std::string& level, const std::string& source, const char* format, ...)
        __attribute__((format(printf, 4, 5)));
    int writeLogV(const std::string& level, const std::string& source, const char* format, va_list args);

private:
    LogManager() { setType("LogManager"); }
    ~LogManager() override;

    // Says on the standard error, once per file, that the log lost a write.
    void noteWriteFailure(int error);

    bool m_flush = false;
    std::FILE* m_file = nullptr;
    bool m_writeFailed = false;
};

} // namespace ov

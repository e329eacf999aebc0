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
    // The one log manager.
    static LogManager& getInstance();

    // Opens "orvane.log" in the working folder, emptied, and locked against a second copy of the game in the same
    // folder, and writes the banner; 0, or -1 (said on the standard error) when it cannot.
    int start() override;
    // Writes "Stopping..." and closes the file; later lines go nowhere.
    void stop() override;

    // Whether each line reaches the file as it is written (slower; a crash then keeps every line).
    void setFlush(bool flush) { m_flush = flush; }
    // Puts the lines so far into the file now, before a step that may end
    // the process (making the window, opening the audio device).
    void flushFile();

    // Returns the number of characters written; 0 when no file is open.
    int writeLog(const std::string& level, const std::string& source, const char* format, ...)
        __attribute__((format(printf, 4, 5)));
    // writeLog with the arguments of a variadic caller.
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

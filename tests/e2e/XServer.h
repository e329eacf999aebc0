#pragma once

#include "Process.h"

#include <string>

namespace e2e
{

// An X server of the test's own with one screen ("1280x1024x24": width,
// height and depth), started as a user's would be: without -noreset, so that
// it resets whenever its last client leaves, unless asked to stay up. While
// it lives, DISPLAY points at it, for the program under test and for xdotool.
class XServer
{
public:
    explicit XServer(const std::string& screen = "1280x1024x24", bool noReset = false);
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    // Stops the server and gives DISPLAY back.
    ~XServer();

    bool started() const { return !m_display.empty(); }
    const std::string& display() const { return m_display; } // ":N"

    // Ends the server as a crash or a pulled plug would end it for its clients.
    void stop();

private:
    Process m_process;
    std::string m_numberFile;
    std::string m_display;
    std::string m_previousDisplay;
    bool m_hadDisplay = false;
};

} // namespace e2e

#include "XServer.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace e2e
{

XServer::XServer(const std::string& screen, bool noReset)
{
    char pattern[] = "/tmp/orvane-xserver-XXXXXX";
    int descriptor = mkstemp(pattern);
    if (descriptor == -1)
        return;
    close(descriptor);
    m_numberFile = pattern;

    // The server picks a free display itself and writes its number.
    Process::Options options;
    options.argv = {"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"};
    if (noReset)
        options.argv.push_back("-noreset");
    options.environment = environmentWithout({});
    options.stdoutPath = m_numberFile;
    if (!m_process.start(options))
        return;

    double deadline = now() + 20;
    std::string number;
    while (now() < deadline && m_process.running() && number.empty())
    {
        std::ifstream in(m_numberFile);
        std::getline(in, number);
        if (number.empty())
            sleepSeconds(0.05);
    }
    if (number.empty())
        return;

    m_display = ":" + number;
    const char* previous = std::getenv("DISPLAY");
    m_hadDisplay = previous != nullptr;
    if (previous)
        m_previousDisplay = previous;
    setenv("DISPLAY", m_display.c_str(), 1);
}

XServer::~XServer()
{
    stop();
    if (!m_display.empty())
    {
        if (m_hadDisplay)
            setenv("DISPLAY", m_previousDisplay.c_str(), 1);
        else
            unsetenv("DISPLAY");
    }
    if (!m_numberFile.empty())
        unlink(m_numberFile.c_str());
}

void XServer::stop()
{
    if (m_process.sendSignal(SIGTERM) && m_process.waitFor(10))
        return;
    m_process.kill();
}

} // namespace e2e

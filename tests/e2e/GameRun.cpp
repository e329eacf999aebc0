#include "GameRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace fs = std::filesystem;

namespace e2e
{

namespace
{

// ld.so expands $LIB to the multiarch directory, as the faketime wrapper does.
const char* FAKETIME_LIBRARY = "/usr/$LIB/faketime/libfaketime.so.1";
const char* FAKETIME_START = "@2026-03-01 12:00:00";

#if ORVANE_E2E_SANITIZED
// Mesa's software driver is unloaded at exit, taking the symbols of two small
// allocations of its own with it, which LeakSanitizer then reports as leaks
// of an unknown module. Preloaded, it is never unloaded and nothing is lost.
const char* MESA_DRIVER = "/usr/$LIB/dri/swrast_dri.so";
#endif

// Any report makes the run fail. The allocator option keeps AddressSanitizer
// from reading the clock when it first maps memory for an allocation: that
// call reaches libfaketime before libfaketime has set itself up, which then
// allocates from inside the allocator, and the program hangs at start-up.
const char* ASAN_OPTIONS = "halt_on_error=1:detect_leaks=1:exitcode=23:allocator_release_to_os_interval_ms=-1";
const char* UBSAN_OPTIONS = "print_stacktrace=1:halt_on_error=1";

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

const double GameRun::CLOCK_START = 12 * 3600.0;

GameRun::GameRun(Staging staging)
{
    char pattern[] = "/tmp/orvane-e2e-XXXXXX";
    if (!mkdtemp(pattern))
    {
        ADD_FAILURE() << "cannot make a working directory under /tmp";
        return;
    }
    m_dir = m_base = pattern;
    if (staging == Staging::Nothing)
        return;

    // The staged data, one link per file, so that a test can take one away
    // or replace it without touching the build.
    fs::path staged = ORVANE_STAGED_DATA;
    for (const char* folder : {"sprites", "sounds", "musics"})
    {
        fs::create_directory(fs::path(m_dir) / folder);
        for (const fs::directory_entry& entry : fs::directory_iterator(staged / folder))
            fs::create_symlink(entry.path(), fs::path(m_dir) / folder / entry.path().filename());
    }
    fs::create_symlink(staged / "ov-font.ttf", fs::path(m_dir) / "ov-font.ttf");

    std::ofstream config(path("alsoft.conf"));
    config << "[wave]\nfile=" << path("audio.wav") << "\n";
}

GameRun::~GameRun()
{
    m_process.kill();
    if (m_base.empty())
        return;
    if (std::getenv("ORVANE_KEEP_E2E_DIR") || ::testing::Test::HasFailure())
    {
        std::cout << "[ e2e ] the run's files are kept in " << m_base << std::endl;
        return;
    }
    std::error_code ignored;
    fs::remove_all(m_base, ignored);
}

std::string GameRun::path(const std::string& relative) const
{
    return m_dir + "/" + relative;
}

void GameRun::removeFile(const std::string& relative)
{
    fs::remove(path(relative));
}

void GameRun::writeFile(const std::string& relative, const std::string& content)
{
    fs::remove(path(relative));
    std::ofstream out(path(relative), std::ios::binary);
    out << content;
}

void GameRun::blockLogFile()
{
    fs::create_directory(path("orvane.log"));
}

Process::Options GameRun::options(bool withDisplay, const std::string& extraAsanOptions) const
{
    std::vector<std::string> dropped = {"LD_PRELOAD", "FAKETIME", "ALSOFT_DRIVERS", "ALSOFT_CONF", "ASAN_OPTIONS",
                                        "UBSAN_OPTIONS", "LSAN_OPTIONS"};
    if (!withDisplay)
        dropped.push_back("DISPLAY");

    Process::Options options;
    options.argv = m_prefix;
    options.argv.insert(options.argv.end(), m_program.begin(), m_program.end());
    options.environment = environmentWithout(dropped);
    options.workDir = m_dir;
    options.stdoutPath = path("stdout.txt");
    options.stderrPath = path("stderr.txt");
    options.closeStderr = m_stderrClosed;
    options.closedPipe = m_closedPipe;

    std::string preload = m_fakeClock ? FAKETIME_LIBRARY : "";
#if ORVANE_E2E_SANITIZED
    preload = std::string(MESA_DRIVER) + (preload.empty() ? "" : ":" + preload);
#endif
    std::string asan = ASAN_OPTIONS;
    if (!extraAsanOptions.empty())
        asan += ":" + extraAsanOptions;
    if (!preload.empty())
        options.environment.push_back("LD_PRELOAD=" + preload);
    if (m_fakeClock)
        options.environment.push_back(std::string("FAKETIME=") + FAKETIME_START);
    // Only the time of day is the level's seed; the monotonic clocks that
    // audio and drawing pace themselves by stay real.
    options.environment.push_back("FAKETIME_DONT_FAKE_MONOTONIC=1");
    options.environment.push_back("ALSOFT_DRIVERS=wave");
    options.environment.push_back("ALSOFT_CONF=" + path("alsoft.conf"));
    options.environment.push_back("ASAN_OPTIONS=" + asan);
    options.environment.push_back(std::string("UBSAN_OPTIONS=") + UBSAN_OPTIONS);

    return options;
}

bool GameRun::start(bool withDisplay, const std::string& extraAsanOptions)
{
    Process::Options startOptions = options(withDisplay, extraAsanOptions);
    m_window.clear();
    m_startedAt = now();
    return m_process.start(startOptions);
}

bool GameRun::startCopy(Process& copy, const std::string& stderrFile)
{
    Process::Options copyOptions = options(true, "");
    copyOptions.stdoutPath = path(stderrFile + ".out");
    copyOptions.stderrPath = path(stderrFile);
    return copy.start(copyOptions);
}

bool GameRun::waitForLogLine(const std::string& message, double timeoutSeconds)
{
    double deadline = now() + timeoutSeconds;
    while (now() < deadline && m_process.running())
    {
        if (log().find("", message) >= 0)
            return true;
        sleepSeconds(0.1);
    }
    return log().find("", message) >= 0;
}

bool GameRun::startProgram(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    Process::Options options;
    options.argv = argv;
    options.environment = environmentWithout({"LD_PRELOAD", "FAKETIME", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"});
    options.environment.insert(options.environment.end(), environment.begin(), environment.end());
    options.workDir = m_dir;
    options.stdoutPath = path("stdout.txt");
    options.stderrPath = path("stderr.txt");

    m_window.clear();
    m_startedAt = now();
    return m_process.start(options);
}

double GameRun::elapsed() const
{
    return now() - m_startedAt;
}

bool GameRun::findWindow(double timeoutSeconds)
{
    double deadline = now() + timeoutSeconds;
    while (now() < deadline && m_process.running())
    {
        std::string output;
        if (runCommand({"xdotool", "search", "--name", "^Orvane$"}, 5, &output) == 0 && !output.empty())
        {
            m_window = output.substr(0, output.find('\n'));
            // No window manager: windowactivate has nobody to ask, so the
            // keyboard focus is set directly.
            runCommand({"xdotool", "windowfocus", m_window}, 5);
            return true;
        }
        sleepSeconds(0.1);
    }
    return false;
}

void GameRun::keyDown(const std::string& key)
{
    runCommand({"xdotool", "keydown", key}, 5);
}

void GameRun::keyUp(const std::string& key)
{
    runCommand({"xdotool", "keyup", key}, 5);
}

void GameRun::tap(const std::string& key)
{
    runCommand({"xdotool", "key", key}, 5);
}

void GameRun::click(int x, int y)
{
    runCommand({"xdotool", "mousemove", "--window", m_window, std::to_string(x), std::to_string(y), "click", "1"},
               5);
}

bool GameRun::screenshot(Image& image)
{
    std::string bytes;
    if (m_window.empty() || runCommand({"import", "-window", m_window, "-depth", "8", "ppm:-"}, 20, &bytes) != 0)
        return false;
    return image.loadPpm(bytes);
}

bool GameRun::waitForExit(double timeoutSeconds)
{
    if (m_process.waitFor(timeoutSeconds))
        return true;
    m_process.kill();
    return false;
}

test::GameLog GameRun::log() const
{
    return test::GameLog(path("orvane.log"));
}

std::string GameRun::errorOutput() const
{
    return readFile("stderr.txt");
}

std::string GameRun::readFile(const std::string& relative) const
{
    return readAll(path(relative));
}

std::string GameRun::sanitizerReport() const
{
    std::string report;
    std::string errors = errorOutput();
    size_t start = 0;
    while (start < errors.size())
    {
        size_t end = errors.find('\n', start);
        if (end == std::string::npos)
            end = errors.size();
        std::string line = errors.substr(start, end - start);
        if (line.find("Sanitizer") != std::string::npos || line.find("runtime error:") != std::string::npos)
            report += line + "\n";
        start = end + 1;
    }
    return report;
}

bool GameRun::loadAudio(Recording& recording, std::string* error) const
{
    return recording.load(path("audio.wav"), error);
}

double GameRun::audioTimeOfLine(const test::GameLog& log, int line)
{
    int opened = log.find("ResourceManager", "Started.");
    if (opened < 0 || line < 0)
        return -1;
    return log.lines()[line].seconds - log.lines()[opened].seconds;
}

double GameRun::audioTimeOfElapsed(const test::GameLog& log, double elapsedSeconds)
{
    // The fake clock starts at CLOCK_START when the program is loaded, so a
    // log time is (nearly) the time since `start`.
    int opened = log.find("ResourceManager", "Started.");
    if (opened < 0)
        return -1;
    return elapsedSeconds - (log.lines()[opened].seconds - CLOCK_START);
}

} // namespace e2e

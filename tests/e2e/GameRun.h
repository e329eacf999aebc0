#pragma once

#include "GameLog.h"
#include "Image.h"
#include "Process.h"
#include "Recording.h"

#include <string>
#include <vector>

namespace e2e
{

// One run of the built program as a player meets it: a fresh working
// directory holding the staged data, the audio recorded by OpenAL Soft's wave
// output, the time of day fixed by libfaketime so that the level is the same
// from run to run, and the window driven through the X server with xdotool.
class GameRun
{
public:
    // The fixed start of the clock; log times count from here.
    static const double CLOCK_START; // 12:00:00 in seconds of the day

    // What the working directory starts with: the staged data of this build,
    // or nothing (for a package unpacked into it).
    enum class Staging
    {
        Data,
        Nothing
    };

    explicit GameRun(Staging staging = Staging::Data);
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;
    // Kills a program still running; removes the directory unless the test
    // failed or ORVANE_KEEP_E2E_DIR is set (then it says where it is).
    ~GameRun();

    const std::string& dir() const { return m_dir; }
    std::string path(const std::string& relative) const;

    // Changes to the staged data, before `start`.
    void removeFile(const std::string& relative);
    void writeFile(const std::string& relative, const std::string& content);
    // Puts a directory where the log file would go: nobody, root included, can write it.
    void blockLogFile();

    // Starts the program. Without a display it gets no DISPLAY at all.
    // Extra sanitizer options are appended to ASAN_OPTIONS.
    bool start(bool withDisplay = true, const std::string& extraAsanOptions = "");
    // Starts another program in the directory instead (a Windows build under
    // Wine), with the real clock and audio output, and the variables given
    // ("NAME=value") added to the environment.
    bool startProgram(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    Process& process() { return m_process; }
    double elapsed() const; // seconds since `start`

    // Polls for the window titled "Orvane" and gives it the keyboard; false
    // when the program ended or the time ran out first.
    bool findWindow(double timeoutSeconds);
    const std::string& window() const { return m_window; }

    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    void tap(const std::string& key);
    void click(int x, int y); // window pixels
    bool screenshot(Image& image);

    // Waits for the program to end by itself; kills it when time runs out.
    bool waitForExit(double timeoutSeconds);

    GameLog log() const;
    std::string errorOutput() const;
    // The sanitizer's lines from the program's standard error, "" when it reported nothing.
    std::string sanitizerReport() const;
    bool loadAudio(Recording& recording, std::string* error) const;

    // Seconds from the opening of the audio device (the resource manager's
    // start) to a log line, and to a moment measured with `elapsed`.
    static double audioTimeOfLine(const GameLog& log, int line);
    static double audioTimeOfElapsed(const GameLog& log, double elapsedSeconds);

private:
    std::string m_dir;
    Process m_process;
    double m_startedAt = 0;
    std::string m_window;
};

} // namespace e2e

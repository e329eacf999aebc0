#pragma once

#include "support/GameLog.h"
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
    // Makes a folder of the directory (a package unpacked into it) the one
    // the program runs in and its files are read from.
    void enterFolder(const std::string& relative) { m_dir = path(relative); }

    // Changes to the staged data, before `start`.
    void removeFile(const std::string& relative);
    void writeFile(const std::string& relative, const std::string& content);
    // Puts a directory where the log file would go: nobody, root included, can write it.
    void blockLogFile();

    // Runs the program through another one (for example to change its user).
    void setCommandPrefix(const std::vector<std::string>& prefix) { m_prefix = prefix; }
    // Runs another program of the build in its place, with its arguments:
    // the replayer, {ORVANE_REPLAY_PROGRAM, "--check", "run.replay"}.
    void setProgram(const std::vector<std::string>& argv) { m_program = argv; }
    // Without the fixed clock the level differs from run to run; the clock
    // library also takes descriptor 2 when it is free, as it is when the
    // program starts with its standard error closed.
    void setFakeClock(bool fake) { m_fakeClock = fake; }
    // Starts the program with its standard error closed.
    void setStderrClosed(bool closed) { m_stderrClosed = closed; }
    // Starts it with its output and error in a pipe whose reader has gone.
    void setOutputToClosedPipe(bool closed) { m_closedPipe = closed; }

    // Starts the program. Without a display it gets no DISPLAY at all.
    // Extra sanitizer options are appended to ASAN_OPTIONS.
    bool start(bool withDisplay = true, const std::string& extraAsanOptions = "");
    // Starts another program in the directory instead (a Windows build under
    // Wine), with the real clock and audio output, and the
    // variables given ("NAME=value") added to the environment.
    bool startProgram(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    Process& process() { return m_process; }
    // Starts one more copy of the program in the same directory, as `start`
    // would, with its standard error in the file given (relative).
    bool startCopy(Process& copy, const std::string& stderrFile);

    // Polls the log file, without touching the display, until a line with
    // this message shows; false when the program ended or time ran out first.
    bool waitForLogLine(const std::string& message, double timeoutSeconds);
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

    test::GameLog log() const;
    std::string errorOutput() const;
    // A file of the working directory, whole.
    std::string readFile(const std::string& relative) const;
    // The sanitizer's lines from the program's standard error, "" when it reported nothing.
    std::string sanitizerReport() const;
    bool loadAudio(Recording& recording, std::string* error) const;

    // Seconds from the opening of the audio device (the resource manager's
    // start) to a log line, and to a moment measured with `elapsed`.
    static double audioTimeOfLine(const test::GameLog& log, int line);
    static double audioTimeOfElapsed(const test::GameLog& log, double elapsedSeconds);

private:
    Process::Options options(bool withDisplay, const std::string& extraAsanOptions) const;

    std::vector<std::string> m_prefix;
    std::vector<std::string> m_program = {ORVANE_PROGRAM};
    bool m_stderrClosed = false;
    bool m_closedPipe = false;
    bool m_fakeClock = true;
    std::string m_base; // made for the run, removed with it
    std::string m_dir;
    Process m_process;
    double m_startedAt = 0;
    std::string m_window;
};

} // namespace e2e

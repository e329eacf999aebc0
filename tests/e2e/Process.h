#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace e2e
{

// A child process started with posix_spawn in a process group of its own, so
// that a run that hangs can be killed with everything it started.
class Process
{
public:
    struct Options
    {
        std::vector<std::string> argv;
        std::vector<std::string> environment; // complete, "NAME=value"
        std::string workDir;                  // empty: ours
        std::string stdoutPath;               // empty: /dev/null
        std::string stderrPath;               // empty: /dev/null
        bool closeStderr = false;             // start it with descriptor 2 closed
        bool closedPipe = false;              // output and error into a pipe nobody reads
    };

    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process(); // a process still running is killed

    bool start(const Options& options);

    // True while the process runs; reaps it once it has ended.
    bool running();

    // Waits up to the given time; true when the process ended in time.
    bool waitFor(double seconds);

    // SIGKILL to the whole group, then reaps.
    void kill();

    // Sends a signal to the process itself; false when it has ended.
    bool sendSignal(int signalNumber);

    pid_t pid() const;

    // Valid once the process has ended.
    bool exitedNormally() const;
    int exitCode() const;
    int termSignal() const;
    std::string describeEnd() const;

private:
    pid_t m_pid = -1;
    bool m_ended = false;
    int m_status = 0;
};

// The current environment without the variables named.
std::vector<std::string> environmentWithout(const std::vector<std::string>& names);

// Runs a helper program (xdotool, import) to its end, bounded in time, and
// gives its exit code (-1 on a timeout or when it cannot start) and standard output.
int runCommand(const std::vector<std::string>& argv, double timeoutSeconds, std::string* output = nullptr);

// Seconds of a steady clock, for deadlines.
double now();

void sleepSeconds(double seconds);

} // namespace e2e

#include "Process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace e2e
{

namespace
{

std::vector<char*> pointers(const std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (const std::string& s : strings)
        result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

// Helpers run without what the game under test is given (preloads, sanitizer options).
const std::vector<std::string> GAME_ONLY_VARIABLES = {"LD_PRELOAD", "FAKETIME", "ASAN_OPTIONS", "UBSAN_OPTIONS",
                                                      "LSAN_OPTIONS"};

} // namespace

double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void sleepSeconds(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::vector<std::string> environmentWithout(const std::vector<std::string>& names)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry)
    {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('='));
        bool dropped = false;
        for (const std::string& n : names)
            dropped = dropped || n == name;
        if (!dropped)
            result.push_back(text);
    }
    return result;
}

Process::~Process()
{
    if (m_pid > 0 && !m_ended)
        kill();
}

bool Process::start(const Options& options)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const char* out = options.stdoutPath.empty() ? "/dev/null" : options.stdoutPath.c_str();
    const char* err = options.stderrPath.empty() ? "/dev/null" : options.stderrPath.c_str();
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (options.closeStderr)
        posix_spawn_file_actions_addclose(&actions, 2);
    else
        posix_spawn_file_actions_addopen(&actions, 2, err, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // A pipe whose reading end is gone before the program starts, as `| true` leaves it.
    int pipeEnds[2] = {-1, -1};
    if (options.closedPipe && pipe2(pipeEnds, O_CLOEXEC) == 0)
    {
        close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    }
    if (!options.workDir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workDir.c_str());

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<char*> argv = pointers(options.argv);
    std::vector<char*> envp = pointers(options.environment);
    int error = posix_spawnp(&m_pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (pipeEnds[1] != -1)
        close(pipeEnds[1]);
    if (error != 0)
    {
        m_pid = -1;
        return false;
    }
    m_ended = false;
    return true;
}

bool Process::sendSignal(int signalNumber)
{
    if (!running())
        return false;
    return ::kill(m_pid, signalNumber) == 0;
}

bool Process::running()
{
    if (m_pid <= 0 || m_ended)
        return false;
    pid_t result = waitpid(m_pid, &m_status, WNOHANG);
    if (result == m_pid || (result < 0 && errno == ECHILD))
        m_ended = true;
    return !m_ended;
}

bool Process::waitFor(double seconds)
{
    double deadline = now() + seconds;
    while (running())
    {
        if (now() > deadline)
            return false;
        sleepSeconds(0.02);
    }
    return true;
}

void Process::kill()
{
    if (m_pid <= 0 || m_ended)
        return;
    ::kill(-m_pid, SIGKILL);
    waitpid(m_pid, &m_status, 0);
    m_ended = true;
}

pid_t Process::pid() const
{
    return m_pid;
}

bool Process::exitedNormally() const
{
    return m_ended && WIFEXITED(m_status);
}

int Process::exitCode() const
{
    return exitedNormally() ? WEXITSTATUS(m_status) : -1;
}

int Process::termSignal() const
{
    return m_ended && WIFSIGNALED(m_status) ? WTERMSIG(m_status) : 0;
}

std::string Process::describeEnd() const
{
    if (!m_ended)
        return "still running";
    if (WIFEXITED(m_status))
        return "exit code " + std::to_string(WEXITSTATUS(m_status));
    if (WIFSIGNALED(m_status))
        return std::string("killed by signal ") + strsignal(WTERMSIG(m_status));
    return "ended oddly";
}

int runCommand(const std::vector<std::string>& argv, double timeoutSeconds, std::string* output)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return -1;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    std::vector<std::string> environment = environmentWithout(GAME_ONLY_VARIABLES);
    std::vector<char*> args = pointers(argv);
    std::vector<char*> envp = pointers(environment);
    pid_t pid = -1;
    int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (error != 0)
    {
        close(pipeEnds[0]);
        return -1;
    }

    // Read until the helper closes its output, so a large screenshot never
    // fills the pipe and stalls it.
    double deadline = now() + timeoutSeconds;
    bool timedOut = false;
    char buffer[65536];
    for (;;)
    {
        int waitMs = static_cast<int>((deadline - now()) * 1000);
        if (waitMs <= 0)
        {
            timedOut = true;
            break;
        }
        pollfd descriptor = {pipeEnds[0], POLLIN, 0};
        int ready = poll(&descriptor, 1, waitMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue;
        ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count <= 0)
            break;
        if (output)
            output->append(buffer, static_cast<size_t>(count));
    }
    close(pipeEnds[0]);

    // A helper that closed its output may still hang: the deadline holds here too.
    int status = 0;
    while (!timedOut && waitpid(pid, &status, WNOHANG) == 0)
    {
        if (now() > deadline)
            timedOut = true;
        else
            sleepSeconds(0.005);
    }
    if (timedOut)
    {
        ::kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace e2e

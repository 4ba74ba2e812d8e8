#include "support/ChildProcess.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;

/// argv as the exec family wants it: pointers into `args`, null-terminated.
std::vector<char*> execArguments(const std::vector<std::string>& args)
{
    std::vector<char*> pointers;
    for (const std::string& arg : args)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

/// In the child after fork: point fd `target` at `fd`, or die.
void redirect(int fd, int target)
{
    if (fd < 0 || dup2(fd, target) < 0)
        _exit(126);
    close(fd);
}

/// Reaps `pid` if it has exited; its wait status then.
std::optional<int> reap(pid_t pid, bool block)
{
    int status = 0;
    pid_t done;
    do
        done = waitpid(pid, &status, block ? 0 : WNOHANG);
    while (done < 0 && errno == EINTR);
    if (done == pid)
        return status;
    return std::nullopt;
}
} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& workingDirectory,
                           const std::string& stdoutPath, const std::string& stderrPath)
{
    std::vector<char*> args = execArguments(argv);
    pid_ = fork();
    if (pid_ == 0)
    {
        if (chdir(workingDirectory.c_str()) != 0)
            _exit(126);
        redirect(open("/dev/null", O_RDONLY), STDIN_FILENO);
        redirect(open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        if (!stderrPath.empty())
            redirect(open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess()
{
    kill();
}

bool ChildProcess::running()
{
    if (pid_ <= 0 || status_)
        return false;
    status_ = reap(pid_, false);
    return !status_;
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    while (running() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return status_;
}

void ChildProcess::kill()
{
    if (!running())
        return;
    ::kill(pid_, SIGKILL);
    status_ = reap(pid_, true);
}

CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds timeout)
{
    CommandResult result;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return result;
    std::vector<char*> args = execArguments(argv);
    const pid_t pid = fork();
    if (pid == 0)
    {
        close(pipeEnds[0]);
        redirect(open("/dev/null", O_RDONLY), STDIN_FILENO);
        redirect(pipeEnds[1], STDOUT_FILENO);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    if (pid < 0)
    {
        close(pipeEnds[0]);
        return result;
    }

    // Read until the command closes its output or runs out of time.
    const Clock::time_point deadline = Clock::now() + timeout;
    bool timedOut = false;
    for (;;)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
        {
            timedOut = true;
            break;
        }
        pollfd readable{pipeEnds[0], POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    const std::optional<int> status = reap(pid, true);
    if (!timedOut && status && WIFEXITED(*status))
        result.exitCode = WEXITSTATUS(*status);
    return result;
}

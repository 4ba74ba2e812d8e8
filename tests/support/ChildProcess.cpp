#include "support/ChildProcess.hpp"

#include "support/TestCity.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
/// In the child after fork: point fd `target` at the file `path`, or die.
void redirect(const char* path, int flags, int target)
{
    const int fd = open(path, flags, 0644);
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
    // argv as the exec family wants it, made before the fork: pointers, null-terminated.
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = fork();
    if (pid_ != 0)
        return;
    if (chdir(workingDirectory.c_str()) != 0)
        _exit(126);
    redirect("/dev/null", O_RDONLY, STDIN_FILENO);
    redirect(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
    if (!stderrPath.empty())
        redirect(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
    execvp(args[0], args.data());
    _exit(127);
}

ChildProcess::~ChildProcess()
{
    if (!running())
        return;
    ::kill(pid_, SIGKILL);
    status_ = reap(pid_, true);
}

bool ChildProcess::running()
{
    if (pid_ <= 0 || status_)
        return false;
    status_ = reap(pid_, false);
    return !status_;
}

void ChildProcess::sendSignal(int signal)
{
    if (running())
        ::kill(pid_, signal);
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds limit)
{
    // The caller says what it expected; the status tells what happened.
    static_cast<void>(waitUntil("the process to exit", limit, [this] { return !running(); }));
    return status_;
}

int runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit)
{
    ChildProcess command(argv, ".", "/dev/null");
    const std::optional<int> status = command.waitForExit(limit);
    return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
}

std::string describeStatus(int status)
{
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

PrivateDisplay::PrivateDisplay()
    : server_({"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"}, "/",
              folder_.path + "/display.txt", folder_.path + "/xvfb.txt")
{
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    EXPECT_TRUE(waitUntil("Xvfb to write its display number", std::chrono::seconds(10), [&] {
        number = fileContent(folder_.path + "/display.txt");
        return !server_.running() || (!number.empty() && number.back() == '\n');
    }, [&] { return "its log: " + fileContent(folder_.path + "/xvfb.txt"); }));
    if (!number.empty() && number.back() == '\n')
        name_ = ":" + number.substr(0, number.size() - 1);
}

Outcome runWithoutDisplay(const TempFolder& folder, std::vector<std::string> argv)
{
    argv.insert(argv.begin(), {"/usr/bin/env", "-u", "DISPLAY"});
    ChildProcess child(argv, folder.path, folder.path + "/out", folder.path + "/err");
    const std::optional<int> status = child.waitForExit(std::chrono::seconds(30));
    return {status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1, fileContent(folder.path + "/out"),
            fileContent(folder.path + "/err")};
}

#include "support/ChildProcess.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tamrow
{
ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& folder, const std::string& out,
                           const std::string& err)
{
    // argv as the exec family wants it, made before the fork.
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = fork();
    if (pid_ != 0)
        return;
    // In the child: point fd `target` at the file `path`, or die.
    const auto redirect = [](const char* path, int flags, int target) {
        const int fd = open(path, flags, 0644);
        if (fd < 0 || dup2(fd, target) < 0)
            _exit(126);
        close(fd);
    };
    if (chdir(folder.c_str()) != 0)
        _exit(126);
    redirect("/dev/null", O_RDONLY, STDIN_FILENO);
    redirect(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
    if (!err.empty())
        redirect(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
    execvp(args[0], args.data());
    _exit(127);
}

ChildProcess::~ChildProcess()
{
    if (!running())
        return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
}

bool ChildProcess::running()
{
    if (pid_ <= 0 || status_)
        return false;
    int status = 0;
    pid_t done;
    do
        done = waitpid(pid_, &status, WNOHANG);
    while (done < 0 && errno == EINTR);
    if (done == pid_)
        status_ = status;
    return !status_;
}

void ChildProcess::sendSignal(int signal)
{
    if (running())
        ::kill(pid_, signal);
}

std::string ChildProcess::waitForExit(std::chrono::milliseconds limit)
{
    // The caller says what it expected; the status tells what happened.
    static_cast<void>(waitUntil("the process to exit", limit, [this] { return !running(); }));
    if (!status_)
        return "still running";
    if (WIFSIGNALED(*status_))
        return "killed by signal " + std::to_string(WTERMSIG(*status_));
    return "exit status " + std::to_string(WEXITSTATUS(*status_));
}

int runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit)
{
    ChildProcess command(argv, ".", "/dev/null");
    const std::string end = command.waitForExit(limit);
    return end.rfind("exit status ", 0) == 0 ? std::stoi(end.substr(12)) : -1;
}

Outcome runWithoutDisplay(const TempFolder& folder, std::vector<std::string> argv)
{
    argv.insert(argv.begin(), {"/usr/bin/env", "-u", "DISPLAY"});
    ChildProcess child(argv, folder.path, folder.path + "/out", folder.path + "/err");
    const std::string status = child.waitForExit(std::chrono::seconds(30));
    return {status, fileContent(folder.path + "/out"), fileContent(folder.path + "/err")};
}
} // namespace tamrow

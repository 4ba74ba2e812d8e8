#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

/// A program started by a test. If it is still running when this goes away
/// (the test failed half way), it is killed and reaped: no orphan outlives a test.
class ChildProcess
{
public:
    /// Starts `argv[0]` (a path) in `workingDirectory` with its standard output
    /// sent to the file `stdoutPath` (created or truncated) and stdin from /dev/null.
    /// Its standard error goes to `stderrPath` likewise, or where the test's goes if empty.
    ChildProcess(const std::vector<std::string>& argv, const std::string& workingDirectory,
                 const std::string& stdoutPath, const std::string& stderrPath = std::string());
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    /// True while the process has not exited.
    bool running();
    /// Waits up to `timeout` for the process to exit; its raw wait status, if it did.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    /// Kills the process (SIGKILL) and reaps it, if it is still running.
    void kill();

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

/// What a short helper command printed and how it ended.
struct CommandResult
{
    int exitCode = -1;    ///< -1 when it did not exit by itself in time
    std::string output;   ///< its standard output
};

/// Runs a short command (found on PATH) to its end, at most `timeout`, and
/// collects its standard output; killed if it overruns.
CommandResult runCommand(const std::vector<std::string>& argv,
                         std::chrono::milliseconds timeout = std::chrono::seconds(10));

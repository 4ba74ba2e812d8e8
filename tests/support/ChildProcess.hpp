#pragma once

#include "support/TestCity.hpp"

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
    /// Starts `argv[0]` (a path) in `workingDirectory`, stdin from /dev/null, its
    /// standard output to the file `stdoutPath` and its standard error to
    /// `stderrPath` (created or truncated), or where the test's goes if empty.
    ChildProcess(const std::vector<std::string>& argv, const std::string& workingDirectory,
                 const std::string& stdoutPath, const std::string& stderrPath = std::string());
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    /// True while the process has not exited.
    bool running();
    /// Sends `signal` (SIGTERM, SIGKILL...) to the process, if it is still running.
    void sendSignal(int signal);
    /// Waits up to `limit` for the process to exit; its raw wait status, if it did.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

/// Runs a short command (found on PATH) to its end, killed if it overruns
/// `limit`; its exit code, or -1 when it did not exit by itself in time.
int runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit = std::chrono::seconds(10));

/// "exit status N" or "killed by signal N", for a raw wait status.
std::string describeStatus(int status);

/// What a program run to its end left: exit status (-1 if it did not exit), output, errors.
struct Outcome
{
    int status = -1;
    std::string out, err;
};
/// Runs `argv` (argv[0] a path) in `folder` with DISPLAY unset, up to 30 s.
Outcome runWithoutDisplay(const TempFolder& folder, std::vector<std::string> argv);

/// An X server of a test's own (Xvfb, 1920 x 1080), on the first free display
/// number, for as long as this lives: what runs there meets no other test's windows.
class PrivateDisplay
{
public:
    /// Starts the server and waits up to 10 s for it to take connections.
    PrivateDisplay();

    const std::string& name() const { return name_; }  ///< ":N"; empty if it did not come up

private:
    TempFolder folder_;
    ChildProcess server_;
    std::string name_;
};

#pragma once

#include "support/TestCity.hpp"

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tamrow
{
/// A program started by a test: `argv[0]` (a path, or found on PATH) in `folder`,
/// stdin from /dev/null, its standard output to the file `out` and its standard error
/// to `err` (created or truncated), or where the test's goes if empty. If it is still
/// running when this goes away (the test failed half way), it is killed and reaped.
class ChildProcess
{
public:
    ChildProcess(const std::vector<std::string>& argv, const std::string& folder, const std::string& out,
                 const std::string& err = std::string());
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running();
    /// Sends `signal` (SIGTERM, SIGKILL...) to the process, if it is still running.
    void sendSignal(int signal);
    /// Waits up to `limit` for the end: "exit status N", "killed by signal N" or "still running".
    std::string waitForExit(std::chrono::milliseconds limit);

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

/// Runs a short command (found on PATH) to its end, killed if it overruns `limit`;
/// its exit code, or -1 when it did not exit by itself in time.
int runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit = std::chrono::seconds(10));

/// What a program run to its end left: how it ended (as waitForExit says), output, errors.
struct Outcome
{
    std::string status, out, err;
};
/// Runs `argv` (argv[0] a path) in `folder` with DISPLAY unset, up to 30 s.
Outcome runWithoutDisplay(const TempFolder& folder, std::vector<std::string> argv);
} // namespace tamrow

#pragma once
// A program run by a test, with its standard output readable line by line.
#include <optional>
#include <string>
#include <vector>

namespace zel::test {

class ChildProcess {
  public:
    ChildProcess(const std::string& path, const std::vector<std::string>& arguments);
    // Terminates the child if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // The next line of its output, without the line end; nothing on time-out or end of output.
    std::optional<std::string> ReadLine(int timeoutMs);
    // Waits for the child to end: its exit code, or nothing when it did not exit normally.
    std::optional<int> Wait();
    // Sends SIGTERM, then waits.
    std::optional<int> Terminate();

  private:
    int pid_ = -1;
    int output_ = -1;
    std::string buffered_;
};

// A program run to its end: its exit code, its output's lines and its standard error.
struct ProgramRun {
    std::optional<int> exitCode;
    std::vector<std::string> lines;  // standard output
    std::string errors;              // standard error
};

// Runs `path` with its standard error sent to `errorsPath`, which is read back.
ProgramRun RunToEnd(const std::string& path, const std::vector<std::string>& arguments,
                    const std::string& errorsPath);

}  // namespace zel::test

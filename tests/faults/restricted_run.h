#pragma once
// Runs a program under the limits a fault needs: a file-size limit, and as an unprivileged user
// when the test runs as root (for whom permission bits stop nothing).
#include <sys/resource.h>

#include <optional>
#include <string>
#include <vector>

namespace zel::test {

inline constexpr unsigned kNobody = 65534;

struct Restrictions {
    bool unprivileged = false;
    std::optional<rlim_t> fileSizeLimit;
};

struct RunResult {
    std::optional<int> exitCode;  // nothing when a signal ended it
    int signal = 0;
    std::string output;  // standard output and error together
    bool timedOut = false;
};

// True when the test must drop to kNobody for permissions to count.
bool RunningAsRoot();

// Runs path with arguments and the given extra environment ("NAME=value"), killing it after
// timeoutMs.
RunResult RunRestricted(const std::string& path, const std::vector<std::string>& arguments,
                        const std::vector<std::string>& environment, const Restrictions& limits,
                        int timeoutMs);

}  // namespace zel::test

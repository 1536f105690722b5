#include "faults/restricted_run.h"

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char** environ;

namespace zel::test {

bool RunningAsRoot() {
    return geteuid() == 0;
}

namespace {

// Between fork and exec: only calls that are safe there.
[[noreturn]] void BecomeChild(int output, const Restrictions& limits, char** argv, char** envp) {
    dup2(output, STDOUT_FILENO);
    dup2(output, STDERR_FILENO);
    if (limits.fileSizeLimit) {
        rlimit size{*limits.fileSizeLimit, *limits.fileSizeLimit};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(126);
    }
    if (limits.unprivileged && geteuid() == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(126);
    }
    // What the test process ignores would stay ignored in the program.
    signal(SIGXFSZ, SIG_DFL);
    execve(argv[0], argv, envp);
    _exit(127);
}

}  // namespace

RunResult RunRestricted(const std::string& path, const std::vector<std::string>& arguments,
                        const std::vector<std::string>& environment, const Restrictions& limits,
                        int timeoutMs) {
    RunResult result;
    std::vector<std::string> strings{path};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : strings) argv.push_back(text.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables(environment);
    for (char** variable = environ; *variable; ++variable) variables.emplace_back(*variable);
    std::vector<char*> envp;
    for (std::string& text : variables) envp.push_back(text.data());
    envp.push_back(nullptr);  // the first of a name wins, so the extra ones come first

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return result;
    pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        BecomeChild(pipeEnds[1], limits, argv.data(), envp.data());
    }
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        return result;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting{pipeEnds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) == 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        char chunk[512];
        ssize_t count = read(pipeEnds[0], chunk, sizeof chunk);
        if (count <= 0) break;
        result.output.append(chunk, static_cast<size_t>(count));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

}  // namespace zel::test

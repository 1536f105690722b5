#include "support/child_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

extern char** environ;

namespace zel::test {

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = pipeEnds[0];
}

ChildProcess::~ChildProcess() {
    Terminate();
    if (output_ >= 0) close(output_);
}

std::optional<std::string> ChildProcess::ReadLine(int timeoutMs) {
    for (;;) {
        size_t end = buffered_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        pollfd waiting{output_, POLLIN, 0};
        if (poll(&waiting, 1, timeoutMs) <= 0) return std::nullopt;
        char chunk[256];
        ssize_t count = read(output_, chunk, sizeof chunk);
        if (count <= 0) return std::nullopt;
        buffered_.append(chunk, static_cast<size_t>(count));
    }
}

std::optional<int> ChildProcess::Terminate() {
    if (pid_ > 0) kill(pid_, SIGTERM);
    return Wait();
}

std::optional<int> ChildProcess::Wait() {
    if (pid_ <= 0) return std::nullopt;
    int status = 0;
    pid_t waited;
    do {
        waited = waitpid(pid_, &status, 0);
    } while (waited < 0 && errno == EINTR);
    pid_ = -1;
    if (waited < 0 || !WIFEXITED(status)) return std::nullopt;
    return WEXITSTATUS(status);
}

ProgramRun RunToEnd(const std::string& path, const std::vector<std::string>& arguments,
                    const std::string& errorsPath) {
    std::vector<std::string> shell = {"-c", "exec \"$@\" 2>\"$0\"", errorsPath, path};
    shell.insert(shell.end(), arguments.begin(), arguments.end());
    ChildProcess program("/bin/sh", shell);
    ProgramRun run;
    while (auto line = program.ReadLine(30000)) run.lines.push_back(*line);
    run.exitCode = program.Wait();
    std::ifstream errors(errorsPath, std::ios::binary);
    run.errors.assign(std::istreambuf_iterator<char>(errors), {});
    return run;
}

}  // namespace zel::test

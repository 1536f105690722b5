#include "zelsim/serial_stream.h"

#include <chrono>
#include <thread>

namespace zelsim {

namespace {

// The line is looked at this often while the simulator waits for a command.
constexpr auto kReadPoll = std::chrono::milliseconds(5);

}  // namespace

bool SerialStream::Write(std::string_view bytes) {
    size_t written = 0;
    return line_.WriteBytes(bytes.data(), bytes.size(), &written, zel::kInfiniteMs) == 0;
}

std::string SerialStream::Read(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        size_t count = 0;
        if (line_.ReadBytes(buffer, sizeof buffer, &count, 0) != 0) return {};
        if (count > 0 || std::chrono::steady_clock::now() >= deadline)
            return std::string(buffer, count);
        std::this_thread::sleep_for(kReadPoll);
    }
}

}  // namespace zelsim

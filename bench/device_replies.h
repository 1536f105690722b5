#pragma once
// What a device floods the terminal with in the benchmarks.
#include <string>

namespace zel::bench {

// Printable reply lines of 64 bytes, each ending in a carriage return, as a device answers.
inline std::string DeviceReplies(size_t byteCount) {
    std::string replies;
    replies.reserve(byteCount);
    for (size_t line = 0; replies.size() < byteCount; ++line) {
        std::string text = "R" + std::to_string(line) + " ";
        text.resize(63, static_cast<char>('A' + line % 26));
        replies += text + '\r';
    }
    replies.resize(byteCount);
    return replies;
}

}  // namespace zel::bench

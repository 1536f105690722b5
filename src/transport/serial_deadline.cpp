#include <algorithm>

#include "transport/serial_device.h"

namespace zel {

Deadline::Deadline(int timeoutMs)
    : infinite_(timeoutMs < 0),
      end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0))) {}

int Deadline::RemainingMs() const {
    if (infinite_) return kInfiniteMs;
    auto left =
        std::chrono::ceil<std::chrono::milliseconds>(end_ - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

}  // namespace zel

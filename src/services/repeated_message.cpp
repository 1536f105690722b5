#include "services/repeated_message.h"

#include <utility>

namespace zel {

bool RepeatedMessage::Repeats(const std::string& message) {
    if (!Running() || message != message_) return false;
    ++repeats_;
    return true;
}

void RepeatedMessage::Start(std::string message) {
    message_ = std::move(message);
    repeats_ = 0;
}

std::string RepeatedMessage::End() {
    std::string summary;
    if (repeats_ > 0) {
        summary = message_ + " (repeated " + std::to_string(repeats_) +
                  (repeats_ == 1 ? " time)" : " times)");
    }
    message_.clear();
    repeats_ = 0;
    return summary;
}

}  // namespace zel

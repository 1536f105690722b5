#pragma once
// How zelctl ends: its exit statuses, and the refusal that stops a command or a step.
#include <optional>
#include <string>

namespace zel::ctl {

namespace exit_status {
inline constexpr int kDone = 0;
inline constexpr int kNotSent = 1;      // the connection cannot be used, or a command failed
inline constexpr int kNotFound = 2;     // also a bad value, command line or script
inline constexpr int kUnusableNow = 3;  // the control is disabled or hidden
inline constexpr int kNoReply = 4;      // the expected reply did not come in time
// A press sent nothing: the page refused an entry, or a question was left unanswered.
inline constexpr int kPressSentNothing = 5;
}  // namespace exit_status

// A request that cannot be carried out, with the exit status it ends in.
struct Refusal {
    Refusal(int status, std::string message, std::optional<std::string> received = std::nullopt)
        : status(status), message(std::move(message)), received(std::move(received)) {}

    int status;
    std::string message;
    std::optional<std::string> received;  // what came instead of an expected reply
};

}  // namespace zel::ctl

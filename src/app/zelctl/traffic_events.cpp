#include "app/zelctl/traffic_events.h"

#include <utility>

namespace zel::ctl {

void TrafficEvents::OnSending(std::string_view text, bool appendCR) {
    ++commands_;
    // Nothing goes out for an empty command, framing and all.
    sending_ =
        Sending{text.empty() ? std::string() : wire_(text, appendCR), appendCR, text.empty()};
}

void TrafficEvents::OnSendEnded(bool wentOut) {
    if (!sending_) return;
    events_.Write(JsonObject()
                      .Add("event", "send")
                      .Add("hex", HexText(sending_->wire))
                      .Add("cr", sending_->appendCR)
                      .Add("sent", real_ && wentOut));
    if (real_ && !wentOut && !sending_->empty && !failure_) {
        std::string said;
        for (const std::string& line : heldLines_) said += (said.empty() ? "" : " ") + line;
        failure_ = "the command was not sent" + (said.empty() ? "" : ": " + said);
    }
    sending_.reset();
    for (const std::string& line : heldLines_) WriteLogLine(line);
    heldLines_.clear();
}

// The log is unchanged by it, so it is an event of its own; a dry run sends nothing to answer.
void TrafficEvents::OnNoReply(const std::string& status) {
    if (real_) events_.Write(JsonObject().Add("event", "no-reply").Add("text", status));
}

void TrafficEvents::OnLogLine(const std::string& line) {
    if (sending_) {
        heldLines_.push_back(line);
    } else {
        WriteLogLine(line);
    }
}

void TrafficEvents::WriteLogLine(const std::string& line) {
    if (real_) events_.Write(JsonObject().Add("event", "log").Add("text", line));
}

std::optional<std::string> TrafficEvents::TakeFailure() {
    return std::exchange(failure_, std::nullopt);
}

}  // namespace zel::ctl

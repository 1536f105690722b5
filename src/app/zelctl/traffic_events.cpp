#include "app/zelctl/traffic_events.h"

namespace zel::ctl {

void TrafficEvents::OnSending(std::string_view text, bool appendCR) {
    sending_ = Sending{std::string(text), appendCR};
}

void TrafficEvents::OnSendEnded(bool wentOut) {
    if (!sending_) return;
    events_.Write(JsonObject()
                      .Add("event", "send")
                      .Add("hex", HexText(sending_->text))
                      .Add("cr", sending_->appendCR)
                      .Add("sent", real_ && wentOut));
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

}  // namespace zel::ctl

#pragma once
// The terminal's traffic as zelctl reports it: each command as its bytes on the wire with
// whether it went out, each log line when sending for real (those a send writes after its send
// event), and the bytes received kept for expect.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/zelctl/json_lines.h"
#include "app/zelctl/received_text.h"
#include "terminal/zelterm_dlg.h"

namespace zel::ctl {

class TrafficEvents : public CZelTermDlg::TrafficObserver {
  public:
    // A command's bytes on the wire.
    using WireOf = std::function<std::string(std::string_view text, bool appendCR)>;

    // `real`: commands may go out, and the log is reported.
    TrafficEvents(JsonLineWriter& events, ReceivedText& received, bool real, WireOf wire)
        : events_(events), received_(received), real_(real), wire_(std::move(wire)) {}

    void OnSending(std::string_view text, bool appendCR) override;
    void OnSendEnded(bool wentOut) override;
    void OnReceived(std::string_view bytes) override { received_.Append(bytes); }
    void OnNoReply(const std::string& status) override;
    void OnLogLine(const std::string& line);

    // Commands handed to the terminal so far, sent or not.
    uint64_t Commands() const { return commands_; }
    // Why a command meant to go out did not, with what the log said; once, then forgotten.
    std::optional<std::string> TakeFailure();

  private:
    void WriteLogLine(const std::string& line);

    struct Sending {
        std::string wire;
        bool appendCR;
        bool empty;
    };

    JsonLineWriter& events_;
    ReceivedText& received_;
    const bool real_;
    WireOf wire_;
    uint64_t commands_ = 0;
    std::optional<std::string> failure_;
    std::optional<Sending> sending_;
    std::vector<std::string> heldLines_;  // logged while sending_
};

}  // namespace zel::ctl

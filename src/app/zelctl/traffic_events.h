#pragma once
// The terminal's traffic as zelctl reports it: each command with whether it went out, each log
// line when sending for real (those a send writes after its send event), and the bytes received
// kept for expect.
#include <optional>
#include <string>
#include <vector>

#include "app/zelctl/json_lines.h"
#include "app/zelctl/received_text.h"
#include "terminal/zelterm_dlg.h"

namespace zel::ctl {

class TrafficEvents : public CZelTermDlg::TrafficObserver {
  public:
    // `real`: commands may go out, and the log is reported.
    TrafficEvents(JsonLineWriter& events, ReceivedText& received, bool real)
        : events_(events), received_(received), real_(real) {}

    void OnSending(std::string_view text, bool appendCR) override;
    void OnSendEnded(bool wentOut) override;
    void OnReceived(std::string_view bytes) override { received_.Append(bytes); }
    void OnNoReply(const std::string& status) override;
    void OnLogLine(const std::string& line);

  private:
    void WriteLogLine(const std::string& line);

    struct Sending {
        std::string text;
        bool appendCR;
    };

    JsonLineWriter& events_;
    ReceivedText& received_;
    const bool real_;
    std::optional<Sending> sending_;
    std::vector<std::string> heldLines_;  // logged while sending_
};

}  // namespace zel::ctl

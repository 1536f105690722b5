#pragma once
// Carries out steps on one terminal, so each step finds what the ones before left: the product,
// the page shown and its values, the answers queued, the replies received.
#include <cstdint>
#include <optional>
#include <string>

#include "app/zelctl/event_loop.h"
#include "app/zelctl/json_lines.h"
#include "app/zelctl/received_text.h"
#include "app/zelctl/script.h"
#include "app/zelctl/scripted_window.h"
#include "app/zelctl/terminal_operator.h"
#include "app/zelctl/traffic_events.h"
#include "terminal/device.h"

namespace zel::ctl {

struct SessionParts {
    CZelTermDlg& terminal;
    ScriptedWindowSystem& window;
    AnswerBook& answers;
    ReceivedText& received;
    EventLoop& loop;
    JsonLineWriter& events;
    TrafficEvents& traffic;
    // When sending for real: no other connection than the one stored or asked for is used.
    ConnectionGuard* guard = nullptr;
};

// What holds for the whole session: the connection and protocol for every product chosen, and
// whether anything may go out.
struct SessionOptions {
    std::optional<int> connection;
    std::optional<std::string> protocol;
    bool dryRun = false;
    // A stored device: its product and connection for the whole session.
    std::optional<Device> device;
};

class Session {
  public:
    Session(const SessionParts& parts, SessionOptions options)
        : parts_(parts), options_(std::move(options)), operator_(parts.terminal, parts.guard) {}

    // Uses the session's device, or its connection and protocol on the product selected now;
    // sending for real, the stored connection when none is asked for.
    void UseSessionConnection();
    // Carries out the step and waits for the page follow-ups it started; throws a Refusal.
    void Perform(const Step& step);

  private:
    CPage& PageShown(const Step& step);
    void FinishFollowUps();
    void Expect(const Step& step);
    void RefuseWrongAnswers();
    void RefuseUnsent(const Step& step, uint64_t commandsBefore);

    SessionParts parts_;
    SessionOptions options_;
    TerminalOperator operator_;
    CPage* page_ = nullptr;  // shown by a page step since the product was chosen
    size_t mistakesSeen_ = 0;
};

}  // namespace zel::ctl

#pragma once
// What an operator does on a started terminal, for zelctl's commands and steps: choosing the
// product, the connection and the tab, setting controls, pressing one, sending a custom string.
// What cannot be done is refused with the exit status it ends in and a message naming what
// exists instead.
#include <optional>
#include <string>
#include <vector>

#include "app/zelctl/connection_guard.h"
#include "app/zelctl/refusal.h"
#include "terminal/zelterm_dlg.h"

namespace zel::ctl {

class TerminalOperator {
  public:
    // With a guard, a connection that cannot carry a send is refused with its reason.
    explicit TerminalOperator(CZelTermDlg& terminal, ConnectionGuard* guard = nullptr)
        : terminal_(terminal), guard_(guard) {}

    // Each throws a Refusal.
    void ChooseProduct(const std::string& name);
    // Nothing changes when neither is given; the protocol is one of the connection's. Another
    // protocol than the current one takes its own baud rate or product port, as Connection
    // Setup gives it.
    void ChooseConnection(std::optional<int> type, const std::optional<std::string>& protocol);
    CPage& ShowPage(const std::string& title);
    void Set(CPage& page, const std::string& path, const std::string& value);
    void Press(CPage& page, const std::string& path);
    void SendCustomString(const std::string& customString);

  private:
    ControlId FindControl(const CPage& page, const std::string& path);
    void Check(const CPage& page, ControlId id, ActionResult result,
               const std::optional<std::string>& value);

    CZelTermDlg& terminal_;
    ConnectionGuard* guard_;
};

// A report's first column, by which --set chooses a row.
std::vector<std::string> FirstColumn(const Control& control);
// What a control offers: a list's entries or a report's first column.
std::vector<std::string> Choices(const Control& control);
std::string Joined(const std::vector<std::string>& texts, const std::string& separator);
std::string Quoted(const std::string& text);

}  // namespace zel::ctl

#pragma once
// zelctl's commands carried out on a started terminal, as an operator would: choosing the
// product, connection and tab, setting controls and pressing one. Results are JSON lines;
// mistakes are explained on the error stream and end in an exit status.
#include <optional>
#include <ostream>
#include <string>

#include "app/zelctl/arguments.h"
#include "app/zelctl/json_lines.h"
#include "terminal/zelterm_dlg.h"

namespace zel::ctl {

namespace exit_status {
inline constexpr int kDone = 0;
inline constexpr int kConnectionUnusable = 1;
inline constexpr int kNotFound = 2;     // also a bad value or command line
inline constexpr int kUnusableNow = 3;  // the control is disabled or hidden
}  // namespace exit_status

class Controller {
  public:
    Controller(CZelTermDlg& terminal, JsonLineWriter& out, std::ostream& errors)
        : terminal_(terminal), out_(out), errors_(errors) {}

    // The terminal has run its start-up sequence. Returns the exit status.
    int Run(const Invocation& invocation);

  private:
    void ListProducts();
    void ListPages(const Invocation& invocation);
    void ListControls(const Invocation& invocation);
    void Press(const Invocation& invocation);
    void Send(const Invocation& invocation);

    void ChooseProduct(const std::string& name);
    void ChooseConnection(const Invocation& invocation);
    CPage& ShowPage(const Invocation& invocation);
    ControlId FindControl(const CPage& page, const std::string& path);
    void Check(const CPage& page, ControlId id, ActionResult result,
               const std::optional<std::string>& value);

    CZelTermDlg& terminal_;
    JsonLineWriter& out_;
    std::ostream& errors_;
};

}  // namespace zel::ctl

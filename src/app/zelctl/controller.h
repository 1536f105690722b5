#pragma once
// zelctl's commands carried out on a started terminal, as an operator would: listing what
// exists, and running steps (those of a press or send, or a script's) on one session. Results
// are JSON lines; mistakes are explained on the error stream and end in an exit status.
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "app/zelctl/arguments.h"
#include "app/zelctl/session.h"

namespace zel::ctl {

class Controller {
  public:
    Controller(const SessionParts& parts, std::ostream& errors, std::istream& standardInput)
        : parts_(parts),
          errors_(errors),
          standardInput_(standardInput),
          operator_(parts.terminal) {}

    // The terminal has run its start-up sequence. Returns the exit status.
    int Run(const Invocation& invocation);

  private:
    void ListProducts();
    void ListPages(const Invocation& invocation);
    void ListControls(const Invocation& invocation);
    Session StartSession(const Invocation& invocation, const std::vector<Step>& steps);
    void RunSteps(const Invocation& invocation, const std::vector<Step>& steps);
    std::string ReadScript(const std::string& path);
    int RunScript(const Invocation& invocation);

    SessionParts parts_;
    std::ostream& errors_;
    std::istream& standardInput_;
    TerminalOperator operator_;
};

}  // namespace zel::ctl

#pragma once
// One terminal as zelctl runs it, with everything it stands on: the window system that answers
// from the --answer list, the read-only settings, the transports (inert in a dry run) and the
// event reporting. Built and used on one thread, whose Qt event loop carries its traffic.
#include <iostream>
#include <memory>

#include "app/zelctl/arguments.h"
#include "app/zelctl/controller.h"
#include "app/zelctl/json_lines.h"
#include "terminal/device_list.h"

namespace zel::ctl {

class TerminalRig {
  public:
    // On `device`, the terminal starts from that device's settings, kept in memory only,
    // instead of the stored ones.
    TerminalRig(const Invocation& invocation, JsonLineWriter& events, std::ostream& errors,
                std::istream& standardInput, const Device* device = nullptr);
    ~TerminalRig();

    // The stored devices, read on first use from the file beside the settings.
    DeviceList& Devices();
    Controller& Control();
    // Runs the command; says afterwards which answers no question took. Returns the exit status.
    int Run(const Invocation& invocation);

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace zel::ctl

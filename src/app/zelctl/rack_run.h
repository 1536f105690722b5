#pragma once
// Commands on stored devices. `zelctl run --devices`: one script on several devices at once, each
// on a terminal and a connection of its own, in threads of their own; one summary per device at the
// end.
#include <istream>
#include <ostream>

#include "app/zelctl/arguments.h"

namespace zel::ctl {

// `--device NAME`: the command on that stored device. Returns the exit status.
int RunOnDevice(const Invocation& invocation, std::ostream& out, std::ostream& errors,
                std::istream& standardInput);

// Returns the exit status: 0 when every device passed, 4 when any did not.
int RunOnDevices(const Invocation& invocation, std::ostream& out, std::ostream& errors);

}  // namespace zel::ctl

#pragma once
// What pressing a control would do now, found without doing it: the press is tried on a copy of
// the page against a host that records instead of sending, answers every question with OK or
// Yes, runs follow-up timers at once and never writes the settings.
#include <string>
#include <vector>

#include "products/page_base.h"

namespace zel {

struct DryPressOutcome {
    std::vector<std::string> sent;    // each command as the log shows it Sent, in Mixed form
    std::vector<std::string> shown;   // the message boxes' texts
    std::vector<std::string> logged;  // errors the terminal would log instead of sending
};

DryPressOutcome DryPress(const CPage& page, ControlId id);

// A control's tooltip: the commands a press sends, one a line; else what it shows or logs; a
// disabled control's reason, when its rule gives one.
std::string PressTip(const CPage& page, ControlId id);
std::string PressTip(const DryPressOutcome& outcome);

}  // namespace zel

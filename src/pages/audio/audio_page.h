#pragma once
// What the audio players' pages share: buttons that send a fixed text and the format button that
// asks before it wipes the player's card. Every command of these players goes out with a CR.
#include <string>
#include <string_view>
#include <vector>

#include "products/page_base.h"

namespace zel {

class CAudioPage : public CPage {
  protected:
    struct Command {
        std::string_view caption;
        std::string_view text;
    };

    using CPage::CPage;

    // One button per command, left to right in the current row.
    void CommandButtons(const std::vector<Command>& commands);
    // Sends "FO" only when the operator answers Yes.
    ControlId FormatButton(std::string caption);
    // A command whose lead is the argument of a "file name or number" box; nothing goes out
    // when the box is refused.
    void SendWithFile(const std::string& fileArgument, const std::string& rest);
};

}  // namespace zel

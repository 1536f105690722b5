#include "pages/audio/audio_page.h"

namespace zel {

namespace {

constexpr char kFormatQuestion[] = "Are you sure you wish to format your compact flash card?";

}  // namespace

void CAudioPage::CommandButtons(const std::vector<Command>& commands) {
    for (const Command& command : commands) {
        Button(std::string(command.caption), [this, text = command.text] { Send(text, true); });
    }
}

ControlId CAudioPage::FormatButton(std::string caption) {
    return Button(std::move(caption), [this] {
        if (Ask(kFormatQuestion, MessageButtons::YesNo, MessageIcon::Question) ==
            MessageAnswer::Yes) {
            Send("FO", true);
        }
    });
}

void CAudioPage::SendWithFile(const std::string& fileArgument, const std::string& rest) {
    if (!fileArgument.empty()) Send(fileArgument + rest, true);
}

}  // namespace zel

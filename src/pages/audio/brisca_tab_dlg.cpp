#include "pages/audio/brisca_tab_dlg.h"

#include <algorithm>

#include "products/file_argument.h"

namespace zel {

namespace {

constexpr int64_t kLastFileNumber = 99999;
constexpr char kAllChannels[] = "All";

struct AckMode {
    std::string_view mode;
    std::string_view letters;
    bool takesValue;  // the "Offset or Variable" text leads
};

const AckMode kAckModes[] = {
    {"Simple Channel Response", "RAK", false}, {"Flag Offset", "FAK", true},
    {"Variable Offset", "WAK", true},          {"Set Variable", "VAK", true},
    {"Start Sequence", "SAK", true},
};

std::vector<std::string> ChannelChoices() {
    std::vector<std::string> choices{kAllChannels};
    for (int channel = 1; channel <= 8; ++channel) choices.push_back(std::to_string(channel));
    return choices;
}

std::vector<std::string> AckModeChoices() {
    std::vector<std::string> choices;
    for (const AckMode& mode : kAckModes) choices.emplace_back(mode.mode);
    return choices;
}

}  // namespace

// Every button takes the file number in first, so a refused number stops them all.
CBriscaTabDlg::CBriscaTabDlg(IPageHost& host) : CAudioPage(host, "Control") {
    channel_ = DropDownList("Channel #", ChannelChoices());
    Row();
    fileNumber_ = IntegerEdit("File #", 0, std::pair<int64_t, int64_t>{0, kLastFileNumber});
    Row();
    appendFile_ = CheckBox("Append file number to Play and Loop Commands", false);
    Row();
    auto appended = [this] { return Checked(appendFile_) ? FilePart() : std::string(); };
    Button("Play", [this, appended] { Send(appended() + Channel() + "PL", true); });
    Button("Loop", [this, appended] { Send(appended() + Channel() + "LP", true); });
    Button("Stop", [this] { Send(Channel() + "RJ", true); });
    Button("Search", [this] { Send(FilePart() + Channel() + "SE", true); });

    Group("Audio Control", 1);
    Button("Off", [this] { Send("0" + Channel() + "AD", true); });
    Button("On", [this] { Send("1" + Channel() + "AD", true); });
    EndGroup();

    Group("Front Buttons", 1);
    CommandButtons({{"On", "1KL"}, {"Off", "0KL"}});
    EndGroup();

    Group("Acknowledge Mode", 1);
    ackMode_ = EditableDropDown({}, AckModeChoices());
    Button("Set", [this] { SendAcknowledgeMode(); });
    Row();
    ackValue_ = TextEdit("Offset or Variable");
    Row();
    Label("(Enter hex offset values in the form 0x01)");
    EndGroup();

    Group("Drive Control", 1);
    FormatButton("Format Drive");
    EndGroup();
}

std::string CBriscaTabDlg::Channel() const {
    std::string chosen = Text(channel_);
    return chosen == kAllChannels ? "*" : chosen;
}

// The number has passed its range check in the data exchange, so the file rule never refuses it.
std::string CBriscaTabDlg::FilePart() {
    return NormalizeFileArgument(std::to_string(Integer(fileNumber_)), Host().Window());
}

// A mode the player does not know (typed into the list) gives an empty command, which the
// terminal does not send.
void CBriscaTabDlg::SendAcknowledgeMode() {
    std::string typed = Text(ackMode_);
    const AckMode* mode = std::ranges::find(kAckModes, typed, &AckMode::mode);
    std::string command;
    if (mode != std::end(kAckModes)) {
        command = (mode->takesValue ? Text(ackValue_) : std::string()) + std::string(mode->letters);
    }
    Send(command, true);
}

}  // namespace zel

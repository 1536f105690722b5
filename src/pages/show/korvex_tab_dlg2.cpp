#include "pages/show/korvex_tab_dlg2.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "pages/show/korvex_lists.h"

namespace zel {

namespace {

// The Pellor has neither a display nor a time-code generator.
constexpr uint32_t kPellorIndex = 23;

constexpr std::pair<int64_t, int64_t> kRowRange{1, 8};
constexpr std::pair<int64_t, int64_t> kColumnRange{1, 42};
constexpr int64_t kFirstPlace = 1;
constexpr char kStartTime[] = "00:00:00.00";

struct Command {
    const char* caption;
    const char* code;
};

constexpr Command kTimecodeCommands[] = {
    {"Start", "ES"}, {"Stop", "DS"}, {"Pause", "IS"}, {"Stop Loop", "PA"}, {"Get Version", "?S"},
};

// The commands a script may run, as the controller names them.
const std::vector<std::string> kScriptCommands = {
    "Add",
    "Arm",
    "Blink",
    "BitAnd",
    "BitOr",
    "Concatinate",
    "Disarm",
    "Display",
    "Divide",
    "Format",
    "Get Seq Time",
    "Message Out",
    "Mod",
    "Multiply",
    "Off",
    "On",
    "Out Port",
    "Pause",
    "Pulse",
    "Recover Display",
    "Restore Variable",
    "Reset",
    "Set Variable =",
    "Start",
    "Stop Loop",
    "Store Display",
    "Store Variable",
    "Subtract",
    "Toggle",
    "Timecode Start",
    "Timecode Pause",
    "Timecode Stop Loop",
    "Timecode Stop",
};
constexpr char kFirstScriptCommand[] = "Start";

constexpr char kNoDevice[] = "You must enter a device index or name";
constexpr char kNoCommand[] = "You must select a command first";

int IndexOf(const std::vector<std::string>& items, const std::string& item) {
    return static_cast<int>(std::ranges::find(items, item) - items.begin());
}

}  // namespace

CKorvexTabDlg2::CKorvexTabDlg2(IPageHost& host) : CPage(host, "Control2") {
    ControlId firstDependent = Group("Display");
    Row();
    text_ = TextEdit("Text", "Display Text");
    Row();
    row_ = IntegerEdit("Row", kFirstPlace, kRowRange);
    column_ = IntegerEdit("Column", kFirstPlace, kColumnRange);
    Row();
    Button("Display", [this] { OnDisplay(); });
    EndGroup();

    Group("Timecode SMPTE/EBU");
    Row();
    time_ = TextEdit("Time", kStartTime);
    Button("Set Time", [this] { Send(Text(time_) + "CT", true); });
    Button("Get Time", [this] { Send("CT", true); });
    Row();
    ControlId lastDependent = time_;
    for (const Command& command : kTimecodeCommands) {
        lastDependent = Button(command.caption, [this, code = command.code] { Send(code, true); });
    }
    EndGroup();

    Group("Cuewright Command", 1);
    Row();
    device_ = TextEdit("Device", "1");
    Row();
    std::vector<std::string> commands = InDisplayOrder(kScriptCommands);
    int first = IndexOf(commands, kFirstScriptCommand);
    command_ = EditableDropDown("Command", std::move(commands), first);
    for (size_t i = 0; i < data_.size(); ++i) {
        Row();
        data_[i] = TextEdit("Data" + std::to_string(i + 1));
    }
    Row();
    Button("Execute", [this] { OnExecute(); });
    EndGroup();

    for (ControlId id = firstDependent; id <= lastDependent; ++id) {
        EnableWhen(
            id, [this] { return HasDisplayAndTimecode(); },
            "This product has no display or timecode");
    }
}

void CKorvexTabDlg2::OnInitDialog() {
    SetText(time_, kStartTime);
    // A place refused earlier would block every button of the page, and on a product whose
    // display group is disabled the operator could not correct it.
    for (auto [place, range] : {std::pair{row_, kRowRange}, std::pair{column_, kColumnRange}}) {
        int64_t value = Integer(place);
        if (value < range.first || value > range.second) {
            SetText(place, std::to_string(kFirstPlace));
        }
    }
}

bool CKorvexTabDlg2::HasDisplayAndTimecode() const {
    return !Product() || Product()->Index() != kPellorIndex;
}

void CKorvexTabDlg2::OnDisplay() {
    Send("\"" + Text(text_) + "\"|" + std::to_string(Integer(row_)) + "|" +
             std::to_string(Integer(column_)) + "DI",
         true);
}

void CKorvexTabDlg2::OnExecute() {
    if (Text(device_).empty()) {
        Ask(kNoDevice, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (Text(command_).empty()) {
        Ask(kNoCommand, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    std::string text = Text(device_) + "|" + Text(command_);
    for (ControlId field : data_) {
        if (!Text(field).empty()) text += "|" + Text(field);
    }
    Send(text + "EX", true);
}

}  // namespace zel

#include "pages/lighting/glimra_tab_dlg.h"

#include <string>
#include <vector>

#include "pages/lighting/glimra_page.h"

namespace zel {

namespace {

// A crossfade of zero is left out of play commands.
constexpr char kNoCrossfade[] = "00000000";

struct FixedButton {
    const char* caption;
    const char* text;
};

struct FixedGroup {
    const char* caption;
    std::vector<FixedButton> buttons;
};

const FixedGroup kFixedGroups[] = {
    {"Record Control", {{"Record", "RR"}, {"Stop", "RJ"}}},
    {"DMX FeedThrough", {{"On", "1FT"}, {"Off", "0FT"}}},
};

}  // namespace

CGlimraTabDlg::CGlimraTabDlg(IPageHost& host) : CPage(host, "Control") {
    Group("Play Control", 0);
    Row();
    file_ = TextEdit("File #", "1");
    Row();
    crossfade_ = TextEdit("CrossFade Time", kGlimraInitialTime, kGlimraTimeLength);
    Row();
    Button("SelectCue", [this] { SendFileCommand("SE"); });
    Button("Play", [this] { SendPlay("PL"); });
    Button("Loop", [this] { SendPlay("LP"); });
    Button("Stop", [this] { Send("RJ", true); });
    Row();
    Button("PileOn", [this] { SendFileCommand("PO"); });
    Button("PileOn+Loop", [this] { SendFileCommand("LO"); });
    Row();
    searchFirst_ = CheckBox("Send Search in Addition to 'Loop' and 'Play' commands", true);
    EndGroup();

    for (const FixedGroup& group : kFixedGroups) {
        Group(group.caption, 1);
        Row();
        for (const FixedButton& button : group.buttons) {
            Button(button.caption, [this, text = button.text] { Send(text, true); });
        }
        EndGroup();
    }

    Group("SMPTE Offset", 1);
    Row();
    offset_ = TextEdit({}, kGlimraInitialTime, kGlimraTimeLength);
    Button("ChasePlay", [this] {
        Send(GlimraTimeDigits(Text(offset_)) + GlimraTimeDigits(Text(crossfade_)) + "CP", true);
    });
    EndGroup();
}

// The file number goes out exactly as typed.
void CGlimraTabDlg::SendFileCommand(std::string_view letters) {
    Send(Text(file_) + std::string(letters), true);
}

void CGlimraTabDlg::SendPlay(std::string_view letters) {
    if (Checked(searchFirst_)) SendFileCommand("SE");
    std::string crossfade = GlimraTimeDigits(Text(crossfade_));
    if (crossfade == kNoCrossfade) crossfade.clear();
    Send(crossfade + std::string(letters), true);
}

}  // namespace zel

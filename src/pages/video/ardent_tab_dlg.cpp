#include "pages/video/ardent_tab_dlg.h"

#include <algorithm>

#include "pages/video/ardent_channels.h"

namespace zel {

namespace {

const ArdentPlaybackCodes kVideoCodes = {
    ardent::kVideoChannel,
    "Video Control",
    {{"Stop", "RJ"}, {"Still", "ST"}},
    true,
    {{"Status", "?P"}, {"File", "?C"}},
};

// The player's window may shrink when its output mode changes; the operator learns how to get
// it back.
constexpr const char* kOutputNote =
    "The video may minimize on screen after changing the output mode.  "
    "Please send a command to play a video like 11PL in order to "
    "maximize the window again.  If this doesn't work, reboot your device.";

// The output box sorts its entries.
std::vector<std::string> OutputModes() {
    std::vector<std::string> modes = {"NTSC", "PAL", "MONITOR", "MONITOR_PAL"};
    std::ranges::sort(modes);
    return modes;
}

}  // namespace

CArdentTabDlg::CArdentTabDlg(IPageHost& host) : CArdentPlaybackPage(host, "Video", kVideoCodes) {
    DeclareControlGroup(0);
    Group("Output", 1);
    output_ = EditableDropDown({}, OutputModes());
    Button("Set Output", [this] { OnSetOutput(); });
    EndGroup();
    DeclareQueriesGroup(1);
    DeclareAudioGroup(1);
}

void CArdentTabDlg::OnInitDialog() {
    SetText(output_, "NTSC");
}

// Any typed mode goes out as it stands.
void CArdentTabDlg::OnSetOutput() {
    Send(Text(output_), true);
    Ask(kOutputNote, MessageButtons::OkCancel, MessageIcon::Information);
}

}  // namespace zel

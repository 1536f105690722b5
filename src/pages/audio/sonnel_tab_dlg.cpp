#include "pages/audio/sonnel_tab_dlg.h"

#include "products/file_argument.h"

namespace zel {

namespace {

constexpr int kQuietestVolume = 1;
constexpr int kLoudestVolume = 10;

struct FileCommand {
    std::string_view caption;
    std::string_view letters;
};

const FileCommand kFileCommands[] = {
    {"Search", "SE"},    {"Play File", "PL"}, {"Loop File", "LP"},
    {"Play Next", "PN"}, {"Loop Next", "LN"},
};

}  // namespace

CSonnelTabDlg::CSonnelTabDlg(IPageHost& host) : CAudioPage(host, "Control") {
    Group("Playback Control", 0);
    file_ = TextEdit("File Name or Number");
    Row();
    for (const FileCommand& command : kFileCommands) {
        Button(std::string(command.caption),
               [this, letters = command.letters] { SendFileCommand(letters); });
    }
    Row();
    CommandButtons({{"Stop", "RJ"}, {"Play", "PL"}, {"Loop", "LP"}, {"Pause", "PA"}});
    Row();
    CommandButtons({{"Get Status", "?P"}, {"Get File Name", "?C"}, {"List Files", "?D"}});
    EndGroup();

    Group("Audio Control", 1);
    Row("Audio");
    // This player takes "*" for audio on, where its relatives take "1".
    CommandButtons({{"Off", "0AD"}, {"On", "*AD"}});
    Row();
    // The player follows the slider while it is dragged.
    volume_ = Slider("Volume", kQuietestVolume, kLoudestVolume, kLoudestVolume, false, {},
                     [this] { VolumeMoved(); });
    volumeLabel_ = ValueLabel("Volume", std::to_string(kLoudestVolume));
    EndGroup();

    Group("Relay Control", 1);
    CommandButtons({{"Auto", "XRL"}});
    Row("Play");
    CommandButtons({{"Off", "0PRL"}, {"On", "1PRL"}});
    Row("Fault");
    CommandButtons({{"Off", "0FRL"}, {"On", "1FRL"}});
    EndGroup();

    Group("Media", 1);
    FormatButton("Format");
    EndGroup();
}

void CSonnelTabDlg::SendFileCommand(std::string_view letters) {
    SendWithFile(NormalizeFileArgument(Text(file_), Host().Window()), std::string(letters));
}

void CSonnelTabDlg::VolumeMoved() {
    std::string volume = std::to_string(Position(volume_));
    SetText(volumeLabel_, volume);
    Send(volume + "AD", true);
}

}  // namespace zel

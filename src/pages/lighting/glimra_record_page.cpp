#include "pages/lighting/glimra_record_page.h"

#include "products/file_argument.h"

namespace zel {

namespace {

constexpr char kAllChannels[] = "1-512";
constexpr char kChannelHint[] =
    "Separte channels by commas or use '-' to indicate a section of channels.";
constexpr char kOneFileOneUniverse[] =
    "Cannot Send a specific .dmx filename or file number to more than one universe. Use a Cue "
    "Name instead (no .dmx extension)";

// The verbs of a record button, without and with the incoming time code stamped on the file.
struct RecordButton {
    const char* caption;
    const char* verb;
    const char* stampedVerb;
};

constexpr RecordButton kRecordButtons[] = {{"Arm Recording", "RA", "RE"}, {"Record", "RR", "RS"}};

// A file number, or a name with the recorders' extension, is one file: a quoted name without
// it is a cue, which spans universes.
bool IsSpecificFile(const std::string& argument) {
    return argument.find(".dmx") != std::string::npos || argument.front() != '"';
}

}  // namespace

CGlimraRecordPage::CGlimraRecordPage(IPageHost& host, GlimraUniverses universes)
    : CGlimraUniversePage(host, "Record", universes) {
    // The universe's caption stands beside its box, so a one-universe recorder keeps it beside
    // the channel list when the box is hidden.
    Group("Filename or File Number", 0);
    for (int index = 0; index < kUniverseCount; ++index) {
        Row("Record Universe" + std::to_string(index + 1) + " Channels");
        ControlId caption = LastDeclared();
        UniverseBox(index);
        channels_[index] = TextEdit({}, kAllChannels);
        if (index > 0) {
            HideOnOneUniverse(caption);
            HideOnOneUniverse(channels_[index]);
        }
    }
    Row();
    Label(kChannelHint, true);
    EndGroup();

    Group("Cue Name, Filename, or File Number", 0);
    Row();
    file_ = TextEdit({});
    Row();
    stamp_ = CheckBox("Stamp file with incoming SMPTE Timecode", false);
    EndGroup();

    Group("Record Control", 1);
    Row();
    for (const RecordButton& button : kRecordButtons) {
        Button(button.caption,
               [this, button] { SendRecord(Checked(stamp_) ? button.stampedVerb : button.verb); });
    }
    Button("Stop", [this] { Send(std::string(kAllUniverses) + "RJ", true); });
    EndGroup();
}

void CGlimraRecordPage::SendRecord(const std::string& verb) {
    std::string argument = NormalizeFileArgument(Text(file_), Host().Window());
    if (argument.empty()) return;
    bool specificFile = IsSpecificFile(argument);
    bool fileSent = false;
    // "|" and each universe's channel list or "0", each followed by "|".
    std::string lists = "|";
    for (int index = 0; index < kUniverseCount; ++index) {
        if (!Ticked(index)) {
            lists += "0|";
            continue;
        }
        if (specificFile && fileSent) {
            Ask(kOneFileOneUniverse, MessageButtons::Ok, MessageIcon::None);
            continue;
        }
        std::string channels = Text(channels_[index]);
        lists += channels + "|";
        if (specificFile) {
            Send("|" + channels + "|" + argument + Tag(index) + verb, true);
            fileSent = true;
        }
    }
    if (!specificFile) Send(lists + argument + kAllUniverses + verb, true);
}

CGlimraProRecTabDlg::CGlimraProRecTabDlg(IPageHost& host)
    : CGlimraRecordPage(host, GlimraUniverses::Four) {}

CGlimraERecTabDlg::CGlimraERecTabDlg(IPageHost& host)
    : CGlimraRecordPage(host, GlimraUniverses::OnlyFirst) {}

}  // namespace zel

#include "pages/audio/mp3_player_page.h"

#include "products/file_argument.h"

namespace zel {

namespace {

constexpr int kLoudestVolume = 10;
constexpr char kInitialCrossfadeMs[] = "2000";

// The operator's window with its message boxes kept shut: the silent file rule is the prompting
// one without the prompt.
class QuietWindow : public IWindowSystem {
  public:
    explicit QuietWindow(IWindowSystem& window) : window_(window) {}

    MessageAnswer MessageBox(const std::string&, const std::string&, MessageButtons,
                             MessageIcon) override {
        return MessageAnswer::Ok;
    }
    void SetTimer(int id, unsigned periodMs, std::function<void()> onTick) override {
        window_.SetTimer(id, periodMs, std::move(onTick));
    }
    void KillTimer(int id) override { window_.KillTimer(id); }
    void PostToGui(std::function<void()> work) override { window_.PostToGui(std::move(work)); }

  private:
    IWindowSystem& window_;
};

}  // namespace

const std::vector<std::vector<CMp3PlayerPage::PlayCommand>> CMp3PlayerPage::kPlayRows = {
    {
        {"Play", "PL", FileRule::Silent},
        {"Loop", "LP", FileRule::Silent},
        {"Search", "SE", FileRule::Prompting},
        {"Stop", "RJ", FileRule::None},
        {"Pause", "PA", FileRule::None},
    },
    {
        {"Toggle", "PT", FileRule::Silent},
        {"Start Ch. Playlist", "PO", FileRule::Prompting},
    },
};

const std::vector<CMp3PlayerPage::PlayCommand> CMp3PlayerPage::kRovantPlayCommands = {
    {"SPlay", "SP", FileRule::Silent},
    {"Play Next", "PN", FileRule::Prompting},
};

CMp3PlayerPage::CMp3PlayerPage(IPageHost& host, Mp3PlayerLayout layout)
    : CAudioPage(host, "Control"),
      layout_(std::move(layout)),
      singleChannels_(layout_.destinations.channels > 0) {
    DeclarePlayControl();
    if (layout_.rovantControls) DeclareCrossfade();
    DeclareAudioControl();

    Group("Acknowledge Mode", 1);
    CommandButtons({{"Enable Simple Ack Mode", "RAK"}});
    EndGroup();

    Group("Status", 1);
    CommandButtons({{"Get Ch. Status", "P*?P"}, {"List Files", "?D"}});
    EndGroup();

    if (!layout_.frontPanel.empty()) DeclareFrontPanel();
}

void CMp3PlayerPage::DeclarePlayControl() {
    Group("Play Control", 0);
    file_ = TextEdit("File Name or Number:");
    Row();
    destination_ = DropDownList("Destination:", mp3::DestinationList(layout_.destinations));
    for (const auto& row : kPlayRows) {
        Row();
        for (const PlayCommand& command : row) {
            Button(std::string(command.caption), [this, command] { SendPlayCommand(command); });
        }
    }
    if (layout_.rovantControls) {
        for (const PlayCommand& command : kRovantPlayCommands) {
            Button(std::string(command.caption), [this, command] { SendPlayCommand(command); });
        }
    }
    EndGroup();
}

void CMp3PlayerPage::DeclareCrossfade() {
    Group("XFade", 0);
    duration_ = TextEdit("Duration", kInitialCrossfadeMs);
    Label("ms");
    Row();
    crossfadeDestination_ = DropDownList("Destination", {});
    Row();
    Button("Start Crossfade", [this] {
        Send(
            Text(duration_) + mp3::CrossfadeDestinationCode(Selected(crossfadeDestination_)) + "XF",
            true);
    });
    CommandButtons({{"Enable XF", "E1XF"}, {"Disable XF", "E0XF"}});
    EndGroup();
}

void CMp3PlayerPage::DeclareAudioControl() {
    Group("Audio Control", 1);
    channel_ =
        DropDownList(std::string(layout_.channelCaption), mp3::DestinationList(layout_.channels));
    Row();
    volume_ =
        Slider("Volume", 0, kLoudestVolume, kLoudestVolume, false, {}, [this] { ShowVolume(); });
    volumeLabel_ = ValueLabel("Volume", std::to_string(kLoudestVolume));
    Row();
    Button("Set Vol", [this] { SendVolumeCommand(std::to_string(Position(volume_))); });
    Button("Mute", [this] { SendVolumeCommand("M"); });
    Button("Unmute", [this] { SendVolumeCommand("U"); });
    EndGroup();
}

void CMp3PlayerPage::DeclareFrontPanel() {
    Group("Front Panel", 0);
    for (const Mp3PanelLock& lock : layout_.frontPanel) {
        Row(std::string(lock.label));
        CommandButtons({{"On", lock.onText}, {"Off", lock.offText}});
    }
    Row();
    pin_ = TextEdit("4 Digit PIN #:");
    Button("Set", [this] { Send("S" + mp3::FourDigitPin(Text(pin_)) + "KL", true); });
    EndGroup();
}

void CMp3PlayerPage::OnInitDialog() {
    if (!layout_.rovantControls) return;
    SetText(duration_, kInitialCrossfadeMs);
    SetChoices(crossfadeDestination_, mp3::DestinationList(mp3::kEveryDestination), 0);
}

void CMp3PlayerPage::SendPlayCommand(const PlayCommand& command) {
    std::string rest =
        mp3::DestinationCode(Text(destination_), singleChannels_) + std::string(command.letters);
    switch (command.file) {
        case FileRule::None:
            Send(rest, true);
            break;
        case FileRule::Silent: {
            QuietWindow quiet(Host().Window());
            Send(NormalizeFileArgument(Text(file_), quiet) + rest, true);
            break;
        }
        case FileRule::Prompting:
            SendWithFile(NormalizeFileArgument(Text(file_), Host().Window()), rest);
            break;
    }
}

void CMp3PlayerPage::SendVolumeCommand(const std::string& lead) {
    Send(lead + mp3::DestinationCode(Text(channel_), singleChannels_) + "AD", true);
}

void CMp3PlayerPage::ShowVolume() {
    SetText(volumeLabel_, std::to_string(Position(volume_)));
}

}  // namespace zel

#pragma once
// The one design of the multi-channel MP3 players' "Control" pages (Rovant, Pavane, Melisk,
// Brisca-E): a file, a destination and the command letters, with a table per player of what its
// page offers.
#include <string>
#include <string_view>
#include <vector>

#include "pages/audio/audio_page.h"
#include "pages/audio/mp3_codes.h"

namespace zel {

// A row of the front panel: the text sent by its "On" and its "Off" button.
struct Mp3PanelLock {
    std::string_view label;
    std::string_view onText;
    std::string_view offText;
};

struct Mp3PlayerLayout {
    mp3::DestinationCounts destinations;  // the "Destination:" list
    std::string_view channelCaption;      // the audio control's list
    mp3::DestinationCounts channels;
    bool rovantControls;                   // "SPlay", "Play Next" and the crossfade
    std::vector<Mp3PanelLock> frontPanel;  // none: the page has no front panel
};

class CMp3PlayerPage : public CAudioPage {
  protected:
    CMp3PlayerPage(IPageHost& host, Mp3PlayerLayout layout);

    void OnInitDialog() override;

  private:
    enum class FileRule {
        None,
        Silent,     // a refused box gives no file, and the command goes without it
        Prompting,  // a refused box is reported and nothing is sent
    };
    struct PlayCommand {
        std::string_view caption;
        std::string_view letters;
        FileRule file;
    };

    void DeclarePlayControl();
    void DeclareCrossfade();
    void DeclareAudioControl();
    void DeclareFrontPanel();
    void SendPlayCommand(const PlayCommand& command);
    void SendVolumeCommand(const std::string& lead);
    void ShowVolume();

    static const std::vector<std::vector<PlayCommand>> kPlayRows;
    static const std::vector<PlayCommand> kRovantPlayCommands;

    Mp3PlayerLayout layout_;
    bool singleChannels_;
    ControlId file_ = -1;
    ControlId destination_ = -1;
    ControlId duration_ = -1;
    ControlId crossfadeDestination_ = -1;
    ControlId channel_ = -1;
    ControlId volume_ = -1;
    ControlId volumeLabel_ = -1;
    ControlId pin_ = -1;
};

}  // namespace zel

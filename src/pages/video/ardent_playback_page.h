#pragma once
// The Ardent channels that play files, video and audio: one set of buttons, told apart by their
// table of codes.
#include <string>
#include <vector>

#include "pages/video/video_page.h"

namespace zel {

struct ArdentPlaybackCodes {
    std::string channel;
    std::string controlGroup;  // caption of the group with the play buttons
    // The buttons after "Play" and "Loop" that take no file, with their letters.
    std::vector<ButtonCode> transport;
    // Whether the page offers "Broadcast these commands to ALL channels".
    bool broadcast = false;
    // In the order the page shows them; queries always ask the page's own channel.
    std::vector<ButtonCode> queries;
};

class CArdentPlaybackPage : public CVideoPage {
  protected:
    CArdentPlaybackPage(IPageHost& host, std::string title, ArdentPlaybackCodes codes);

    void DeclareControlGroup(int column);
    void DeclareAudioGroup(int column);
    void DeclareQueriesGroup(int column);

  private:
    // The channel in force: all channels while the broadcast box is ticked, as it shows now.
    Part ChannelCode();
    // The file argument in front of "Play" and "Loop", only while the append box is ticked.
    Part AppendedFile();

    ArdentPlaybackCodes codes_;
    ControlId file_ = -1, append_ = -1, broadcast_ = -1;
};

}  // namespace zel

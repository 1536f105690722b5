#pragma once
// The Ardent players' "Audio" tab: the audio channel's play buttons.
#include "pages/video/ardent_playback_page.h"

namespace zel {

class CArdentAudioTab : public CArdentPlaybackPage {
  public:
    explicit CArdentAudioTab(IPageHost& host);
};

}  // namespace zel

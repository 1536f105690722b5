#pragma once
// The Ardent players' "Video" tab: the video channel's play buttons, optionally broadcast to all
// channels, and the video output mode.
#include "pages/video/ardent_playback_page.h"

namespace zel {

class CArdentTabDlg : public CArdentPlaybackPage {
  public:
    explicit CArdentTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    void OnSetOutput();

    ControlId output_ = -1;
};

}  // namespace zel

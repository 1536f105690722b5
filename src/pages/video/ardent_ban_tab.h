#pragma once
// The Ardent players' "Banner" tab: a scrolling text banner on channel 4, its file, text,
// place, motion and look.
#include <vector>

#include "pages/video/video_page.h"

namespace zel {

class CArdentBanTab : public CVideoPage {
  public:
    explicit CArdentBanTab(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    // The colour's name in quotes, or for "Manual" the red, green and blue boxes as typed.
    Part ColorLead();
    bool ManualColor() const;

    ControlId file_ = -1, text_ = -1, speed_ = -1, colour_ = -1, font_ = -1, size_ = -1;
    std::vector<ControlId> channelBoxes_;  // red, green, blue
};

}  // namespace zel

#pragma once
// The Ardent players' "Image" tab: still images on channel 3 and where they stand.
#include "pages/video/video_page.h"

namespace zel {

class CArdentImgTab : public CVideoPage {
  public:
    explicit CArdentImgTab(IPageHost& host);

  private:
    ControlId file_ = -1;
};

}  // namespace zel

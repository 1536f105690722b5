#pragma once
// The Ardent players' "Scheduler/Browser" tab: the scheduler (channel 9) and the browser
// (channel 5), each searched by file name, number or URL.
#include <array>

#include "pages/video/video_page.h"

namespace zel {

class CArdentSchBrowDlg : public CVideoPage {
  public:
    explicit CArdentSchBrowDlg(IPageHost& host);

  private:
    std::array<ControlId, 2> boxes_{-1, -1};  // scheduler, browser
};

}  // namespace zel

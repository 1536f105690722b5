#pragma once
// The Quelm player's "Image" tab: still images on one channel or all, and for whole groups.
#include "pages/video/quelm_page.h"

namespace zel {

class CQuelmImgTabDlg : public CQuelmPage {
  public:
    explicit CQuelmImgTabDlg(IPageHost& host);

  private:
    ControlId channelFile_ = -1, groupFile_ = -1;
};

}  // namespace zel

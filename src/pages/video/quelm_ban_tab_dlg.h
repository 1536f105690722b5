#pragma once
// The Quelm player's "Banner" tab: text banners on one channel or all, and banner files for
// whole groups.
#include "pages/video/quelm_page.h"

namespace zel {

class CQuelmBanTabDlg : public CQuelmPage {
  public:
    explicit CQuelmBanTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    ControlId channelFile_ = -1, groupFile_ = -1;
    ControlId colour_ = -1, font_ = -1, speed_ = -1, text_ = -1;
};

}  // namespace zel

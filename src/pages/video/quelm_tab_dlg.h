#pragma once
// The Quelm player's "Control" tab: playback, output and mutes of one channel or all, group
// assignment, and playback of whole groups.
#include "pages/video/quelm_page.h"

namespace zel {

class CQuelmTabDlg : public CQuelmPage {
  public:
    explicit CQuelmTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    Part AssignedGroup();

    ControlId channelFile_ = -1, groupFile_ = -1;
    ControlId assignGroup_ = -1, output_ = -1, colourSpace_ = -1, aspect_ = -1;
};

}  // namespace zel

#pragma once
// The "Control" page of the Canzo stereo player.
#include "pages/audio/audio_page.h"

namespace zel {

class CCanzoTabDlg : public CAudioPage {
  public:
    explicit CCanzoTabDlg(IPageHost& host);

  private:
    ControlId fileNumber_ = -1;
};

}  // namespace zel

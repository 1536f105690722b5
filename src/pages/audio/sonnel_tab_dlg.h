#pragma once
// The "Control" page of the Sonnel stereo player.
#include "pages/audio/audio_page.h"

namespace zel {

class CSonnelTabDlg : public CAudioPage {
  public:
    explicit CSonnelTabDlg(IPageHost& host);

  private:
    void SendFileCommand(std::string_view letters);
    void VolumeMoved();

    ControlId file_ = -1;
    ControlId volume_ = -1;
    ControlId volumeLabel_ = -1;
};

}  // namespace zel

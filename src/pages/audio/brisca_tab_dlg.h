#pragma once
// The "Control" page of the Brisca, the multi-channel player with a simpler page of its own.
#include "pages/audio/audio_page.h"

namespace zel {

class CBriscaTabDlg : public CAudioPage {
  public:
    explicit CBriscaTabDlg(IPageHost& host);

  private:
    std::string Channel() const;
    std::string FilePart();
    void SendAcknowledgeMode();

    ControlId channel_ = -1;
    ControlId fileNumber_ = -1;
    ControlId appendFile_ = -1;
    ControlId ackMode_ = -1;
    ControlId ackValue_ = -1;
};

}  // namespace zel

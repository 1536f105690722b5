#pragma once
// The Reelmast "Controller" page: the controller's SMPTE/EBU generator and its audio/video setup.
#include <functional>
#include <string>

#include "products/page_base.h"

namespace zel {

class CReelmastControlTabDlg : public CPage {
  public:
    explicit CReelmastControlTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    // Sends only while the connection speaks a Pioneer protocol.
    void PioneerButton(std::string caption, std::function<std::string()> text);

    ControlId time_, videoFormat_, sampleRate_;
};

}  // namespace zel

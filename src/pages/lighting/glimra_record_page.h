#pragma once
// The "Record" page of the GlimraPro and Glimra-E recorders: recording (armed or at once) of
// the ticked universes' channel lists into a cue, or into one specific file.
#include <array>
#include <string>

#include "pages/lighting/glimra_page.h"

namespace zel {

class CGlimraRecordPage : public CGlimraUniversePage {
  protected:
    CGlimraRecordPage(IPageHost& host, GlimraUniverses universes);

  private:
    void SendRecord(const std::string& verb);

    std::array<ControlId, kUniverseCount> channels_{};
    ControlId file_ = -1;
    ControlId stamp_ = -1;
};

class CGlimraProRecTabDlg : public CGlimraRecordPage {
  public:
    explicit CGlimraProRecTabDlg(IPageHost& host);
};

class CGlimraERecTabDlg : public CGlimraRecordPage {
  public:
    explicit CGlimraERecTabDlg(IPageHost& host);
};

}  // namespace zel

#pragma once
// The "Set" page of the GlimraPro and Glimra-E recorders: channels forced to a value per
// universe, DMX feed-through per universe, and which cue wins where cues are piled on.
#include "pages/lighting/glimra_page.h"

namespace zel {

class CGlimraSetPage : public CGlimraUniversePage {
  protected:
    CGlimraSetPage(IPageHost& host, GlimraUniverses universes);
    void OnInitDialog() override;

  private:
    ControlId channel_ = -1;
    ControlId value_ = -1;
};

class CGlimraProSetTabDlg : public CGlimraSetPage {
  public:
    explicit CGlimraProSetTabDlg(IPageHost& host);
};

class CGlimraESetTabDlg : public CGlimraSetPage {
  public:
    explicit CGlimraESetTabDlg(IPageHost& host);
};

}  // namespace zel

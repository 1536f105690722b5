#pragma once
// The "Play" page of the GlimraPro and Glimra-E recorders: cues played, stilled and cleared per
// universe, with pile-on, loop, crossfade, SMPTE jam-sync and a start time as options.
#include <string>

#include "pages/lighting/glimra_page.h"

namespace zel {

class CGlimraPlayPage : public CGlimraUniversePage {
  protected:
    CGlimraPlayPage(IPageHost& host, GlimraUniverses universes);

  private:
    ControlId OptionBox(std::string caption, Handler onClick = {});
    std::string PlayVerb() const;
    std::string TimePrefix(const std::string& verb);
    void SendCueCommand(const std::string& prefix, const std::string& verb);

    ControlId pileOn_ = -1;
    ControlId loop_ = -1;
    ControlId crossfade_ = -1;
    ControlId crossfadeTime_ = -1;
    ControlId jamSync_ = -1;
    ControlId useStartTime_ = -1;
    ControlId startTime_ = -1;
    ControlId cue_ = -1;
};

class CGlimraProTabDlg : public CGlimraPlayPage {
  public:
    explicit CGlimraProTabDlg(IPageHost& host);
};

class CGlimraETabDlg : public CGlimraPlayPage {
  public:
    explicit CGlimraETabDlg(IPageHost& host);
};

}  // namespace zel

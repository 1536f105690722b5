#pragma once
// The Glimra recorder's "Control" page: cues played, looped and piled on by file number, with
// an optional crossfade, recording, DMX feed-through and play chased to SMPTE with an offset.
#include <string_view>

#include "products/page_base.h"

namespace zel {

class CGlimraTabDlg : public CPage {
  public:
    explicit CGlimraTabDlg(IPageHost& host);

  private:
    void SendFileCommand(std::string_view letters);
    void SendPlay(std::string_view letters);

    ControlId file_ = -1;
    ControlId crossfade_ = -1;
    ControlId searchFirst_ = -1;
    ControlId offset_ = -1;
};

}  // namespace zel

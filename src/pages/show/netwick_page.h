#pragma once
// The Netwick's "Control" tab: the text queries it answers over RS-232 in its test mode.
#include "products/page_base.h"

namespace zel {

class CNetwickTabDlg : public CPage {
  public:
    explicit CNetwickTabDlg(IPageHost& host);
};

}  // namespace zel

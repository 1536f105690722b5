#pragma once
// The "Control" pages of the multi-channel MP3 players that share one design.
#include "pages/audio/mp3_player_page.h"

namespace zel {

class CRovantTabDlg : public CMp3PlayerPage {
  public:
    explicit CRovantTabDlg(IPageHost& host);
};

class CPavaneTabDlg : public CMp3PlayerPage {
  public:
    explicit CPavaneTabDlg(IPageHost& host);
};

class CMeliskTabDlg : public CMp3PlayerPage {
  public:
    explicit CMeliskTabDlg(IPageHost& host);
};

class CBriscaETabDlg : public CMp3PlayerPage {
  public:
    explicit CBriscaETabDlg(IPageHost& host);
};

}  // namespace zel

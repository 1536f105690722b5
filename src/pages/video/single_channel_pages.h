#pragma once
// The "Control" pages of the single-channel video players. The Ulmar page also serves Framlet.
#include "pages/video/single_channel_page.h"

namespace zel {

class CUlmarTabDlg : public CSingleChannelPage {
  public:
    explicit CUlmarTabDlg(IPageHost& host);
};

class CTavishTabDlg : public CSingleChannelPage {
  public:
    explicit CTavishTabDlg(IPageHost& host);
};

class CSorrelTabDlg : public CSingleChannelPage {
  public:
    explicit CSorrelTabDlg(IPageHost& host);
};

class CWrennaTabDlg : public CSingleChannelPage {
  public:
    explicit CWrennaTabDlg(IPageHost& host);
};

class COberinTabDlg : public CSingleChannelPage {
  public:
    explicit COberinTabDlg(IPageHost& host);
};

}  // namespace zel

#pragma once
// The first tab of every product: its picture, full name and description, and the version
// query and reboot command common to the whole line.
#include "products/page_base.h"

namespace zel {

class CGeneralTabDlg : public CPage {
  public:
    explicit CGeneralTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    void OnVersion();
    void OnReboot();

    ControlId picture_, fullName_, description_, version_, reboot_;
};

}  // namespace zel

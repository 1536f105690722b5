#pragma once
// The Korvex line's "Name/Script" tab: the device's name and the script it runs.
#include <vector>

#include "products/page_base.h"

namespace zel {

class CKorvexTabDlg4 : public CPage {
  public:
    explicit CKorvexTabDlg4(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    std::vector<ControlId> fields_;
};

}  // namespace zel

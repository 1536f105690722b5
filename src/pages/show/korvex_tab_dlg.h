#pragma once
// The Korvex line's "Control" tab: starts and stops sequences, sets variables, switches outputs
// and passes messages on to other devices, each by the names typed in.
#include <vector>

#include "products/page_base.h"

namespace zel {

class CKorvexTabDlg : public CPage {
  public:
    explicit CKorvexTabDlg(IPageHost& host);

  private:
    std::string Joined(const std::vector<ControlId>& fields) const;
};

}  // namespace zel

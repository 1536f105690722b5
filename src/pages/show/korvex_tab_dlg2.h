#pragma once
// The Korvex line's "Control2" tab: text on the product's display, its time-code generator, and
// any script command run on a device.
#include <array>

#include "products/page_base.h"

namespace zel {

class CKorvexTabDlg2 : public CPage {
  public:
    explicit CKorvexTabDlg2(IPageHost& host);

    static constexpr size_t kDataFieldCount = 4;

  protected:
    void OnInitDialog() override;

  private:
    bool HasDisplayAndTimecode() const;
    void OnDisplay();
    void OnExecute();

    ControlId text_, row_, column_, time_, device_, command_;
    std::array<ControlId, kDataFieldCount> data_{};
};

}  // namespace zel

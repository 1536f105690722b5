#pragma once
// The "Network" tab: reads and sets a product's DHCP, addresses, user name, password and device
// id, on the jack or reproducer the operator picks.
#include <array>

#include "products/page_base.h"

namespace zel {

class CNetworkTabDlg : public CPage {
  public:
    explicit CNetworkTabDlg(IPageHost& host);

    static constexpr size_t kSettingCount = 7;

  protected:
    void OnInitDialog() override;

  private:
    bool Has(bool Capabilities::*capability) const;
    void OnSetting(size_t setting);
    std::string TargetPart(size_t setting) const;

    ControlId set_, jackLabel_, target_;
    std::array<ControlId, kSettingCount> buttons_{}, fields_{};
};

}  // namespace zel

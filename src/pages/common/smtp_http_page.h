#pragma once
// The "SMTP/HTTP" tab: reads and sets how a product sends e-mail and serves its web page, and
// has it send an e-mail at once.
#include <array>

#include "products/page_base.h"

namespace zel {

class CSMTPHTTPTabDlg : public CPage {
  public:
    explicit CSMTPHTTPTabDlg(IPageHost& host);

    static constexpr size_t kSettingCount = 8;

  protected:
    void OnInitDialog() override;

  private:
    bool HasSecondJack() const;
    void OnSetting(size_t setting);

    ControlId set_, to_, subject_, message_;
    std::array<ControlId, kSettingCount> fields_{};
};

}  // namespace zel

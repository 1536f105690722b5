#pragma once
// The "SMPTE" page: reads and sets the Reelmast products' time-code settings. In Get mode a
// button sends its two-letter query, in Set mode the value code followed by the same letters.
#include <vector>

#include "products/page_base.h"

namespace zel {

class CSMPTEConfigTabDlg : public CPage {
  public:
    explicit CSMPTEConfigTabDlg(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    void SendSetting(const char* letters, const std::string& value);

    ControlId get_, set_;
    std::vector<ControlId> times_;
    std::vector<ControlId> lists_;
};

}  // namespace zel

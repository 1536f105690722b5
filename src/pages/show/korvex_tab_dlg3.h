#pragma once
// The Korvex line's "Redundant" tab: how two controllers back each other up, read and set one
// setting at a time.
#include <functional>
#include <optional>
#include <string>

#include "products/page_base.h"

namespace zel {

class CKorvexTabDlg3 : public CPage {
  public:
    explicit CKorvexTabDlg3(IPageHost& host);

  protected:
    void OnInitDialog() override;

  private:
    using Value = std::function<std::optional<std::string>()>;

    // "Set" sends the value followed by the code, "Get" the code alone.
    std::pair<ControlId, ControlId> SetAndGet(std::string code, Value value);
    bool HasSecondJack() const;

    ControlId address_, jack_, mode_, timeout_;
};

}  // namespace zel

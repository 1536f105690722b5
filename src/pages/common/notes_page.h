#pragma once
// Connection advice for the products that need more than the usual cable.
#include <string>

#include "products/page_base.h"

namespace zel {

class CNotesTabDlg : public CPage {
  public:
    explicit CNotesTabDlg(IPageHost& host);

    // The advice depends on the product, so it is chosen when the product is handed over.
    void SetProduct(ProductInfo* product) override;

  protected:
    void OnInitDialog() override;

  private:
    ControlId notes_;
    std::string notesText_;
};

}  // namespace zel

#pragma once
// The tabbed sheet of the current product's pages. Each page class exists as one object for the
// whole run; a product change empties the sheet and fills it with that product's pages, so what
// an operator typed into a shared page survives.
#include <memory>
#include <string>
#include <vector>

#include "products/page_base.h"
#include "products/product_info.h"

namespace zel {

class CProductPropertySheet {
  public:
    struct Tab {
        std::string title;
        CPage* page;
    };

    explicit CProductPropertySheet(IPageHost& host);

    // Lays out the product's pages in its page set's order, hands the product to every page
    // and makes the first tab active. Page classes the program lacks are left out.
    void Rebuild(ProductInfo* product);
    // Destroys the page windows, as the program does when it ends.
    void Close();

    const std::vector<Tab>& Tabs() const { return tabs_; }
    int ActiveTab() const { return active_; }
    // Shows a tab; its page window is created the first time it is shown after a rebuild.
    CPage* Activate(int index);
    CPage* ActivateTab(const std::string& title);
    const std::vector<std::unique_ptr<CPage>>& PageObjects() const { return pages_; }

  private:
    std::vector<std::unique_ptr<CPage>> pages_;
    std::vector<std::string> classNames_;
    std::vector<Tab> tabs_;
    int active_ = -1;
};

}  // namespace zel

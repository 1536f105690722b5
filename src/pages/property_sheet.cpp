#include "pages/property_sheet.h"

#include "pages/page_registry.h"

namespace zel {

CProductPropertySheet::CProductPropertySheet(IPageHost& host) {
    for (const PageClass& pageClass : PageClasses()) {
        pages_.push_back(pageClass.create(host));
        classNames_.push_back(pageClass.name);
    }
}

void CProductPropertySheet::Close() {
    for (auto& page : pages_) page->Destroy();
}

void CProductPropertySheet::Rebuild(ProductInfo* product) {
    if (!product) return;
    Close();
    tabs_.clear();
    active_ = -1;
    for (const PageRef& ref : product->Pages()) {
        for (size_t i = 0; i < pages_.size(); ++i) {
            if (classNames_[i] == ref.pageClass) tabs_.push_back({ref.title, pages_[i].get()});
        }
    }
    for (auto& page : pages_) page->SetProduct(product);
    if (!tabs_.empty()) Activate(0);
}

CPage* CProductPropertySheet::Activate(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) return nullptr;
    active_ = index;
    CPage* page = tabs_[index].page;
    if (!page->IsCreated()) page->Create();
    return page;
}

CPage* CProductPropertySheet::ActivateTab(const std::string& title) {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i].title == title) return Activate(static_cast<int>(i));
    }
    return nullptr;
}

}  // namespace zel

#include "gui/property_sheet_host.h"

#include "products/product_info.h"

namespace zel {

PropertySheetHost::PropertySheetHost(QWidget* parent) : QTabWidget(parent) {
    setUsesScrollButtons(true);
}

void PropertySheetHost::ProductChanged(ProductInfo& product) {
    while (count() > 0) {
        QWidget* page = widget(0);
        removeTab(0);
        delete page;
    }
    for (const PageRef& page : product.Pages()) {
        addTab(new QWidget(this), QString::fromStdString(page.title));
    }
}

}  // namespace zel

#pragma once
// The current product's pages as tabs, to the right of the terminal's controls. The tabs follow
// the terminal's property sheet; a page's widgets are made when its tab is first shown after a
// product change, which is when the sheet creates the page and runs its initialisation. Each
// page scrolls inside its tab when it is larger than the room the window gives it.
#include <QTabWidget>

#include "pages/property_sheet.h"

namespace zel {

class PageWidget;

class PropertySheetWidget : public QTabWidget {
    Q_OBJECT

  public:
    explicit PropertySheetWidget(CProductPropertySheet& sheet, QWidget* parent = nullptr);

    // Shows the sheet's tabs after the terminal rebuilt it for the product; the first is active.
    void ProductChanged(ProductInfo& product);

    // Scrolls the current page so that its widget `focused` is in view; others are left alone.
    void EnsureVisible(QWidget* focused);

    // The widgets of a tab's page; null until the tab has been shown.
    PageWidget* PageAt(int index) const;

  private:
    void ShowTab(int index);
    void RemoveTabs();

    CProductPropertySheet& sheet_;
};

}  // namespace zel

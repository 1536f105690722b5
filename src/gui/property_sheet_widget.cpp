#include "gui/property_sheet_widget.h"

#include <QScrollArea>
#include <QSignalBlocker>

#include "gui/page_widget.h"

namespace zel {

PropertySheetWidget::PropertySheetWidget(CProductPropertySheet& sheet, QWidget* parent)
    : QTabWidget(parent), sheet_(sheet) {
    setUsesScrollButtons(true);
    connect(this, &QTabWidget::currentChanged, this, &PropertySheetWidget::ShowTab);
}

void PropertySheetWidget::ProductChanged(ProductInfo&) {
    QSignalBlocker blocker(this);
    // The old pages' widgets go first: they stop following their pages before new ones start.
    RemoveTabs();
    for (const CProductPropertySheet::Tab& tab : sheet_.Tabs()) {
        auto* area = new QScrollArea(this);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        // The area itself shows no focus; Tab goes straight to the page's controls.
        area->setFocusPolicy(Qt::NoFocus);
        addTab(area, QString::fromStdString(tab.title));
    }
    if (count() == 0) return;
    setCurrentIndex(0);
    ShowTab(0);
}

void PropertySheetWidget::RemoveTabs() {
    while (count() > 0) {
        QWidget* area = widget(count() - 1);
        removeTab(count() - 1);
        delete area;
    }
}

void PropertySheetWidget::ShowTab(int index) {
    auto* area = qobject_cast<QScrollArea*>(widget(index));
    if (!area) return;
    CPage* page = sheet_.Activate(index);
    if (!page || area->widget()) return;
    auto* widgets = new PageWidget(*page);
    // A page larger than its room scrolls, so the window never grows to fit it.
    area->setWidget(widgets);
}

void PropertySheetWidget::EnsureVisible(QWidget* focused) {
    auto* area = qobject_cast<QScrollArea*>(currentWidget());
    if (area && area->widget() && area->widget()->isAncestorOf(focused)) {
        area->ensureWidgetVisible(focused);
    }
}

PageWidget* PropertySheetWidget::PageAt(int index) const {
    auto* area = qobject_cast<QScrollArea*>(widget(index));
    return area ? qobject_cast<PageWidget*>(area->widget()) : nullptr;
}

}  // namespace zel

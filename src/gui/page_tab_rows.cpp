#include "gui/page_tab_rows.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

namespace zel {

PageTabRows::PageTabRows(QTabWidget& tabs, QWidget* parent) : QWidget(parent), tabs_(tabs) {
    setObjectName(QStringLiteral("pageTabRows"));
    group_ = new QButtonGroup(this);
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setSpacing(2);
    connect(group_, &QButtonGroup::idClicked, &tabs_, &QTabWidget::setCurrentIndex);
    connect(&tabs_, &QTabWidget::currentChanged, this, &PageTabRows::ShowCurrent);
    tabs_.installEventFilter(this);
    hide();
}

void PageTabRows::Rebuild() {
    for (QToolButton* button : buttons_) delete button;
    buttons_.clear();
    for (int index = 0; index < tabs_.count(); ++index) {
        auto* button = new QToolButton(this);
        button->setText(tabs_.tabText(index));
        button->setObjectName(tabs_.tabText(index));
        button->setCheckable(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // Ctrl+Tab and Ctrl+PgDn turn the pages; the rows add no Tab stops of their own.
        button->setFocusPolicy(Qt::NoFocus);
        group_->addButton(button, index);
        buttons_.push_back(button);
    }
    columns_ = 0;
    ShowCurrent(tabs_.currentIndex());
    Arrange();
}

bool PageTabRows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &tabs_ && event->type() == QEvent::Resize) Arrange();
    return QWidget::eventFilter(watched, event);
}

// The tab bar when its titles fit the sheet's width; else as many columns as the widest title
// allows.
void PageTabRows::Arrange() {
    const int room = tabs_.width();
    const bool fits = tabs_.tabBar()->sizeHint().width() <= room;
    tabs_.tabBar()->setVisible(fits);
    setVisible(!fits);
    if (fits) return;
    int widest = 1;
    for (QToolButton* button : buttons_) widest = std::max(widest, button->sizeHint().width());
    const int columns = std::max(1, (room + grid_->spacing()) / (widest + grid_->spacing()));
    if (columns == columns_) return;
    columns_ = columns;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        grid_->addWidget(buttons_[i], static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    }
}

void PageTabRows::ShowCurrent(int index) {
    if (index >= 0 && index < static_cast<int>(buttons_.size())) buttons_[index]->setChecked(true);
}

}  // namespace zel

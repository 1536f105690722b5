#include "gui/repeat_status_line.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zel {

RepeatStatusLine::RepeatStatusLine(QWidget* parent) : QWidget(parent) {
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("repeatStatus"));
    text_->setTextFormat(Qt::PlainText);
    // The label takes the room it is given instead of asking for the whole text's width.
    text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    stop_ = new QPushButton(QStringLiteral("Stop"), this);
    stop_->setObjectName(QStringLiteral("repeatStopButton"));
    stop_->setAutoDefault(false);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(text_, 1);
    row->addWidget(stop_);
    hide();
}

void RepeatStatusLine::Show(const std::string& status) {
    status_ = QString::fromLatin1(status);
    text_->setToolTip(status_);
    Elide();
    setVisible(!status_.isEmpty());
}

void RepeatStatusLine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Elide();
}

void RepeatStatusLine::Elide() {
    text_->setText(text_->fontMetrics().elidedText(status_, Qt::ElideMiddle, text_->width()));
}

}  // namespace zel

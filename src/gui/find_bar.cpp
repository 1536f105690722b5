#include "gui/find_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include "gui/log_view.h"

namespace zel {
namespace {

const QString kNotFound = QStringLiteral("Not found");
const QString kWrapped = QStringLiteral("Wrapped around");

QToolButton* MakeToolButton(const QString& text, const QString& tip, const QString& objectName,
                            QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    button->setObjectName(objectName);
    return button;
}

// The field's background turned towards red, readable in light and dark colours alike.
QColor Tinted(const QColor& base) {
    constexpr float kRed = 0.35f;
    return QColor::fromRgbF(base.redF() + (1.0f - base.redF()) * kRed, base.greenF() * (1 - kRed),
                            base.blueF() * (1 - kRed));
}

}  // namespace

FindBar::FindBar(LogView& log, QWidget* parent) : QWidget(parent), log_(log) {
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("findField"));
    field_->setPlaceholderText(QStringLiteral("Find in the log"));
    field_->setClearButtonEnabled(true);
    field_->installEventFilter(this);
    fieldPalette_ = field_->palette();
    auto* previous =
        MakeToolButton(QStringLiteral("Previous"), QStringLiteral("Shift+Enter, Shift+F3"),
                       QStringLiteral("findPreviousButton"), this);
    auto* next = MakeToolButton(QStringLiteral("Next"), QStringLiteral("Enter, F3"),
                                QStringLiteral("findNextButton"), this);
    matchCase_ = new QCheckBox(QStringLiteral("Match case"), this);
    matchCase_->setObjectName(QStringLiteral("findMatchCase"));
    outcome_ = new QLabel(this);
    outcome_->setObjectName(QStringLiteral("findOutcome"));
    outcome_->hide();
    auto* close = MakeToolButton(QString(), QStringLiteral("Close (Escape)"),
                                 QStringLiteral("findCloseButton"), this);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field_, 1);
    for (QWidget* widget : {static_cast<QWidget*>(previous), static_cast<QWidget*>(next),
                            static_cast<QWidget*>(matchCase_), static_cast<QWidget*>(outcome_),
                            static_cast<QWidget*>(close)}) {
        row->addWidget(widget);
    }

    connect(previous, &QToolButton::clicked, this, [this] { Find(SearchDirection::Backward); });
    connect(next, &QToolButton::clicked, this, [this] { Find(SearchDirection::Forward); });
    connect(close, &QToolButton::clicked, this, &FindBar::Close);
    connect(field_, &QLineEdit::textEdited, this, [this] { ShowOutcome({}, false); });
    connect(matchCase_, &QCheckBox::toggled, this, [this] { ShowOutcome({}, false); });
    // Only while the bar has the focus: elsewhere Escape is left alone.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &FindBar::Close);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
}

void FindBar::Open() {
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void FindBar::Close() {
    hide();
    ShowOutcome({}, false);
    log_.setFocus(Qt::OtherFocusReason);
}

// From the log box's selection, in the text it shows now. F3 with the bar closed shows it, so
// that "Not found" can be read.
void FindBar::Find(SearchDirection direction) {
    if (field_->text().isEmpty()) return Open();
    show();
    const LogView::ShownRange selection = log_.Selection();
    const std::optional<TextMatch> match = FindInText(
        log_.ShownText(), field_->text(), selection.start, selection.start + selection.length,
        direction, matchCase_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (!match) return ShowOutcome(kNotFound, true);
    log_.SelectShown(match->start, match->length);
    ShowOutcome(match->wrapped ? kWrapped : QString(), false);
}

void FindBar::ShowOutcome(const QString& message, bool failed) {
    outcome_->setText(message);
    outcome_->setVisible(!message.isEmpty());
    QPalette palette = fieldPalette_;
    if (failed) palette.setColor(QPalette::Base, Tinted(palette.color(QPalette::Base)));
    field_->setPalette(palette);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_ || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    Find(key->modifiers() & Qt::ShiftModifier ? SearchDirection::Backward
                                              : SearchDirection::Forward);
    return true;
}

}  // namespace zel

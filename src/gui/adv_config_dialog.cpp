#include "gui/adv_config_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/dialog_parts.h"

namespace zel {

AdvConfigDialog::AdvConfigDialog(CAdvConfigDlg& logic, QWidget* parent)
    : QDialog(parent), logic_(logic) {
    setWindowTitle(QStringLiteral("Advanced Configuration"));
    auto* group = new QGroupBox(QStringLiteral("Repeating Commands"), this);
    auto* repeat = new QCheckBox(QStringLiteral("Send Command Repeatedly"), group);
    repeat->setObjectName(QStringLiteral("sendRepeatedly"));
    repeat->setChecked(logic_.Repeat());

    // One row per number: label, edit, unit.
    auto* rows = new QGridLayout;
    const auto addRow = [&](const QString& label, const std::string& text, const QString& name,
                            const QString& unit) {
        const int row = rows->rowCount();
        auto* edit = new QLineEdit(ToQt(text), group);
        edit->setObjectName(name);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
        auto* before = new QLabel(label, group);
        auto* after = new QLabel(unit, group);
        before->setBuddy(edit);
        rows->addWidget(before, row, 0);
        rows->addWidget(edit, row, 1);
        rows->addWidget(after, row, 2);
        repeatFields_.insert(repeatFields_.end(), {before, edit, after});
        return edit;
    };
    period_ = addRow(QStringLiteral("Repeat Period"), logic_.PeriodText(),
                     QStringLiteral("repeatPeriod"), QStringLiteral("ms"));
    stopAfter_ = addRow(QStringLiteral("Stop after"), logic_.StopAfterText(),
                        QStringLiteral("stopAfter"), QStringLiteral("sends"));
    stopAfter_->setPlaceholderText(QStringLiteral("no limit"));
    stopAfter_->setToolTip(
        QStringLiteral("The repeat stops by itself once it has resent the command this many "
                       "times; empty, it goes on until turned off."));
    rows->setColumnStretch(3, 1);

    auto* column = new QVBoxLayout(group);
    column->addWidget(repeat);
    column->addLayout(rows);

    connect(repeat, &QCheckBox::clicked, this, [this](bool checked) {
        logic_.OnRepeatClicked(checked);
        Enable();
    });
    connect(period_, &QLineEdit::textEdited, this,
            [this](const QString& text) { logic_.SetPeriodText(FromQt(text)); });
    connect(stopAfter_, &QLineEdit::textEdited, this,
            [this](const QString& text) { logic_.SetStopAfterText(FromQt(text)); });

    auto* replies = new QGroupBox(QStringLiteral("Replies"), this);
    auto* replyRow = new QGridLayout(replies);
    noReply_ = new QLineEdit(ToQt(logic_.NoReplyText()), replies);
    noReply_->setObjectName(QStringLiteral("noReplyAfter"));
    noReply_->setMaximumWidth(period_->maximumWidth());
    noReply_->setToolTip(QStringLiteral(
        "When no reply comes this long after a send, the status line says so; 0 never says it."));
    auto* noReplyLabel = new QLabel(QStringLiteral("&No reply after"), replies);
    noReplyLabel->setBuddy(noReply_);
    replyRow->addWidget(noReplyLabel, 0, 0);
    replyRow->addWidget(noReply_, 0, 1);
    replyRow->addWidget(new QLabel(QStringLiteral("ms (0: off)"), replies), 0, 2);
    replyRow->setColumnStretch(3, 1);
    connect(noReply_, &QLineEdit::textEdited, this,
            [this](const QString& text) { logic_.SetNoReplyText(FromQt(text)); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(replies);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Enable();
}

void AdvConfigDialog::Enable() {
    for (QWidget* field : repeatFields_) field->setEnabled(logic_.PeriodEnabled());
}

void AdvConfigDialog::accept() {
    if (logic_.OnOk()) {
        QDialog::accept();
        return;
    }
    QLineEdit* const byField[] = {period_, stopAfter_, noReply_};
    QLineEdit* refused = byField[static_cast<int>(logic_.Refused())];
    refused->setFocus();
    refused->selectAll();
}

}  // namespace zel

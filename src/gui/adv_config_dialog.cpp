#include "gui/adv_config_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
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
    periodLabel_ = new QLabel(QStringLiteral("Repeat Period"), group);
    period_ = new QLineEdit(ToQt(logic_.PeriodText()), group);
    period_->setObjectName(QStringLiteral("repeatPeriod"));
    period_->setMaximumWidth(
        period_->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    unitLabel_ = new QLabel(QStringLiteral("ms"), group);

    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(periodLabel_);
    periodRow->addWidget(period_);
    periodRow->addWidget(unitLabel_);
    periodRow->addStretch(1);
    auto* column = new QVBoxLayout(group);
    column->addWidget(repeat);
    column->addLayout(periodRow);

    connect(repeat, &QCheckBox::clicked, this, [this](bool checked) {
        logic_.OnRepeatClicked(checked);
        Enable();
    });
    connect(period_, &QLineEdit::textEdited, this,
            [this](const QString& text) { logic_.SetPeriodText(FromQt(text)); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Enable();
}

void AdvConfigDialog::Enable() {
    const bool enabled = logic_.PeriodEnabled();
    periodLabel_->setEnabled(enabled);
    period_->setEnabled(enabled);
    unitLabel_->setEnabled(enabled);
}

void AdvConfigDialog::accept() {
    if (logic_.OnOk()) {
        QDialog::accept();
        return;
    }
    period_->setFocus();
    period_->selectAll();
}

}  // namespace zel

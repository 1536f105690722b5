#include "gui/ip_address_edit.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace zel {

namespace {

constexpr int kFieldDigits = 3;

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto* validator = new QIntValidator(0, 255, this);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) row->addWidget(new QLabel(QStringLiteral("."), this));
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("ipField%1").arg(i));
        field->setValidator(validator);
        field->setMaxLength(kFieldDigits);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (text.size() == kFieldDigits) FocusField(i + 1);
            if (onChanged) onChanged(Address());
        });
        fields_[i] = field;
        row->addWidget(field);
    }
    row->addStretch(1);
    setFocusProxy(fields_[0]);
}

void IpAddressEdit::SetAddress(std::optional<uint32_t> address) {
    for (int i = 0; i < 4; ++i) {
        QSignalBlocker blocker(fields_[i]);
        fields_[i]->setText(address ? QString::number((*address >> (24 - 8 * i)) & 0xFF)
                                    : QString());
    }
}

uint32_t IpAddressEdit::Address() const {
    uint32_t address = 0;
    for (QLineEdit* field : fields_) address = (address << 8) | field->text().toUInt();
    return address;
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Period) {
        for (int i = 0; i < 4; ++i) {
            if (watched == fields_[i]) FocusField(i + 1);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void IpAddressEdit::FocusField(int index) {
    if (index >= 4) return;
    fields_[index]->setFocus();
    fields_[index]->selectAll();
}

}  // namespace zel

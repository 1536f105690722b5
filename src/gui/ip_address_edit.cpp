#include "gui/ip_address_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "services/dialog_fields.h"

namespace zel {

namespace {

constexpr int kFieldDigits = 3;
constexpr uint32_t kLargestPart = 255;

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto* validator = new QIntValidator(0, kLargestPart, this);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) row->addWidget(new QLabel(QStringLiteral("."), this));
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("ipField%1").arg(i));
        field->setValidator(validator);
        field->setMaxLength(kFieldDigits);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { OnEdited(i, text); });
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
    for (QLineEdit* field : fields_) {
        address = (address << 8) | std::min(field->text().toUInt(), kLargestPart);
    }
    return address;
}

void IpAddressEdit::OnEdited(int index, const QString& text) {
    // Three digits pass the validator above 255 ("300"); the part takes the most it can hold.
    if (text.toUInt() > kLargestPart) fields_[index]->setText(QString::number(kLargestPart));
    if (text.size() == kFieldDigits && index < 3) {
        FocusField(index + 1, true);
        movedOnByDigits_ = true;
    }
    if (onChanged) onChanged(Address());
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    auto field = std::find(fields_.begin(), fields_.end(), watched);
    if (field == fields_.end() || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int index = static_cast<int>(field - fields_.begin());
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool afterMovingOn = std::exchange(movedOnByDigits_, false);
    if (key->matches(QKeySequence::Paste)) return PasteAddress();
    if (key->key() == Qt::Key_Period) {
        if (!afterMovingOn && !(*field)->text().isEmpty()) FocusField(index + 1, true);
        return true;
    }
    if (key->key() == Qt::Key_Backspace && (*field)->text().isEmpty() && index > 0) {
        FocusField(index - 1, false);
        return true;
    }
    return false;
}

// Anything but a whole address is left to the field, whose validator takes what fits.
bool IpAddressEdit::PasteAddress() {
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    std::optional<uint32_t> address = ParseDottedAddress(text.toStdString());
    if (!address) return false;
    SetAddress(address);
    FocusField(3, false);
    if (onChanged) onChanged(*address);
    return true;
}

void IpAddressEdit::FocusField(int index, bool selectAll) {
    if (index >= 4) return;
    fields_[index]->setFocus();
    if (selectAll) {
        fields_[index]->selectAll();
    } else {
        fields_[index]->end(false);
    }
}

}  // namespace zel

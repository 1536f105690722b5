#include "gui/ip_address_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
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
    if (field == fields_.end()) return QWidget::eventFilter(watched, event);
    const int index = static_cast<int>(field - fields_.begin());
    // A click into another part selects it, as Tab does, so what is typed replaces it. The
    // focus comes before the press, which would put the caret where it landed.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
        clickedInto_ = *field;
    }
    if (event->type() == QEvent::MouseButtonPress &&
        std::exchange(clickedInto_, nullptr) == *field) {
        (*field)->selectAll();
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool afterMovingOn = std::exchange(movedOnByDigits_, false);
    if (key->matches(QKeySequence::Paste)) return PasteAddress();
    if (IsDigit(*key) && IsFull(**field)) return TypeIntoNext(index, key);
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

bool IpAddressEdit::IsDigit(const QKeyEvent& key) {
    return key.text().size() == 1 && key.text()[0].isDigit();
}

bool IpAddressEdit::IsFull(const QLineEdit& field) {
    return field.text().size() >= kFieldDigits && !field.hasSelectedText();
}

// A digit a full part cannot take goes on to the next part from its end; anywhere else it
// would vanish, so the operator hears that it did.
bool IpAddressEdit::TypeIntoNext(int index, QKeyEvent* key) {
    if (index < 3 && fields_[index]->cursorPosition() == fields_[index]->text().size()) {
        FocusField(index + 1, true);
        QCoreApplication::sendEvent(fields_[index + 1], key);
    } else {
        QApplication::beep();
    }
    return true;
}

// Anything but a whole address is left to the field, whose validator takes what fits.
bool IpAddressEdit::PasteAddress() {
    const QString text = QApplication::clipboard()->text().trimmed();
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

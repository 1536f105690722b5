#include "gui/dialog_polish.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <algorithm>
#include <functional>

namespace zel {
namespace {

constexpr char kDone[] = "zelPolished";
// Room the window frame takes beside the title: its buttons and margins.
constexpr int kTitleBarButtonsPixels = 120;

// The letter after a single '&', lower case; none when the text has no mnemonic.
QChar MnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Where the mnemonic goes: a free letter at a word's start, else any free letter; -1 for none.
qsizetype FreeLetter(const QString& text, const QSet<QChar>& taken) {
    for (bool wordStartsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
            if (!text[i].isLetterOrNumber() || (wordStartsOnly && !wordStart)) continue;
            if (!taken.contains(text[i].toLower())) return i;
        }
    }
    return -1;
}

struct Named {
    QWidget* widget;
    QString text;
    std::function<void(const QString&)> setText;
};

QList<Named> NamedWidgets(QWidget* dialog) {
    QList<Named> named;
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty()) continue;
        named.push_back(
            {button, button->text(), [button](const QString& t) { button->setText(t); }});
    }
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->buddy() || label->text().isEmpty()) continue;
        named.push_back({label, label->text(), [label](const QString& t) { label->setText(t); }});
    }
    return named;
}

// The title bar shows the title and the program's name; a narrower dialog would cut them off.
void FitTitle(QDialog* dialog) {
    QFont font = QApplication::font();
    font.setBold(true);
    QString title = dialog->windowTitle();
    if (!QApplication::applicationDisplayName().isEmpty()) {
        title += QStringLiteral(" \u2014 ") + QApplication::applicationDisplayName();
    }
    const int wanted = QFontMetrics(font).horizontalAdvance(title) + kTitleBarButtonsPixels;
    if (dialog->width() >= wanted) return;
    // A layout of fixed size sets the dialog's size itself: it is widened from inside.
    auto* box = qobject_cast<QBoxLayout*>(dialog->layout());
    if (box && box->sizeConstraint() == QLayout::SetFixedSize) {
        auto* strut = new QWidget(dialog);
        strut->setFixedSize(wanted - box->contentsMargins().left() - box->contentsMargins().right(),
                            0);
        box->addWidget(strut);
        box->activate();
    } else {
        dialog->setMinimumWidth(wanted);
        dialog->resize(wanted, dialog->height());
    }
}

}  // namespace

void AssignMnemonics(QWidget* dialog) {
    const QList<Named> named = NamedWidgets(dialog);
    QSet<QChar> taken;
    for (const Named& entry : named) {
        if (const QChar letter = MnemonicOf(entry.text); !letter.isNull()) taken.insert(letter);
    }
    for (const Named& entry : named) {
        if (!MnemonicOf(entry.text).isNull()) continue;
        const qsizetype at = FreeLetter(entry.text, taken);
        if (at < 0) continue;
        taken.insert(entry.text[at].toLower());
        QString text = entry.text;
        text.insert(at, QLatin1Char('&'));
        entry.setText(text);
    }
}

bool DialogPolish::eventFilter(QObject* watched, QEvent* event) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() != QEvent::Show || !dialog || dialog->property(kDone).toBool()) {
        return false;
    }
    dialog->setProperty(kDone, true);
    AssignMnemonics(dialog);
    FitTitle(dialog);
    const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    const bool hasDefault =
        std::any_of(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isDefault(); });
    if (hasDefault) return false;
    // The accepting button, or the only one (Close) of a dialog that only informs.
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
        const QList<QAbstractButton*> inBox = box->buttons();
        for (QAbstractButton* button : inBox) {
            if (box->buttonRole(button) == QDialogButtonBox::AcceptRole || inBox.size() == 1) {
                static_cast<QPushButton*>(button)->setDefault(true);
                return false;
            }
        }
    }
    if (buttons.size() == 1) buttons.front()->setDefault(true);
    return false;
}

}  // namespace zel

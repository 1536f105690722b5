#include "gui/dialog_parts.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "terminal/connection_config.h"

namespace zel {

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void ShowChoices(QComboBox* list, const ChoiceList& choices) {
    QSignalBlocker blocker(list);
    QStringList entries;
    for (const std::string& entry : choices.entries) entries << ToQt(entry);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    if (shown != entries) {
        list->clear();
        list->addItems(entries);
    }
    list->setCurrentIndex(choices.selected);
}

void ShowText(QLineEdit* edit, const std::string& text) {
    QString wanted = ToQt(text);
    if (edit->text() == wanted) return;
    QSignalBlocker blocker(edit);
    edit->setText(wanted);
}

}  // namespace zel

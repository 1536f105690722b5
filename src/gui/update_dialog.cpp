#include "gui/update_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel {

UpdateDialog::UpdateDialog(UpdateDlg& logic, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Update Zel Terminal"));
    auto* check = new QPushButton(QStringLiteral("Check for Updates"), this);
    check->setObjectName(QStringLiteral("checkForUpdates"));
    check->setAutoDefault(false);
    auto* onStartup = new QCheckBox(QStringLiteral("Check for updates on startup"), this);
    onStartup->setObjectName(QStringLiteral("checkOnStartup"));
    onStartup->setChecked(logic.CheckOnStartup());
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);

    // The check waits for the checker (up to ten seconds) with the dialog open.
    connect(check, &QPushButton::clicked, this, [&logic] { logic.OnCheckForUpdates(); });
    connect(onStartup, &QCheckBox::clicked, this,
            [&logic](bool checked) { logic.OnCheckOnStartupClicked(checked); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* okRow = new QHBoxLayout;
    okRow->addStretch(1);
    okRow->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(check, 0, Qt::AlignLeft);
    layout->addWidget(onStartup);
    layout->addLayout(okRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace zel

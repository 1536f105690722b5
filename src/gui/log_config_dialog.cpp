#include "gui/log_config_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "gui/dialog_parts.h"

namespace zel {

namespace {

struct ModeChoice {
    const char* caption;
    const char* objectName;
};

// In the order of the log modes: 0 ASCII, 1 Mixed, 2 Hex.
constexpr std::array<ModeChoice, 3> kModeChoices = {{
    {"ASCII", "asciiRadio"},
    {"Mixed", "mixedRadio"},
    {"Hex", "hexRadio"},
}};

QCheckBox* MakeCheckBox(const QString& caption, const QString& objectName, bool checked,
                        QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    box->setChecked(checked);
    return box;
}

}  // namespace

LogConfigDialog::LogConfigDialog(CLogConfigDlg& logic, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Log Configuration"));
    const LogSettings& settings = logic.Settings();

    auto* modeGroup = new QGroupBox(QStringLiteral("Log Mode"), this);
    auto* modeColumn = new QVBoxLayout(modeGroup);
    auto* modes = new QButtonGroup(modeGroup);
    for (size_t mode = 0; mode < kModeChoices.size(); ++mode) {
        auto* radio = new QRadioButton(QString::fromLatin1(kModeChoices[mode].caption), modeGroup);
        radio->setObjectName(QString::fromLatin1(kModeChoices[mode].objectName));
        radio->setChecked(static_cast<int>(mode) == static_cast<int>(settings.mode));
        modes->addButton(radio, static_cast<int>(mode));
        modeColumn->addWidget(radio);
    }
    connect(modes, &QButtonGroup::idClicked, this,
            [&logic](int mode) { logic.OnModeClicked(static_cast<LogMode>(mode)); });

    auto* detailsGroup = new QGroupBox(QStringLiteral("Log Details"), this);
    auto* detailsColumn = new QVBoxLayout(detailsGroup);
    auto* details = MakeCheckBox(QStringLiteral("Show Communication Details"),
                                 QStringLiteral("showDetails"), settings.showDetails, detailsGroup);
    auto* timeStamp =
        MakeCheckBox(QStringLiteral("Show Time Stamp"), QStringLiteral("showTimeStamp"),
                     settings.showTimeStamp, detailsGroup);
    detailsColumn->addWidget(details);
    detailsColumn->addWidget(timeStamp);
    detailsColumn->addStretch(1);
    connect(details, &QCheckBox::clicked, this,
            [&logic](bool checked) { logic.OnShowDetailsClicked(checked); });
    connect(timeStamp, &QCheckBox::clicked, this,
            [&logic](bool checked) { logic.OnShowTimeStampClicked(checked); });

    auto* groups = new QHBoxLayout;
    groups->addWidget(modeGroup);
    groups->addWidget(detailsGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace zel

#include "gui/log_config_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
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

    auto* milliseconds =
        MakeCheckBox(QStringLiteral("Milliseconds"), QStringLiteral("stampMilliseconds"),
                     settings.stampMilliseconds, detailsGroup);
    auto* date = MakeCheckBox(QStringLiteral("Date"), QStringLiteral("stampDate"),
                              settings.stampDate, detailsGroup);
    auto* stampParts = new QHBoxLayout;
    stampParts->setContentsMargins(20, 0, 0, 0);
    stampParts->addWidget(milliseconds);
    stampParts->addWidget(date);
    detailsColumn->insertLayout(2, stampParts);
    connect(milliseconds, &QCheckBox::clicked, this,
            [&logic](bool checked) { logic.OnMillisecondsClicked(checked); });
    connect(date, &QCheckBox::clicked, this,
            [&logic](bool checked) { logic.OnDateClicked(checked); });

    auto* groups = new QHBoxLayout;
    groups->addWidget(modeGroup);
    groups->addWidget(detailsGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(BuildFileGroup(logic));
    layout->addWidget(MakeOkCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto enable = [&logic, milliseconds, date] {
        milliseconds->setEnabled(logic.StampPartsEnabled());
        date->setEnabled(logic.StampPartsEnabled());
    };
    connect(timeStamp, &QCheckBox::clicked, this, enable);
    enable();
}

QGroupBox* LogConfigDialog::BuildFileGroup(CLogConfigDlg& logic) {
    const LogFileSettings& file = logic.Settings().file;
    auto* group = new QGroupBox(QStringLiteral("Log File"), this);
    auto* grid = new QGridLayout(group);
    auto* writeToFile = MakeCheckBox(QStringLiteral("Also write to file"),
                                     QStringLiteral("writeToFile"), file.enabled, group);
    auto* path = new QLineEdit(QString::fromStdString(file.path), group);
    path->setObjectName(QStringLiteral("logFilePath"));
    path->setMinimumWidth(path->fontMetrics().averageCharWidth() * 40);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), group);
    browse->setObjectName(QStringLiteral("logFileBrowse"));
    browse->setAutoDefault(false);
    auto* rotateLabel = new QLabel(QStringLiteral("New file at"), group);
    auto* rotate = new QSpinBox(group);
    rotate->setObjectName(QStringLiteral("logFileRotateKiB"));
    rotate->setRange(0, 1 << 30);
    rotate->setSuffix(QStringLiteral(" KiB"));
    rotate->setSpecialValueText(QStringLiteral("never"));
    rotate->setValue(static_cast<int>(file.rotateKiB));
    rotateLabel->setBuddy(rotate);
    grid->addWidget(writeToFile, 0, 0, 1, 3);
    grid->addWidget(path, 1, 0, 1, 2);
    grid->addWidget(browse, 1, 2);
    grid->addWidget(rotateLabel, 2, 0);
    grid->addWidget(rotate, 2, 1);

    auto enable = [&logic, path, browse, rotateLabel, rotate] {
        for (QWidget* field : std::initializer_list<QWidget*>{path, browse, rotateLabel, rotate}) {
            field->setEnabled(logic.FileFieldsEnabled());
        }
    };
    connect(writeToFile, &QCheckBox::clicked, this, [&logic, enable](bool checked) {
        logic.OnWriteToFileClicked(checked);
        enable();
    });
    connect(path, &QLineEdit::textChanged, this,
            [&logic](const QString& text) { logic.OnFilePathEdited(text.toStdString()); });
    connect(rotate, &QSpinBox::valueChanged, this,
            [&logic](int kib) { logic.OnRotateKiBChanged(static_cast<uint32_t>(kib)); });
    connect(browse, &QPushButton::clicked, this, [this, path] {
        const QString chosen = QFileDialog::getSaveFileName(
            this, QStringLiteral("Write the Log to"), path->text(), QString(), nullptr,
            QFileDialog::DontConfirmOverwrite);  // the file is appended to, not replaced
        if (!chosen.isEmpty()) path->setText(chosen);
    });
    enable();
    return group;
}

}  // namespace zel

#include "gui/error_messages_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>
#include <array>

namespace zel {
namespace {

struct ErrorCode {
    const char* code;
    const char* name;
    const char* tabsAfterName;  // short names take two, so the advice starts in one column
    const char* advice;
};

constexpr std::array<ErrorCode, 5> kErrorCodes = {{
    {"E00", "Communication Error", "\t", "Check your serial connections"},
    {"E04", "Feature Not Available", "\t",
     "Yet Have you entered the correct command? Check for avail."},
    {"E11", "Media Not Present", "\t",
     "Is the Compact Flash inserted? Formatted? A recommended brand?"},
    {"E12", "Search Error", "\t\t",
     "Selecting the correct file? Is the file on the card? Is it named correctly?"},
    {"E20", "Format Error", "\t\t", "Has the Compact Flash been properly formatted?"},
}};

// Tab stops of this many characters of the fixed-pitch font put the short names' two tabs and
// the long names' one tab at the same column.
constexpr int kTabStopCharacters = 13;
// Room for the longest line (the E12 advice ends at column 113) and all lines without scrolling.
constexpr int kVisibleColumns = 118;
constexpr int kVisibleLines = 13;

}  // namespace

const QString& ErrorMessagesText() {
    static const QString text = [] {
        QString joined = QStringLiteral(
            "Below is a brief explaination of the possible error messages you may receive "
            "instead of an \"R\"\n");
        for (const ErrorCode& entry : kErrorCodes) {
            joined += QStringLiteral("\n%1\t%2%3%4\n")
                          .arg(QLatin1String(entry.code), QLatin1String(entry.name),
                               QLatin1String(entry.tabsAfterName), QLatin1String(entry.advice));
        }
        return joined;
    }();
    return text;
}

void ShowErrorMessages(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("errorMessagesDialog"));
    dialog.setWindowTitle(QStringLiteral("Error Messages"));

    auto* text = new QPlainTextEdit(ErrorMessagesText(), &dialog);
    text->setObjectName(QStringLiteral("errorMessagesText"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    text->setFont(font);
    const QFontMetricsF metrics(font);
    const qreal column = metrics.horizontalAdvance(QLatin1Char('x'));
    text->setTabStopDistance(column * kTabStopCharacters);
    text->setMinimumSize(static_cast<int>(column * kVisibleColumns),
                         static_cast<int>(metrics.lineSpacing() * kVisibleLines));

    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.exec();
}

}  // namespace zel

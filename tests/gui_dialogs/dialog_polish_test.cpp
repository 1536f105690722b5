// Every dialog as the program shows it: reached by the keyboard (a default button, a mnemonic
// on each caption), its whole title in sight, and small enough for 1366x768 scaled to 125%.
#include "gui/dialog_polish.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <functional>

#include "gui/error_messages_dialog.h"
#include "gui/program_identity.h"
#include "gui/settings_dialogs.h"
#include "gui_dialogs/dialog_fixture.h"

namespace zel {
namespace {

// 1366x768 at 125%, in the dialog's own pixels.
const QSize kSmallestScaledScreen(1092, 614);

QChar Mnemonic(const QString& text) {
    const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
    return at < 0 ? QChar() : text[at + 1].toLower();
}

class DialogPolishTest : public ::testing::Test, public test::TerminalOnFakes {
  protected:
    DialogPolishTest() {
        terminal->OnInitDialog({});
        qApp->installEventFilter(&polish);
    }
    ~DialogPolishTest() override { qApp->removeEventFilter(&polish); }

    DialogPolish polish;
};

TEST_F(DialogPolishTest, EveryDialogHasADefaultButtonMnemonicsItsWholeTitleAndFitsTheScreen) {
    const std::pair<const char*, std::function<void()>> dialogs[] = {
        {"Connection Setup", [this] { OpenConnectionSetup(nullptr, *terminal); }},
        {"Log Configuration", [this] { OpenLogConfiguration(nullptr, *terminal); }},
        {"Advanced Configuration", [this] { OpenAdvancedConfiguration(nullptr, *terminal); }},
        {"Update", [this] { OpenUpdateDialog(nullptr, *terminal); }},
        {"Error Messages", [] { ShowErrorMessages(nullptr); }},
        {"About", [] { ShowAboutBox(nullptr); }},
    };
    for (const auto& [name, open] : dialogs) {
        SCOPED_TRACE(name);
        test::WhenModalShown([](QDialog& dialog) {
            QCoreApplication::processEvents();
            const QList<QPushButton*> pushButtons = dialog.findChildren<QPushButton*>();
            EXPECT_TRUE(std::any_of(pushButtons.begin(), pushButtons.end(),
                                    [](QPushButton* button) { return button->isDefault(); }));
            QSet<QChar> used;
            for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
                if (button->text().isEmpty()) continue;
                const QChar letter = Mnemonic(button->text());
                EXPECT_FALSE(letter.isNull()) << button->text().toStdString();
                EXPECT_FALSE(used.contains(letter)) << button->text().toStdString();
                used.insert(letter);
            }
            QFont bold = QApplication::font();
            bold.setBold(true);
            EXPECT_GT(dialog.width(), QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()));
            EXPECT_TRUE(kSmallestScaledScreen.expandedTo(dialog.frameSize()) ==
                        kSmallestScaledScreen)
                << dialog.frameSize().width() << "x" << dialog.frameSize().height();
            dialog.reject();
        });
        open();
    }
}

}  // namespace
}  // namespace zel

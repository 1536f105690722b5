// The Log Configuration, Advanced Configuration and update dialogs through their entry points.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/settings_dialogs.h"
#include "gui_dialogs/dialog_fixture.h"

namespace zel {
namespace {

template <typename Widget>
Widget* Find(QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Click(QDialog& dialog, const char* name) {
    test::ClickButton(Find<QAbstractButton>(dialog, name));
}

QStringList GroupTitles(QDialog& dialog) {
    QStringList titles;
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) titles << group->title();
    return titles;
}

class SmallDialogsTest : public ::testing::Test, public test::TerminalOnFakes {
  protected:
    SmallDialogsTest() { terminal->OnInitDialog({}); }
};

TEST_F(SmallDialogsTest, LogConfigurationHandsTheModeAndDetailsBackOnOkOnly) {
    terminal->ApplyLogSettings({LogMode::Mixed, false, true});
    test::WhenModalShown([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Log Configuration");
        EXPECT_EQ(GroupTitles(dialog), QStringList({"Log Mode", "Log Details", "Log File"}));
        EXPECT_EQ(Find<QRadioButton>(dialog, "asciiRadio")->text(), "ASCII");
        EXPECT_EQ(Find<QRadioButton>(dialog, "hexRadio")->text(), "Hex");
        EXPECT_TRUE(Find<QRadioButton>(dialog, "mixedRadio")->isChecked());
        EXPECT_EQ(Find<QCheckBox>(dialog, "showDetails")->text(), "Show Communication Details");
        EXPECT_TRUE(Find<QCheckBox>(dialog, "showDetails")->isChecked());
        EXPECT_EQ(Find<QCheckBox>(dialog, "showTimeStamp")->text(), "Show Time Stamp");
        Click(dialog, "hexRadio");
        Click(dialog, "showTimeStamp");
        Click(dialog, "cancelButton");
    });
    OpenLogConfiguration(nullptr, *terminal);
    EXPECT_EQ(terminal->Log().Settings().mode, LogMode::Mixed);
    EXPECT_FALSE(terminal->Log().Settings().showTimeStamp);

    test::WhenModalShown([](QDialog& dialog) {
        Click(dialog, "hexRadio");
        EXPECT_FALSE(Find<QRadioButton>(dialog, "mixedRadio")->isChecked());
        Click(dialog, "showTimeStamp");
        Click(dialog, "showDetails");
        Click(dialog, "okButton");
    });
    OpenLogConfiguration(nullptr, *terminal);
    EXPECT_EQ(terminal->Log().Settings().mode, LogMode::Hex);
    EXPECT_TRUE(terminal->Log().Settings().showTimeStamp);
    EXPECT_FALSE(terminal->Log().Settings().showDetails);
}

TEST_F(SmallDialogsTest, AdvancedConfigurationEnablesThePeriodWithTheBoxAndStartsTheTimer) {
    test::WhenModalShown([this](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Advanced Configuration");
        EXPECT_EQ(GroupTitles(dialog), (QStringList{"Repeating Commands", "Replies"}));
        auto* box = Find<QCheckBox>(dialog, "sendRepeatedly");
        auto* period = Find<QLineEdit>(dialog, "repeatPeriod");
        EXPECT_EQ(box->text(), "Send Command Repeatedly");
        EXPECT_EQ(period->text(), "1000");
        auto* stopAfter = Find<QLineEdit>(dialog, "stopAfter");
        EXPECT_EQ(stopAfter->text(), "");
        QList<QLabel*> labels = dialog.findChildren<QGroupBox*>().front()->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 4);
        for (QLabel* label : labels)
            EXPECT_FALSE(label->isEnabled()) << label->text().toStdString();
        EXPECT_FALSE(period->isEnabled());
        EXPECT_FALSE(stopAfter->isEnabled());
        Click(dialog, "sendRepeatedly");
        EXPECT_TRUE(period->isEnabled());
        EXPECT_TRUE(stopAfter->isEnabled());
        for (QLabel* label : labels) EXPECT_TRUE(label->isEnabled());

        QTest::keyClicks(stopAfter, "0");
        Click(dialog, "okButton");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), stopAfter);
        stopAfter->selectAll();
        QTest::keyClicks(stopAfter, "3");
        window.shown.clear();

        period->selectAll();
        QTest::keyClicks(period, "abc");
        Click(dialog, "okButton");
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(window.shown.size(), 1u);
        EXPECT_EQ(window.shown[0].text, "Please enter a positive integer.");
        EXPECT_EQ(dialog.focusWidget(), period);
        period->selectAll();
        QTest::keyClicks(period, "250");
        auto* noReply = Find<QLineEdit>(dialog, "noReplyAfter");
        EXPECT_EQ(noReply->text(), "1000");
        noReply->selectAll();
        QTest::keyClicks(noReply, "2500");
        Click(dialog, "okButton");
    });
    OpenAdvancedConfiguration(nullptr, *terminal);
    EXPECT_EQ(terminal->NoReplyMs(), 2500u);
    EXPECT_TRUE(terminal->Repeat().repeat);
    EXPECT_EQ(terminal->Repeat().periodMs, 250u);
    EXPECT_EQ(terminal->Repeat().stopAfter, std::optional<uint32_t>(3));
    ASSERT_EQ(window.timers.count(CZelTermDlg::kRepeatTimerId), 1u);
}

TEST_F(SmallDialogsTest, AdvancedConfigurationCancelledChangesNothing) {
    test::WhenModalShown([](QDialog& dialog) {
        Click(dialog, "sendRepeatedly");
        Click(dialog, "cancelButton");
    });
    OpenAdvancedConfiguration(nullptr, *terminal);
    EXPECT_FALSE(terminal->Repeat().repeat);
    EXPECT_EQ(window.timers.count(CZelTermDlg::kRepeatTimerId), 0u);
}

TEST_F(SmallDialogsTest, UpdateDialogStoresTheBoxOnOkAndKeepsTheOldValueWhenClosed) {
    ASSERT_EQ(terminal->CheckUpdateOnLaunchValue(), 1u);
    test::WhenModalShown([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Update Zel Terminal");
        EXPECT_EQ(Find<QPushButton>(dialog, "checkForUpdates")->text(), "Check for Updates");
        EXPECT_EQ(Find<QPushButton>(dialog, "okButton")->text(), "OK");
        auto* box = Find<QCheckBox>(dialog, "checkOnStartup");
        EXPECT_EQ(box->text(), "Check for updates on startup");
        EXPECT_TRUE(box->isChecked());
        Click(dialog, "checkOnStartup");
        dialog.close();  // the close box
    });
    OpenUpdateDialog(nullptr, *terminal);
    EXPECT_EQ(terminal->CheckUpdateOnLaunchValue(), 1u);

    test::WhenModalShown([](QDialog& dialog) {
        Click(dialog, "checkOnStartup");
        Click(dialog, "okButton");
    });
    OpenUpdateDialog(nullptr, *terminal);
    EXPECT_EQ(terminal->CheckUpdateOnLaunchValue(), 0u);

    test::WhenModalShown([](QDialog& dialog) {
        EXPECT_FALSE(Find<QCheckBox>(dialog, "checkOnStartup")->isChecked());
        Click(dialog, "okButton");
    });
    OpenUpdateDialog(nullptr, *terminal);
    EXPECT_EQ(terminal->CheckUpdateOnLaunchValue(), 0u);
}

}  // namespace
}  // namespace zel

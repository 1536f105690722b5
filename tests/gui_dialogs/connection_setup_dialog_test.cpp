// The Connection Setup dialog worked as an operator would, through the main window's entry point.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/settings_dialogs.h"
#include "gui_dialogs/dialog_fixture.h"
#include "products/catalog.h"

namespace zel {
namespace {

template <typename Widget>
Widget* Find(QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Type(QDialog& dialog, const char* editName, const QString& text) {
    QLineEdit* edit = Find<QLineEdit>(dialog, editName);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void Click(QDialog& dialog, const char* name) {
    test::ClickButton(Find<QAbstractButton>(dialog, name));
}

// Moves the list's selection down to the entry as the arrow keys do.
void Choose(QDialog& dialog, const char* listName, const QString& entry) {
    QComboBox* list = Find<QComboBox>(dialog, listName);
    const int wanted = list->findText(entry);
    ASSERT_GE(wanted, 0) << entry.toStdString();
    list->setCurrentIndex(0);
    for (int i = 0; i < wanted; ++i) QTest::keyClick(list, Qt::Key_Down);
}

QStringList Entries(QDialog& dialog, const char* listName) {
    QComboBox* list = Find<QComboBox>(dialog, listName);
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

class ConnectionSetupDialogTest : public ::testing::Test, public test::TerminalOnFakes {
  protected:
    ConnectionSetupDialogTest() {
        store.keyExists = true;
        auto names = SortedProductNames(BuildCatalog());
        store.SetNumber("Product", std::find(names.begin(), names.end(), "Sonnel") - names.begin());
        store.SetText("Protocol", "Pioneer");
        store.SetText("ComPort", "COM2");
        store.SetText("ProductIPAddress", "127.0.0.1");
        store.SetNumber("LocalUDPPort", 2639);
    }

    void Open(std::function<void(QDialog&)> drive) {
        terminal->OnInitDialog({});
        test::WhenModalShown(std::move(drive));
        OpenConnectionSetup(nullptr, *terminal);
    }

    const ConnectionProfile& Profile() { return terminal->Profile(); }
};

TEST_F(ConnectionSetupDialogTest, ShowsItsCaptionsAndTheTerminalsProfile) {
    Open([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Connection Setup");
        QStringList groups;
        for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) groups << group->title();
        groups.sort();
        EXPECT_EQ(groups, QStringList({"Connection", "Ethernet Options", "Protocol",
                                       "Serial Options", "Unit Address"}));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
        for (const char* label : {"COM Port", "Baud Rate", "Product IP Address", "Local Port",
                                  "Product Port", "Unit Address (0-127)"}) {
            EXPECT_TRUE(labels.contains(label)) << label;
        }
        EXPECT_EQ(Find<QCheckBox>(dialog, "sendUnitAddress")->text(), "Send Unit Address");
        EXPECT_TRUE(Find<QRadioButton>(dialog, "serialRadio")->isChecked());
        EXPECT_EQ(Entries(dialog, "protocolList"), QStringList{"Pioneer"});
        EXPECT_EQ(Entries(dialog, "portList"), QStringList({"COM1", "COM2"}));
        EXPECT_EQ(Find<QComboBox>(dialog, "portList")->currentText(), "COM2");
        EXPECT_EQ(Find<QComboBox>(dialog, "baudList")->currentText(), "9600");
        EXPECT_EQ(Find<QLineEdit>(dialog, "ipField0")->text(), "127");
        EXPECT_EQ(Find<QLineEdit>(dialog, "ipField3")->text(), "1");
        EXPECT_EQ(Find<QLineEdit>(dialog, "localPort")->text(), "2639");
        EXPECT_EQ(Find<QLineEdit>(dialog, "productPort")->text(), "2638");
        EXPECT_EQ(Find<QLineEdit>(dialog, "unitAddress")->text(), "1");
        EXPECT_FALSE(Find<QRadioButton>(dialog, "usbRadio")->isEnabled());
        Click(dialog, "cancelButton");
    });
}

TEST_F(ConnectionSetupDialogTest, EthernetWithZelnetTakesItsPortAndEverythingTypedOnOk) {
    Open([](QDialog& dialog) {
        Click(dialog, "ethernetRadio");
        EXPECT_EQ(Entries(dialog, "protocolList"), QStringList({"Pioneer", "Pioneer(ZELNet)"}));
        Choose(dialog, "protocolList", "Pioneer(ZELNet)");
        EXPECT_EQ(Find<QLineEdit>(dialog, "productPort")->text(), "2639");
        Type(dialog, "localPort", "4000");
        Type(dialog, "ipField0", "10");
        QTest::keyClick(Find<QLineEdit>(dialog, "ipField0"), Qt::Key_Period);
        EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, "ipField1"));
        Type(dialog, "ipField1", "0");
        Type(dialog, "ipField2", "0");
        Type(dialog, "ipField3", "7");
        Click(dialog, "sendUnitAddress");
        EXPECT_TRUE(Find<QLineEdit>(dialog, "unitAddress")->isEnabled());
        Type(dialog, "unitAddress", "127");
        Click(dialog, "okButton");
    });
    EXPECT_EQ(Profile().connectionType, kEthernet);
    EXPECT_EQ(Profile().protocolName, "Pioneer(ZELNet)");
    EXPECT_EQ(Profile().productUdpPort, 2639u);
    EXPECT_EQ(Profile().localUdpPort, 4000u);
    EXPECT_EQ(Profile().productIpAddress, "10.0.0.7");
    EXPECT_EQ(Profile().unitAddress, 127);
    EXPECT_TRUE(Profile().sendUnitAddress);
    EXPECT_EQ(udp.boundPort, 4000u);
}

TEST_F(ConnectionSetupDialogTest, ARefusedUnitAddressKeepsTheDialogOpenWithTheEditFocused) {
    Open([this](QDialog& dialog) {
        Click(dialog, "sendUnitAddress");
        Type(dialog, "unitAddress", "128");
        Click(dialog, "okButton");
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(window.shown.size(), 1u);
        EXPECT_EQ(window.shown[0].text, "Please enter an integer between 0 and 127.");
        EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, "unitAddress"));
        Type(dialog, "unitAddress", "127");
        Type(dialog, "productPort", "70000");
        Click(dialog, "okButton");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(Profile().unitAddress, 127);
    EXPECT_EQ(Profile().productUdpPort, 70000u);
}

TEST_F(ConnectionSetupDialogTest, ALetterInAPortIsRefused) {
    Open([this](QDialog& dialog) {
        Type(dialog, "localPort", "abc");
        Click(dialog, "okButton");
        ASSERT_EQ(window.shown.size(), 1u);
        EXPECT_EQ(window.shown[0].text, "Please enter a positive integer.");
        EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, "localPort"));
        Click(dialog, "cancelButton");
    });
    EXPECT_EQ(Profile().localUdpPort, 2639u);
}

TEST_F(ConnectionSetupDialogTest, CancelKeepsTheProtocolOnTheProductOnly) {
    Open([](QDialog& dialog) {
        Click(dialog, "ethernetRadio");
        Choose(dialog, "protocolList", "Pioneer(ZELNet)");
        Type(dialog, "localPort", "4000");
        Click(dialog, "cancelButton");
    });
    EXPECT_EQ(terminal->CurrentProduct()->CurrentProtocol(kEthernet)->protocol, kPioneerZelnet);
    EXPECT_EQ(Profile().connectionType, kSerial);
    EXPECT_EQ(Profile().protocolName, "Pioneer");
    EXPECT_EQ(Profile().localUdpPort, 2639u);
    EXPECT_EQ(Profile().productUdpPort, 2638u);
    EXPECT_FALSE(serial.IsOpen());  // freed for the dialog, reopened by the next send
}

TEST_F(ConnectionSetupDialogTest, NoFreePortDisablesSerialAndShowsThePortAsItIs) {
    Open([this](QDialog& dialog) {
        EXPECT_EQ(Entries(dialog, "portList"), QStringList({"COM1", "COM2"}));
        Click(dialog, "cancelButton");
    });
    serial.probe["COM1"] = ProbeResult::InUse;
    serial.probe["COM2"] = ProbeResult::InUse;
    test::WhenModalShown([](QDialog& dialog) {
        EXPECT_EQ(Entries(dialog, "portList"), QStringList({"COM2 (in use)"}));
        EXPECT_FALSE(Find<QRadioButton>(dialog, "serialRadio")->isEnabled());
        EXPECT_TRUE(Find<QComboBox>(dialog, "portList")->isEnabled());
        EXPECT_TRUE(Find<QRadioButton>(dialog, "ethernetRadio")->isEnabled());
        Click(dialog, "okButton");
    });
    OpenConnectionSetup(nullptr, *terminal);
    EXPECT_EQ(Profile().serialPort, "COM2");
}

TEST_F(ConnectionSetupDialogTest, TheUnitAddressEditFollowsTheBox) {
    Open([](QDialog& dialog) {
        auto* box = Find<QCheckBox>(dialog, "sendUnitAddress");
        auto* edit = Find<QLineEdit>(dialog, "unitAddress");
        EXPECT_TRUE(box->isEnabled());
        EXPECT_FALSE(edit->isEnabled());
        Click(dialog, "sendUnitAddress");
        EXPECT_TRUE(edit->isEnabled());
        Click(dialog, "sendUnitAddress");
        EXPECT_FALSE(edit->isEnabled());
        Click(dialog, "cancelButton");
    });
}

}  // namespace
}  // namespace zel

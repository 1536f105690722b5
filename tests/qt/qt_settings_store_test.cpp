// The settings file as the terminal reads and writes it, on a real file.
#include "gui/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

class SettingsFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath("nested/ZelTerm.conf");
    QtSettingsStore store{path};
};

TEST_F(SettingsFileTest, NoFileMeansNoKeyAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(store.OpenForRead(), nullptr);
    {
        auto key = store.OpenOrCreateForWrite();
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->WriteNumber("LocalUDPPort", 10000));
    }
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_NE(store.OpenForRead(), nullptr);
}

TEST_F(SettingsFileTest, TextsKeepTheirExactBytesAndNumbersReadBackAsFourBytes) {
    const std::string binary("a\0b\xff\r\n=;[x]\\\"", 13);
    const std::string long159(159, 'q');
    {
        auto key = store.OpenOrCreateForWrite();
        key->WriteText("CustomString", binary);
        key->WriteText("ComPort", long159);
        key->WriteText("Protocol", "");
        key->WriteNumber("Product", 0x01020304);
        key->WriteText("Connection", "was text");
        key->WriteNumber("Connection", 2);  // a value changes type when rewritten
    }
    auto key = store.OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("CustomString"), binary);
    EXPECT_EQ(key->ReadValue("ComPort"), long159);
    EXPECT_EQ(key->ReadValue("Protocol"), "");
    EXPECT_EQ(key->ReadValue("Product"), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(key->ReadValue("Connection"), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(key->ReadValue("Missing"), std::nullopt);
}

TEST_F(SettingsFileTest, DeletingRemovesTheValue) {
    {
        auto key = store.OpenOrCreateForWrite();
        key->WriteText("CustString1", "\"?V\"");
        key->WriteText("CustStringName1", "Version");
        EXPECT_TRUE(key->DeleteValue("CustString1"));
        EXPECT_FALSE(key->DeleteValue("CustString2"));
    }
    auto key = store.OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("CustString1"), std::nullopt);
    EXPECT_EQ(key->ReadValue("CustStringName1"), "Version");
}

TEST_F(SettingsFileTest, AFileThatIsNotASettingsFileGivesTheDefaults) {
    QDir().mkpath(dir.filePath("nested"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x00\xff\xfe garbage [unclosed\n=\n\x01\x02", 26));
    file.close();

    test::FakeWindowSystem window;
    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher updates;
    updates.present = false;
    CZelTermDlg terminal({window, store, serial, udp, usb, clock, updates});
    terminal.OnInitDialog({});
    EXPECT_EQ(terminal.CurrentProduct()->Name(), "A/V Reelmast");
    EXPECT_EQ(terminal.Profile().productIpAddress, "192.168.0.254");
    terminal.OnOk();
    auto key = store.OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("ProductIPAddress"), "192.168.0.254");
}

TEST_F(SettingsFileTest, TheEnvironmentPointsTheStoreAtAnotherFile) {
    qputenv("ZELTERM_SETTINGS", path.toUtf8());
    EXPECT_EQ(QtSettingsStore().Path(), path);
    qunsetenv("ZELTERM_SETTINGS");
    EXPECT_TRUE(QtSettingsStore().Path().endsWith("/Quorvane/ZelTerm.conf"));
}

}  // namespace
}  // namespace zel

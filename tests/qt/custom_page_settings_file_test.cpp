// The Custom tab's list kept in the real settings file, across page objects and store objects.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "gui/qt_settings_store.h"
#include "pages/common/custom_page.h"
#include "support/fake_page_host.h"

namespace zel {
namespace {

class FileBackedHost : public test::FakePageHost {
  public:
    explicit FileBackedHost(const QString& path) : store(path) {}
    ISettingsStore& Settings() override { return store; }
    QtSettingsStore store;
};

class CustomPageFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath("ZelTerm.conf");
};

TEST_F(CustomPageFileTest, TheListComesBackFromTheFileInANewRun) {
    {
        FileBackedHost host(path);
        CCustomTabDlg page(host);
        page.Create();
        test::SetPath(page, "New String/Name", "Search");
        test::SetPath(page, "New String/String", "\"1SE\" h0D");
        test::PressPath(page, "New String/Add");
        test::SetPath(page, "New String/Name", "Version");
        test::SetPath(page, "New String/String", "\"?V\" h0D");
        test::PressPath(page, "New String/Add");
        page.Destroy();
    }
    FileBackedHost host(path);
    CCustomTabDlg page(host);
    page.Create();
    const Control& list = page.At(*page.Find("Custom Strings/report"));
    EXPECT_EQ(list.rows, (std::vector<std::vector<std::string>>{{"Search", "\"1SE\" h0D"},
                                                                {"Version", "\"?V\" h0D"}}));
    test::SetPath(page, "Custom Strings/report", "Search");
    test::PressPath(page, "Custom Strings/Send");
    EXPECT_EQ(host.sent, (std::vector<test::FakePageHost::Sent>{{"1SE\r", false}}));
}

// Kept as it changes: a crash or a kill before the page closes loses nothing.
TEST_F(CustomPageFileTest, EveryAddAndRemoveIsInTheFileAtOnce) {
    FileBackedHost host(path);
    CCustomTabDlg page(host);
    page.Create();
    auto stored = [&](const std::string& name) {
        auto key = QtSettingsStore(path).OpenForRead();
        return key ? key->ReadValue(name) : std::nullopt;
    };
    for (const char* name : {"A", "B", "C"}) {
        test::SetPath(page, "New String/Name", name);
        test::PressPath(page, "New String/Add");
    }
    EXPECT_EQ(stored("CustStringName3"), "C");
    for (const char* name : {"A", "B"}) {
        test::SetPath(page, "Custom Strings/report", name);
        test::PressPath(page, "Custom Strings/Remove");
    }
    EXPECT_EQ(stored("CustStringName1"), "C");
    EXPECT_EQ(stored("CustStringName2"), std::nullopt);
    EXPECT_EQ(stored("CustStringName3"), std::nullopt);
}

TEST_F(CustomPageFileTest, AnOverLongEntryInTheFileDoesNotHideTheOnesAfterIt) {
    {
        QtSettingsStore store(path);
        auto key = store.OpenOrCreateForWrite();
        ASSERT_NE(key, nullptr);
        key->WriteText("CustStringName1", "A");
        key->WriteText("CustString1", "\"1\"");
        key->WriteText("CustStringName2", std::string(200, 'n'));
        key->WriteText("CustString2", "\"2\"");
        key->WriteText("CustStringName3", "C");
        key->WriteText("CustString3", "\"3\"");
    }
    FileBackedHost host(path);
    CCustomTabDlg page(host);
    page.Create();
    const Control& list = page.At(*page.Find("Custom Strings/report"));
    EXPECT_EQ(list.rows, (std::vector<std::vector<std::string>>{{"A", "\"1\""}, {"C", "\"3\""}}));
    page.Destroy();
    auto key = host.store.OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("CustStringName2"), "C");
    EXPECT_EQ(key->ReadValue("CustStringName3"), std::nullopt);
    EXPECT_EQ(key->ReadValue("CustString3"), std::nullopt);
}

}  // namespace
}  // namespace zel

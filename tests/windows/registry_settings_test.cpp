// The settings store on a real registry hive (wine's), each test under a key of its own.
#include "transport/windows/registry_settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "gui/registry_settings_store.h"

namespace zel {
namespace {

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

class RegistrySettingsTest : public testing::Test {
  protected:
    void SetUp() override {
        path = std::string("Software\\ZelTermTests\\") +
               testing::UnitTest::GetInstance()->current_test_info()->name();
        TearDown();
    }
    void TearDown() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeW(root, Wide(path).c_str());
            RegDeleteKeyW(root, Wide(path).c_str());
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, Wide(RegistrySettings::SavingKeyPath(path)).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, Wide(RegistrySettings::SavingKeyPath(path)).c_str());
    }

    DWORD TypeOf(HKEY root, const std::string& key, const std::string& name) {
        DWORD type = REG_NONE;
        RegGetValueW(root, Wide(key).c_str(), Wide(name).c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                     nullptr, nullptr);
        return type;
    }

    void WriteRaw(HKEY root, const std::string& key, const std::string& name, DWORD number) {
        ASSERT_EQ(RegSetKeyValueW(root, Wide(key).c_str(), Wide(name).c_str(), REG_DWORD, &number,
                                  sizeof number),
                  ERROR_SUCCESS);
    }

    std::string path;
};

TEST_F(RegistrySettingsTest, ValuesComeBackAsStoredWithTheirRegistryTypes) {
    RegistrySettingsStore store(path);
    EXPECT_EQ(store.OpenForRead(), nullptr);
    const std::string notUtf8 = "a\xff\xfe";
    {
        auto key = store.OpenOrCreateForWrite();
        ASSERT_NE(key, nullptr);
        key->WriteText("ComPort", "COM10");
        key->WriteText("CustomString", "caf\xc3\xa9 %PATH% \\zero");
        key->WriteText("Odd", notUtf8);
        key->WriteNumber("LocalUDPPort", 10000);
        key->WriteNumber("Gone", 1);
        EXPECT_TRUE(key->DeleteValue("Gone"));
        EXPECT_FALSE(key->DeleteValue("Gone"));
        EXPECT_TRUE(key->Save());
    }
    auto key = store.OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("ComPort"), "COM10");
    // Stored unexpanded, as typed.
    EXPECT_EQ(key->ReadValue("CustomString"), "caf\xc3\xa9 %PATH% \\zero");
    EXPECT_EQ(key->ReadValue("Odd"), notUtf8);
    EXPECT_EQ(key->ReadValue("LocalUDPPort"), std::string("\x10\x27\0\0", 4));
    EXPECT_EQ(key->ReadValue("Gone"), std::nullopt);
    EXPECT_FALSE(key->WriteText("ComPort", "COM1"));  // a key opened for reading stays as it is
    EXPECT_EQ(TypeOf(HKEY_CURRENT_USER, path, "ComPort"), DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(TypeOf(HKEY_CURRENT_USER, path, "LocalUDPPort"), DWORD(REG_DWORD));
    EXPECT_EQ(TypeOf(HKEY_CURRENT_USER, path, "Gone"), DWORD(REG_NONE));
}

TEST_F(RegistrySettingsTest, ANewUserStartsFromTheMachineKeyAndWritesOnlyTheirOwn) {
    WriteRaw(HKEY_LOCAL_MACHINE, path, "RepeatPeriod", 250);
    WriteRaw(HKEY_LOCAL_MACHINE, path, "Connection", 1);
    RegistrySettingsStore store(path);
    ASSERT_NE(store.OpenForRead(), nullptr);
    EXPECT_EQ(store.OpenForRead()->ReadValue("RepeatPeriod"), std::string("\xfa\0\0\0", 4));
    {
        auto key = store.OpenOrCreateForWrite();
        key->WriteNumber("Connection", 2);
    }
    auto key = store.OpenForRead();
    EXPECT_EQ(key->ReadValue("Connection"), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(key->ReadValue("RepeatPeriod"), std::string("\xfa\0\0\0", 4));
    // The machine's values stay as the administrator left them.
    RegistrySettings machine("Software\\ZelTermTests\\none", path);
    EXPECT_EQ(machine.Load()->at("Connection").number, 1u);
}

TEST_F(RegistrySettingsTest, ASaveCutShortBeforeItsCopyIsCompleteLeavesThePreviousValues) {
    RegistrySettings registry(path, path);
    ASSERT_TRUE(registry.Store({{"BaudRate", {false, "9600", 0}}}));
    // The copy of a save that stopped while writing it: no completeness mark.
    WriteRaw(HKEY_CURRENT_USER, RegistrySettings::SavingKeyPath(path), "Connection", 2);
    auto values = registry.Load();
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, (RegistryValues{{"BaudRate", {false, "9600", 0}}}));
    HKEY copy = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, Wide(RegistrySettings::SavingKeyPath(path)).c_str(),
                            0, KEY_READ, &copy),
              ERROR_SUCCESS);
}

TEST_F(RegistrySettingsTest, ASaveCutShortAfterItsCopyIsCompleteIsFinishedByTheNextLoad) {
    RegistrySettings registry(path, path);
    ASSERT_TRUE(registry.Store({{"BaudRate", {false, "9600", 0}}, {"Old", {true, {}, 7}}}));
    const std::string saving = RegistrySettings::SavingKeyPath(path);
    WriteRaw(HKEY_CURRENT_USER, saving, "Connection", 2);
    WriteRaw(HKEY_CURRENT_USER, saving, "", 1);          // complete
    WriteRaw(HKEY_CURRENT_USER, path, "Connection", 2);  // the key itself half changed
    const RegistryValues saved{{"Connection", {true, {}, 2}}};
    EXPECT_EQ(registry.Load(), saved);
    EXPECT_EQ(RegistrySettings(path, "Software\\ZelTermTests\\none").Load(), saved);
}

}  // namespace
}  // namespace zel

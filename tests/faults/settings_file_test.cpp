// A settings file that cannot be written, cannot be read, or is damaged, met by the real
// terminal program: what it held before survives byte for byte, and the operator is told once
// that the settings were not saved.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "faults/restricted_run.h"
#include "gui/qt_settings_store.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

constexpr int kGenerousWaitMs = 30000;

struct CustomString {
    const char* name;
    const char* command;
};
constexpr CustomString kCustomStrings[] = {
    {"Play", "\"PL\" h0D"}, {"Search", "\"1SE\" h0D"}, {"Version", "\"?V\" h0D"}};

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class SettingsFileFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/zelterm-settings-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root = name;
        program = root / "bin" / "zelterm";
        folder = root / "conf";
        file = folder / "ZelTerm.conf";
        // The unprivileged user runs the program from the test's own folder: the build tree
        // may be closed to it.
        fs::create_directories(root / "bin");
        std::error_code elsewhere;
        fs::create_hard_link(ZELTERM_PATH, program, elsewhere);
        if (elsewhere) fs::copy_file(ZELTERM_PATH, program);
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        fs::create_directories(folder);
        WriteSettings();
        before = Contents(file);
        ASSERT_FALSE(before.empty());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(root, ignored);
    }

    // The Tamlet over the serial line, no check at launch, and the custom strings.
    void WriteSettings() {
        auto key = QtSettingsStore(QString::fromStdString(file.string())).OpenOrCreateForWrite();
        ASSERT_NE(key, nullptr);
        auto names = SortedProductNames(BuildCatalog());
        key->WriteNumber("Product",
                         std::find(names.begin(), names.end(), "Tamlet") - names.begin());
        key->WriteNumber("CheckUpdateOnLaunch", 0);
        key->WriteText("ProductIPAddress", "127.0.0.1");
        for (size_t i = 0; i < std::size(kCustomStrings); ++i) {
            key->WriteText("CustStringName" + std::to_string(i + 1), kCustomStrings[i].name);
            key->WriteText("CustString" + std::to_string(i + 1), kCustomStrings[i].command);
        }
        ASSERT_TRUE(key->Save());
    }

    // Hands the folder and file to the unprivileged user, with these permissions.
    void Restrict(fs::perms folderPerms, fs::perms filePerms) {
        if (test::RunningAsRoot()) {
            ASSERT_EQ(chown(folder.c_str(), test::kNobody, test::kNobody), 0);
            ASSERT_EQ(chown(file.c_str(), test::kNobody, test::kNobody), 0);
        }
        fs::permissions(file, filePerms);
        fs::permissions(folder, folderPerms);
    }

    // The terminal switches to another product and ends, saving its settings.
    test::RunResult RunTerminal(const test::Restrictions& limits) {
        return test::RunRestricted(program.string(), {"-Product", "Korvex", "-Exit"},
                                   {"ZELTERM_SETTINGS=" + file.string(),
                                    "ZELTERM_SERIAL_PORTS=/nonexistent/zelterm-faults-port",
                                    "QT_QPA_PLATFORM=offscreen", "HOME=" + root.string()},
                                   limits, kGenerousWaitMs);
    }

    std::vector<std::string> FolderEntries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::optional<std::string> Stored(const std::string& name) {
        auto key = QtSettingsStore(QString::fromStdString(file.string())).OpenForRead();
        return key ? key->ReadValue(name) : std::nullopt;
    }

    fs::path root, program, folder, file;
    std::string before;
    const std::string notSaved = std::string("ZelTerm: ") + kSettingsNotSaved;
};

TEST_F(SettingsFileFaultTest, AWritableFileTakesTheNewSettingsAndKeepsTheCustomStrings) {
    Restrict(fs::perms::owner_all, fs::perms::owner_read | fs::perms::owner_write);
    test::RunResult run = RunTerminal({true, std::nullopt});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find(notSaved), std::string::npos) << run.output;
    EXPECT_NE(Contents(file), before);
    auto names = SortedProductNames(BuildCatalog());
    EXPECT_EQ(
        Stored("Product"),
        std::string(1, char(std::find(names.begin(), names.end(), "Korvex") - names.begin())) +
            std::string(3, '\0'));
    for (size_t i = 0; i < std::size(kCustomStrings); ++i) {
        EXPECT_EQ(Stored("CustString" + std::to_string(i + 1)), kCustomStrings[i].command);
    }
}

TEST_F(SettingsFileFaultTest, AFileCutShortKeepsWhatIsWholeAndIsWrittenWholeAgain) {
    // Cut inside the last custom string, as a write without a working copy leaves it.
    std::string cut = before.substr(0, before.find("CustString3") + 20);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << cut;
    test::RunResult run = RunTerminal({false, std::nullopt});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find(notSaved), std::string::npos) << run.output;
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Stored("CustString" + std::to_string(i + 1)), kCustomStrings[i].command);
    }
    EXPECT_TRUE(Stored("LocalUDPPort"));  // the terminal's own values follow the damage
}

struct UnwritableCase {
    const char* what;
    fs::perms folder;
    fs::perms file;
    bool unprivileged;
    bool halfSizeLimit;
};

// Named by what goes wrong, in test names and messages alike.
void PrintTo(const UnwritableCase& fault, std::ostream* out) {
    *out << fault.what;
}

class UnwritableSettingsTest : public SettingsFileFaultTest,
                               public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableSettingsTest, ThePreviousFileSurvivesWholeAndTheOperatorIsTold) {
    const UnwritableCase& fault = GetParam();
    Restrict(fault.folder, fault.file);
    test::Restrictions limits{fault.unprivileged, std::nullopt};
    if (fault.halfSizeLimit) limits.fileSizeLimit = before.size() / 2;
    test::RunResult run = RunTerminal(limits);

    EXPECT_EQ(run.exitCode, 0) << "signal " << run.signal << "\n" << run.output;
    EXPECT_FALSE(run.timedOut);
    EXPECT_NE(run.output.find(notSaved), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(notSaved), run.output.rfind(notSaved)) << "told more than once";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Contents(file), before);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"ZelTerm.conf"});  // no leftovers
}

constexpr fs::perms kReadWrite = fs::perms::owner_read | fs::perms::owner_write;
constexpr fs::perms kFolderOpen = fs::perms::owner_all;
constexpr fs::perms kFolderReadOnly = fs::perms::owner_read | fs::perms::owner_exec;

INSTANTIATE_TEST_SUITE_P(
    Faults, UnwritableSettingsTest,
    ::testing::Values(
        UnwritableCase{"ReadOnlyFolder", kFolderReadOnly, kReadWrite, true, false},
        UnwritableCase{"ReadOnlyFile", kFolderOpen, fs::perms::owner_read, true, false},
        UnwritableCase{"UnreadableFile", kFolderOpen, fs::perms::owner_write, true, false},
        // Root obeys the size limit: the write fails half-way.
        UnwritableCase{"FileSizeLimitHalfWay", kFolderOpen, kReadWrite, false, true}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace zel

// A serial device that hangs up, with bytes on their way or idle, and comes back: real
// pseudo-terminals behind a link of the test's own, which is removed while the device is away
// as the system removes an unplugged adapter's name.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "transport/pseudo_terminal.h"
#include "transport/terminal_rig.h"

namespace zel {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The fake clock's time, which failures and the port's return are stamped with.
const std::string kStamp = "[14:05:09] ";

class SerialHangUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("zelterm-faults-" + std::to_string(getpid()));
        fs::create_directories(folder);
        link = (folder / "ttyZEL0").string();
        PlugIn();
        setenv("ZELTERM_SERIAL_PORTS", link.c_str(), 1);
        test::StoreProduct(store, "Korvex", kSerial, "Pioneer");
        store.SetText("ComPort", link);
        store.SetText("BaudRate", "19200");
        rig = std::make_unique<test::TerminalRig>(store);
        ASSERT_TRUE(rig->serial.IsOpen());
    }
    void TearDown() override {
        rig.reset();
        setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
        fs::remove_all(folder);
    }

    void PlugIn() {
        device = std::make_unique<PseudoTerminal>();
        ASSERT_TRUE(device->IsOpen());
        fs::remove(link);
        fs::create_symlink(device->SlavePath(), link);
    }
    void Unplug() {
        device->CloseMaster();
        fs::remove(link);
    }

    // What the device reads within a generous while.
    std::string DeviceReads(size_t count) {
        std::string bytes;
        auto deadline = std::chrono::steady_clock::now() + 10s;
        while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
            bytes += device->Read(100);
        }
        return bytes;
    }

    // Closed by the terminal itself, once it has seen the hang-up.
    void ExpectThePortCloses() {
        EXPECT_TRUE(rig->window.RunUntil([&] { return !rig->serial.IsOpen(); }));
    }

    // The next send after the loss reports it and sends nothing; once the device is back the
    // send after that reaches it and its reply is logged.
    std::string NotSent() const {
        return "Message not sent! Unable to open selected port " + link +
               ": No such file or directory";
    }
    std::string OpenAgain() const { return kStamp + "Serial port " + link + " is open again\r\n"; }

    void ExpectSendsFailUntilTheDeviceIsBack() {
        const std::string kNotSent = kStamp + NotSent() + "\r\n";
        std::string before = rig->Log();
        (*rig)->SendCommand("PL", true);
        EXPECT_EQ(rig->Log(), before + kNotSent);
        EXPECT_FALSE(rig->serial.IsOpen());

        PlugIn();
        (*rig)->SendCommand("PL", true);
        ASSERT_TRUE(rig->serial.IsOpen());
        EXPECT_EQ(DeviceReads(3), "PL\r");
        device->Write("R\r");
        ASSERT_TRUE(rig->PumpUntilLogHas("R<0D>\r\n"));
        EXPECT_EQ(rig->Log(), before + kNotSent + OpenAgain() + "Sent (" + link + "):  PL<0D>\r\n" +
                                  "Received (" + link + "): R<0D>\r\n");
    }

    fs::path folder;
    std::string link;
    std::unique_ptr<PseudoTerminal> device;
    test::FakeSettingsStore store;
    std::unique_ptr<test::TerminalRig> rig;
};

TEST_F(SerialHangUpTest, BytesThatArrivedBeforeTheHangUpAreAllLogged) {
    // The terminal is busy elsewhere while the device sends its last words and goes away:
    // nothing is read on the GUI thread until after the hang-up.
    std::string lastWords;
    for (int i = 0; i < 60; ++i) lastWords += static_cast<char>('A' + i % 26);
    ASSERT_TRUE(device->Write(lastWords + "\r"));
    ASSERT_TRUE(rig->window.WaitForQueued(1));
    std::this_thread::sleep_for(100ms);
    Unplug();

    ExpectThePortCloses();
    EXPECT_EQ(rig->Log(), "Received (" + link + "): " + lastWords + "<0D>\r\n");
    ExpectSendsFailUntilTheDeviceIsBack();
}

TEST_F(SerialHangUpTest, AnIdleLineThatHangsUpIsReopenedWhenTheDeviceIsBack) {
    (*rig)->SendCommand("?V", true);
    EXPECT_EQ(DeviceReads(3), "?V\r");
    Unplug();

    ExpectThePortCloses();
    EXPECT_EQ(rig->Log(), "Sent (" + link + "):  ?V<0D>\r\n");
    ExpectSendsFailUntilTheDeviceIsBack();
}

// However long the device is away, the log says so once, then how often; the repeat's limit
// counts only the sends that went out.
TEST_F(SerialHangUpTest, ALostPortUnderARepeatIsLoggedOnceThenCounted) {
    (*rig)->SendCommand("?V", true);
    EXPECT_EQ(DeviceReads(3), "?V\r");
    (*rig)->ApplyRepeatSettings({true, 3600000, 2});
    Unplug();
    ExpectThePortCloses();
    const std::string before = rig->Log();
    for (int i = 0; i < 58; ++i) (*rig)->OnRepeatTimer();
    PlugIn();
    (*rig)->OnRepeatTimer();
    EXPECT_EQ(DeviceReads(3), "?V\r");
    EXPECT_EQ(rig->Log(), before + kStamp + NotSent() + "\r\n" + kStamp + NotSent() +
                              " (repeated 57 times)\r\n" + OpenAgain() + "Sent (" + link +
                              "):  ?V<0D>\r\n");
    EXPECT_TRUE((*rig)->Repeat().repeat);
    (*rig)->OnRepeatTimer();
    EXPECT_FALSE((*rig)->Repeat().repeat);
}

}  // namespace
}  // namespace zel

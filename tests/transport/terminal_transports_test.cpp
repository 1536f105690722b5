// The terminal's logic over the real serial line and UDP socket, against the simulator and
// pseudo-terminals: what goes out on the wire and what the log says.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "support/child_process.h"
#include "transport/pseudo_terminal.h"
#include "transport/terminal_rig.h"
#include "transport/udp_endpoint.h"

namespace zel {
namespace {

using namespace std::chrono_literals;

uint32_t FreeUdpPort() {
    UdpEndpoint probe;
    return probe.Bind("127.0.0.1", 0) ? probe.LocalPort() : 0;
}

using test::StoreProduct;
using test::TerminalRig;

class SerialTerminalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(device.IsOpen());
        setenv("ZELTERM_SERIAL_PORTS", device.SlavePath().c_str(), 1);
        StoreProduct(store, "Korvex", kSerial, "Pioneer");
        store.SetText("ComPort", device.SlavePath());
        store.SetText("BaudRate", "19200");
        rig = std::make_unique<TerminalRig>(store);
        ASSERT_TRUE(rig->serial.IsOpen());
    }
    void TearDown() override { setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1); }

    // What the device reads within a short while.
    std::string DeviceReads(size_t count) {
        std::string bytes;
        auto deadline = std::chrono::steady_clock::now() + 10s;
        while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
            bytes += device.Read(100);
        }
        return bytes;
    }

    PseudoTerminal device;
    test::FakeSettingsStore store;
    std::unique_ptr<TerminalRig> rig;
    std::string header() const { return "Received (" + device.SlavePath() + "): "; }
};

TEST_F(SerialTerminalTest, ACommandAndItsReplySplitOverTwoReadsMakeTwoLines) {
    (*rig)->SendCommand("PL", true);
    EXPECT_EQ(DeviceReads(3), "PL\r");
    device.Write("R");
    ASSERT_TRUE(rig->PumpUntilLogHas(header() + "R"));
    device.Write("\r");
    ASSERT_TRUE(rig->PumpUntilLogHas("R<0D>\r\n"));
    EXPECT_EQ(rig->Log(),
              "Sent (" + device.SlavePath() + "):  PL<0D>\r\n" + header() + "R<0D>\r\n");
}

TEST_F(SerialTerminalTest, ZeroMarkersGoOutAsZeroBytesAndBurstsArriveWhole) {
    (*rig)->SendCommand("A\\zeroB", false);
    EXPECT_EQ(DeviceReads(3), std::string("A\0B", 3));
    const std::string burst = std::string(1500, 'x') + "\r";
    device.Write(burst);
    ASSERT_TRUE(rig->PumpUntilLogHas("<0D>\r\n"));
    EXPECT_EQ(rig->Log(), "Sent (" + device.SlavePath() + "):  A<00>B\r\n" + header() +
                              std::string(1500, 'x') + "<0D>\r\n");
}

TEST_F(SerialTerminalTest, AVanishedDeviceClosesThePortAndTheNextSendSaysSo) {
    device.CloseMaster();
    ASSERT_TRUE(rig->window.RunUntil([&] { return !rig->serial.IsOpen(); }));
    (*rig)->SendCommand("PL", true);
    const std::string said =
        "[14:05:09] Message not sent! Unable to open selected port " + device.SlavePath() + ": ";
    EXPECT_EQ(rig->Log().substr(0, said.size()), said);  // then the system's reason
    EXPECT_TRUE(rig->Log().ends_with("\r\n"));
}

class EthernetTerminalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
        recordPath = (std::filesystem::temp_directory_path() /
                      ("zelterm-wire-" + std::to_string(getpid()) + ".txt"))
                         .string();
        std::filesystem::remove(recordPath);
    }
    void TearDown() override { std::filesystem::remove(recordPath); }

    // Starts the simulator and a terminal that talks to it with the product's protocol.
    void Start(const std::vector<std::string>& simOptions, const std::string& product,
               const std::string& protocol) {
        std::vector<std::string> arguments{"--udp", "0", "--record", recordPath};
        arguments.insert(arguments.end(), simOptions.begin(), simOptions.end());
        sim = std::make_unique<test::ChildProcess>(ZELSIM_PATH, arguments);
        auto announced = sim->ReadLine(10000);
        ASSERT_TRUE(announced && announced->rfind("udp: ", 0) == 0);
        StoreProduct(store, product, kEthernet, protocol);
        store.SetText("ProductIPAddress", "127.0.0.1");
        store.SetNumber("ProductUDPPort", std::stoul(announced->substr(announced->rfind(':') + 1)));
        store.SetNumber("LocalUDPPort", localPort);
        rig = std::make_unique<TerminalRig>(store);
        ASSERT_TRUE(rig->udp.IsOpen());
    }

    std::vector<std::string> Recorded() {
        sim->Terminate();
        std::ifstream file(recordPath);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }

    std::string recordPath;
    uint32_t localPort = FreeUdpPort();
    test::FakeSettingsStore store;
    std::unique_ptr<test::ChildProcess> sim;
    std::unique_ptr<TerminalRig> rig;
};

TEST_F(EthernetTerminalTest, PlainDatagramsCarryZeroMarkersAsZeroBytes) {
    Start({}, "Sonnel", "Pioneer");
    (*rig)->SendCommand("PL", true);
    ASSERT_TRUE(rig->PumpUntilLogHas("Received (127.0.0.1): R<0D>\r\n"));
    (*rig)->SendCommand("A\\zeroB", true);
    ASSERT_TRUE(rig->PumpUntilLogHas("E04<0D>\r\n"));
    EXPECT_EQ(rig->Log(),
              "Sent (127.0.0.1):  PL<0D>\r\nReceived (127.0.0.1): R<0D>\r\n"
              "Sent (127.0.0.1):  A<00>B<0D>\r\nReceived (127.0.0.1): E04<0D>\r\n");
    EXPECT_EQ(Recorded(), (std::vector<std::string>{"50 4C 0D", "41 00 42 0D"}));
}

TEST_F(EthernetTerminalTest, ZelnetFramesGoOutFramedAndComeBackMarked) {
    Start({"--zelnet"}, "Sonnel", "Pioneer(ZELNet)");
    (*rig)->SendCommand("PL", true);
    ASSERT_TRUE(rig->PumpUntilLogHas("Received (127.0.0.1) *ZELNet*: OK<0D>\r\n")) << rig->Log();
    EXPECT_EQ(Recorded(), std::vector<std::string>{"F1 01 04 50 4C 0D AE F2"});
}

TEST_F(EthernetTerminalTest, MalformedFramesAreDroppedWithoutATrace) {
    Start({}, "Sonnel", "Pioneer(ZELNet)");
    UdpEndpoint device;
    ASSERT_TRUE(device.Bind("127.0.0.1", 0));
    const std::string tooShort("\xF1\x01\x04\x41\x0D\x53\xF2", 7);
    const std::string badChecksum("\xF1\x01\x04\x4F\x4B\x0D\xAD\xF2", 8);
    const std::string good("\xF1\x01\x04\x4F\x4B\x0D\xAC\xF2", 8);
    for (const std::string& datagram : {tooShort, badChecksum, good}) {
        ASSERT_TRUE(device.SendTo(datagram, "127.0.0.1", localPort));
    }
    ASSERT_TRUE(rig->PumpUntilLogHas("OK<0D>\r\n"));
    EXPECT_EQ(rig->Log(), "Received (127.0.0.1) *ZELNet*: OK<0D>\r\n");
}

TEST_F(EthernetTerminalTest, ALocalPortInUseIsReportedAndEthernetStaysChosen) {
    UdpEndpoint holder;
    ASSERT_TRUE(holder.Bind("0.0.0.0", localPort));
    StoreProduct(store, "Sonnel", kEthernet, "Pioneer");
    store.SetText("ProductIPAddress", "127.0.0.1");
    store.SetNumber("LocalUDPPort", localPort);
    TerminalRig terminal(store);
    EXPECT_EQ(terminal.window.shown, std::vector<std::string>{"Failed to open UDP Port"});
    EXPECT_EQ(terminal->Profile().connectionType, kEthernet);
    EXPECT_FALSE(terminal.udp.IsOpen());
}

}  // namespace
}  // namespace zel

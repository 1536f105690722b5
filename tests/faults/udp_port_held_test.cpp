// The terminal's local UDP port held by another program, a real simulator process: the operator
// is told, sends say they went nowhere, nothing crashes, and once the other program lets go the
// next send opens the port and reaches the product.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "faults/restricted_run.h"
#include "gui/qt_settings_store.h"
#include "products/catalog.h"
#include "support/child_process.h"
#include "transport/terminal_rig.h"
#include "transport/udp_endpoint.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

// A simulator on a UDP port of loopback: the given one, or any when 0.
std::unique_ptr<test::ChildProcess> StartSimulator(uint32_t port, const std::string& record,
                                                   uint32_t* bound) {
    std::vector<std::string> arguments{"--udp", std::to_string(port)};
    if (!record.empty()) arguments.insert(arguments.end(), {"--record", record});
    auto sim = std::make_unique<test::ChildProcess>(ZELSIM_PATH, arguments);
    auto announced = sim->ReadLine(10000);
    if (!announced || announced->rfind("udp: ", 0) != 0) return nullptr;
    *bound = std::stoul(announced->substr(announced->rfind(':') + 1));
    return sim;
}

uint32_t FreeUdpPort() {
    UdpEndpoint probe;
    return probe.Bind("127.0.0.1", 0) ? probe.LocalPort() : 0;
}

class UdpPortHeldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
        recordPath = (fs::temp_directory_path() /
                      ("zelterm-faults-wire-" + std::to_string(getpid()) + ".txt"))
                         .string();
        fs::remove(recordPath);
        uint32_t productPort = 0;
        product = StartSimulator(0, recordPath, &productPort);
        ASSERT_NE(product, nullptr);
        uint32_t heldPort = 0;
        holder = StartSimulator(localPort, "", &heldPort);
        ASSERT_NE(holder, nullptr);
        ASSERT_EQ(heldPort, localPort);

        test::StoreProduct(store, "Sonnel", kEthernet, "Pioneer");
        store.SetText("ProductIPAddress", "127.0.0.1");
        store.SetNumber("ProductUDPPort", productPort);
        store.SetNumber("LocalUDPPort", localPort);
        rig = std::make_unique<test::TerminalRig>(store);
    }
    void TearDown() override { fs::remove(recordPath); }

    std::vector<std::string> Recorded() {
        product->Terminate();
        std::ifstream file(recordPath);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }

    uint32_t localPort = FreeUdpPort();
    std::string recordPath;
    std::unique_ptr<test::ChildProcess> product, holder;
    test::FakeSettingsStore store;
    std::unique_ptr<test::TerminalRig> rig;
};

TEST_F(UdpPortHeldTest, SendsSayTheyWentNowhereUntilTheOtherProgramLetsGo) {
    EXPECT_EQ(rig->window.shown, std::vector<std::string>{"Failed to open UDP Port"});
    EXPECT_EQ((*rig)->Profile().connectionType, kEthernet);
    const std::string notSent =
        "Message not sent! Unable to open UDP port " + std::to_string(localPort) + "!\r\n";
    (*rig)->SendCommand("ST", true);
    EXPECT_EQ(rig->Log(), notSent);
    EXPECT_FALSE(rig->udp.IsOpen());

    holder->Terminate();
    (*rig)->SendCommand("PL", true);
    EXPECT_TRUE(rig->udp.IsOpen());
    ASSERT_TRUE(rig->PumpUntilLogHas("R<0D>\r\n")) << rig->Log();
    EXPECT_EQ(rig->Log(), notSent + "Sent (127.0.0.1):  PL<0D>\r\nReceived (127.0.0.1): R<0D>\r\n");
    EXPECT_EQ(Recorded(), std::vector<std::string>{"50 4C 0D"});
    EXPECT_EQ(rig->window.shown.size(), 1u);  // told once, when the port was chosen
}

// The stored local port, the one every terminal probes at start, held by another program: the
// real terminal says which port is held, and keeps the stored Ethernet connection for a run that
// can use it.
TEST(EthernetUnavailableAtStart, TheLogSaysWhyAndTheStoredConnectionIsKept) {
    const fs::path settings =
        fs::temp_directory_path() / ("zelterm-faults-held-" + std::to_string(getpid()) + ".conf");
    {
        auto key =
            QtSettingsStore(QString::fromStdString(settings.string())).OpenOrCreateForWrite();
        auto names = SortedProductNames(BuildCatalog());
        key->WriteNumber("Product",
                         std::find(names.begin(), names.end(), "Sonnel") - names.begin());
        key->WriteNumber("Connection", kEthernet);
        key->WriteText("Protocol", "Pioneer");
        key->WriteNumber("LocalUDPPort", 2639);
        key->WriteNumber("CheckUpdateOnLaunch", 0);
        ASSERT_TRUE(key->Save());
    }
    uint32_t heldPort = 0;
    auto holder = StartSimulator(2639, "", &heldPort);
    ASSERT_NE(holder, nullptr);
    test::RunResult run = test::RunRestricted(
        ZELTERM_PATH, {"-Exit"},
        {"ZELTERM_SETTINGS=" + settings.string(), "ZELTERM_SERIAL_PORTS=/nonexistent/zelterm-port"},
        {}, 30000);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("Ethernet cannot be used: local UDP port 2639 is in use by another "
                              "program\r\n"),
              0u)
        << run.output;
    auto key = QtSettingsStore(QString::fromStdString(settings.string())).OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("Connection"), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(key->ReadValue("Protocol"), "Pioneer");
    fs::remove(settings);
}

}  // namespace
}  // namespace zel

// zelterm's command line run end to end against the simulator, on loopback and on a
// pseudo-terminal: what reaches the device, what the printed log says, what is saved.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <regex>

#include "gui/qt_settings_store.h"
#include "products/catalog.h"
#include "support/child_process.h"
#include "transport/udp_endpoint.h"

namespace zel {
namespace {

struct ProgramRun {
    std::optional<int> exitCode;
    std::string output;
};

ProgramRun RunZelterm(const std::vector<std::string>& arguments) {
    test::ChildProcess zelterm(ZELTERM_PATH, arguments);
    ProgramRun run;
    while (auto line = zelterm.ReadLine(20000)) run.output += *line + "\n";
    run.exitCode = zelterm.Wait();
    return run;
}

// The value after "PREFIX" on the simulator's first lines.
std::string AnnouncedValue(test::ChildProcess& sim, const std::string& prefix) {
    for (int i = 0; i < 4; ++i) {
        auto line = sim.ReadLine(10000);
        if (!line) break;
        if (line->rfind(prefix, 0) == 0) return line->substr(prefix.size());
    }
    return {};
}

std::vector<std::string> RecordedLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

std::string HexLine(const std::string& bytes) {
    static const char* kDigits = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char byte : bytes) {
        if (!hex.empty()) hex += ' ';
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

uint32_t FreeUdpPort() {
    UdpEndpoint probe;
    return probe.Bind("127.0.0.1", 0) ? probe.LocalPort() : 0;
}

class CommandLineRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settingsPath = dir.filePath("ZelTerm.conf");
        recordPath = dir.filePath("wire.txt").toStdString();
        setenv("ZELTERM_SETTINGS", settingsPath.toUtf8().constData(), 1);
    }

    QTemporaryDir dir;
    QString settingsPath;
    std::string recordPath;
};

TEST_F(CommandLineRun, EthernetSendsThePcTimeLogsTheReplyAndTheNextRunRestoresIt) {
    setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
    test::ChildProcess sim(ZELSIM_PATH, {"--udp", "0", "--record", recordPath});
    std::string endpoint = AnnouncedValue(sim, "udp: ");
    ASSERT_FALSE(endpoint.empty());
    const std::string simPort = endpoint.substr(endpoint.rfind(':') + 1);

    // A stored Korvex on Ethernet, pointed at the simulator and at a free local port.
    {
        QtSettingsStore store(settingsPath);
        auto key = store.OpenOrCreateForWrite();
        auto names = SortedProductNames(BuildCatalog());
        key->WriteNumber("Product",
                         std::find(names.begin(), names.end(), "Korvex") - names.begin());
        key->WriteNumber("Connection", 1);
        key->WriteText("Protocol", "Pioneer");
        key->WriteText("ProductIPAddress", "127.0.0.1");
        key->WriteNumber("ProductUDPPort", std::stoul(simPort));
        key->WriteNumber("LocalUDPPort", FreeUdpPort());
        key->WriteNumber("CheckUpdateOnLaunch", 0);
    }

    ProgramRun first = RunZelterm({"-SendPCTime", "--wait", "1500", "-Exit"});
    EXPECT_EQ(first.exitCode, 0);
    std::smatch sent;
    ASSERT_TRUE(std::regex_search(
        first.output, sent, std::regex(R"(Sent \(127\.0\.0\.1\):  (\d\d:\d\d:\d\dTI)<0D>\r\n)")))
        << first.output;
    EXPECT_NE(first.output.find("Received (127.0.0.1): R<0D>\r\n"), std::string::npos)
        << first.output;

    ProgramRun second = RunZelterm({"-SendPCDate", "--wait", "1500", "-Exit"});
    EXPECT_EQ(second.exitCode, 0);
    std::smatch date;
    ASSERT_TRUE(std::regex_search(
        second.output, date, std::regex(R"(Sent \(127\.0\.0\.1\):  (\d\d\.\d\d\.\d{4}DA)<0D>)")))
        << second.output;

    sim.Terminate();
    EXPECT_EQ(RecordedLines(recordPath), (std::vector<std::string>{HexLine(sent[1].str() + "\r"),
                                                                   HexLine(date[1].str() + "\r")}));
}

TEST_F(CommandLineRun, SerialTakesThePortFromTheCommandLineAndLogsTheReply) {
    test::ChildProcess sim(ZELSIM_PATH, {"--pty", "--record", recordPath});
    std::string port = AnnouncedValue(sim, "pty: ");
    ASSERT_FALSE(port.empty());
    setenv("ZELTERM_SERIAL_PORTS", port.c_str(), 1);

    ProgramRun run = RunZelterm({"-Product", "Tamrin", "-Serial", port, "-Nonsense", "-SendPCTime",
                                 "--wait", "1500", "-Exit"});
    EXPECT_EQ(run.exitCode, 0);
    std::smatch sent;
    ASSERT_TRUE(std::regex_search(
        run.output, sent, std::regex("Sent \\(" + port + "\\):  (\\d\\d:\\d\\d:\\d\\dTI)<0D>")))
        << run.output;
    EXPECT_NE(run.output.find("Command Line Error\r\n"), std::string::npos);
    EXPECT_NE(run.output.find("Received (" + port + "): R<0D>\r\n"), std::string::npos)
        << run.output;

    sim.Terminate();
    EXPECT_EQ(RecordedLines(recordPath), std::vector<std::string>{HexLine(sent[1].str() + "\r")});
    auto key = QtSettingsStore(settingsPath).OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadValue("ComPort"), port);
}

// A first run without settings on the Korvex's own product port, then a run that relies on
// what the first one saved.
TEST_F(CommandLineRun, AFirstRunSavesTheProductAndConnectionForTheNext) {
    setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
    test::ChildProcess sim(ZELSIM_PATH, {"--udp", "2638", "--record", recordPath});
    ASSERT_EQ(AnnouncedValue(sim, "udp: "), "127.0.0.1:2638");

    ProgramRun first =
        RunZelterm({"-Product", "Korvex", "-Ethernet", "127.0.0.1", "-SendPCTime", "-Exit"});
    EXPECT_EQ(first.exitCode, 0);
    std::smatch sent;
    ASSERT_TRUE(std::regex_search(
        first.output, sent, std::regex(R"(Sent \(127\.0\.0\.1\):  (\d\d:\d\d:\d\dTI)<0D>\r\n)")))
        << first.output;

    ProgramRun second = RunZelterm({"-SendPCDate", "--wait", "1500", "-Exit"});
    EXPECT_EQ(second.exitCode, 0);
    std::smatch date;
    ASSERT_TRUE(std::regex_search(
        second.output, date, std::regex(R"(Sent \(127\.0\.0\.1\):  (\d\d\.\d\d\.\d{4}DA)<0D>)")))
        << second.output;
    EXPECT_NE(second.output.find("Received (127.0.0.1): R<0D>"), std::string::npos)
        << second.output;

    sim.Terminate();
    EXPECT_EQ(RecordedLines(recordPath), (std::vector<std::string>{HexLine(sent[1].str() + "\r"),
                                                                   HexLine(date[1].str() + "\r")}));
    auto key = QtSettingsStore(settingsPath).OpenForRead();
    ASSERT_NE(key, nullptr);
    auto names = SortedProductNames(BuildCatalog());
    EXPECT_EQ(key->ReadValue("Connection"), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(key->ReadValue("ProductIPAddress"), "127.0.0.1");
    auto korvex = std::find(names.begin(), names.end(), "Korvex") - names.begin();
    EXPECT_EQ(key->ReadValue("Product"),
              std::string(1, static_cast<char>(korvex)) + std::string(3, '\0'));
}

TEST(CommandLineHelp, HelpAndVersionNeedNoSettings) {
    ProgramRun help = RunZelterm({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("-SendPCTime"), std::string::npos);
    ProgramRun version = RunZelterm({"--version"});
    EXPECT_EQ(version.output, "Zel Terminal Version 3.21\n");
}

}  // namespace
}  // namespace zel

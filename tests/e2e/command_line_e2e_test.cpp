// zelterm's command line run end to end against the simulator, on loopback and on a
// pseudo-terminal: what reaches the device, what the printed log says, what is saved.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <memory>
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

// The command of the log's "Sent (WHERE):  " line whose text matches the pattern, or nothing.
std::string SentCommand(const std::string& output, const std::string& where,
                        const std::string& pattern) {
    std::string escaped = std::regex_replace(where, std::regex(R"([.^$|()\[\]*+?{}\\])"), R"(\$&)");
    std::smatch match;
    std::regex line("Sent \\(" + escaped + "\\):  (" + pattern + ")<0D>\r\n");
    return std::regex_search(output, match, line) ? match[1].str() : std::string();
}

const std::string kTimeCommand = R"(\d\d:\d\d:\d\dTI)";
const std::string kDateCommand = R"(\d\d\.\d\d\.\d{4}DA)";

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

    // A stored Korvex on Ethernet, pointed at the simulator's port and at a free local port.
    void StoreKorvexOnEthernet(const std::string& simPort, uint32_t localPort = FreeUdpPort()) {
        auto key = QtSettingsStore(settingsPath).OpenOrCreateForWrite();
        auto names = SortedProductNames(BuildCatalog());
        key->WriteNumber("Product",
                         std::find(names.begin(), names.end(), "Korvex") - names.begin());
        key->WriteNumber("Connection", 1);
        key->WriteText("Protocol", "Pioneer");
        key->WriteText("ProductIPAddress", "127.0.0.1");
        key->WriteNumber("ProductUDPPort", std::stoul(simPort));
        key->WriteNumber("LocalUDPPort", localPort);
        key->WriteNumber("CheckUpdateOnLaunch", 0);
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

    StoreKorvexOnEthernet(simPort);

    ProgramRun first = RunZelterm({"-SendPCTime", "--wait", "1500", "-Exit"});
    EXPECT_EQ(first.exitCode, 0);
    const std::string sent = SentCommand(first.output, "127.0.0.1", kTimeCommand);
    ASSERT_FALSE(sent.empty()) << first.output;
    EXPECT_NE(first.output.find("Received (127.0.0.1): R<0D>\r\n"), std::string::npos)
        << first.output;

    ProgramRun second = RunZelterm({"-SendPCDate", "--wait", "1500", "-Exit"});
    EXPECT_EQ(second.exitCode, 0);
    const std::string date = SentCommand(second.output, "127.0.0.1", kDateCommand);
    ASSERT_FALSE(date.empty()) << second.output;

    sim.Terminate();
    EXPECT_EQ(RecordedLines(recordPath),
              (std::vector<std::string>{HexLine(sent + "\r"), HexLine(date + "\r")}));
}

TEST_F(CommandLineRun, SerialTakesThePortFromTheCommandLineAndLogsTheReply) {
    test::ChildProcess sim(ZELSIM_PATH, {"--pty", "--record", recordPath});
    std::string port = AnnouncedValue(sim, "pty: ");
    ASSERT_FALSE(port.empty());
    setenv("ZELTERM_SERIAL_PORTS", port.c_str(), 1);

    ProgramRun run = RunZelterm({"-Product", "Tamrin", "-Serial", port, "-Nonsense", "-SendPCTime",
                                 "--wait", "1500", "-Exit"});
    EXPECT_EQ(run.exitCode, 2);  // -Nonsense was not understood; the rest went on
    const std::string sent = SentCommand(run.output, port, kTimeCommand);
    ASSERT_FALSE(sent.empty()) << run.output;
    EXPECT_NE(run.output.find("Command Line Error: -Nonsense is not a switch\r\n"),
              std::string::npos);
    EXPECT_NE(run.output.find("Received (" + port + "): R<0D>\r\n"), std::string::npos)
        << run.output;

    sim.Terminate();
    EXPECT_EQ(RecordedLines(recordPath), std::vector<std::string>{HexLine(sent + "\r")});
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
    const std::string sent = SentCommand(first.output, "127.0.0.1", kTimeCommand);
    ASSERT_FALSE(sent.empty()) << first.output;

    ProgramRun second = RunZelterm({"-SendPCDate", "--wait", "1500", "-Exit"});
    EXPECT_EQ(second.exitCode, 0);
    const std::string date = SentCommand(second.output, "127.0.0.1", kDateCommand);
    ASSERT_FALSE(date.empty()) << second.output;
    EXPECT_NE(second.output.find("Received (127.0.0.1): R<0D>"), std::string::npos)
        << second.output;

    sim.Terminate();
    EXPECT_EQ(RecordedLines(recordPath),
              (std::vector<std::string>{HexLine(sent + "\r"), HexLine(date + "\r")}));
    auto key = QtSettingsStore(settingsPath).OpenForRead();
    ASSERT_NE(key, nullptr);
    auto names = SortedProductNames(BuildCatalog());
    EXPECT_EQ(key->ReadValue("Connection"), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(key->ReadValue("ProductIPAddress"), "127.0.0.1");
    auto korvex = std::find(names.begin(), names.end(), "Korvex") - names.begin();
    EXPECT_EQ(key->ReadValue("Product"),
              std::string(1, static_cast<char>(korvex)) + std::string(3, '\0'));
}

// --log-file keeps the run's Sent and Received lines in the file, as the log shows them.
TEST_F(CommandLineRun, LogFileHoldsTheSentAndReceivedLines) {
    setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
    test::ChildProcess sim(ZELSIM_PATH, {"--udp", "2638", "--record", recordPath});
    ASSERT_EQ(AnnouncedValue(sim, "udp: "), "127.0.0.1:2638");
    {
        auto key = QtSettingsStore(settingsPath).OpenOrCreateForWrite();
        key->WriteNumber("LocalUDPPort", FreeUdpPort());
        key->WriteNumber("CheckUpdateOnLaunch", 0);
    }
    const std::string logPath = dir.filePath("zelterm.log").toStdString();

    ProgramRun run = RunZelterm({"-Product", "Korvex", "-Ethernet", "127.0.0.1", "-SendPCTime",
                                 "--wait", "500", "--log-file", logPath, "-Exit"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::string sent = SentCommand(run.output, "127.0.0.1", kTimeCommand);
    ASSERT_FALSE(sent.empty()) << run.output;
    const std::vector<std::string> lines = RecordedLines(logPath);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Sent (127.0.0.1):  " + sent + "<0D>"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Received (127.0.0.1): R<0D>"), lines.end());
}

// A command line that cannot be carried out says so, sends nothing over another connection, and
// ends with the status a script checks.
struct Refusal {
    const char* what;
    std::vector<std::string> switches;
    bool ethernetPortHeld;  // another program holds the stored local UDP port
    int status;
    std::vector<std::string> logged;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.what;
}

class CommandLineRefusal : public CommandLineRun, public ::testing::WithParamInterface<Refusal> {};

TEST_P(CommandLineRefusal, IsLoggedSendsNothingAndEndsWithItsStatus) {
    const Refusal& refusal = GetParam();
    setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
    test::ChildProcess product(ZELSIM_PATH, {"--udp", "0", "--record", recordPath});
    std::string endpoint = AnnouncedValue(product, "udp: ");
    ASSERT_FALSE(endpoint.empty());
    std::unique_ptr<test::ChildProcess> holder;
    if (refusal.ethernetPortHeld) {
        holder = std::make_unique<test::ChildProcess>(ZELSIM_PATH,
                                                      std::vector<std::string>{"--udp", "2639"});
        ASSERT_EQ(AnnouncedValue(*holder, "udp: "), "127.0.0.1:2639");
    }
    // The stored connection is Ethernet to the simulator, where nothing may go.
    const std::string simPort = endpoint.substr(endpoint.rfind(':') + 1);
    if (refusal.ethernetPortHeld) {
        StoreKorvexOnEthernet(simPort, 2639);
    } else {
        StoreKorvexOnEthernet(simPort);
    }
    ProgramRun run = RunZelterm(refusal.switches);
    EXPECT_EQ(run.exitCode, refusal.status) << run.output;
    for (const std::string& line : refusal.logged) {
        EXPECT_NE(run.output.find(line + "\r\n"), std::string::npos) << line << "\n" << run.output;
    }
    EXPECT_EQ(run.output.find("Sent ("), std::string::npos) << run.output;
    product.Terminate();
    EXPECT_EQ(RecordedLines(recordPath), std::vector<std::string>{});
}

const std::string kMissingPort = "/nonexistent/zelterm-missing-port";
const std::string kPortHeld =
    "Ethernet cannot be used: local UDP port 2639 is in use by another program";

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CommandLineRefusal,
    ::testing::Values(
        Refusal{"SerialPortMissing",
                {"-Serial", kMissingPort, "-SendPCTime", "-SendPCDate", "-Exit"},
                false,
                1,
                {"Serial port " + kMissingPort + " cannot be opened: No such file or directory",
                 "-SendPCTime not sent: Serial port " + kMissingPort +
                     " cannot be opened: No such file or directory",
                 "-SendPCDate not sent: Serial port " + kMissingPort +
                     " cannot be opened: No such file or directory"}},
        Refusal{"EthernetPortHeld",
                {"-Ethernet", "127.0.0.1", "-SendPCTime", "-Exit"},
                true,
                1,
                {kPortHeld, "-SendPCTime not sent: " + kPortHeld}},
        Refusal{"EthernetAddressNotDotted",
                {"-Ethernet", "127.0.1", "-SendPCTime", "-Exit"},
                false,
                2,
                {"Ethernet address 127.0.1 is not a dotted IPv4 address such as 192.168.0.254",
                 "-SendPCTime not sent: Ethernet address 127.0.1 is not a dotted IPv4 address "
                 "such as 192.168.0.254"}},
        Refusal{"ProductUnknown",
                {"-Product", "Korvx", "-Ethernet", "127.0.0.1", "-SendPCTime", "-Exit"},
                false,
                2,
                {"No product is named Korvx (the closest are Korvex, Korvel, Sorrel); the product "
                 "stays Korvex.",
                 "-SendPCTime not sent: No product is named Korvx (the closest are Korvex, "
                 "Korvel, Sorrel); the product stays Korvex"}},
        Refusal{"SwitchUnknown",
                {"-Foo", "-Exit"},
                false,
                2,
                {"Command Line Error: -Foo is not a switch"}},
        Refusal{"WaitNotANumber", {"--wait", "abc", "-SendPCTime", "-Exit"}, false, 2, {}}),
    [](const auto& info) { return std::string(info.param.what); });

// A log file that cannot be written is said at once and not kept for the runs after.
TEST_F(CommandLineRun, ALogFileThatCannotBeWrittenIsSaidAndNotSaved) {
    setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelterm-port", 1);
    const std::string unwritable = "/nonexistent/zelterm-log-dir/zelterm.log";
    ProgramRun run = RunZelterm({"--log-file", unwritable, "-Exit"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(
        run.output.find("Writing the log to " + unwritable + " failed (No such file or directory)"),
        std::string::npos)
        << run.output;
    auto key = QtSettingsStore(settingsPath).OpenForRead();
    ASSERT_NE(key, nullptr);
    EXPECT_NE(key->ReadValue("LogFilePath"), unwritable);
    EXPECT_EQ(key->ReadValue("LogToFile"), std::string(4, '\0'));
}

TEST(CommandLineHelp, HelpAndVersionNeedNoSettings) {
    ProgramRun help = RunZelterm({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("-SendPCTime"), std::string::npos);
    EXPECT_NE(help.output.find("Exit status"), std::string::npos);
    // The usage line names every option the text explains.
    const std::string usage = help.output.substr(0, help.output.find('\n'));
    for (const char* option : {"--wait", "--log-file", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    ProgramRun version = RunZelterm({"--version"});
    EXPECT_EQ(version.output, "Zel Terminal Version 3.21\n");
}

}  // namespace
}  // namespace zel

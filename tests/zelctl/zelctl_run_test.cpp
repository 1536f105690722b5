// zelctl run as a program: its listings against golden files, presses without sending, the
// mistakes it refuses, and one real exchange with the simulator on loopback. No run may
// change the settings file.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gui/qt_settings_store.h"
#include "products/catalog.h"
#include "support/child_process.h"
#include "transport/udp_endpoint.h"

namespace zel {
namespace {

using test::ProgramRun;

std::optional<std::string> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// The bytes and modification time of a file, or nothing for both when it is missing.
struct FileState {
    std::optional<std::string> bytes;
    std::optional<std::filesystem::file_time_type> modified;
    bool operator==(const FileState&) const = default;

    static FileState Of(const std::string& path) {
        std::error_code error;
        auto modified = std::filesystem::last_write_time(path, error);
        if (error) return {FileBytes(path), std::nullopt};
        return {FileBytes(path), modified};
    }
};

uint32_t FreeUdpPort() {
    UdpEndpoint probe;
    return probe.Bind("127.0.0.1", 0) ? probe.LocalPort() : 0;
}

std::string Event(const std::string& hex, bool cr, bool sent = false) {
    return R"({"event":"send","hex":")" + hex + R"(","cr":)" + (cr ? "true" : "false") +
           R"(,"sent":)" + (sent ? "true" : "false") + "}";
}

// An event as a run's step writes it.
std::string AtStep(const std::string& event, int step) {
    return event.substr(0, event.size() - 1) + R"(,"step":)" + std::to_string(step) + "}";
}

std::vector<std::string> EventsOf(const std::vector<std::string>& lines, const std::string& kind) {
    std::vector<std::string> events;
    for (const std::string& line : lines) {
        if (line.find(R"({"event":")" + kind + "\"") == 0) events.push_back(line);
    }
    return events;
}

std::string Message(const std::string& text, const std::string& buttons,
                    const std::string& answer) {
    return R"({"event":"message","text":")" + text + R"(","buttons":")" + buttons +
           R"(","answer":")" + answer + R"("})";
}

class ZelctlRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settingsPath = dir.filePath("ZelTerm.conf").toStdString();
        errorsPath = dir.filePath("stderr.txt").toStdString();
        setenv("ZELTERM_SETTINGS", settingsPath.c_str(), 1);
        setenv("ZELTERM_SERIAL_PORTS", "/nonexistent/zelctl-test-port", 1);
        Store("Netwick", kSerial, "Netwick(Test)", [](ISettingsKey& key) {
            key.WriteText("ComPort", "/nonexistent/zelctl-test-port");
            key.WriteNumber("CheckUpdateOnLaunch", 1);
        });
    }

    template <typename More>
    void Store(const std::string& product, int connection, const std::string& protocol, More more) {
        std::filesystem::remove(settingsPath);
        auto key = QtSettingsStore(QString::fromStdString(settingsPath)).OpenOrCreateForWrite();
        ASSERT_NE(key, nullptr);
        auto names = SortedProductNames(BuildCatalog());
        key->WriteNumber("Product", std::find(names.begin(), names.end(), product) - names.begin());
        key->WriteNumber("Connection", connection);
        key->WriteText("Protocol", protocol);
        key->WriteText("ProductIPAddress", "127.0.0.1");
        more(*key);
    }

    // A stored Korvex on Ethernet to the simulator's announced UDP port, from a free local one.
    void StoreKorvexAt(test::ChildProcess& sim) {
        auto announced = sim.ReadLine(10000);
        ASSERT_TRUE(announced && announced->rfind("udp: 127.0.0.1:", 0) == 0);
        const uint32_t simPort = std::stoul(announced->substr(announced->rfind(':') + 1));
        Store("Korvex", kEthernet, "Pioneer", [&](ISettingsKey& key) {
            key.WriteNumber("ProductUDPPort", simPort);
            key.WriteNumber("LocalUDPPort", FreeUdpPort());
        });
    }

    // Runs zelctl with its standard error sent to a file, and checks that the settings file
    // is as it was.
    ProgramRun Run(const std::vector<std::string>& arguments) {
        FileState before = FileState::Of(settingsPath);
        ProgramRun run = test::RunToEnd(ZELCTL_PATH, arguments, errorsPath);
        EXPECT_EQ(FileState::Of(settingsPath), before) << "the settings file was changed";
        return run;
    }

    std::string Script(const std::string& text) {
        const std::string path = dir.filePath("script.txt").toStdString();
        std::ofstream(path) << text;
        return path;
    }

    QTemporaryDir dir;
    std::string settingsPath;
    std::string errorsPath;
};

// Set ZELCTL_UPDATE_GOLDEN=1 to write the outputs as the new golden files after a deliberate
// change of the catalog or a page.
void ExpectGolden(const std::vector<std::string>& lines, const std::string& name) {
    const std::string path = std::string(ZELCTL_GOLDEN_DIR) + "/" + name;
    if (std::getenv("ZELCTL_UPDATE_GOLDEN")) {
        std::ofstream file(path);
        for (const std::string& line : lines) file << line << "\n";
    }
    EXPECT_EQ(lines, FileLines(path)) << "golden file " << path;
}

TEST_F(ZelctlRun, ListingsMatchTheirGoldenFiles) {
    struct Case {
        std::vector<std::string> arguments;
        std::string golden;
    };
    const Case cases[] = {
        {{"products"}, "products.jsonl"},
        {{"pages", "Netwick"}, "pages_netwick.jsonl"},
        {{"controls", "Netwick", "Control"}, "controls_netwick_control.jsonl"},
        {{"controls", "Korvex", "Network"}, "controls_korvex_network.jsonl"},
    };
    for (const Case& c : cases) {
        ProgramRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.golden;
        EXPECT_EQ(run.errors, "") << c.golden;
        ExpectGolden(run.lines, c.golden);
    }
}

TEST_F(ZelctlRun, DryRunsReportWhatThePagesSendAndAskAndSendNothing) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> events;
    };
    const std::string areYouSure = "Are you sure?";
    const Case cases[] = {
        {{"press", "Netwick", "Control", "Queries/Help", "--dry-run"}, {Event("48454C500D", true)}},
        {{"press", "Tamrin", "Control", "Outputs/On", "--dry-run"},
         {Event("F5000102020005", false)}},
        {{"press", "Tamrin", "Control", "Outputs/Off", "--set", "Outputs/Turn Output=16",
          "--dry-run"},
         {Event("F5000102030F15", false)}},
        {{"press", "Korvex", "General", "General/Reboot", "--answer", "ok", "--dry-run"},
         {Message(areYouSure, "ok-cancel", "ok"), Event("58580D", true)}},
        // The Set radio enables the value fields; a failed data exchange sends nothing.
        {{"press", "Korvex", "Network", "Networking/IP Address", "--set", "Configuration/Set=1",
          "--set", "Networking/IP Address/value=127.0.0.9", "--dry-run"},
         {Event("3132372E302E302E394149500D", true)}},
        {{"send", "\"?V\" h0D", "--dry-run"}, {Event("3F560D", false)}},
        // Zero markers go out as byte 0.
        {{"send", "\"A\" h00 \"B\" h0D", "--dry-run"}, {Event("4100420D", false)}},
        // Nothing goes out for an empty command.
        {{"send", "", "--dry-run"}, {Event("", false)}},
        // The Netwick's date follows its keyword after a pause.
        {{"press", "Netwick", "Date/Time", "Date/Time/Date", "--set", "Configuration/Set=1",
          "--set", "Date/Time/Use PC Settings=0", "--set", "Date/Time/Date/value=12/06/2026",
          "--dry-run"},
         {Event("534554444154450D", true), Event("31322F30362F32360D", true)}},
    };
    for (const Case& c : cases) {
        ProgramRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments[3];
        EXPECT_EQ(run.lines, c.events) << c.arguments[3];
        EXPECT_EQ(run.errors, "") << c.arguments[3];
    }
}

TEST_F(ZelctlRun, MistakesEndInStatusTwoNamingWhatExists) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> saying;  // parts of the message on standard error
    };
    const Case cases[] = {
        {{"pages", "netwick"},
         {"zelctl: no product \"netwick\"; the products are: A/V Reelmast, A/V Reelmast HD, ",
          ", Netwick, ", ", Wrenna\n"}},
        {{"controls", "Netwick", "Show"},
         {"zelctl: Netwick has no page \"Show\"; its pages are: General, Control, Date/Time, "
          "Network, Custom\n"}},
        {{"press", "Netwick", "Control", "Queries/Helpp", "--dry-run"},
         {"zelctl: the Control page has no control \"Queries/Helpp\"; its controls are:\n  ",
          "\n  Queries/Help\n  "}},
        {{"press", "Tamrin", "Control", "Outputs/On", "--set", "Outputs/Turn Output=17",
          "--dry-run"},
         {"zelctl: \"17\" is not a value of \"Outputs/Turn Output\" (list); it takes one of: 1, "
          "2, ",
          ", 16\n"}},
        {{"press", "Korvex", "Network", "Networking/IP Address", "--set", "Configuration/Set=2",
          "--dry-run"},
         {"zelctl: \"2\" is not a value of \"Configuration/Set\" (radio); it takes 1 (choosing "
          "it)\n"}},
        {{"press", "Netwick", "Control", "Queries", "--dry-run"},
         {"zelctl: \"Queries\" (group) cannot be pressed"}},
        {{"press", "Netwick", "Control", "Queries/Help", "--connection", "ethernet", "--dry-run"},
         {"zelctl: Netwick has no ethernet connection; it has: serial\n"}},
        {{"press", "Netwick", "Control", "Queries/Help", "--protocol", "Pioneer", "--dry-run"},
         {"zelctl: Netwick has no protocol \"Pioneer\" on its serial connection; it has: "
          "Netwick(Test)\n"}},
        {{"press", "Korvex", "General", "General/Reboot", "--answer", "yes", "--dry-run"},
         {"zelctl: --answer yes does not fit the message box \"Are you sure?\" (ok-cancel); it "
          "was answered cancel\n"}},
        {{"send", "h0G", "--dry-run"},
         {"zelctl: \"h0G\" is not a custom string: ERROR: Custom String not Formatted properly."}},
        {{"press", "Netwick", "Control"}, {"zelctl: press needs PATH\nTry 'zelctl --help'.\n"}},
    };
    for (const Case& c : cases) {
        ProgramRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments[1];
        for (const std::string& part : c.saying) {
            EXPECT_NE(run.errors.find(part), std::string::npos)
                << "missing: " << part << "\nin: " << run.errors;
        }
        for (const std::string& line : run.lines) {
            EXPECT_EQ(line.find("\"event\":\"send\""), std::string::npos) << line;
        }
    }
}

// The page refusing an entry, or a question nobody answered: the press ends as not done.
TEST_F(ZelctlRun, PressesThatSendNothingBecauseThePageStoppedEndInStatusFive) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
        std::string saying;
    };
    const Case cases[] = {
        {{"press", "Korvex", "General", "General/Reboot", "--dry-run"},
         Message("Are you sure?", "ok-cancel", "cancel"),
         "zelctl: nothing was sent: the question \"Are you sure?\" was left unanswered, so it "
         "was answered cancel; give --answer to answer it\n"},
        {{"press", "Korvex", "Network", "Networking/Device ID", "--set", "Configuration/Set=1",
          "--set", "Networking/Device ID/value=x", "--dry-run"},
         Message("Please enter an integer.", "ok", "ok"),
         "zelctl: nothing was sent: the page said \"Please enter an integer.\"\n"},
    };
    for (const Case& c : cases) {
        ProgramRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 5) << c.arguments[3];
        EXPECT_EQ(run.lines, std::vector<std::string>{c.message}) << c.arguments[3];
        EXPECT_EQ(run.errors, c.saying);
    }
}

TEST_F(ZelctlRun, ControlsDisabledAtThatMomentEndInStatusThree) {
    // In Get mode the value fields are disabled; choosing Set enables them.
    ProgramRun run = Run({"press", "Korvex", "Network", "Networking/IP Address", "--set",
                          "Networking/IP Address/value=10.0.0.1", "--dry-run"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.errors, "zelctl: \"Networking/IP Address/value\" (ip-address) is disabled now\n");
    EXPECT_TRUE(run.lines.empty());
}

TEST_F(ZelctlRun, SendsForRealToTheSimulatorAndLogsTheReplies) {
    const std::string recordPath = dir.filePath("wire.txt").toStdString();
    test::ChildProcess sim(ZELSIM_PATH, {"--udp", "0", "--record", recordPath});
    StoreKorvexAt(sim);

    ProgramRun sent = Run({"send", "\"?V\" h0D", "--wait", "2000"});
    EXPECT_EQ(sent.exitCode, 0) << sent.errors;
    EXPECT_EQ(sent.lines, (std::vector<std::string>{
                              Event("3F560D", false, true),
                              R"({"event":"log","text":"Sent (127.0.0.1):  ?V<0D>"})",
                              R"({"event":"log","text":"Received (127.0.0.1): V3.21<0D>"})"}));

    ProgramRun pressed = Run({"press", "Korvex", "General", "General/Version", "--wait", "2000"});
    EXPECT_EQ(pressed.exitCode, 0) << pressed.errors;
    EXPECT_EQ(pressed.lines, (std::vector<std::string>{
                                 Event("3F560D", true, true),
                                 R"({"event":"log","text":"Sent (127.0.0.1):  ?V<0D>"})",
                                 R"({"event":"log","text":"Received (127.0.0.1): V3.21<0D>"})"}));

    sim.Terminate();
    EXPECT_EQ(FileLines(recordPath), (std::vector<std::string>{"3F 56 0D", "3F 56 0D"}));
}

// The connection stored or asked for, or none: a serial port that works is never a stand-in.
TEST_F(ZelctlRun, AConnectionThatCannotBeUsedEndsInStatusOneAndNothingGoesElsewhere) {
    const std::string recordPath = dir.filePath("wire.txt").toStdString();
    test::ChildProcess sim(ZELSIM_PATH, {"--pty", "--record", recordPath});
    auto announced = sim.ReadLine(10000);
    ASSERT_TRUE(announced && announced->rfind("pty: ", 0) == 0);
    setenv("ZELTERM_SERIAL_PORTS", announced->substr(5).c_str(), 1);
    UdpEndpoint holder;  // another program on the stored local port
    ASSERT_TRUE(holder.Bind("127.0.0.1", 0));
    const std::string heldPort = std::to_string(holder.LocalPort());
    const std::string missingPort = "/nonexistent/zelctl-test-port";
    struct Case {
        std::string product;
        int connection;
        std::string protocol;
        std::vector<std::string> arguments;
        std::string saying;
    };
    const std::string portHeld =
        "zelctl: Ethernet cannot be used: local UDP port " + heldPort + " is in use";
    const Case cases[] = {
        {"Korvex", kEthernet, "Pioneer", {"send", "\"?V\" h0D"}, portHeld},
        {"Korvex",
         kEthernet,
         "Pioneer",
         {"press", "Korvex", "General", "General/Version"},
         portHeld},
        {"Netwick",
         kSerial,
         "Netwick(Test)",
         {"run", Script("send '\"HELP\" h0D'\n")},
         "zelctl: Serial port " + missingPort + " cannot be opened: No such file or directory\n"},
        {"Korvex",
         kEthernet,
         "Pioneer",
         {"send", "\"?V\" h0D", "--connection", "usb"},
         "zelctl: USB cannot be used: "},
    };
    for (const Case& c : cases) {
        Store(c.product, c.connection, c.protocol, [&](ISettingsKey& key) {
            key.WriteText("ComPort", missingPort);
            key.WriteNumber("LocalUDPPort", holder.LocalPort());
        });
        ProgramRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.saying;
        EXPECT_EQ(run.errors.rfind(c.saying, 0), 0u) << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_TRUE(EventsOf(run.lines, "send").empty()) << c.saying;
    }
    sim.Terminate();
    EXPECT_EQ(FileLines(recordPath), std::vector<std::string>{});
}

// A datagram the system refuses (no datagram may go to port 0) ends the command as not done,
// with the log's reason.
TEST_F(ZelctlRun, ACommandThatDidNotGoOutEndsInStatusOne) {
    Store("Korvex", kEthernet, "Pioneer", [](ISettingsKey& key) {
        key.WriteNumber("LocalUDPPort", FreeUdpPort());
        key.WriteNumber("ProductUDPPort", 0);
    });
    ProgramRun run = Run({"send", "\"?V\" h0D"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(EventsOf(run.lines, "send"), std::vector<std::string>{Event("3F560D", false)});
    EXPECT_EQ(run.errors,
              "zelctl: the command was not sent: Message not sent! The datagram could not be sent "
              "to 127.0.0.1.\n");
}

TEST_F(ZelctlRun, ASendNobodyAnswersIsReportedAsAnEventWhileWaiting) {
    const uint32_t silentPort = FreeUdpPort();
    Store("Korvex", kEthernet, "Pioneer", [&](ISettingsKey& key) {
        key.WriteNumber("ProductUDPPort", silentPort);
        key.WriteNumber("LocalUDPPort", FreeUdpPort());
    });
    ProgramRun sent = Run({"send", "\"?V\" h0D", "--wait", "1500"});
    EXPECT_EQ(sent.exitCode, 0) << sent.errors;
    EXPECT_EQ(
        EventsOf(sent.lines, "no-reply"),
        std::vector<std::string>{R"({"event":"no-reply","text":"No reply to ?V<0D> after 1 s"})"});
    EXPECT_EQ(EventsOf(sent.lines, "log").size(), 1u);  // the Sent line only
}

TEST_F(ZelctlRun, ARunSharesOnePageStateAcrossItsSteps) {
    // A name with a blank, added to the Custom list, its row chosen and sent.
    ProgramRun custom = Run({"run", Script(R"(# a new custom string
product Netwick
page Custom
set "New String/Name" 'Lamp test'
set "New String/String" '"1SE" h0D'
press "New String/Add"
set "Custom Strings/report" "Lamp test"   # the new row
press Custom\ Strings/Send
)"),
                             "--dry-run"});
    EXPECT_EQ(custom.exitCode, 0) << custom.errors;
    EXPECT_EQ(custom.lines, std::vector<std::string>{AtStep(Event("3153450D", false), 8)});

    // The time follows SETTIME within its press step, before the next step runs.
    ProgramRun time = Run({"run", Script(R"(product Netwick
page Date/Time
set Configuration/Set 1
set "Date/Time/Use PC Settings" 0
set Date/Time/Time/value "1:05:00 PM"
press Date/Time/Time
page Control
press Queries/Help
)"),
                           "--dry-run"});
    EXPECT_EQ(time.exitCode, 0) << time.errors;
    EXPECT_EQ(time.lines, (std::vector<std::string>{AtStep(Event("53455454494D450D", true), 6),
                                                    AtStep(Event("31333A30353A30300D", true), 6),
                                                    AtStep(Event("48454C500D", true), 8)}));
}

TEST_F(ZelctlRun, AFailingStepStopsTheRunWithItsStatusAndAnEventNamingIt) {
    struct Case {
        std::string script;
        int status;
        std::vector<std::string> events;
        std::string saying;
    };
    const std::string help = AtStep(Event("48454C500D", true), 3);
    const Case cases[] = {
        {"product Netwick\npage Control\npress Queries/Help\npress Queries/Helpp\n"
         "press Queries/Help\n",
         2,
         {help,
          R"({"event":"failed","line":"press Queries/Helpp","status":2,"message":"the Control )"
          R"(page has no control \"Queries/Helpp\"; its controls are:\u000A  )"},
         "zelctl: step 4 (press Queries/Helpp): the Control page has no control"},
        {"product Korvex\npage Network\nset Networking/IP\\ Address/value 10.0.0.1\n"
         "press Networking/IP\\ Address\n",
         3,
         {R"({"event":"failed","line":"set Networking/IP\\ Address/value 10.0.0.1","status":3,)"
          R"("message":"\"Networking/IP Address/value\" (ip-address) is disabled now","step":3})"},
         "zelctl: step 3 ("},
        {"product Korvex\npage General\nanswer yes\npress General/Reboot\npress General/Version\n",
         2,
         {AtStep(Message("Are you sure?", "ok-cancel", "cancel"), 4),
          R"({"event":"failed","line":"press General/Reboot","status":2,"message":"answer yes )"},
         "does not fit the message box"},
        // A bad line is found before any step runs.
        {"product Netwick\npage Control\npress Queries/Help\nsend '\"?V\" h0D\n",
         2,
         {},
         "script.txt line 4: a single quote is not closed\n"},
    };
    for (const Case& c : cases) {
        ProgramRun run = Run({"run", Script(c.script), "--dry-run"});
        EXPECT_EQ(run.exitCode, c.status) << c.script;
        ASSERT_EQ(run.lines.size(), c.events.size()) << c.script;
        for (size_t i = 0; i < c.events.size(); ++i) {
            EXPECT_EQ(run.lines[i].rfind(c.events[i], 0), 0u) << run.lines[i];
        }
        EXPECT_NE(run.errors.find(c.saying), std::string::npos) << run.errors;
    }
}

TEST_F(ZelctlRun, ExpectWaitsForAMatchingReplyAndAnUnmetOneEndsInStatusFour) {
    const std::string recordPath = dir.filePath("wire.txt").toStdString();
    test::ChildProcess sim(ZELSIM_PATH, {"--udp", "0", "--record", recordPath});
    StoreKorvexAt(sim);

    ProgramRun run = Run({"run", Script(R"(send '"?V" h0D'
expect 'V[0-9.]+\\x0D' 3000
send '"?X" h0D'
expect ^V 300
send '"?P" h0D'
)")});
    EXPECT_EQ(run.exitCode, 4) << run.errors;
    EXPECT_EQ(EventsOf(run.lines, "send"),
              (std::vector<std::string>{AtStep(Event("3F560D", false, true), 1),
                                        AtStep(Event("3F580D", false, true), 3)}));
    EXPECT_EQ(EventsOf(run.lines, "matched"),
              std::vector<std::string>{R"({"event":"matched","text":"V3.21\\x0D","step":2})"});
    EXPECT_EQ(EventsOf(run.lines, "failed"),
              std::vector<std::string>{
                  R"({"event":"failed","line":"expect ^V 300","status":4,"message":"nothing )"
                  R"(received matched '^V' within 300 ms; what came: E04\\x0D","received":)"
                  R"("E04\\x0D","step":4})"});

    // The same for one command.
    ProgramRun one = Run({"send", "\"?X\" h0D", "--expect", "^V", "--timeout", "300"});
    EXPECT_EQ(one.exitCode, 4);
    EXPECT_EQ(one.errors,
              "zelctl: nothing received matched '^V' within 300 ms; what came: E04\\x0D\n");
    ProgramRun pressed = Run({"press", "Korvex", "General", "General/Version", "--expect", "^V3"});
    EXPECT_EQ(pressed.exitCode, 0) << pressed.errors;
    EXPECT_EQ(EventsOf(pressed.lines, "matched"),
              std::vector<std::string>{R"({"event":"matched","text":"V3"})"});

    sim.Terminate();
    EXPECT_EQ(FileLines(recordPath),
              (std::vector<std::string>{"3F 56 0D", "3F 58 0D", "3F 58 0D", "3F 56 0D"}));
}

TEST_F(ZelctlRun, HelpNeedsNoSettingsAndAMissingSettingsFileStaysMissing) {
    std::filesystem::remove(settingsPath);
    ProgramRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    std::string text;
    for (const std::string& line : help.lines) text += line + "\n";
    for (const char* word : {"products",
                             "pages PRODUCT",
                             "controls PRODUCT PAGE",
                             "press PRODUCT PAGE PATH",
                             "send CUSTOM_STRING",
                             "run FILE",
                             "--set PATH=VALUE",
                             "--answer",
                             "--connection",
                             "--protocol",
                             "--dry-run",
                             "--wait",
                             "--expect REGEX",
                             "--timeout MS",
                             "  product NAME",
                             "  page TITLE",
                             "  connection serial|ethernet|usb",
                             "  protocol NAME",
                             "  set PATH VALUE",
                             "  press PATH",
                             "  answer ok|cancel|yes|no",
                             "  send CUSTOM_STRING",
                             "  wait MS",
                             "  expect REGEX [MS]"}) {
        EXPECT_NE(text.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(Run({"--version"}).lines, std::vector<std::string>{"Zel Terminal Version 3.21"});
    ProgramRun press = Run({"press", "Netwick", "Control", "Queries/Help", "--dry-run"});
    EXPECT_EQ(press.lines, std::vector<std::string>{Event("48454C500D", true)});
    EXPECT_FALSE(std::filesystem::exists(settingsPath));
}

}  // namespace
}  // namespace zel

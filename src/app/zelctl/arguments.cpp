#include "app/zelctl/arguments.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "app/zelctl/received_text.h"
#include "app/zelctl/scripted_window.h"
#include "products/protocol_info.h"

namespace zel::ctl {

namespace {

enum Option : unsigned {
    kSet = 1,
    kAnswer = 2,
    kConnection = 4,
    kProtocol = 8,
    kDryRun = 16,
    kWait = 32,
    kExpect = 64,
    kTimeout = 128,
    kDevice = 256,
    kDevices = 512,
    kJobs = 1024,
    kJunit = 2048,
    kImport = 4096,
    kExport = 8192,
};

struct CommandEntry {
    const char* name;
    Command command;
    std::vector<std::string Invocation::*> operands;
    std::vector<const char*> operandNames;
    unsigned options;
};

const std::vector<CommandEntry>& Commands() {
    static const std::vector<CommandEntry> kCommands = {
        {"products", Command::Products, {}, {}, 0},
        {"pages", Command::Pages, {&Invocation::product}, {"PRODUCT"}, 0},
        {"controls",
         Command::Controls,
         {&Invocation::product, &Invocation::page},
         {"PRODUCT", "PAGE"},
         kConnection | kProtocol},
        {"press",
         Command::Press,
         {&Invocation::product, &Invocation::page, &Invocation::path},
         {"PRODUCT", "PAGE", "PATH"},
         kSet | kAnswer | kConnection | kProtocol | kDryRun | kWait | kExpect | kTimeout | kDevice},
        {"send",
         Command::Send,
         {&Invocation::customString},
         {"CUSTOM_STRING"},
         kConnection | kProtocol | kDryRun | kWait | kExpect | kTimeout | kDevice},
        {"run",
         Command::Run,
         {&Invocation::scriptPath},
         {"FILE"},
         kConnection | kProtocol | kDryRun | kDevice | kDevices | kJobs | kJunit},
        {"devices", Command::Devices, {}, {}, kImport | kExport},
    };
    return kCommands;
}

struct OptionEntry {
    const char* name;
    Option option;
    bool takesValue;
};

constexpr std::array<OptionEntry, 14> kOptions = {{
    {"--set", kSet, true},
    {"--answer", kAnswer, true},
    {"--connection", kConnection, true},
    {"--protocol", kProtocol, true},
    {"--dry-run", kDryRun, false},
    {"--wait", kWait, true},
    {"--expect", kExpect, true},
    {"--timeout", kTimeout, true},
    {"--device", kDevice, true},
    {"--devices", kDevices, true},
    {"--jobs", kJobs, true},
    {"--junit", kJunit, true},
    {"--import", kImport, true},
    {"--export", kExport, false},
}};

struct ConnectionName {
    const char* name;
    int type;
};

constexpr std::array<ConnectionName, 3> kConnections = {{
    {"serial", kSerial},
    {"ethernet", kEthernet},
    {"usb", kUsb},
}};

// Applies one option's value; the error text, or empty.
std::string Apply(Option option, const std::string& value, Invocation& invocation) {
    switch (option) {
        case kSet: {
            size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0) {
                return "--set needs PATH=VALUE, not '" + value + "'";
            }
            invocation.values.push_back({value.substr(0, equals), value.substr(equals + 1)});
            return {};
        }
        case kAnswer:
            if (auto answer = AnswerNamed(value)) {
                invocation.answers.push_back(*answer);
                return {};
            }
            return "--answer takes ok, cancel, yes or no, not '" + value + "'";
        case kConnection:
            if (auto connection = ConnectionNamed(value)) {
                invocation.connection = *connection;
                return {};
            }
            return "--connection takes serial, ethernet or usb, not '" + value + "'";
        case kProtocol:
            invocation.protocol = value;
            return {};
        case kWait:
        case kTimeout: {
            std::optional<int> ms = Milliseconds(value);
            if (!ms) {
                return std::string(option == kWait ? "--wait" : "--timeout") +
                       " takes a number of milliseconds, not '" + value + "'";
            }
            (option == kWait ? invocation.waitMs : invocation.timeoutMs) = *ms;
            return {};
        }
        case kExpect:
            invocation.expect = value;
            return PatternError(value);
        case kDryRun:
            invocation.dryRun = true;
            return {};
        case kDevice:
            invocation.device = value;
            return value.empty() ? "--device needs a device's name" : "";
        case kDevices:
            invocation.devices = value;
            return value.empty() ? "--devices needs NAME,NAME,..., all or a sheet FILE.csv" : "";
        case kJobs: {
            std::optional<int> jobs = Milliseconds(value);
            if (!jobs || *jobs == 0) return "--jobs takes a number from 1, not '" + value + "'";
            invocation.jobs = *jobs;
            return {};
        }
        case kJunit:
            invocation.junitPath = value;
            return {};
        case kImport:
            invocation.importPath = value;
            return {};
        case kExport:
            invocation.exportSheet = true;
            return {};
    }
    return {};
}

const OptionEntry* FindOption(const std::string& name) {
    for (const OptionEntry& option : kOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

bool Given(const std::vector<std::string>& arguments, const std::string& option) {
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& a) {
        return a == option || a.starts_with(option + "=");
    });
}

// Options that only make sense together, or never do.
std::string CombinationError(const std::vector<std::string>& arguments,
                             const Invocation& invocation) {
    const bool device = !invocation.device.empty() || !invocation.devices.empty();
    if (device && (invocation.connection || invocation.protocol)) {
        return "a device names its own connection and protocol: --connection and --protocol do "
               "not go with --device or --devices";
    }
    if (!invocation.device.empty() && !invocation.devices.empty()) {
        return "--device and --devices do not go together";
    }
    if (invocation.devices.empty() && (Given(arguments, "--jobs") || Given(arguments, "--junit"))) {
        return "--jobs and --junit need --devices";
    }
    if (!invocation.importPath.empty() && invocation.exportSheet) {
        return "--import and --export do not go together";
    }
    return {};
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end()) return parsed;
    if (arguments.empty()) {
        parsed.error = "no command given";
        return parsed;
    }
    auto entry = std::find_if(Commands().begin(), Commands().end(),
                              [&](const CommandEntry& c) { return arguments[0] == c.name; });
    if (entry == Commands().end()) {
        parsed.error = "unknown command '" + arguments[0] + "'";
        return parsed;
    }
    Invocation& invocation = parsed.invocation;
    invocation.command = entry->command;
    size_t operandCount = 0;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            if (operandCount == entry->operands.size()) {
                parsed.error = "unexpected operand '" + argument + "' for " + entry->name;
                return parsed;
            }
            invocation.*(entry->operands[operandCount++]) = argument;
            continue;
        }
        size_t equals = argument.find('=');
        std::string name = argument.substr(0, equals);
        const OptionEntry* option = FindOption(name);
        if (!option || !(entry->options & option->option)) {
            parsed.error = "option " + name + " is not one of " + std::string(entry->name) + "'s";
            return parsed;
        }
        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                parsed.error = name + " needs a value";
                return parsed;
            }
        } else if (equals != std::string::npos) {
            parsed.error = name + " takes no value";
            return parsed;
        }
        if (std::string error = Apply(option->option, value, invocation); !error.empty()) {
            parsed.error = error;
            return parsed;
        }
    }
    if (operandCount < entry->operands.size()) {
        parsed.error = std::string(entry->name) + " needs " + entry->operandNames[operandCount];
    } else if (std::any_of(arguments.begin(), arguments.end(),
                           [](const std::string& a) { return a.starts_with("--timeout"); }) &&
               !invocation.expect) {
        parsed.error = "--timeout needs --expect";
    } else {
        parsed.error = CombinationError(arguments, invocation);
    }
    return parsed;
}

const char* ConnectionName(int type) {
    for (const auto& entry : kConnections) {
        if (entry.type == type) return entry.name;
    }
    return "none";
}

std::optional<int> ConnectionNamed(const std::string& name) {
    for (const auto& entry : kConnections) {
        if (name == entry.name) return entry.type;
    }
    return std::nullopt;
}

std::optional<MessageAnswer> AnswerNamed(const std::string& name) {
    for (MessageAnswer answer :
         {MessageAnswer::Ok, MessageAnswer::Cancel, MessageAnswer::Yes, MessageAnswer::No}) {
        if (name == AnswerName(answer)) return answer;
    }
    return std::nullopt;
}

std::optional<int> Milliseconds(const std::string& text) {
    int ms = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
    if (error != std::errc() || end != text.data() + text.size() || ms < 0) return std::nullopt;
    return ms;
}

bool SendsForReal(const Invocation& invocation) {
    bool sends = invocation.command == Command::Press || invocation.command == Command::Send ||
                 invocation.command == Command::Run;
    return sends && !invocation.dryRun;
}

const std::string& UsageText() {
    static const std::string kUsage =
        "Usage: zelctl COMMAND [OPERAND]... [OPTION]...\n"
        "Drives the terminal's product pages from scripts: the same products, pages, rules\n"
        "and commands an operator uses in zelterm, with JSON lines on standard output.\n"
        "\n"
        "Commands:\n"
        "  products                 the product list in its order:\n"
        "                           {\"position\":0,\"index\":15,\"name\":\"A/V Reelmast\"}\n"
        "  pages PRODUCT            the tabs of the product's sheet in order:\n"
        "                           {\"index\":0,\"title\":\"General\"}\n"
        "  controls PRODUCT PAGE    each control of the tab PAGE as the operator first sees it:\n"
        "                           {\"path\":...,\"kind\":...,\"value\":...,\"enabled\":...,\n"
        "                            \"visible\":...,\"choices\":[...]}; value is the text, the\n"
        "                           chosen entry (null for none), checked (true/false) or the\n"
        "                           slider position; choices are a list's entries or a report's\n"
        "                           first column\n"
        "  press PRODUCT PAGE PATH  selects the product (and the connection), shows the tab PAGE,\n"
        "                           applies the --set values, then presses the control at PATH\n"
        "                           (a button, radio button, check box, or a slider: releases it)\n"
        "  send CUSTOM_STRING       sends a custom string as the Send button does (no carriage\n"
        "                           return unless the string has one), e.g. '\"?V\" h0D'\n"
        "  run FILE                 runs the steps in FILE (- for standard input) on one\n"
        "                           terminal, so each step finds what the ones before left: the\n"
        "                           product, the page shown, the values set, a Custom list row\n"
        "                           added. It stops at the first step that fails.\n"
        "  devices                  the stored devices: {\"name\":...,\"product\":...,\n"
        "                           \"connection\":...,\"address\":...,\"localPort\":...,\n"
        "                           \"productPort\":...,\"protocol\":...,\"unitAddress\":...}\n"
        "\n"
        "Steps of run, one a line; words are split as a POSIX shell splits them (blanks,\n"
        "'single' and \"double\" quotes, backslashes; nothing is expanded), # starts a comment:\n" +
        StepsHelp() +
        "Press and run wait for what a page sends a moment later (the Netwick's time after\n"
        "SETTIME, its date after SETDATE), in dry runs too. Expect reads the bytes received as\n"
        "text, printable ASCII as it is and every other byte as \\xHH (a carriage return is\n"
        "\\x0D); a match takes the text up to its end, so the next expect sees what came after,\n"
        "and a product step forgets what the previous product sent.\n"
        "\n"
        "Options:\n"
        "  --set PATH=VALUE         (press) sets a control first, as an operator would: a list\n"
        "                           entry by its text, a check box by 0 or 1, a radio button by\n"
        "                           1 (chooses it), a slider by its position, a report row by its\n"
        "                           first column, an edit by its text; repeatable, applied in\n"
        "                           order, each one running the page's rules and handlers\n"
        "  --answer ok|cancel|yes|no\n"
        "                           (press) answers the next question asked in a message box;\n"
        "                           repeatable, used in order. A question left unanswered gets\n"
        "                           Cancel (OK/Cancel) or No (Yes/No), so nothing destructive\n"
        "                           happens unasked; an OK-only box takes no answer from the list\n"
        "  --connection serial|ethernet|usb\n"
        "                           (controls, press, send, run) uses this connection of the\n"
        "                           product; in a run, of each product a step selects\n"
        "  --protocol NAME          (controls, press, send, run) selects the connection's\n"
        "                           protocol by its name, e.g. Pioneer(ZELNet); another than\n"
        "                           the current one takes its baud rate or product port, as\n"
        "                           in Connection Setup\n"
        "  --dry-run                (press, send, run) sends nothing: no port is opened, nothing\n"
        "                           goes out, only the send, message and matched events are\n"
        "                           printed, and wait and expect steps pass at once\n"
        "  --wait MS                (press, send) keeps receiving replies for MS milliseconds\n"
        "                           after sending for real (default 0)\n"
        "  --expect REGEX           (press, send) then waits for a reply, as the expect step\n"
        "  --timeout MS             (press, send) how long --expect waits (default 1000)\n"
        "  --device NAME            (press, send, run) uses the stored device NAME: its product,\n"
        "                           connection, address, ports, protocol and unit address\n"
        "  --devices NAME,...|all|FILE.csv\n"
        "                           (run) runs the script on each of these devices at once, each\n"
        "                           on its own terminal and connection; a script needs no product\n"
        "                           step. Events carry \"device\"; the run ends with one\n"
        "                           {\"event\":\"device\",...} summary per device. Two devices on "
        "the\n"
        "                           same serial port or local UDP port are refused before\n"
        "                           anything is sent\n"
        "  --jobs N                 (run --devices) devices run at once (default 8)\n"
        "  --junit FILE             (run --devices) writes a JUnit XML report, a test case per\n"
        "                           device\n"
        "  --import FILE.csv        (devices) adds the sheet's devices, replacing those of the\n"
        "                           same name; a bad row is named and nothing is imported\n"
        "  --export                 (devices) writes the list as a sheet to standard output\n"
        "  --help                   shows this text\n"
        "  --version                shows the version\n"
        "\n"
        "Events of press, send and run, one per line, in order:\n"
        "  {\"event\":\"send\",\"hex\":\"3131504C0D\",\"cr\":true,\"sent\":true}   each\n"
        "      command handed to the terminal, as the bytes that go (or in a dry run would\n"
        "      go) on the wire over the connection in force: unit address, carriage return\n"
        "      (cr tells whether the page asked for one), zero markers as byte 0 on the serial\n"
        "      line and in datagrams, the ZELNet frame of Pioneer(ZELNet) on Ethernet; USB\n"
        "      writes the command text as it is. sent tells whether it went out (never in a\n"
        "      dry run, never an empty command: \"hex\":\"\")\n"
        "  {\"event\":\"message\",\"text\":...,\"buttons\":\"ok-cancel\",\"answer\":\"cancel\"}\n"
        "      each message box; buttons are ok, ok-cancel, yes-no or yes-no-cancel\n"
        "  {\"event\":\"log\",\"text\":...}   each communication log line, when sending for real\n"
        "  {\"event\":\"matched\",\"text\":\"V3.21\"}   the text an expectation matched\n"
        "  {\"event\":\"no-reply\",\"text\":\"No reply to ?V<0D> after 1 s\"}   while waiting,\n"
        "      a command went unanswered for the terminal's no-reply time (Config > Advanced)\n"
        "  {\"event\":\"failed\",\"line\":...,\"status\":4,\"message\":...,\"received\":...}\n"
        "      (run) the step that stopped the run, as written; received is what came\n"
        "      instead of an expected reply\n"
        "In a run every event also carries \"step\":N, the line number of its step.\n"
        "Texts are bytes; those outside printable ASCII are written as \\u00XX.\n"
        "\n"
        "Connection, product address and ports come from the terminal's settings\n"
        "(~/.config/Quorvane/ZelTerm.conf, or the file ZELTERM_SETTINGS names), which zelctl\n"
        "reads and never writes. The product stored there stays selected, with its ports, when\n"
        "PRODUCT names it; another product starts from its own defaults. No update check runs.\n"
        "Press, send and run use the connection stored there, or the one --connection or a\n"
        "connection step asks for, and no other: when it cannot be used (the local UDP port\n"
        "held by another program, a serial port that cannot be opened, no USB device) they\n"
        "end with status 1 and a line naming the connection and the reason.\n"
        "\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  the connection stored or asked for cannot be used, or a command did not go out\n"
        "     (the message says why)\n"
        "  2  bad command line or script, or no such product, page, control or value (the\n"
        "     message names what exists), or an answer the message box does not offer\n"
        "  3  the control is disabled or hidden at that moment\n"
        "  4  the expected reply did not come in time (the message says what came instead)\n"
        "  5  a press sent nothing: the page refused an entry (its warning is quoted) or a\n"
        "     question was left unanswered and so cancelled\n";
    return kUsage;
}

}  // namespace zel::ctl

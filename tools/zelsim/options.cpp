#include "zelsim/options.h"

#include <algorithm>
#include <charconv>

namespace zelsim {

namespace {

constexpr uint32_t kHighestPort = 65535;

struct FlagOption {
    std::string_view name;
    bool Options::*flag;
};

struct TextOption {
    std::string_view name;
    std::string Options::*text;
};

constexpr FlagOption kFlagOptions[] = {
    {"--zelnet", &Options::zelnet}, {"--pty", &Options::pty}, {"--help", &Options::help}};
constexpr TextOption kTextOptions[] = {{"--bind", &Options::bindAddress},
                                       {"--record", &Options::recordFile},
                                       {"--serial", &Options::serialPort}};
constexpr std::string_view kPortOption = "--udp";

std::string SetPort(Options& options, std::string_view value) {
    uint32_t port = 0;
    auto [end, failure] = std::from_chars(value.data(), value.data() + value.size(), port);
    if (value.empty() || failure != std::errc() || end != value.data() + value.size() ||
        port > kHighestPort) {
        return "bad UDP port '" + std::string(value) + "' (0 to 65535)";
    }
    options.udpPort = port;
    return {};
}

std::string CheckCombination(const Options& options) {
    if (options.help) return {};
    if (!options.udpPort && options.zelnet) return "--zelnet needs --udp PORT";
    if (!options.udpPort && !options.pty && options.serialPort.empty()) {
        return "nothing to play on: give --udp PORT, --pty or --serial PORT";
    }
    return {};
}

}  // namespace

ParsedOptions ParseOptions(std::span<const std::string_view> arguments) {
    ParsedOptions parsed;
    for (size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
        const std::string_view name = arguments[i];
        const auto* flag = std::ranges::find(kFlagOptions, name, &FlagOption::name);
        if (flag != std::end(kFlagOptions)) {
            parsed.options.*(flag->flag) = true;
            continue;
        }
        const auto* text = std::ranges::find(kTextOptions, name, &TextOption::name);
        if (text == std::end(kTextOptions) && name != kPortOption) {
            parsed.error = "unknown option '" + std::string(name) + "'";
        } else if (i + 1 == arguments.size()) {
            parsed.error = std::string(name) + " needs a value";
        } else if (name == kPortOption) {
            parsed.error = SetPort(parsed.options, arguments[++i]);
        } else {
            parsed.options.*(text->text) = arguments[++i];
        }
    }
    if (parsed.error.empty()) parsed.error = CheckCombination(parsed.options);
    return parsed;
}

const std::string& UsageText() {
    static const std::string text =
        "Usage: zelsim [--udp PORT [--bind ADDR] [--zelnet]] [--pty | --serial PORT]\n"
        "              [--record FILE]\n"
        "Plays a show controller or media player for the terminal: answers its commands on a\n"
        "UDP port, on a serial line, or on both at once.\n"
        "\n"
        "  --udp PORT     answer datagrams on this UDP port (0 picks a free one); prints\n"
        "                 'udp: ADDR:PORT' once bound. Replies go to the sender.\n"
        "  --bind ADDR    the address to bind the UDP port to (default 127.0.0.1)\n"
        "  --zelnet       take and answer commands inside ZELNet frames on UDP\n"
        "  --pty          answer on a new pseudo-terminal; prints 'pty: PATH' with the path\n"
        "                 the terminal opens as its serial port (not on Windows)\n"
        "  --serial PORT  answer on an existing serial port (COM5 on Windows, where the\n"
        "                 terminal opens the port joined to it); prints 'serial: PORT'\n"
        "  --record FILE  append everything received to FILE, one line of hexadecimal bytes\n"
        "                 per read or datagram\n"
        "  --help         show this text\n"
        "\n"
        "Answers: ?V -> V3.21, ?P -> P01, known commands (PL, ST, PA, SE, LP, ...) -> R,\n"
        "unknown ones -> E04; text replies end in a carriage return. With --zelnet, R is\n"
        "spelled OK, since the terminal does not take frames shorter than 8 bytes. An 8-bit\n"
        "packet whose control byte asks for it is acknowledged with AA (55 for a bad\n"
        "checksum).\n"
        "Stops on SIGINT or SIGTERM.\n";
    return text;
}

}  // namespace zelsim

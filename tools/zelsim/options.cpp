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

std::optional<uint32_t> Port(std::string_view text) {
    uint32_t port = 0;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || failure != std::errc() || end != text.data() + text.size() ||
        port > kHighestPort) {
        return std::nullopt;
    }
    return port;
}

// PORT, or FIRST-LAST for a product on each port of the range.
std::string AddPorts(Options& options, std::string_view value) {
    const size_t dash = value.find('-');
    const auto first = Port(value.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : Port(value.substr(dash + 1));
    if (!first || !last || *last < *first || (dash != std::string_view::npos && *first == 0)) {
        return "bad UDP port '" + std::string(value) + "' (0 to 65535, or FIRST-LAST)";
    }
    for (uint32_t port = *first; port <= *last; ++port) options.udpPorts.push_back(port);
    return {};
}

std::string CheckCombination(const Options& options) {
    if (options.help) return {};
    if (options.udpPorts.empty() && options.zelnet) return "--zelnet needs --udp PORT";
    if (options.udpPorts.empty() && !options.pty && options.serialPort.empty()) {
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
            parsed.error = AddPorts(parsed.options, arguments[++i]);
        } else {
            parsed.options.*(text->text) = arguments[++i];
        }
    }
    if (parsed.error.empty()) parsed.error = CheckCombination(parsed.options);
    return parsed;
}

const std::string& UsageText() {
    static const std::string text =
        "Usage: zelsim [--udp PORT|FIRST-LAST]... [--bind ADDR] [--zelnet]\n"
        "              [--pty | --serial PORT] [--record FILE]\n"
        "Plays a show controller or media player for the terminal: answers its commands on a\n"
        "UDP port, on a serial line, or on both at once.\n"
        "\n"
        "  --udp PORT     answer datagrams on this UDP port (0 picks a free one); prints\n"
        "                 'udp: ADDR:PORT' once bound. Replies go to the sender. A range\n"
        "                 FIRST-LAST, or several --udp, plays one product on each port,\n"
        "                 as a rack does\n"
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

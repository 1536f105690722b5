#pragma once
// The simulator's command line.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelsim {

struct Options {
    std::optional<uint32_t> udpPort;  // 0 lets the system choose
    std::string bindAddress = "127.0.0.1";
    bool zelnet = false;
    bool pty = false;
    std::string serialPort;  // empty: no serial port served
    std::string recordFile;  // empty: nothing recorded
    bool help = false;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line is good
};

ParsedOptions ParseOptions(std::span<const std::string_view> arguments);

const std::string& UsageText();

}  // namespace zelsim

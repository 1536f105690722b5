#pragma once
// zelctl's command line: one command, its operands and its options.
#include <optional>
#include <string>
#include <vector>

#include "terminal/window_system.h"

namespace zel::ctl {

enum class Command { Help, Products, Pages, Controls, Press, Send };

// One --set PATH=VALUE, applied in the order given.
struct ControlValue {
    std::string path;
    std::string value;
    bool operator==(const ControlValue&) const = default;
};

struct Invocation {
    Command command = Command::Help;
    std::string product;
    std::string page;
    std::string path;
    std::string customString;
    std::vector<ControlValue> values;
    std::vector<MessageAnswer> answers;
    std::optional<int> connection;  // kSerial, kEthernet or kUsb
    std::optional<std::string> protocol;
    bool dryRun = false;
    int waitMs = 0;
};

struct ParsedArguments {
    Invocation invocation;
    std::string error;  // empty when the command line is good
};

ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

// "serial", "ethernet" or "usb", as --connection takes them.
const char* ConnectionName(int type);

// Whether the invocation goes to a device: only press and send without --dry-run do.
bool SendsForReal(const Invocation& invocation);

const std::string& UsageText();

}  // namespace zel::ctl

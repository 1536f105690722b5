#pragma once
// zelctl's command line: one command, its operands and its options.
#include <optional>
#include <string>
#include <vector>

#include "app/zelctl/script.h"
#include "services/window_system.h"

namespace zel::ctl {

enum class Command { Help, Products, Pages, Controls, Press, Send, Run, Devices };

inline constexpr int kDefaultJobs = 8;

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
    std::string scriptPath;  // "-" for standard input
    std::vector<ControlValue> values;
    std::vector<MessageAnswer> answers;
    std::optional<int> connection;  // kSerial, kEthernet or kUsb
    std::optional<std::string> protocol;
    bool dryRun = false;
    int waitMs = 0;
    std::optional<std::string> expect;  // an extended regular expression
    int timeoutMs = kDefaultExpectMs;
    std::string device;       // --device: a stored device instead of the stored connection
    std::string devices;      // --devices: names separated by commas, "all" or a sheet
    int jobs = kDefaultJobs;  // devices run at once
    std::string junitPath;
    std::string importPath;  // devices --import
    bool exportSheet = false;
};

struct ParsedArguments {
    Invocation invocation;
    std::string error;  // empty when the command line is good
};

ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

// "serial", "ethernet" or "usb", as --connection takes them.
const char* ConnectionName(int type);
std::optional<int> ConnectionNamed(const std::string& name);
// "ok", "cancel", "yes" or "no", as --answer takes them.
std::optional<MessageAnswer> AnswerNamed(const std::string& name);
// A whole non-negative number of milliseconds.
std::optional<int> Milliseconds(const std::string& text);

// Whether the invocation goes to a device: only press, send and run without --dry-run do.
bool SendsForReal(const Invocation& invocation);

const std::string& UsageText();

}  // namespace zel::ctl

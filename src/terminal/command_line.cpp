// The switches the terminal takes on its command line.
#include <algorithm>
#include <cctype>

#include "terminal/zelterm_dlg.h"

namespace zel {

namespace {

constexpr const char* kLogFileOption = "--log-file";

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

void CZelTermDlg::ProcessCommandLine(const std::vector<std::string>& tokens) {
    // The record starts before any switch sends, wherever the option stands.
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i] != kLogFileOption) continue;
        log_.Settings().file = {true, tokens[i + 1], log_.Settings().file.rotateKiB};
        ApplyLogFile();
    }
    bool exitRequested = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        bool takesArgument = token == "-Serial" || token == "-Ethernet" || token == "-Product" ||
                             token == kLogFileOption;
        if (takesArgument && i + 1 >= tokens.size()) break;
        if (token == kLogFileOption) {
            ++i;
        } else if (token == "-Serial") {
            const std::string& port = tokens[++i];
            if (profile_.serialAvailable) services_.serial.CloseLine();
            if (services_.serial.OpenForWindow(port, [](uint32_t) {}) != 0) continue;
            services_.serial.CloseLine();
            profile_.serialPort = port;
            SelectConnection(kSerial);
        } else if (token == "-Ethernet") {
            if (profile_.ethernetAvailable) SelectConnection(kEthernet);
            profile_.productIpAddress = tokens[++i];
            UpdateStatus();
        } else if (token == "-Product") {
            const std::string& name = tokens[++i];
            SelectProduct(name);
            // The list then shows the first name that begins with the text, as a list box does.
            auto match =
                std::find_if(productNames_.begin(), productNames_.end(),
                             [&](const std::string& n) { return StartsWithIgnoringCase(n, name); });
            if (match != productNames_.end()) {
                productListIndex_ = static_cast<int>(match - productNames_.begin());
            }
        } else if (token == "-SendPCDate") {
            SendCommand(pcClock_.FormatDateDotted() + "DA", true);
        } else if (token == "-SendPCTime") {
            SendCommand(pcClock_.FormatTime() + "TI", true);
        } else if (token == "-Exit") {
            exitRequested = true;
        } else {
            log_.AppendLog("Command Line Error\r\n", false);
        }
        Refresh();
    }
    if (exitRequested) OnOk();
}

// Splits a command-line text at runs of spaces.
std::vector<std::string> SplitCommandLine(const std::string& text) {
    std::vector<std::string> tokens;
    size_t pos = 0;
    while ((pos = text.find_first_not_of(' ', pos)) != std::string::npos) {
        size_t end = text.find(' ', pos);
        tokens.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return tokens;
}

}  // namespace zel

// The switches the terminal takes on its command line.
#include <algorithm>

#include "services/dialog_fields.h"
#include "terminal/zelterm_dlg.h"

namespace zel {

namespace {

constexpr const char* kLogFileOption = "--log-file";

}  // namespace

void CZelTermDlg::ProcessCommandLine(const std::vector<std::string>& tokens) {
    // The record starts before any switch sends, wherever the option stands.
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i] != kLogFileOption) continue;
        log_.Settings().file = {true, tokens[i + 1], log_.Settings().file.rotateKiB};
        ApplyLogFile();
    }
    commandLineResult_ = CommandLineOutcome::Done;
    auto worsen = [this](CommandLineOutcome outcome) {
        commandLineResult_ = std::max(commandLineResult_, outcome);
    };
    // Why the connection the command line asked for cannot be used. The sends after it stay
    // unsent rather than go out over another connection.
    std::string unusable;
    auto refuse = [&](std::string reason, CommandLineOutcome outcome) {
        log_.AppendLog(reason + "\r\n", false);
        unusable = std::move(reason);
        worsen(outcome);
    };
    // The product may offer no such connection, and then another one is chosen.
    auto took = [&](int connection) {
        if (profile_.connectionType == connection) {
            unusable.clear();
            keepStoredEthernet_ = false;
            return;
        }
        refuse(std::string(connection == kSerial ? "Serial" : "Ethernet") +
                   " cannot be used: the product " + (product_ ? product_->Name() : "") +
                   " has no such connection",
               CommandLineOutcome::NotDone);
    };
    auto send = [&](const std::string& token, const std::string& text) {
        if (!unusable.empty()) {
            log_.AppendLog(token + " not sent: " + unusable + "\r\n", false);
            worsen(CommandLineOutcome::NotDone);
        } else if (!Send(text, true)) {
            worsen(CommandLineOutcome::NotDone);
        }
    };
    bool exitRequested = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        bool takesArgument = token == "-Serial" || token == "-Ethernet" || token == "-Product" ||
                             token == kLogFileOption;
        if (takesArgument && i + 1 >= tokens.size()) {
            log_.AppendLog("Command Line Error\r\n", false);
            worsen(CommandLineOutcome::NotUnderstood);
            break;
        }
        if (token == kLogFileOption) {
            ++i;
        } else if (token == "-Serial") {
            const std::string& port = tokens[++i];
            if (profile_.serialAvailable) services_.serial.CloseLine();
            if (long error = services_.serial.OpenForWindow(port, [](uint32_t) {}); error != 0) {
                refuse("Serial port " + port +
                           " cannot be opened: " + services_.serial.DescribeError(error),
                       CommandLineOutcome::NotDone);
                continue;
            }
            services_.serial.CloseLine();
            profile_.serialPort = port;
            profile_.serialAvailable = true;  // it just opened, whatever the probe found
            SelectConnection(kSerial);
            took(kSerial);
        } else if (token == "-Ethernet") {
            const std::string& address = tokens[++i];
            if (!ParseDottedAddress(address)) {
                refuse("Ethernet address " + address +
                           " is not a dotted IPv4 address such as 192.168.0.254",
                       CommandLineOutcome::NotUnderstood);
            } else if (!profile_.ethernetAvailable) {
                refuse(ethernetProblem_, CommandLineOutcome::NotDone);
            } else {
                SelectConnection(kEthernet);
                profile_.productIpAddress = address;
                UpdateStatus();
                took(kEthernet);
            }
        } else if (token == "-Product") {
            const std::string& name = tokens[++i];
            if (!FindProduct(catalog_, name)) {
                log_.AppendLog("No product is named " + name + "; the product stays " +
                                   (product_ ? product_->Name() : "") + ".\r\n",
                               false);
                worsen(CommandLineOutcome::NotUnderstood);
                continue;
            }
            SelectProduct(name);
            // The list shows, and the settings keep, the product in force.
            productListIndex_ =
                static_cast<int>(std::find(productNames_.begin(), productNames_.end(), name) -
                                 productNames_.begin());
        } else if (token == "-SendPCDate") {
            send(token, pcClock_.FormatDateDotted() + "DA");
        } else if (token == "-SendPCTime") {
            send(token, pcClock_.FormatTime() + "TI");
        } else if (token == "-Exit") {
            exitRequested = true;
        } else {
            log_.AppendLog("Command Line Error\r\n", false);
            worsen(CommandLineOutcome::NotUnderstood);
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

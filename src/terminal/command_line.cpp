// The switches the terminal takes on its command line.
#include <algorithm>

#include "services/dialog_fields.h"
#include "terminal/product_name_match.h"
#include "terminal/zelterm_dlg.h"

namespace zel {

namespace {

constexpr const char* kLogFileOption = "--log-file";
constexpr size_t kClosestShown = 3;

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

}  // namespace

void CZelTermDlg::ProcessCommandLine(const std::vector<std::string>& tokens) {
    commandLineResult_ = CommandLineOutcome::Done;
    auto worsen = [this](CommandLineOutcome outcome) {
        commandLineResult_ = std::max(commandLineResult_, outcome);
    };
    // The record starts before any switch sends, wherever the option stands. One that cannot be
    // written is not kept for later runs.
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i] != kLogFileOption) continue;
        const LogFileSettings kept = log_.Settings().file;
        log_.Settings().file = {true, tokens[i + 1], kept.rotateKiB};
        if (!ApplyLogFile()) {
            log_.Settings().file = kept;
            ApplyLogFile();
            worsen(CommandLineOutcome::NotDone);
        }
    }
    // Why the connection the command line asked for cannot be used. The sends after it stay
    // unsent rather than go out over another connection.
    std::string unusable;
    // Why the product the command line named is not the one in force; only a later -Product
    // mends it.
    std::string productUnknown;
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
        const std::string& why = productUnknown.empty() ? unusable : productUnknown;
        if (!why.empty()) {
            log_.AppendLog(token + " not sent: " + why + "\r\n", false);
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
            log_.AppendLog("Command Line Error: " + token + " needs an argument\r\n", false);
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
            const std::string& typed = tokens[++i];
            std::string name =
                FindProduct(catalog_, typed) ? typed : NameIgnoringCase(productNames_, typed);
            if (name.empty()) {
                productUnknown = "No product is named " + typed + " (the closest are " +
                                 Joined(ClosestNames(productNames_, typed, kClosestShown)) +
                                 "); the product stays " + (product_ ? product_->Name() : "");
                log_.AppendLog(productUnknown + ".\r\n", false);
                worsen(CommandLineOutcome::NotUnderstood);
                continue;
            }
            productUnknown.clear();
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
            log_.AppendLog("Command Line Error: " + token + " is not a switch\r\n", false);
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

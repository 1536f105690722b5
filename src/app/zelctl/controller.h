#pragma once
// zelctl's commands carried out on a started terminal, as an operator would: listing what
// exists, and running steps (those of a press or send, or a script's) on one session. Results
// are JSON lines; mistakes are explained on the error stream and end in an exit status.
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/zelctl/arguments.h"
#include "app/zelctl/session.h"
#include "terminal/device_list.h"

namespace zel::ctl {

class Controller {
  public:
    Controller(const SessionParts& parts, std::ostream& errors, std::istream& standardInput)
        : parts_(parts),
          errors_(errors),
          standardInput_(standardInput),
          operator_(parts.terminal) {}

    // The terminal has run its start-up sequence. Returns the exit status.
    int Run(const Invocation& invocation);
    // The stored devices, for the devices command and --device.
    void SetDevices(DeviceList* devices) { devices_ = devices; }
    // Runs on this device instead of the stored product and connection.
    void UseDevice(const Device& device) { chosen_ = device; }

    // What ended the last command, when it failed.
    struct Failure {
        std::optional<int> step;  // the script's line; none before the first step
        std::string message;
    };
    const std::optional<Failure>& LastFailure() const { return failure_; }

  private:
    void ListProducts();
    void ListPages(const Invocation& invocation);
    void ListControls(const Invocation& invocation);
    Session StartSession(const Invocation& invocation, const std::vector<Step>& steps);
    void RunSteps(const Invocation& invocation, const std::vector<Step>& steps);
    std::string ReadScript(const std::string& path);
    int RunScript(const Invocation& invocation);
    void ListDevices();
    void ImportDevices(const std::string& path);
    SessionOptions OptionsOf(const Invocation& invocation);

    SessionParts parts_;
    std::ostream& errors_;
    std::istream& standardInput_;
    TerminalOperator operator_;
    DeviceList* devices_ = nullptr;
    std::optional<Device> chosen_;
    std::optional<Failure> failure_;
};

}  // namespace zel::ctl

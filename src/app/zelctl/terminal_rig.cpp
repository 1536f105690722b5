#include "app/zelctl/terminal_rig.h"

#include "app/zelctl/connection_guard.h"
#include "app/zelctl/log_lines.h"
#include "app/zelctl/qt_event_loop.h"
#include "app/zelctl/script_services.h"
#include "app/zelctl/scripted_window.h"
#include "app/zelctl/traffic_events.h"
#include "app/zelctl/wire_bytes.h"
#include "gui/console_window_system.h"
#include "gui/qt_device_file.h"
#include "gui/settings_store_of_platform.h"
#include "products/catalog.h"
#include "terminal/device_choice.h"
#include "transport/serial_window.h"
#include "transport/system_services.h"
#include "transport/zel_socket.h"
#include "transport/zel_usb.h"

namespace zel::ctl {

namespace {

struct Transports {
    std::unique_ptr<ISerialPort> serial;
    std::unique_ptr<IUdpSocket> udp;
    std::unique_ptr<IUsbLink> usb;
};

// The transports zelterm builds, or ones that open and send nothing.
Transports MakeTransports(bool real, IWindowSystem& window) {
    if (real) {
        return {std::make_unique<CSerialWnd>(window), std::make_unique<CZelSocket>(window),
                std::make_unique<CZelUSB>(MakeSystemUsbBackend())};
    }
    return {std::make_unique<InertSerialPort>(), std::make_unique<InertUdpSocket>(),
            std::make_unique<InertUsbLink>()};
}

const char* AnswerGiver(const Invocation& invocation) {
    return invocation.command == Command::Run ? "answer" : "--answer";
}

}  // namespace

struct TerminalRig::Parts {
    Parts(const Invocation& invocation, JsonLineWriter& events, std::ostream& errors,
          std::istream& standardInput, const Device* device)
        : errors(errors),
          real(SendsForReal(invocation)),
          answers(invocation.answers, AnswerGiver(invocation)),
          window(console, answers, events),
          readOnlySettings(settings),
          transports(MakeTransports(real, window)),
          terminal({window,
                    device ? static_cast<ISettingsStore&>(deviceSettings) : readOnlySettings,
                    *transports.serial, *transports.udp, *transports.usb, clock, noUpdates}),
          traffic(events, received, real,
                  [this](std::string_view text, bool cr) { return WireBytes(terminal, text, cr); }),
          logLines([this](const std::string& line) { traffic.OnLogLine(line); }),
          deviceFile(QtDeviceFile::OfThisUser()),
          devices(deviceFile, terminal.Catalog()),
          guard(terminal, *transports.udp, *transports.usb),
          controller(
              {terminal, window, answers, received, loop, events, traffic, real ? &guard : nullptr},
              errors, standardInput) {
        terminal.SetTrafficObserver(&traffic);
        if (device) {
            controller.UseDevice(*device);
            WriteDeviceSettings(*deviceSettings.OpenOrCreateForWrite(), *device,
                                terminal.ProductNames());
        }
        terminal.OnInitDialog({});
        terminal.Log().SetObserver(&logLines);
    }
    ~Parts() {
        logLines.Flush();
        terminal.Log().SetObserver(nullptr);
        terminal.SetTrafficObserver(nullptr);
    }

    std::ostream& errors;
    const bool real;
    AnswerBook answers;
    ConsoleWindowSystem console;
    ScriptedWindowSystem window;
    PlatformSettingsStore settings;
    MemorySettingsStore deviceSettings;
    ReadOnlySettingsStore readOnlySettings;
    NoUpdatePrograms noUpdates;
    SystemClock clock;
    Transports transports;
    CZelTermDlg terminal;
    ReceivedText received;
    TrafficEvents traffic;
    LogLines logLines;
    QtEventLoop loop;
    QtDeviceFile deviceFile;
    DeviceList devices;
    bool devicesLoaded = false;
    ConnectionGuard guard;
    Controller controller;
};

TerminalRig::TerminalRig(const Invocation& invocation, JsonLineWriter& events, std::ostream& errors,
                         std::istream& standardInput, const Device* device)
    : parts_(std::make_unique<Parts>(invocation, events, errors, standardInput, device)) {}

TerminalRig::~TerminalRig() = default;

DeviceList& TerminalRig::Devices() {
    if (!parts_->devicesLoaded) {
        parts_->devicesLoaded = true;
        if (std::string problem = parts_->devices.Load(); !problem.empty()) {
            parts_->errors << "zelctl: " << problem << "\n" << std::flush;
        }
    }
    return parts_->devices;
}

Controller& TerminalRig::Control() {
    return parts_->controller;
}

int TerminalRig::Run(const Invocation& invocation) {
    if (invocation.command == Command::Devices) parts_->controller.SetDevices(&Devices());
    const int status = parts_->controller.Run(invocation);
    parts_->logLines.Flush();
    const AnswerBook& answers = parts_->answers;
    if (answers.Unused() > 0) {
        parts_->errors << "zelctl: " << answers.Unused() << " " << AnswerGiver(invocation)
                       << " left unused: no more questions were asked\n";
    }
    return status;
}

}  // namespace zel::ctl

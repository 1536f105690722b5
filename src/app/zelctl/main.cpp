// zelctl: the terminal's product pages driven from the command line, for scripts and tests.
#include <QCoreApplication>
#include <iostream>
#include <memory>

#include "app/zelctl/arguments.h"
#include "app/zelctl/controller.h"
#include "app/zelctl/log_lines.h"
#include "app/zelctl/qt_event_loop.h"
#include "app/zelctl/script_services.h"
#include "app/zelctl/scripted_window.h"
#include "app/zelctl/traffic_events.h"
#include "gui/console_window_system.h"
#include "gui/settings_store_of_platform.h"
#include "transport/serial_window.h"
#include "transport/system_services.h"
#include "transport/zel_socket.h"
#include "transport/zel_usb.h"

namespace {

using namespace zel;
using namespace zel::ctl;

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

// Said after the command: answers no question took.
void ReportUnusedAnswers(const AnswerBook& answers, const std::string& giver) {
    if (answers.Unused() == 0) return;
    std::cerr << "zelctl: " << answers.Unused() << " " << giver
              << " left unused: no more questions were asked\n";
}

}  // namespace

int main(int argc, char** argv) {
    ParsedArguments parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "zelctl: " << parsed.error << "\nTry 'zelctl --help'.\n";
        return exit_status::kNotFound;
    }
    const Invocation& invocation = parsed.invocation;
    if (invocation.command == Command::Help) {
        std::cout << UsageText();
        return exit_status::kDone;
    }

    QCoreApplication app(argc, argv);
    JsonLineWriter events(std::cout);
    const std::string giver = invocation.command == Command::Run ? "answer" : "--answer";
    AnswerBook answers(invocation.answers, giver);
    ConsoleWindowSystem console;
    ScriptedWindowSystem window(console, answers, events);
    PlatformSettingsStore settings;
    ReadOnlySettingsStore readOnlySettings(settings);
    NoUpdatePrograms noUpdates;
    SystemClock clock;
    const bool real = SendsForReal(invocation);
    Transports transports = MakeTransports(real, window);
    CZelTermDlg terminal({window, readOnlySettings, *transports.serial, *transports.udp,
                          *transports.usb, clock, noUpdates});

    ReceivedText received;
    TrafficEvents traffic(events, received, real);
    terminal.SetTrafficObserver(&traffic);
    terminal.OnInitDialog({});
    LogLines logLines([&](const std::string& line) { traffic.OnLogLine(line); });
    terminal.Log().SetObserver(&logLines);

    QtEventLoop loop;
    Controller controller({terminal, window, answers, received, loop, events}, std::cerr, std::cin);
    int status = controller.Run(invocation);
    logLines.Flush();
    terminal.Log().SetObserver(nullptr);
    terminal.SetTrafficObserver(nullptr);
    ReportUnusedAnswers(answers, giver);
    return status;
}

// zelctl: the terminal's product pages driven from the command line, for scripts and tests.
#include <QCoreApplication>
#include <QTimer>
#include <iostream>
#include <memory>

#include "app/zelctl/arguments.h"
#include "app/zelctl/controller.h"
#include "app/zelctl/log_lines.h"
#include "app/zelctl/script_services.h"
#include "app/zelctl/scripted_window.h"
#include "gui/console_window_system.h"
#include "gui/qt_settings_store.h"
#include "transport/serial_window.h"
#include "transport/system_clock_posix.h"
#include "transport/usb_libusb.h"
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
                std::make_unique<CZelUSB>(MakeLibusbBackend())};
    }
    return {std::make_unique<InertSerialPort>(), std::make_unique<InertUdpSocket>(),
            std::make_unique<InertUsbLink>()};
}

// Said after the command: answers that did not fit a box fail the run; unused ones are noted.
int ReportAnswers(const AnswerBook& answers, int status) {
    for (const std::string& mistake : answers.Mistakes())
        std::cerr << "zelctl: " << mistake << "\n";
    if (answers.Unused() > 0) {
        std::cerr << "zelctl: " << answers.Unused() << " --answer left unused: no more questions"
                  << " were asked\n";
    }
    return status == exit_status::kDone && !answers.Mistakes().empty() ? exit_status::kNotFound
                                                                       : status;
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
    AnswerBook answers(invocation.answers);
    ConsoleWindowSystem console;
    ScriptedWindowSystem window(console, answers, events);
    QtSettingsStore settings;
    ReadOnlySettingsStore readOnlySettings(settings);
    NoUpdatePrograms noUpdates;
    SystemClock clock;
    const bool real = SendsForReal(invocation);
    Transports transports = MakeTransports(real, window);
    CZelTermDlg terminal({window, readOnlySettings, *transports.serial, *transports.udp,
                          *transports.usb, clock, noUpdates});

    terminal.SetSendObserver([&](std::string_view text, bool appendCR) {
        events.Write(
            JsonObject().Add("event", "send").Add("hex", HexText(text)).Add("cr", appendCR));
    });
    terminal.OnInitDialog({});
    LogLines logLines([&](const std::string& line) {
        if (real) events.Write(JsonObject().Add("event", "log").Add("text", line));
    });
    terminal.Log().SetObserver(&logLines);

    Controller controller(terminal, events, std::cerr);
    int status = controller.Run(invocation);
    if (real && status == exit_status::kDone && invocation.waitMs > 0) {
        QTimer::singleShot(invocation.waitMs, &app, &QCoreApplication::quit);
        app.exec();
    }
    logLines.Flush();
    terminal.Log().SetObserver(nullptr);
    return ReportAnswers(answers, status);
}

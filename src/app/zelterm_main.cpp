// zelterm: the terminal. This build runs its command line without a window: it prints the
// communication log as it grows, and ends with "-Exit" or when interrupted.
#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/console_log_printer.h"
#include "gui/console_window_system.h"
#include "gui/qt_settings_store.h"
#include "gui/qt_update_launcher.h"
#include "terminal/zelterm_dlg.h"
#include "transport/serial_window.h"
#include "transport/system_clock_posix.h"
#include "transport/usb_libusb.h"
#include "transport/zel_socket.h"
#include "transport/zel_usb.h"

namespace {

constexpr const char* kUsage =
    "Usage: zelterm [--wait MS] [SWITCH]...\n"
    "A communication terminal for the Quorvane show controllers and players.\n"
    "\n"
    "Switches (case-sensitive):\n"
    "  -Serial PORT       use the serial connection on PORT (a device path such as /dev/ttyUSB0)\n"
    "  -Ethernet ADDRESS  use the Ethernet connection to the product at ADDRESS\n"
    "  -Product NAME      select the product NAME\n"
    "  -SendPCDate        send the PC's date (MM.DD.YYYYDA)\n"
    "  -SendPCTime        send the PC's time (HH:MM:SSTI)\n"
    "  -Exit              end after the switches, saving the settings\n"
    "\n"
    "Options:\n"
    "  --wait MS          with -Exit, keep receiving for MS milliseconds before ending\n"
    "  --help             show this text\n"
    "  --version          show the version\n"
    "\n"
    "The communication log is printed to standard output. Settings are kept in\n"
    "~/.config/Quorvane/ZelTerm.conf, or in the file ZELTERM_SETTINGS names.\n";

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
    interrupted = true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> switches;
    int waitMs = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Zel Terminal Version 3.21");
            return 0;
        }
        if (std::strcmp(argv[i], "--wait") == 0) {
            if (i + 1 >= argc || (waitMs = std::atoi(argv[i + 1])) < 0) {
                std::fputs("zelterm: --wait needs a number of milliseconds\n", stderr);
                return 2;
            }
            ++i;
            continue;
        }
        switches.emplace_back(argv[i]);
    }

    zel::ConsoleWindowSystem window;
    zel::QtSettingsStore settings;
    zel::CSerialWnd serial(window);
    zel::CZelSocket udp(window);
    zel::CZelUSB usb(zel::MakeLibusbBackend());
    zel::SystemClock clock;
    zel::QtUpdateLauncher updates(zel::QtUpdateLauncher::DefaultFolder());
    zel::CZelTermDlg terminal({window, settings, serial, udp, usb, clock, updates});
    zel::ConsoleLogPrinter printer;
    terminal.Log().SetObserver(&printer);
    terminal.OnInitDialog(switches);

    if (terminal.Ended()) {
        if (waitMs > 0) {
            QTimer::singleShot(waitMs, &app, &QCoreApplication::quit);
            app.exec();
        }
        return 0;
    }
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (interrupted) {
            terminal.OnCancel();
            app.quit();
        }
    });
    watch.start(100);
    app.exec();
    return 0;
}

// The run without a window: the log is printed to standard output as it grows.
#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>

#include "app/console_log_printer.h"
#include "app/program_runs.h"
#include "app/terminal_parts.h"
#include "gui/console_window_system.h"

namespace zel {
namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
    interrupted = true;
}

}  // namespace

int RunWithoutWindow(int& argc, char** argv, const std::vector<std::string>& switches, int waitMs) {
    QCoreApplication app(argc, argv);
    ConsoleWindowSystem window;
    TerminalParts parts(window);
    CZelTermDlg& terminal = parts.terminal;
    ConsoleLogPrinter printer;
    terminal.Log().SetObserver(&printer);
    terminal.OnInitDialog(switches);
    const int status = static_cast<int>(terminal.CommandLineResult());

    if (terminal.Ended()) {
        if (waitMs > 0) {
            QTimer::singleShot(waitMs, &app, &QCoreApplication::quit);
            app.exec();
        }
        return status;
    }
    // "-Exit" was swallowed as another switch's argument: run until interrupted.
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
    return status;
}

}  // namespace zel

// The run with the main window. The window exists before the start-up sequence runs, so that
// message boxes of the start-up (a port that cannot be opened, an update offer) have a parent.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/program_runs.h"
#include "app/terminal_parts.h"
#include "gui/dialog_polish.h"
#include "gui/main_window.h"
#include "gui/program_identity.h"
#include "gui/qt_window_system.h"

namespace zel {
namespace {

QtMessageHandler windowSystemHandler = nullptr;

// Without a display the window system gives up with a fatal message, which would abort.
void EndWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        if (windowSystemHandler) windowSystemHandler(type, context, text);
        return;
    }
    std::fputs(
        "zelterm: the window cannot be opened: zelterm needs a display for its window, or "
        "-Exit to run without one.\n",
        stderr);
    std::_Exit(static_cast<int>(CommandLineOutcome::NotUnderstood));
}

}  // namespace

int RunWithWindow(int& argc, char** argv, const std::vector<std::string>& switches) {
    windowSystemHandler = qInstallMessageHandler(EndWithoutDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(windowSystemHandler);
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setApplicationDisplayName(QStringLiteral("Zel Terminal"));
    DialogPolish dialogPolish;
    app.installEventFilter(&dialogPolish);
    QtWindowSystem windowSystem;
    TerminalParts parts(windowSystem);
    MainWindow window(parts.terminal);
    windowSystem.SetParentWindow(&window);
    parts.terminal.OnInitDialog(switches);
    if (parts.terminal.Ended()) return 0;
    window.RestoreLastTab();
    window.show();
    return app.exec();
}

}  // namespace zel

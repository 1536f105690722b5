// The run with the main window. The window exists before the start-up sequence runs, so that
// message boxes of the start-up (a port that cannot be opened, an update offer) have a parent.
#include <QApplication>

#include "app/program_runs.h"
#include "app/terminal_parts.h"
#include "gui/main_window.h"
#include "gui/program_identity.h"
#include "gui/qt_window_system.h"

namespace zel {

int RunWithWindow(int& argc, char** argv, const std::vector<std::string>& switches) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setApplicationDisplayName(QStringLiteral("Zel Terminal"));
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

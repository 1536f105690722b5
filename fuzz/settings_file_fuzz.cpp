// Writes arbitrary bytes as the terminal's settings file, named by ZELTERM_SETTINGS, and lets the
// terminal read everything it reads at start-up: its own values, then the Custom page's named
// commands, each of which is sent once.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fake_terminal.h"
#include "gui/qt_settings_store.h"
#include "products/page_base.h"

namespace {

using zel::fuzz::Require;

QTemporaryDir& ScratchDir() {
    static QTemporaryDir dir;
    return dir;
}

// A fresh name each run: the settings class keeps what it read of a file between objects.
QString NextSettingsPath() {
    static unsigned run = 0;
    return ScratchDir().filePath(QStringLiteral("ZelTerm-%1.conf").arg(++run));
}

void SendEveryNamedCommand(zel::CPage& custom) {
    const auto list = custom.Find("Custom Strings/report");
    const auto send = custom.Find("Custom Strings/Send");
    Require(list && send, "the Custom page lacks its list or its Send button");
    const size_t rows = custom.At(*list).rows.size();
    for (size_t row = 0; row < rows; ++row) {
        Require(custom.At(*list).rows[row].size() == 2, "a named command without two columns");
        custom.ChooseEntry(*list, int(row));
        custom.Press(*send);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = NextSettingsPath();
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly), "the scratch settings file cannot be written");
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    setenv("ZELTERM_SETTINGS", path.toLocal8Bit().constData(), 1);
    {
        zel::QtSettingsStore settings;
        zel::fuzz::FakeTerminal terminal(settings);
        terminal.dlg.OnInitDialog({});
        terminal.dlg.OnSend();
        if (zel::CPage* custom = terminal.dlg.Sheet().ActivateTab("Custom")) {
            SendEveryNamedCommand(*custom);
        }
        terminal.CheckState();
        terminal.dlg.OnOk();
    }
    QFile::remove(path);
    return 0;
}

#include "flood/windowed_terminal.h"

#include <stdlib.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <algorithm>

#include "gui/log_display.h"
#include "gui/log_view.h"
#include "products/catalog.h"

namespace zel::test {
namespace {

constexpr const char* kSerialPortsVariable = "ZELTERM_SERIAL_PORTS";

void WriteChoice(ISettingsStore& store, const TerminalChoice& choice) {
    const std::vector<std::string> names = SortedProductNames(BuildCatalog());
    const auto product = std::find(names.begin(), names.end(), choice.product);
    auto key = store.OpenOrCreateForWrite();
    key->WriteNumber("Product", static_cast<uint32_t>(product - names.begin()));
    key->WriteNumber("Connection", static_cast<uint32_t>(choice.connection));
    key->WriteText("Protocol", choice.protocol);
    key->WriteText("ComPort", choice.serialPort.empty() ? "/nonexistent/port" : choice.serialPort);
    key->WriteText("BaudRate", choice.baudRate);
    key->WriteText("ProductIPAddress", "127.0.0.1");
    key->WriteNumber("ProductUDPPort", choice.productUdpPort);
    key->WriteNumber("LocalUDPPort", choice.localUdpPort);
    key->WriteNumber("CheckUpdateOnLaunch", 0);
}

}  // namespace

WindowedTerminal::WindowedTerminal(const TerminalChoice& choice)
    : savedSerialPorts_(getenv(kSerialPortsVariable)
                            ? std::optional<std::string>(getenv(kSerialPortsVariable))
                            : std::nullopt),
      settings_(dir_.filePath(QStringLiteral("ZelTerm.conf"))) {
    if (!choice.serialPort.empty()) setenv(kSerialPortsVariable, choice.serialPort.c_str(), 1);
    WriteChoice(settings_, choice);
    updates_.present = false;
    terminal_.OnInitDialog({});
    window_.show();
}

WindowedTerminal::~WindowedTerminal() {
    if (savedSerialPorts_) {
        setenv(kSerialPortsVariable, savedSerialPorts_->c_str(), 1);
    } else {
        unsetenv(kSerialPortsVariable);
    }
}

QString WindowedTerminal::ShownLog() {
    return window_.Log().ShownText();
}

QString WindowedTerminal::LastShownLine() {
    const LogView& box = window_.Log();
    for (qsizetype line = box.LineCount() - 1; line >= 0; --line) {
        QString text = box.ShownLines(line, 1);
        if (!text.isEmpty()) return text;
    }
    return {};
}

bool WindowedTerminal::BoxCatchesUp(std::chrono::milliseconds timeout) {
    QString expected;
    // Made again only when the log changes: rendering a full log is costly.
    std::optional<size_t> expectedForSize;  // the log's size when `expected` was made
    return PumpEventsUntil(
        [&] {
            const std::string& log = terminal_.Log().Text();
            if (expectedForSize != log.size()) {
                expected = DisplayLogText(log);
                expectedForSize = log.size();
            }
            if (ShownLog() == expected) return true;
            expectedForSize.reset();
            return false;
        },
        timeout);
}

bool PumpEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    QDeadlineTimer deadline(timeout);
    QTimer wake;  // the loop waits for events; this one makes sure some come
    wake.start(50);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace zel::test

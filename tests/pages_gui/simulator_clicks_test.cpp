// A click on a rendered page button in the main window, over the real UDP socket on loopback,
// reaches the simulator as the exact bytes the page composes, and its answer reaches the log.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "gui/console_window_system.h"
#include "gui/main_window.h"
#include "gui/qt_settings_store.h"
#include "products/catalog.h"
#include "support/child_process.h"
#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"
#include "transport/udp_endpoint.h"
#include "transport/zel_socket.h"

namespace zel {
namespace {

constexpr int kPatienceMs = 30000;  // a loaded machine is slow; the datagrams do come

std::vector<std::string> RecordedLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

uint32_t FreeUdpPort() {
    UdpEndpoint probe;
    return probe.Bind("127.0.0.1", 0) ? probe.LocalPort() : 0;
}

// Processes events until the condition holds or the patience runs out.
bool WaitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(kPatienceMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QTest::qWait(10);
    }
    return true;
}

// The terminal as the program builds it, with the real UDP socket and settings file; the serial
// and USB sides are fakes so that no port of this machine is touched.
struct Terminal {
    explicit Terminal(const QString& settingsPath) : settings(settingsPath) {
        updates.present = false;
    }

    ConsoleWindowSystem windows;
    QtSettingsStore settings;
    test::FakeSerialPort serial;
    CZelSocket udp{windows};
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher updates;
    CZelTermDlg terminal{{windows, settings, serial, udp, usb, clock, updates}};
    MainWindow window{terminal};
};

TEST(SimulatorClicksTest, OutputOnClickedOnTheControlTabReachesTheSimulator) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string recordPath = dir.filePath("wire.txt").toStdString();
    test::ChildProcess sim(ZELSIM_PATH, {"--udp", "0", "--record", recordPath});
    ASSERT_TRUE(sim.Started());
    auto announced = sim.ReadLine(kPatienceMs);
    ASSERT_TRUE(announced && announced->starts_with("udp: 127.0.0.1:")) << announced.value_or("");
    const uint32_t simPort = std::stoul(announced->substr(announced->rfind(':') + 1));

    // A stored Tamrin on Ethernet, pointed at the simulator on loopback.
    const QString settingsPath = dir.filePath("ZelTerm.conf");
    {
        QtSettingsStore store(settingsPath);
        auto key = store.OpenOrCreateForWrite();
        auto names = SortedProductNames(BuildCatalog());
        key->WriteNumber(
            "Product",
            static_cast<uint32_t>(std::find(names.begin(), names.end(), "Tamrin") - names.begin()));
        key->WriteNumber("Connection", 1);
        key->WriteText("Protocol", "Netwick(8-bit)");
        key->WriteText("ProductIPAddress", "127.0.0.1");
        key->WriteNumber("ProductUDPPort", simPort);
        key->WriteNumber("LocalUDPPort", FreeUdpPort());
        key->WriteNumber("CheckUpdateOnLaunch", 0);
    }
    Terminal program(settingsPath);
    program.terminal.OnInitDialog({});
    program.window.show();
    ASSERT_EQ(program.terminal.CurrentProduct()->Name(), "Tamrin");
    ASSERT_EQ(program.terminal.Profile().productIpAddress, "127.0.0.1");

    auto* sheet = program.window.findChild<QTabWidget*>(QStringLiteral("propertySheet"));
    ASSERT_NE(sheet, nullptr);
    int control = -1;
    for (int tab = 0; tab < sheet->count(); ++tab) {
        if (sheet->tabText(tab) == QStringLiteral("Control")) control = tab;
    }
    ASSERT_GE(control, 0) << "the Tamrin has no Control tab";
    sheet->setCurrentIndex(control);
    auto* on = sheet->widget(control)->findChild<QPushButton*>(QStringLiteral("Outputs/On"));
    ASSERT_NE(on, nullptr);
    ASSERT_TRUE(on->isEnabled());
    QTest::mouseClick(on, Qt::LeftButton);

    // The simulator records what it received before it answers; the answer is logged.
    EXPECT_TRUE(WaitFor([&] {
        return program.terminal.Log().Text().find("Received (127.0.0.1)") != std::string::npos;
    })) << program.terminal.Log().Text();
    EXPECT_EQ(sim.Terminate(), 0);
    EXPECT_EQ(RecordedLines(recordPath), std::vector<std::string>{"F5 00 01 02 02 00 05"});
}

}  // namespace
}  // namespace zel

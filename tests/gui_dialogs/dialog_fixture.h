#pragma once
// A terminal on fakes, and a way to work a modal dialog while its exec() runs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel::test {

// Calls drive with the next modal dialog once it is shown. drive must end the dialog; if it
// has not ended long after, the dialog is rejected so the test fails instead of hanging.
inline void WhenModalShown(std::function<void(QDialog&)> drive) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, drive = std::move(drive)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        QPointer<QDialog> guarded(dialog);
        drive(*dialog);
        QTimer::singleShot(30000, qApp, [guarded] {
            if (!guarded || !guarded->isVisible()) return;
            ADD_FAILURE() << "the dialog was left open";
            guarded->reject();
        });
    });
    poll->start();
}

// Clicks near the left end, where a radio button or check box has its mark and caption even
// when its layout makes it wide.
inline void ClickButton(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class TerminalOnFakes {
  public:
    explicit TerminalOnFakes(IUpdateLauncher* updates = nullptr) {
        serial.probe["COM1"] = ProbeResult::Available;
        serial.probe["COM2"] = ProbeResult::Available;
        launcher.present = false;
        terminal = std::make_unique<CZelTermDlg>(TerminalServices{
            window, store, serial, udp, usb, clock, updates ? *updates : launcher});
    }

    FakeWindowSystem window;
    FakeSettingsStore store;
    FakeSerialPort serial;
    FakeUdpSocket udp;
    FakeUsbLink usb;
    FakeClock clock;
    FakeUpdateLauncher launcher;
    std::unique_ptr<CZelTermDlg> terminal;
};

}  // namespace zel::test

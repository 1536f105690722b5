// Every push button of every page of every product, hovered and then pressed in the terminal:
// hovering leaves the page and the terminal as they were and sends nothing, and the tooltip says
// exactly what the press then sends (or shows).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHelpEvent>
#include <map>
#include <sstream>

#include "gui/page_widget.h"
#include "pages/dry_press.h"
#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

// The operator of the dry press: agrees to every question.
class AgreeingWindow : public test::FakeWindowSystem {
  public:
    MessageAnswer MessageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override {
        shown.push_back({text, caption, buttons, icon});
        bool okButtons = buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel;
        return okButtons ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
};

std::string Snapshot(const CPage& page) {
    std::ostringstream out;
    for (const Control& c : page.Controls()) {
        out << c.path << '|' << c.text << '|' << c.selected << '|' << c.checked << '|' << c.position
            << '|' << c.enabled << c.visible << '|' << c.choices.size() << '|' << c.rows.size()
            << '\n';
    }
    return out.str();
}

// The commands logged as Sent in a piece of the log, without their headers.
std::vector<std::string> SentLines(const std::string& log) {
    std::vector<std::string> sent;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t header = line.find("):  ");
        if (line.starts_with("Sent (") && header != std::string::npos) {
            sent.push_back(line.substr(header + 4));
        }
    }
    return sent;
}

std::string Tooltip(QWidget* widget) {
    QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(widget, &hover);
    return widget->toolTip().toStdString();
}

TEST(ButtonTipsTest, EveryTooltipIsWhatThePressThenSendsAndHoveringChangesNothing) {
    AgreeingWindow window;
    test::FakeSettingsStore settings;
    test::FakeSerialPort serial;
    serial.probe["COM1"] = ProbeResult::Available;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher updates;
    updates.present = false;
    CZelTermDlg terminal({window, settings, serial, udp, usb, clock, updates});
    terminal.OnInitDialog({});
    // The unit address in front shows that the tooltip is framed as the connection frames.
    ConnectionProfile profile = terminal.Profile();
    profile.sendUnitAddress = true;
    profile.unitAddress = 7;
    terminal.ApplyConnectionSetup(profile);

    auto hoverThenPress = [&](const std::string& trace, CPage& page, PageWidget& widgets) {
        for (ControlId id = 0; id < static_cast<ControlId>(page.Controls().size()); ++id) {
            const Control& button = page.At(id);
            if (button.kind != ControlKind::PushButton || !button.visible) continue;
            SCOPED_TRACE(trace + button.path);
            const std::string before = Snapshot(page);
            const std::string log = terminal.Log().Text();
            const size_t shown = window.shown.size();
            const size_t sends = serial.written.size() + udp.sent.size() + usb.written.size();

            const std::string tip = Tooltip(widgets.WidgetOf(id));
            EXPECT_EQ(Snapshot(page), before);
            ASSERT_EQ(terminal.Log().Text(), log);
            EXPECT_EQ(window.shown.size(), shown);
            EXPECT_EQ(serial.written.size() + udp.sent.size() + usb.written.size(), sends);
            if (!button.enabled) {
                EXPECT_EQ(tip, page.DisabledReason(id));
                continue;
            }

            const auto timers = window.timers;
            page.Press(id);
            // Follow-ups run as their time comes, once each.
            for (const auto& [timer, started] : std::map(window.timers)) {
                if (!timers.contains(timer)) window.Tick(timer);
            }
            DryPressOutcome pressed{SentLines(terminal.Log().Text().substr(log.size())), {}, {}};
            for (size_t i = shown; i < window.shown.size(); ++i) {
                pressed.shown.push_back(window.shown[i].text);
            }
            EXPECT_EQ(tip, PressTip(pressed));
        }
    };

    for (const std::string& product : terminal.ProductNames()) {
        terminal.SelectProduct(product);
        for (size_t tab = 0; tab < terminal.Sheet().Tabs().size(); ++tab) {
            CPage& page = *terminal.Sheet().Activate(static_cast<int>(tab));
            PageWidget widgets(page);
            const std::string trace = product + ": " + page.Title() + ": ";
            hoverThenPress(trace, page, widgets);
            // Away from the defaults: the last entry of every list, the last of every choice.
            for (ControlId id = 0; id < static_cast<ControlId>(page.Controls().size()); ++id) {
                const Control& control = page.At(id);
                if (control.kind == ControlKind::RadioButton) page.Press(id);
                if (!control.choices.empty()) {
                    page.ChooseEntry(id, static_cast<int>(control.choices.size()) - 1);
                }
            }
            hoverThenPress(trace + "moved: ", page, widgets);
        }
    }
}

}  // namespace
}  // namespace zel

// The main window driven as an operator drives it, over the terminal's logic with fake
// transports, in an offscreen window system.
#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRawFont>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "gui/device_selector.h"
#include "gui/elided_label.h"
#include "gui/error_messages_dialog.h"
#include "gui/find_bar.h"
#include "gui/log_display.h"
#include "gui/log_view.h"
#include "gui/qt_device_file.h"
#include "gui/qt_settings_store.h"
#include "gui/qt_window_system.h"
#include "gui/window_layout.h"
#include "products/catalog.h"
#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

constexpr int kPatienceMs = 30000;  // a loaded CI machine may be slow; the events do come

struct Rig {
    explicit Rig(const QString& settingsPath) : settings(settingsPath) {
        serial.probe["COM1"] = ProbeResult::Available;
        updates.present = false;
    }

    void Start(const std::vector<std::string>& commandLine = {}) {
        windows.SetParentWindow(&window);
        terminal.OnInitDialog(commandLine);
        window.show();
    }

    template <typename T>
    T* Find(const char* objectName) {
        T* found = window.findChild<T*>(QString::fromLatin1(objectName));
        if (!found) qFatal("no widget %s", objectName);
        return found;
    }

    QString LogText() { return window.Log().ShownText(); }
    QString ModelText() { return DisplayLogText(terminal.Log().Text()); }

    test::FakeSerialPort serial;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher updates;
    QtWindowSystem windows;
    QtSettingsStore settings;
    CZelTermDlg terminal{{windows, settings, serial, udp, usb, clock, updates}};
    MainWindow window{terminal};
};

// Runs `inspect` on the modal dialog that `open` shows, once it is up; `inspect` closes it.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect) {
    bool inspected = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll.stop();
            inspected = true;
            inspect(modal);
            // A failed check leaves the dialog open; close it so the test can report.
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
    poll.start(10);
    open();
    QVERIFY(inspected);
}

QPushButton* ButtonCaptioned(QWidget* dialog, const QString& caption) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == caption) return button;
    }
    return nullptr;
}

QAction* MenuAction(QMainWindow& window, const QString& menu, const QString& item) {
    for (QAction* top : window.menuBar()->actions()) {
        if (top->text() != menu) continue;
        for (QAction* action : top->menu()->actions()) {
            if (action->text() == item) return action;
        }
    }
    return nullptr;
}

// The tab bar with room for all its titles, or the rows of titles with each whole.
bool TitlesInSight(QMainWindow& window, QTabWidget& sheet) {
    if (sheet.tabBar()->isVisible()) return sheet.tabBar()->sizeHint().width() <= sheet.width();
    auto* rows = window.findChild<QWidget*>(QStringLiteral("pageTabRows"));
    if (!rows || !rows->isVisible()) return false;
    const QList<QToolButton*> buttons = rows->findChildren<QToolButton*>();
    return buttons.size() == sheet.count() &&
           std::all_of(buttons.begin(), buttons.end(), [](QToolButton* button) {
               return button->isVisible() && button->width() >= button->minimumSizeHint().width();
           });
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Rig> rig_;

    QString SettingsPath() const { return dir_->filePath(QStringLiteral("ZelTerm.conf")); }
    Rig& StartRig() {
        rig_ = std::make_unique<Rig>(SettingsPath());
        rig_->Start();
        return *rig_;
    }

  private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() {
        rig_.reset();
        dir_.reset();
    }

    void firstRunSelectsTheFirstProductAndGreets() {
        Rig& rig = StartRig();
        QCOMPARE(rig.window.windowTitle(), QStringLiteral("Zel Terminal"));
        QVERIFY(!rig.window.windowIcon().isNull());
        auto* products = rig.Find<QComboBox>("productList");
        QCOMPARE(products->count(), 35);
        QCOMPARE(products->currentText(), QStringLiteral("A/V Reelmast"));
        QVERIFY(rig.Find<QRadioButton>("serialRadio")->isChecked());
        QCOMPARE(rig.Find<QLabel>("statusLabel1")->text(), QStringLiteral("Port:"));
        QCOMPARE(rig.Find<QLabel>("statusValue1")->text(), QStringLiteral("COM1"));
        QTRY_COMPARE_WITH_TIMEOUT(
            rig.LogText(), QStringLiteral("Be sure to setup your connection \n"), kPatienceMs);
        // The property sheet shows the product's pages; every sheet opens with General.
        auto* sheet = rig.Find<QTabWidget>("propertySheet");
        QVERIFY(sheet->count() > 0);
        QCOMPARE(sheet->tabText(0), QStringLiteral("General"));
    }

    void storedProductProtocolAndConnectionAreShown() {
        const std::string name = "Sonnel";
        std::vector<ProductInfo> catalog = BuildCatalog();
        const ProductInfo* sonnel = FindProduct(catalog, name);
        QVERIFY(sonnel && sonnel->Protocols(kEthernet).size() >= 2);
        const std::string protocol = sonnel->Protocols(kEthernet)[1].GetName();
        const std::vector<std::string> names = SortedProductNames(catalog);
        const auto index = std::find(names.begin(), names.end(), name) - names.begin();
        {
            QtSettingsStore store(SettingsPath());
            auto key = store.OpenOrCreateForWrite();
            key->WriteNumber("Product", static_cast<uint32_t>(index));
            key->WriteNumber("Connection", kEthernet);
            key->WriteText("Protocol", protocol);
            key->WriteText("CustomString", "?V");
        }
        Rig& rig = StartRig();
        QCOMPARE(rig.Find<QComboBox>("productList")->currentText(), QString::fromStdString(name));
        QVERIFY(rig.Find<QRadioButton>("ethernetRadio")->isChecked());
        QCOMPARE(rig.Find<QLabel>("statusValue0")->text(), QString::fromStdString(protocol));
        QCOMPARE(rig.Find<QLabel>("statusLabel1")->text(), QStringLiteral("Product IP:"));
        QCOMPARE(rig.Find<QLabel>("statusValue1")->text(), QStringLiteral("192.168.0.254"));
        QCOMPARE(rig.Find<QLineEdit>("customString")->text(), QStringLiteral("?V"));
    }

    void connectionButtonsFollowTheLogic() {
        Rig& rig = StartRig();
        auto* usb = rig.Find<QRadioButton>("usbRadio");
        QCOMPARE(usb->isEnabled(), rig.terminal.ConnectionButtonsEnabled()[kUsb]);
        QTest::mouseClick(rig.Find<QRadioButton>("ethernetRadio"), Qt::LeftButton);
        QCOMPARE(rig.terminal.Profile().connectionType, kEthernet);
        QCOMPARE(rig.Find<QLabel>("statusLabel3")->text(), QStringLiteral("Local Port:"));

        // A product chosen in the list becomes the terminal's, with its pages.
        auto* products = rig.Find<QComboBox>("productList");
        const int korvex = products->findText(QStringLiteral("Korvex"));
        products->setCurrentIndex(korvex);
        emit products->activated(korvex);
        QCOMPARE(rig.terminal.CurrentProduct()->Name(), std::string("Korvex"));
        QVERIFY(usb->isEnabled());
        QCOMPARE(rig.Find<QTabWidget>("propertySheet")->tabText(0), QStringLiteral("General"));
    }

    void returnInTheCustomStringSendsIt() {
        Rig& rig = StartRig();
        auto* box = rig.Find<QLineEdit>("customString");
        QTest::keyClicks(box, QStringLiteral("\"PL\""));
        QCOMPARE(rig.terminal.CustomString(), std::string("\"PL\""));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(rig.serial.written, std::vector<std::string>{"PL"});
        QTRY_VERIFY_WITH_TIMEOUT(rig.LogText().endsWith(QStringLiteral("Sent (COM1):  PL\n")),
                                 kPatienceMs);
        QTest::mouseClick(rig.Find<QPushButton>("sendButton"), Qt::LeftButton);
        QCOMPARE(rig.serial.written.size(), size_t{2});
    }

    void clearLogEmptiesTheView() {
        Rig& rig = StartRig();
        rig.terminal.SendCommand("PL", true);
        QTRY_VERIFY_WITH_TIMEOUT(rig.LogText().contains(QStringLiteral("PL")), kPatienceMs);
        QTest::mouseClick(rig.Find<QPushButton>("clearLogButton"), Qt::LeftButton);
        QCOMPARE(rig.LogText(), QString());
        QCOMPARE(rig.terminal.Log().Text(), std::string());
        rig.terminal.SendCommand("ST", true);
        QTRY_COMPARE_WITH_TIMEOUT(rig.LogText(), QStringLiteral("Sent (COM1):  ST<0D>\n"),
                                  kPatienceMs);
    }

    void logModesShowTheSameBytesDifferently_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("line");
        QTest::newRow("hex") << int(LogMode::Hex) << QStringLiteral("Sent (COM1):  <50><4C><0D>\n");
        QTest::newRow("mixed") << int(LogMode::Mixed) << QStringLiteral("Sent (COM1):  PL<0D>\n");
        // The command's own carriage return and the line end make one break.
        QTest::newRow("ascii") << int(LogMode::Ascii) << QStringLiteral("Sent (COM1):  PL\n");
    }
    void logModesShowTheSameBytesDifferently() {
        QFETCH(int, mode);
        QFETCH(QString, line);
        Rig& rig = StartRig();
        rig.terminal.OnClearLog();
        rig.terminal.ApplyLogSettings({static_cast<LogMode>(mode), false, true});
        rig.terminal.SendCommand("PL", true);
        QTRY_COMPARE_WITH_TIMEOUT(rig.LogText(), line, kPatienceMs);
    }

    void theViewAlwaysEndsAtTheNewestText() {
        Rig& rig = StartRig();
        QScrollBar* scroll = rig.window.Log().verticalScrollBar();
        for (int i = 0; i < 300; ++i) {
            rig.serial.Receive("reply " + std::to_string(i) + "\r");
            rig.serial.RaiseEvent(serial_event::kReceived);
            if (i % 50 == 0) QCoreApplication::processEvents();
        }
        QTRY_VERIFY_WITH_TIMEOUT(rig.LogText().endsWith(QStringLiteral("reply 299<0D>\n")),
                                 kPatienceMs);
        QTRY_VERIFY_WITH_TIMEOUT(scroll->maximum() > 0, kPatienceMs);
        QTRY_COMPARE_WITH_TIMEOUT(scroll->value(), scroll->maximum(), kPatienceMs);
        QVERIFY(rig.window.Log().IsFollowing());
    }

    void aFloodLeavesTheViewEqualToTheLog() {
        Rig& rig = StartRig();
        QRandomGenerator random(7);
        std::string chunk(64 * 1024, '\0');
        for (int event = 0; event < 16; ++event) {
            for (char& byte : chunk) byte = static_cast<char>(random.bounded(256));
            rig.serial.Receive(chunk);
            rig.serial.RaiseEvent(serial_event::kReceived);
            if (event == 8) rig.terminal.ApplyLogSettings({LogMode::Ascii, true, true});
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig.LogText().size(), rig.ModelText().size(), kPatienceMs);
        QVERIFY(rig.LogText() == rig.ModelText());
        rig.window.Log().UpdateNow();
        QCOMPARE(rig.window.Log().verticalScrollBar()->value(),
                 rig.window.Log().verticalScrollBar()->maximum());
    }

    void theRepeatTimerResendsTheBytesOfTheLastSend() {
        Rig& rig = StartRig();
        QTest::keyClicks(rig.Find<QLineEdit>("customString"), QStringLiteral("\"?V\""));
        QTest::keyClick(rig.Find<QLineEdit>("customString"), Qt::Key_Return);
        rig.terminal.ApplyRepeatSettings({true, 20});
        QTRY_VERIFY_WITH_TIMEOUT(rig.serial.written.size() >= 4, kPatienceMs);
        rig.terminal.ApplyRepeatSettings({false, 20});
        QCOMPARE(rig.serial.written,
                 std::vector<std::string>(rig.serial.written.size(), std::string("?V")));
    }

    // The line above the log names what repeats, rendered as the log renders it, and its Stop
    // ends the repeat as unticking the box would; a limit ends it by itself.
    void theRepeatShowsAboveTheLogUntilStopped() {
        Rig& rig = StartRig();
        auto* line = rig.Find<QLabel>("repeatStatus");
        auto* stop = rig.Find<QPushButton>("repeatStopButton");
        rig.terminal.ApplyRepeatSettings({true, 0});
        QVERIFY(!stop->isVisible());  // nothing sent yet, so nothing to repeat
        rig.terminal.SendCommand("?V", true);
        QVERIFY(stop->isVisible());
        QCOMPARE(line->toolTip(), QStringLiteral("Repeating ?V<0D> every 10 ms"));
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(!stop->isVisible());
        QVERIFY(!rig.terminal.Repeat().repeat);

        rig.serial.written.clear();
        rig.terminal.ApplyRepeatSettings({true, 10, 3});
        QVERIFY(stop->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!stop->isVisible(), kPatienceMs);
        QCOMPARE(rig.serial.written, std::vector<std::string>(3, "?V\r"));
        QVERIFY(!rig.terminal.Repeat().repeat);
    }

    // Whatever product and page it shows, the window fits the smallest screens it is made for,
    // 1024x768 and 1366x768 scaled to 125% (1092x614 in the window's own pixels): a page larger
    // than its room scrolls instead of widening or heightening the window, and every page title
    // stays in sight, none behind scroll arrows.
    void everyPageFitsTheSmallestScreens_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1024x768") << QSize(kSmallestScreenWidth, kSmallestScreenHeight);
        QTest::newRow("1366x768 at 125%") << QSize(1092, 614);
    }
    void everyPageFitsTheSmallestScreens() {
        QFETCH(QSize, screen);
        Rig& rig = StartRig();
        rig.window.resize(screen);
        // Shown too, as it stands while a command repeats.
        rig.terminal.SendCommand(std::string(300, 'P'), true);
        rig.terminal.ApplyRepeatSettings({true, 60000});
        auto* products = rig.Find<QComboBox>("productList");
        auto* sheet = rig.Find<QTabWidget>("propertySheet");
        for (int product = 0; product < products->count(); ++product) {
            products->setCurrentIndex(product);
            emit products->activated(product);
            QCoreApplication::processEvents();
            QVERIFY2(TitlesInSight(rig.window, *sheet), qPrintable(products->itemText(product)));
            for (int page = 0; page < sheet->count(); ++page) {
                sheet->setCurrentIndex(page);
                QCoreApplication::processEvents();
                const QSize least =
                    rig.window.minimumSizeHint().expandedTo(rig.window.minimumSize());
                const QString where = QStringLiteral("%1 / %2 needs %3x%4")
                                          .arg(products->itemText(product), sheet->tabText(page))
                                          .arg(least.width())
                                          .arg(least.height());
                QVERIFY2(screen.expandedTo(least) == screen, qPrintable(where));
                QVERIFY2(rig.window.size() == screen, qPrintable(where));
            }
        }
        QVERIFY(rig.Find<QPushButton>("repeatStopButton")->isVisible());
    }

    // Under the box, as the operator types, what Send would put on the wire; nothing goes out.
    void theLineUnderTheCustomStringShowsWhatSendWouldSend() {
        Rig& rig = StartRig();
        auto* box = rig.Find<QLineEdit>("customString");
        auto* preview = rig.Find<ElidedLabel>("customStringPreview");
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(preview->FullText(), QStringLiteral("Send would send nothing"));
        QTest::keyClicks(box, QStringLiteral("\"?V\" h0D"));
        QCOMPARE(preview->FullText(),
                 QStringLiteral("Send would put on the wire: ?V<0D>  (nothing sent yet)"));
        QCOMPARE(rig.Find<QPushButton>("sendButton")->toolTip(), preview->FullText());
        QTest::keyClicks(box, QStringLiteral(" hG"));
        QCOMPARE(preview->FullText(),
                 QStringLiteral("Send would not send: Error: Problem found in Hex Sequence"));
        QVERIFY(rig.serial.written.empty());
    }

    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp turn the pages wherever the focus is.
    void theKeysTurnThePagesFromAnywhere() {
        Rig& rig = StartRig();
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        auto* sheet = rig.Find<QTabWidget>("propertySheet");
        QVERIFY(sheet->count() > 2);
        auto* box = rig.Find<QLineEdit>("customString");
        box->setFocus();
        const int last = sheet->count() - 1;
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int page;
        } presses[] = {
            {Qt::Key_PageDown, Qt::ControlModifier, 1},
            {Qt::Key_Tab, Qt::ControlModifier, 2},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1},
            {Qt::Key_PageUp, Qt::ControlModifier, 0},
            {Qt::Key_PageUp, Qt::ControlModifier, last},
        };
        for (const auto& press : presses) {
            QTest::keyClick(box, press.key, press.modifiers);
            QCOMPARE(sheet->currentIndex(), press.page);
        }
        QVERIFY(box->hasFocus());
    }

    // Tab into a control the page's scroll area hides brings it into view; a page button
    // reached so tells the status line what it would send.
    void aControlReachedWithTabComesIntoViewAndSaysWhatItWouldSend() {
        Rig& rig = StartRig();
        rig.window.resize(kSmallestScreenWidth, 400);
        auto* products = rig.Find<QComboBox>("productList");
        auto* sheet = rig.Find<QTabWidget>("propertySheet");
        QScrollArea* area = nullptr;
        for (int product = 0; product < products->count() && !area; ++product) {
            emit products->activated(product);
            for (int page = 0; page < sheet->count() && !area; ++page) {
                sheet->setCurrentIndex(page);
                QCoreApplication::processEvents();
                auto* shown = qobject_cast<QScrollArea*>(sheet->currentWidget());
                if (shown && shown->verticalScrollBar()->maximum() > 0) area = shown;
            }
        }
        QVERIFY2(area, "no page scrolls at this height");
        QPushButton* lowest = nullptr;
        for (QPushButton* button : area->widget()->findChildren<QPushButton*>()) {
            if (button->isVisible() && button->isEnabled() &&
                (!lowest || button->mapTo(area->widget(), QPoint()).y() >
                                lowest->mapTo(area->widget(), QPoint()).y())) {
                lowest = button;
            }
        }
        QVERIFY(lowest);
        area->verticalScrollBar()->setValue(0);
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        lowest->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        const QRect inView(lowest->mapTo(area->viewport(), QPoint()), lowest->size());
        QVERIFY(area->viewport()->rect().contains(inView));
        QVERIFY(rig.window.statusBar()->currentMessage().startsWith(
            lowest->text().remove(QLatin1Char('&')) + QStringLiteral(": ")));
        // The message has the room: the reply status beside it takes only its own text's.
        QVERIFY(rig.Find<QLabel>("replyStatus")->width() < rig.window.statusBar()->width() / 2);
    }

    // Tab walks only through controls the operator sees: none is hidden, scrolled away or a
    // bare container that shows no focus.
    void everyTabStopIsAControlInSight() {
        Rig& rig = StartRig();
        rig.window.resize(kSmallestScreenWidth, 500);
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        rig.Find<QComboBox>("productList")->setFocus();
        QSet<QWidget*> seen;
        for (QWidget* focused = QApplication::focusWidget(); focused && !seen.contains(focused);
             focused = QApplication::focusWidget()) {
            seen.insert(focused);
            const QString name = QString::fromLatin1(focused->metaObject()->className()) +
                                 QLatin1Char(' ') + focused->objectName();
            QVERIFY2(focused->isVisible() && !focused->visibleRegion().isEmpty(), qPrintable(name));
            QVERIFY2(!QStringList({"QWidget", "QScrollArea", "QStackedWidget", "QSplitter",
                                   "zel::PageWidget"})
                          .contains(QString::fromLatin1(focused->metaObject()->className())),
                     qPrintable(name));
            QTest::keyClick(focused, Qt::Key_Tab);
            QCoreApplication::processEvents();
        }
        QVERIFY(seen.size() > 5);
    }

    // Enter in the Custom page's Name or String field adds the entry, as Add does.
    void enterInTheCustomPagesFieldsPressesAdd() {
        Rig& rig = StartRig();
        auto* sheet = rig.Find<QTabWidget>("propertySheet");
        sheet->setCurrentIndex(sheet->count() - 1);
        QCOMPARE(sheet->tabText(sheet->currentIndex()), QStringLiteral("Custom"));
        auto* list = sheet->currentWidget()->findChild<QTreeWidget*>();
        QVERIFY(list);
        const int rows = list->topLevelItemCount();
        for (const char* field : {"New String/Name", "New String/String"}) {
            auto* edit = sheet->currentWidget()->findChild<QLineEdit*>(QLatin1String(field));
            QVERIFY2(edit, field);
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QCOMPARE(list->topLevelItemCount(), rows + 2);
    }

    // After a send, a reply that does not come in the no-reply time is said in the status line
    // until the next reply; the log is unchanged.
    void anUnansweredSendIsSaidInTheStatusLine() {
        Rig& rig = StartRig();
        rig.terminal.ApplyNoReplyMs(50);
        rig.terminal.SendCommand("?V", true);
        const QString log = rig.ModelText();
        auto* status = rig.Find<QLabel>("replyStatus");
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("No reply to ?V<0D> after 50 ms"),
                                  kPatienceMs);
        QCOMPARE(rig.ModelText(), log);
        rig.serial.Receive("V3\r");
        rig.serial.RaiseEvent(serial_event::kReceived);
        QCOMPARE(status->text(), QString());
    }

    void errorMessagesListTheCodes() {
        const QString expected = QStringLiteral(
            "Below is a brief explaination of the possible error messages you may receive instead "
            "of an \"R\"\n"
            "\nE00\tCommunication Error\tCheck your serial connections\n"
            "\nE04\tFeature Not Available\tYet Have you entered the correct command? Check for "
            "avail.\n"
            "\nE11\tMedia Not Present\tIs the Compact Flash inserted? Formatted? A recommended "
            "brand?\n"
            "\nE12\tSearch Error\t\tSelecting the correct file? Is the file on the card? Is it "
            "named correctly?\n"
            "\nE20\tFormat Error\t\tHas the Compact Flash been properly formatted?\n");
        QCOMPARE(ErrorMessagesText(), expected);
        Rig& rig = StartRig();
        WithModal([&] { rig.Find<QPushButton>("errorMessagesButton")->click(); },
                  [&](QWidget* dialog) {
                      QCOMPARE(dialog->windowTitle(), QStringLiteral("Error Messages"));
                      auto* text = dialog->findChild<QPlainTextEdit*>();
                      QVERIFY(text && text->isReadOnly());
                      QCOMPARE(text->toPlainText(), expected);
                      QPushButton* close = ButtonCaptioned(dialog, QStringLiteral("Close"));
                      QVERIFY(close);
                      close->click();
                  });
    }

    // Alt and a letter opens a menu or does nothing: the product list never takes the letter.
    void everyMenuHasAMnemonicAndAltLettersLeaveTheProduct() {
        Rig& rig = StartRig();
        auto mnemonic = [](const QAction* action) {
            const qsizetype at = action->text().indexOf(QLatin1Char('&'));
            return at < 0 ? QChar() : action->text().at(at + 1).toLower();
        };
        const QList<QAction*> menus = rig.window.menuBar()->actions();
        QList<QList<QAction*>> levels{menus};
        for (const QAction* menu : menus) levels << menu->menu()->actions();
        for (const QList<QAction*>& actions : levels) {
            QSet<QChar> letters;
            for (const QAction* action : actions) {
                if (action->isSeparator()) continue;
                QVERIFY2(!mnemonic(action).isNull(), qPrintable(action->text()));
                QVERIFY2(!letters.contains(mnemonic(action)), qPrintable(action->text()));
                letters << mnemonic(action);
            }
        }
        auto* products = rig.Find<QComboBox>("productList");
        products->setFocus();
        const int before = products->currentIndex();
        QTest::keyClick(products, Qt::Key_K, Qt::AltModifier);
        QCOMPARE(products->currentIndex(), before);
        QCOMPARE(rig.terminal.ProductListIndex(), before);
    }

    // Each control picture the box shows is drawn by one of the log font's families, not as an
    // empty box.
    void everyControlPictureShownIsInTheLogFont() {
        Rig& rig = StartRig();
        const QStringList families = rig.Find<LogView>("logView")->font().families();
        QList<QRawFont> fonts;
        for (const QString& family : families) {
            QRawFont raw = QRawFont::fromFont(QFont(family));
            if (raw.familyName() == family) fonts << raw;
        }
        int pictures = 0;
        for (int byte = 0; byte < 0x80; ++byte) {
            const QString shown = DisplayLogText(std::string(1, static_cast<char>(byte)));
            if (shown.size() != 1 || shown[0].unicode() < 0x2400) continue;
            const char32_t picture = shown[0].unicode();
            ++pictures;
            QVERIFY2(
                std::any_of(fonts.begin(), fonts.end(),
                            [&](const QRawFont& raw) { return raw.supportsCharacter(picture); }),
                qPrintable(QStringLiteral("U+%1 in none of %2")
                               .arg(uint(picture), 4, 16)
                               .arg(families.join(QLatin1Char(',')))));
        }
    }

    void aboutBoxNamesTheVersionAndTheMaker() {
        Rig& rig = StartRig();
        QAction* about =
            MenuAction(rig.window, QStringLiteral("&Help"), QStringLiteral("&About..."));
        QVERIFY(about);
        WithModal([&] { about->trigger(); },
                  [&](QWidget* dialog) {
                      QCOMPARE(dialog->windowTitle(), QStringLiteral("About Zel Terminal"));
                      auto* box = qobject_cast<QMessageBox*>(dialog);
                      QVERIFY(box);
                      QCOMPARE(box->text(), QStringLiteral("Zel Terminal Version 3.21"));
                      QVERIFY(!box->informativeText().isEmpty());
                      QVERIFY(!box->iconPixmap().isNull());
                      ButtonCaptioned(dialog, QStringLiteral("OK"))->click();
                  });
    }

    void messageBoxesReturnTheOperatorsAnswer() {
        Rig& rig = StartRig();
        MessageAnswer answer = MessageAnswer::Ok;
        WithModal(
            [&] {
                answer = rig.windows.MessageBox("A new update is available!", "ZelTerm",
                                                MessageButtons::YesNo, MessageIcon::Question);
            },
            [&](QWidget* dialog) {
                QCOMPARE(dialog->parentWidget(), &rig.window);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("ZelTerm"));
                ButtonCaptioned(dialog, QStringLiteral("Yes"))->click();
            });
        QCOMPARE(answer, MessageAnswer::Yes);
    }

    void closingSavesTheSettingsAndEnds_data() {
        QTest::addColumn<bool>("throughMenu");
        QTest::newRow("File > Exit") << true;
        QTest::newRow("close box") << false;
    }
    void closingSavesTheSettingsAndEnds() {
        QFETCH(bool, throughMenu);
        Rig& rig = StartRig();
        QTest::keyClicks(rig.Find<QLineEdit>("customString"), QStringLiteral("\"SAVED\""));
        if (throughMenu) {
            MenuAction(rig.window, QStringLiteral("&File"), QStringLiteral("E&xit"))->trigger();
        } else {
            rig.window.close();
        }
        QVERIFY(rig.terminal.Ended());
        QVERIFY(!rig.window.isVisible());
        auto key = QtSettingsStore(SettingsPath()).OpenForRead();
        QVERIFY(key);
        QCOMPARE(key->ReadValue("CustomString"), std::optional<std::string>("\"SAVED\""));
    }

    // One stray Escape would otherwise cost the whole log.
    void escapeLeavesTheWindowOpen() {
        Rig& rig = StartRig();
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        for (QWidget* target :
             {static_cast<QWidget*>(rig.Find<QLineEdit>("customString")),
              static_cast<QWidget*>(&rig.window.Log()), static_cast<QWidget*>(&rig.window)}) {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
        }
        QVERIFY(!rig.terminal.Ended());
        QVERIFY(rig.window.isVisible());
    }

    void ethernetHeldByAnotherProgramSaysWhyOnItsButton() {
        rig_ = std::make_unique<Rig>(SettingsPath());
        rig_->udp.bindable = false;
        rig_->Start();
        auto* ethernet = rig_->Find<QRadioButton>("ethernetRadio");
        QVERIFY(!ethernet->isEnabled());
        QCOMPARE(ethernet->toolTip(),
                 QStringLiteral("Ethernet cannot be used: local UDP port 2639 is in use by "
                                "another program"));
        QVERIFY(rig_->terminal.Log().Text().starts_with(ethernet->toolTip().toStdString()));
    }

    // Written as the operator makes the change, so that a crash loses none of it.
    void aChosenProductAndConnectionAreSavedAtOnce() {
        Rig& rig = StartRig();
        auto* products = rig.Find<QComboBox>("productList");
        const int korvex = products->findText(QStringLiteral("Korvex"));
        products->setCurrentIndex(korvex);
        emit products->activated(korvex);
        QTest::mouseClick(rig.Find<QRadioButton>("ethernetRadio"), Qt::LeftButton);
        auto key = QtSettingsStore(SettingsPath()).OpenForRead();
        QVERIFY(key);
        QCOMPARE(key->ReadValue("Product"),
                 std::optional<std::string>(std::string(1, char(korvex)) + std::string(3, '\0')));
        QCOMPARE(key->ReadValue("Connection"),
                 std::optional<std::string>(std::string("\x01\0\0\0", 4)));

        WithModal([&] { rig.Find<QPushButton>("connectionConfigureButton")->click(); },
                  [&](QWidget* dialog) {
                      auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("ipField3"));
                      QVERIFY(field);
                      field->setFocus();
                      field->selectAll();
                      QTest::keyClicks(field, QStringLiteral("7"));
                      ButtonCaptioned(dialog, QStringLiteral("OK"))->click();
                  });
        QVERIFY(!rig.terminal.Ended());
        key = QtSettingsStore(SettingsPath()).OpenForRead();
        QCOMPARE(key->ReadValue("ProductIPAddress"), std::optional<std::string>("192.168.0.7"));
    }

    // A stored device sets the product, its connection and its address in one step.
    void choosingADeviceSetsProductConnectionAndAddressAndLogsIt() {
        {
            QFile sheet(QtDeviceFile::BesideSettings(SettingsPath()));
            QVERIFY(sheet.open(QIODevice::WriteOnly));
            sheet.write("Lobby player 3,Korvex,ethernet,127.0.0.1,4000/3000,,5\n");
        }
        Rig& rig = StartRig();
        auto* devices = rig.Find<QComboBox>("deviceList");
        QCOMPARE(devices->count(), 2);
        QCOMPARE(devices->currentText(), QStringLiteral("(no device)"));
        const size_t logged = rig.terminal.Log().Text().size();
        devices->setCurrentIndex(1);
        emit devices->activated(1);
        QCOMPARE(rig.Find<QComboBox>("productList")->currentText(), QStringLiteral("Korvex"));
        QVERIFY(rig.Find<QRadioButton>("ethernetRadio")->isChecked());
        QCOMPARE(rig.terminal.Profile().productIpAddress, std::string("127.0.0.1"));
        QCOMPARE(rig.terminal.Profile().localUdpPort, 4000u);
        QCOMPARE(rig.terminal.Profile().productUdpPort, 3000u);
        QVERIFY(rig.terminal.Profile().sendUnitAddress);
        QCOMPARE(rig.terminal.Log().Text().substr(logged),
                 std::string("Device \"Lobby player 3\": Korvex on ethernet 127.0.0.1:3000\r\n"));
        QCOMPARE(devices->currentText(), QStringLiteral("Lobby player 3"));
        // Another product by hand: the device is no longer the one in use.
        auto* products = rig.Find<QComboBox>("productList");
        const int tamrin = products->findText(QStringLiteral("Tamrin"));
        products->setCurrentIndex(tamrin);
        emit products->activated(tamrin);
        QCOMPARE(devices->currentIndex(), 0);
    }

    void saveAsDeviceKeepsTheCurrentChoiceInTheListFile() {
        Rig& rig = StartRig();
        auto* devices = rig.Find<QComboBox>("deviceList");
        QCOMPARE(devices->currentText(), QStringLiteral("(no devices stored)"));
        WithModal([&] { rig.Find<QPushButton>("saveDeviceButton")->click(); },
                  [&](QWidget* dialog) {
                      auto* input = qobject_cast<QInputDialog*>(dialog);
                      QVERIFY(input);
                      input->setTextValue(QStringLiteral("Bench, left"));
                      input->accept();
                  });
        QCOMPARE(devices->count(), 2);
        QCOMPARE(devices->currentText(), QStringLiteral("Bench, left"));
        QFile sheet(QtDeviceFile::BesideSettings(SettingsPath()));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QCOMPARE(sheet.readAll().split('\n').value(1),
                 QByteArray("\"Bench, left\",A/V Reelmast,serial,COM1,,Pioneer,off"));
    }

    // The box shows exactly the log's text, in each mode, whatever the log appends, drops (at
    // a line end or, without line ends, anywhere) and clears.
    void theBoxShowsTheLogAfterAppendsDropsAndClears_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("alphabet");
        const QByteArray lines("ab\r\n\x01\x7f\xe9 ", 8);
        const QByteArray endless("ab\x01\x7f\xe9 ", 6);
        for (auto [name, mode] : {std::pair("ascii", LogMode::Ascii),
                                  {"mixed", LogMode::Mixed},
                                  {"hex", LogMode::Hex}}) {
            QTest::addRow("%s, lines", name) << int(mode) << lines;
            QTest::addRow("%s, no line ends", name) << int(mode) << endless;
        }
    }
    void theBoxShowsTheLogAfterAppendsDropsAndClears() {
        QFETCH(int, mode);
        QFETCH(QByteArray, alphabet);
        CommLog log(4096);
        log.Settings().mode = static_cast<LogMode>(mode);
        LogView view;
        view.Follow(&log);
        QRandomGenerator random(11);
        for (int round = 0; round < 200; ++round) {
            const int pieces = random.bounded(1, 40);
            for (int piece = 0; piece < pieces; ++piece) {
                std::string text(random.bounded(1, 120), '\0');
                for (char& byte : text) byte = alphabet[random.bounded(int(alphabet.size()))];
                if (piece % 2)
                    log.AppendReceived(text);
                else
                    log.AppendLog(text, piece % 4 == 0);
            }
            if (round == 150) log.Clear();
            if (round % 3 == 0) {
                const QString expected = DisplayLogText(log.Text());
                QCOMPARE(view.ShownText(), expected);
                QCOMPARE(view.LineCount(), expected.count(QLatin1Char('\n')) + 1);
            }
        }
        QCOMPARE(view.ShownText(), DisplayLogText(log.Text()));
        QVERIFY(!log.Text().empty());
    }

    // Scrolled up, the view stays where the operator put it while text arrives, and says so;
    // back at the end, or with End, it follows again.
    void followingStopsWhenScrolledUpAndResumesAtTheEnd() {
        CommLog log;
        LogView view;
        view.resize(400, 200);
        view.show();
        view.Follow(&log);
        const auto receive = [&](int count) {
            for (int line = 0; line < count; ++line) log.AppendLog("reply\r\n", false);
            view.UpdateNow();
        };
        QScrollBar* scroll = view.verticalScrollBar();
        receive(100);
        QVERIFY(view.IsFollowing());
        QCOMPARE(scroll->value(), scroll->maximum());

        scroll->setValue(scroll->maximum() - 20);
        const int put = scroll->value();
        const int lines = scroll->maximum() + scroll->pageStep();
        receive(30);
        QVERIFY(!view.IsFollowing());
        QVERIFY(view.NewTextBelow());
        QCOMPARE(scroll->value(), put);
        QCOMPARE(scroll->maximum() + scroll->pageStep(), lines + 30);
        // The marker stands below the lines, never over the last one shown.
        auto* marker = view.findChild<QWidget*>(QStringLiteral("newTextBelow"));
        QVERIFY(marker && marker->isVisible());
        QVERIFY(marker->geometry().top() > view.viewport()->geometry().bottom());

        QTest::mouseClick(marker, Qt::LeftButton);  // goes to the newest text
        QVERIFY(view.IsFollowing());
        QCOMPARE(scroll->value(), scroll->maximum());
        QVERIFY(!view.NewTextBelow());
        QVERIFY(!marker->isVisible());
        receive(10);
        QCOMPARE(scroll->value(), scroll->maximum());

        QTest::keyClick(&view, Qt::Key_PageUp);
        QVERIFY(!view.IsFollowing());
        receive(10);
        QVERIFY(scroll->value() < scroll->maximum());
        QTest::keyClick(&view, Qt::Key_End);
        QVERIFY(view.IsFollowing());
        receive(10);
        QCOMPARE(scroll->value(), scroll->maximum());
    }

    // The scroll bar lags the log where that would not show; the operator's wheel still moves
    // the view from the newest text, not from where the bar last stood.
    void theWheelScrollsFromTheNewestText() {
        CommLog log;
        LogView view;
        view.resize(400, 200);
        view.show();
        view.Follow(&log);
        for (int line = 0; line < 3000; ++line) log.AppendLog("reply\r\n", false);
        view.UpdateNow();
        for (int line = 0; line < 500; ++line) log.AppendLog("reply\r\n", false);
        QTRY_VERIFY_WITH_TIMEOUT(!view.UpdatePending(), kPatienceMs);
        QScrollBar* scroll = view.verticalScrollBar();
        const QPointF at(view.viewport()->rect().center());
        QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &wheel);
        QVERIFY(!view.IsFollowing());
        QCOMPARE(scroll->maximum() + scroll->pageStep(), view.LineCount());
        QCOMPARE(scroll->value(), scroll->maximum() - 3 * scroll->singleStep());
    }

    // What is selected, by the Find bar's range, the keyboard or Select All, copies as shown.
    void copyOfASelectionGivesTheShownText() {
        CommLog log;
        LogView view;
        view.show();
        view.Follow(&log);
        log.AppendLog(std::string("Received (COM1): \x1b[2J\xe9\r\r\nR\r", 27), false);
        log.AppendLog("Sent (COM1):  PL<0D>\r\n", false);
        const QString shown = view.ShownText();
        QCOMPARE(shown,
                 QStringLiteral("Received (COM1): \u241b[2J\u00e9\nR\nSent (COM1):  PL<0D>\n"));
        view.SelectShown(10, 15);
        QCOMPARE(view.Selection().start, 10);
        QCOMPARE(view.Selection().length, 15);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), shown.mid(10, 15));

        QTest::keyClick(&view, Qt::Key_Home);
        for (int key = 0; key < 2; ++key) QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(view.SelectedText(), shown.left(shown.indexOf(QStringLiteral("Sent")) + 1));

        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        view.Copy();
        QCOMPARE(QApplication::clipboard()->text(), shown);
    }

    // The bar searches what the box shows now: after the oldest lines went, a search goes on
    // from the selected match, which stays on the same line.
    void findSearchesWhatIsShownAfterTheOldestLinesWentAway() {
        CommLog log(8192);  // 300 lines fit; 400 do not
        LogView view;
        FindBar bar(view);
        view.show();
        bar.show();
        view.Follow(&log);
        const auto logLines = [&](int first, int last) {
            for (int line = first; line < last; ++line) {
                log.AppendLog(line % 40 == 20 ? QStringLiteral("Sent (COM1):  needle %1\r\n")
                                                    .arg(line, 3, 10, QLatin1Char('0'))
                                                    .toStdString()
                                              : "Received (COM1): R<0D>\r\n",
                              false);
            }
        };
        auto* field = bar.findChild<QLineEdit*>(QStringLiteral("findField"));
        auto* outcome = bar.findChild<QLabel*>(QStringLiteral("findOutcome"));
        const auto find = [&](Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(field, Qt::Key_Return, modifiers);
            QCOMPARE(view.SelectedText().toLower(), field->text().toLower());
        };
        const auto selectedLine = [&] { return view.ShownText().mid(view.Selection().start, 10); };
        logLines(0, 300);
        QVERIFY(log.Text().starts_with("Received"));
        QTest::keyClicks(field, QStringLiteral("needle"));
        find(Qt::ShiftModifier);
        QCOMPARE(selectedLine(), QStringLiteral("needle 260"));
        QCOMPARE(outcome->text(), QStringLiteral("Wrapped around"));
        find(Qt::ShiftModifier);
        QCOMPARE(selectedLine(), QStringLiteral("needle 220"));
        QVERIFY(outcome->isHidden());

        logLines(300, 400);
        QVERIFY(log.Text().find("needle 020") == std::string::npos);
        QVERIFY(log.Text().find("needle 220") != std::string::npos);
        find();
        QCOMPARE(selectedLine(), QStringLiteral("needle 260"));
        find();
        find();
        find();
        QCOMPARE(selectedLine(), QStringLiteral("needle 380"));
        find();
        QCOMPARE(outcome->text(), QStringLiteral("Wrapped around"));
        QVERIFY(selectedLine() < QStringLiteral("needle 260"));

        // Match case, and a text that is nowhere.
        bar.findChild<QCheckBox*>(QStringLiteral("findMatchCase"))->setChecked(true);
        field->setText(QStringLiteral("NEEDLE"));
        const LogView::ShownRange before = view.Selection();
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(outcome->text(), QStringLiteral("Not found"));
        QVERIFY(outcome->isVisibleTo(&bar));
        QCOMPARE(view.Selection().start, before.start);
        bar.findChild<QCheckBox*>(QStringLiteral("findMatchCase"))->setChecked(false);
        QVERIFY(outcome->isHidden());
        find();
        field->setText(QStringLiteral("needle 020"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(outcome->text(), QStringLiteral("Not found"));
    }

    // Ctrl+F, Enter, F3 and Shift+Enter as an operator uses them; Escape closes the bar only.
    void findBarOpensFindsAndClosesWithTheKeys() {
        Rig& rig = StartRig();
        rig.terminal.Log().AppendLog("Sent (COM1):  PL<0D>\r\nReceived (COM1): R<0D>\r\n", false);
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        auto* bar = rig.Find<FindBar>("findBar");
        auto* field = rig.Find<QLineEdit>("findField");
        QVERIFY(!bar->isVisible());
        QTest::keyClick(&rig.window, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QVERIFY(field->hasFocus());

        const QString shown = rig.LogText();
        QTest::keyClicks(field, QStringLiteral("com1"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(rig.window.Log().Selection().start, shown.indexOf(QStringLiteral("COM1")));
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(rig.window.Log().Selection().start, shown.lastIndexOf(QStringLiteral("COM1")));
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(rig.window.Log().Selection().start, shown.indexOf(QStringLiteral("COM1")));
        QCOMPARE(rig.window.Log().SelectedText(), QStringLiteral("COM1"));

        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(rig.window.isVisible());
        QVERIFY(!rig.terminal.Ended());
        QAction* find = MenuAction(rig.window, QStringLiteral("&Log"), QStringLiteral("&Find..."));
        QVERIFY(find);
        QCOMPARE(find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
        find->trigger();
        QVERIFY(bar->isVisible());
        rig.Find<QToolButton>("findCloseButton")->click();
        QVERIFY(!bar->isVisible());
    }
};

}  // namespace zel

QTEST_MAIN(zel::MainWindowTest)
#include "main_window_test.moc"

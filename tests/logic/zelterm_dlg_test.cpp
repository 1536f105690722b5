// The main window's logic driven as an operator and a device would, against fakes.
#include "terminal/zelterm_dlg.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "terminal/connection_config.h"

namespace zel {
namespace {

using test::FakeClock;
using test::FakeSerialPort;
using test::FakeSettingsStore;
using test::FakeUdpSocket;
using test::FakeUpdateLauncher;
using test::FakeUsbLink;
using test::FakeWindowSystem;

class TerminalTest : public ::testing::Test {
  protected:
    TerminalTest() {
        serial.probe["COM1"] = ProbeResult::Available;
        serial.probe["COM2"] = ProbeResult::Available;
        launcher.present = false;
    }

    CZelTermDlg& Start(const std::vector<std::string>& commandLine = {}) {
        dlg = std::make_unique<CZelTermDlg>(
            TerminalServices{window, store, serial, udp, usb, clock, launcher});
        dlg->OnInitDialog(commandLine);
        return *dlg;
    }

    // The log after the greeting line.
    std::string LogAfterGreeting() {
        const std::string greeting = "Be sure to setup your connection \r\n";
        const std::string& text = dlg->Log().Text();
        size_t at = text.find(greeting);
        return at == std::string::npos ? text : text.substr(at + greeting.size());
    }

    void StoreProductAndConnection(const std::string& product, int connection,
                                   const std::string& protocol) {
        store.keyExists = true;
        auto names = SortedProductNames(BuildCatalog());
        store.SetNumber("Product", std::find(names.begin(), names.end(), product) - names.begin());
        store.SetNumber("Connection", connection);
        store.SetText("Protocol", protocol);
        store.SetText("ComPort", "COM2");
        store.SetText("BaudRate", "19200");
        store.SetText("ProductIPAddress", "127.0.0.1");
    }

    FakeWindowSystem window;
    FakeSettingsStore store;
    FakeSerialPort serial;
    FakeUdpSocket udp;
    FakeUsbLink usb;
    FakeClock clock;
    FakeUpdateLauncher launcher;
    std::unique_ptr<CZelTermDlg> dlg;
};

TEST_F(TerminalTest, FirstRunTakesTheFirstProductTheFirstPortAndTheDefaults) {
    launcher.present = true;
    CZelTermDlg& t = Start();
    EXPECT_EQ(t.CurrentProduct()->Name(), "A/V Reelmast");
    EXPECT_EQ(t.ProductListIndex(), 0);
    EXPECT_EQ(t.Profile().connectionType, kSerial);
    EXPECT_EQ(t.Profile().serialPort, "COM1");
    EXPECT_EQ(t.Profile().protocolName, "Pioneer");
    EXPECT_EQ(t.Profile().baudRate, "9600");
    EXPECT_EQ(t.Profile().productIpAddress, "192.168.0.254");
    EXPECT_EQ(t.Profile().localUdpPort, 2639u);
    EXPECT_EQ(t.Profile().productUdpPort, 2638u);
    EXPECT_EQ(serial.openName, "COM1");
    EXPECT_EQ(serial.baudRate, 9600u);
    EXPECT_EQ(launcher.checkerRuns, 1);
    EXPECT_EQ(t.StatusLines()[0], "Protocol:\t Pioneer");
    EXPECT_EQ(t.StatusLines()[1], "Port:\t\t COM1");
    EXPECT_EQ(t.StatusLines()[2], "Settings:\t 9600-8-N-1");
    EXPECT_EQ(t.StatusLines()[3], "");
    EXPECT_EQ(t.Log().Text(), "Be sure to setup your connection \r\n");
}

TEST_F(TerminalTest, StoredSettingsAreRestoredAndWrittenBackInFull) {
    StoreProductAndConnection("Sonnel", kEthernet, "Pioneer(ZELNet)");
    store.SetNumber("LocalUDPPort", 4000);
    store.SetNumber("ProductUDPPort", 2639);
    store.SetText("CustomString", "\"?V\"");
    CZelTermDlg& t = Start();
    EXPECT_EQ(t.CurrentProduct()->Name(), "Sonnel");
    EXPECT_EQ(t.CurrentProduct()->CurrentProtocol()->GetName(), "Pioneer(ZELNet)");
    EXPECT_EQ(t.Profile().connectionType, kEthernet);
    EXPECT_EQ(udp.boundPort, 4000u);
    EXPECT_EQ(t.CustomString(), "\"?V\"");
    EXPECT_EQ(t.StatusLines()[1], "Product IP:\t 127.0.0.1");
    EXPECT_EQ(t.StatusLines()[2], "Product Port:\t 2639");
    EXPECT_EQ(t.StatusLines()[3], "Local Port:\t 4000");

    store.values.clear();
    t.OnCancel();
    EXPECT_TRUE(t.Ended());
    EXPECT_EQ(store.Number("Connection"), 1u);
    EXPECT_EQ(store.values["Protocol"], "Pioneer(ZELNet)");
    EXPECT_EQ(store.values["ComPort"], "COM2");
    EXPECT_EQ(store.values["BaudRate"], "19200");
    EXPECT_EQ(store.values["CustomString"], "\"?V\"");
    EXPECT_EQ(store.Number("LocalUDPPort"), 4000u);
    EXPECT_EQ(store.Number("ProductUDPPort"), 2639u);
    EXPECT_EQ(store.Number("CheckUpdateOnLaunch"), 1u);
    EXPECT_EQ(store.Number("NoReplyMilliseconds"), 1000u);
    // The ten, the log's eight of their own, and the no-reply time.
    EXPECT_EQ(store.values.size(), 19u);
}

TEST_F(TerminalTest, SettingsAcceptanceRules) {
    store.keyExists = true;
    store.SetText("ComPort", "COM4");
    store.SetNumber("Connection", 3);
    store.SetNumber("Product", 35);
    store.SetText("CustomString", std::string(160, 'x'));
    store.SetText("ProductIPAddress", std::string(159, '1'));
    store.values["ProductUDPPort"] = std::string(5, '\1');  // too wide for a number
    CZelTermDlg& t = Start();
    EXPECT_EQ(t.Profile().serialPort, "COM4");
    EXPECT_EQ(t.Profile().baudRate, "9600");  // no stored protocol: the product's default
    EXPECT_EQ(t.Profile().connectionType, kSerial);
    EXPECT_EQ(t.ProductListIndex(), 0);
    EXPECT_EQ(t.CustomString(), "");
    EXPECT_EQ(t.Profile().productIpAddress, std::string(159, '1'));
    EXPECT_EQ(t.Profile().localUdpPort, 10000u);  // the key exists, the value does not
}

TEST_F(TerminalTest, NothingIsSavedWhenTheStoreRefusesWrites) {
    store.writable = false;
    CZelTermDlg& t = Start();
    EXPECT_FALSE(t.SaveSettings());
    EXPECT_TRUE(store.values.empty());
}

TEST_F(TerminalTest, SerialSendAndReplyAreLoggedAsOneLineEach) {
    CZelTermDlg& t = Start();
    t.SendCommand("PL", true);
    ASSERT_EQ(serial.written.size(), 1u);
    EXPECT_EQ(serial.written[0], "PL\r");
    serial.Receive("R");
    serial.RaiseEvent(serial_event::kReceived);
    serial.Receive("\r");
    serial.RaiseEvent(serial_event::kReceived);
    t.SendCommand("ST", true);
    t.SendCommand("PA", true);
    EXPECT_EQ(LogAfterGreeting(),
              "Sent (COM1):  PL<0D>\r\n"
              "Received (COM1): R<0D>\r\n"
              "Sent (COM1):  ST<0D>\r\n"
              "Sent (COM1):  PA<0D>\r\n");
}

TEST_F(TerminalTest, EachReceivedLineHasItsHeaderHoweverTheReadsCutIt) {
    CZelTermDlg& t = Start();
    for (const char* read : {"R\rE0", "4\r", "AB", "C\r\n"}) {
        serial.Receive(read);
        serial.RaiseEvent(serial_event::kReceived);
    }
    (void)t;
    EXPECT_EQ(LogAfterGreeting(),
              "Received (COM1): R<0D>\r\n"
              "Received (COM1): E04<0D>\r\n"
              "Received (COM1): ABC<0D><0A>\r\n");
}

TEST_F(TerminalTest, TimeStampsTakeMillisecondsAndTheDateWhenAsked) {
    CZelTermDlg& t = Start();
    clock.now.millisecond = 7;
    struct Case {
        bool milliseconds, date;
        const char* stamp;
    };
    for (const Case& c : {Case{false, false, "[14:05:09] "}, Case{true, false, "[14:05:09.007] "},
                          Case{true, true, "[2026-03-07 14:05:09.007] "}}) {
        LogSettings settings(LogMode::Mixed, true, false);
        settings.stampMilliseconds = c.milliseconds;
        settings.stampDate = c.date;
        t.ApplyLogSettings(settings);
        t.OnClearLog();
        t.SendCommand("PL", false);
        EXPECT_EQ(t.Log().Text(), std::string(c.stamp) + "PL\r\n");
    }
}

TEST_F(TerminalTest, AnUnfinishedReplyIsClosedByTheNextSend) {
    CZelTermDlg& t = Start();
    t.Log().Settings().showTimeStamp = true;
    serial.Receive("E04");
    serial.RaiseEvent(serial_event::kReceived);
    serial.Receive("x");
    serial.RaiseEvent(serial_event::kReceived | serial_event::kLineError);  // not acted on
    t.SendCommand("?V", false);
    EXPECT_EQ(LogAfterGreeting(),
              "[14:05:09] Received (COM1): E04\r\n"
              "[14:05:09] Sent (COM1):  ?V\r\n");
}

TEST_F(TerminalTest, ABurstIsReadInChunksWithinOneNotification) {
    CZelTermDlg& t = Start();
    t.Log().Settings().mode = LogMode::Ascii;
    serial.Receive(std::string(1100, 'a') + "\r");
    size_t readsBefore = serial.readCalls;
    serial.RaiseEvent(serial_event::kReceived);
    EXPECT_EQ(serial.readCalls - readsBefore, 3u);
    EXPECT_EQ(LogAfterGreeting(), "Received (COM1): " + std::string(1100, 'a') + "\r\r\n");
}

TEST_F(TerminalTest, ReceivedBytesAreShownAsSentEvenWhereTheyLookLikeAZeroMarker) {
    CZelTermDlg& t = Start();
    t.Log().Settings().mode = LogMode::Hex;
    t.Log().Settings().showTimeStamp = true;
    serial.Receive(std::string("A\\zero\0", 7) + "\r");
    serial.RaiseEvent(serial_event::kReceived);
    EXPECT_EQ(LogAfterGreeting(),
              "[14:05:09] Received (COM1): <41><5C><7A><65><72><6F><00><0D>\r\n");
}

TEST_F(TerminalTest, UnitAddressPrefixesEverySendIncludingTheRepeat) {
    CZelTermDlg& t = Start();
    ConnectionProfile edited = t.Profile();
    edited.sendUnitAddress = true;
    edited.unitAddress = 0;
    t.ApplyConnectionSetup(edited);
    t.SetCustomString("\"?V\"");
    t.OnSend();
    t.ApplyRepeatSettings({true, 500});
    ASSERT_EQ(window.timers.count(CZelTermDlg::kRepeatTimerId), 1u);
    EXPECT_EQ(window.timers[CZelTermDlg::kRepeatTimerId].periodMs, 500u);
    window.Tick(CZelTermDlg::kRepeatTimerId);
    window.Tick(CZelTermDlg::kRepeatTimerId);
    EXPECT_EQ(serial.written, (std::vector<std::string>{"0@?V", "0@?V", "0@?V"}));
    EXPECT_EQ(t.LastCommand(), "?V");
    t.ApplyRepeatSettings({false, 500});
    EXPECT_EQ(window.timers.count(CZelTermDlg::kRepeatTimerId), 0u);
}

// The limit counts the timer's resends that went out from the moment the settings were applied;
// then the repeat is off as if unticked, keeping its period and limit for the dialog.
TEST_F(TerminalTest, ARepeatWithALimitStopsItselfAfterThatManyResends) {
    CZelTermDlg& t = Start();
    t.ApplyRepeatSettings({true, 500, 3});
    window.Tick(CZelTermDlg::kRepeatTimerId);  // nothing sent yet: nothing to resend, not counted
    t.SendCommand("PL", true);
    EXPECT_EQ(t.RepeatStatus(), "Repeating PL<0D> every 500 ms");
    serial.written.clear();
    window.Tick(CZelTermDlg::kRepeatTimerId);
    serial.probe["COM1"] = ProbeResult::NoSuchDevice;
    serial.CloseLine();
    window.Tick(CZelTermDlg::kRepeatTimerId);
    serial.probe["COM1"] = ProbeResult::Available;
    window.Tick(CZelTermDlg::kRepeatTimerId);
    EXPECT_TRUE(t.Repeat().repeat);  // the refused resend did not count
    window.Tick(CZelTermDlg::kRepeatTimerId);
    EXPECT_EQ(serial.written, (std::vector<std::string>{"PL\r", "PL\r", "PL\r"}));
    EXPECT_EQ(window.timers.count(CZelTermDlg::kRepeatTimerId), 0u);
    EXPECT_EQ(t.RepeatStatus(), "");
    EXPECT_FALSE(t.Repeat().repeat);
    EXPECT_EQ(t.Repeat().periodMs, 500u);
    EXPECT_EQ(t.Repeat().stopAfter, std::optional<uint32_t>(3));

    // Applied again, the count starts afresh.
    t.ApplyRepeatSettings({true, 500, 1});
    window.Tick(CZelTermDlg::kRepeatTimerId);
    EXPECT_EQ(serial.written.size(), 4u);
    EXPECT_EQ(window.timers.count(CZelTermDlg::kRepeatTimerId), 0u);
}

// The repeat puts on the wire what the send it repeats did, and its status says so.
TEST_F(TerminalTest, TheRepeatResendsTheLastSendsBytesExactly) {
    CZelTermDlg& t = Start();
    t.ApplyRepeatSettings({true, 500});
    struct Case {
        const char* customString;  // empty: a page command sent with a carriage return
        std::string wire, status;
    };
    for (const Case& c : {Case{"\"?V\" h0D", "?V\r", "Repeating ?V<0D> every 500 ms"},
                          Case{"\"?V\"", "?V", "Repeating ?V every 500 ms"},
                          Case{"", "PL\r", "Repeating PL<0D> every 500 ms"}}) {
        serial.written.clear();
        if (*c.customString) {
            t.SetCustomString(c.customString);
            t.OnSend();
        } else {
            t.SendCommand("PL", true);
        }
        window.Tick(CZelTermDlg::kRepeatTimerId);
        EXPECT_EQ(serial.written, (std::vector<std::string>{c.wire, c.wire})) << c.customString;
        EXPECT_EQ(t.RepeatStatus(), c.status);
    }
}

// What the status names is what the timer sends: framed, rendered as the log's Mixed mode.
TEST_F(TerminalTest, TheRepeatStatusNamesTheResentBytes) {
    CZelTermDlg& t = Start();
    ConnectionProfile edited = t.Profile();
    edited.sendUnitAddress = true;
    edited.unitAddress = 5;
    t.ApplyConnectionSetup(edited);
    t.SendCommand(std::string("A\\zero\x01\xe9", 8), false);
    EXPECT_EQ(t.RepeatStatus(), "");
    t.ApplyRepeatSettings({true, 0});
    EXPECT_EQ(t.RepeatStatus(), "Repeating 5@A<00><01><E9> every 10 ms");
    t.StopRepeat();
    EXPECT_EQ(t.RepeatStatus(), "");
    EXPECT_EQ(window.timers.count(CZelTermDlg::kRepeatTimerId), 0u);
}

TEST_F(TerminalTest, ZeroPeriodRepeatsAtTheShortestHonouredInterval) {
    CZelTermDlg& t = Start();
    t.ApplyRepeatSettings({true, 0});
    EXPECT_EQ(window.timers[CZelTermDlg::kRepeatTimerId].periodMs, CZelTermDlg::kMinRepeatPeriodMs);
}

TEST_F(TerminalTest, CustomStringErrorsAreLoggedAndNothingIsSent) {
    CZelTermDlg& t = Start();
    t.SetCustomString("hG");
    t.OnSend();
    t.SetCustomString("");
    t.OnSend();
    EXPECT_TRUE(serial.written.empty());
    EXPECT_EQ(LogAfterGreeting(), "Error: Problem found in Hex Sequence\r\n");
    t.OnCustomStringHelp();
    ASSERT_EQ(window.shown.size(), 1u);
    EXPECT_EQ(window.shown[0].caption, "Custom String Help");
}

TEST_F(TerminalTest, SentCustomStringsAreWalkedBackAndKeptBetweenRuns) {
    CZelTermDlg& t = Start();
    // Each text once, at the place of its latest send.
    for (const char* text : {"\"PL\"", "\"?V\"", "\"PL\"", "\"PL\"", "bad\"", "\"?P\""}) {
        t.SetCustomString(text);
        t.OnSend();
    }
    CustomStringHistory& history = t.History();
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"\"?V\"", "\"PL\"", "\"?P\""}));
    EXPECT_EQ(history.Older("typed"), "\"?P\"");
    EXPECT_EQ(history.Older("\"?P\""), "\"PL\"");
    EXPECT_EQ(history.Older("\"PL\""), "\"?V\"");
    EXPECT_EQ(history.Older("\"?V\""), std::nullopt);
    EXPECT_EQ(history.Newer(), "\"PL\"");
    EXPECT_EQ(history.Newer(), "\"?P\"");
    EXPECT_EQ(history.Newer(), "typed");
    EXPECT_EQ(history.Newer(), std::nullopt);

    for (int i = 0; i < 60; ++i) history.Add(std::to_string(i));
    t.OnCancel();
    EXPECT_EQ(store.values["CustomStringHistory1"], "59");
    EXPECT_EQ(store.values["CustomStringHistory50"], "10");
    EXPECT_EQ(store.values.count("CustomStringHistory51"), 0u);
    CZelTermDlg& again = Start();
    EXPECT_EQ(again.History().Entries().size(), CustomStringHistory::kLength);
    EXPECT_EQ(again.History().Older(""), "59");
}

TEST_F(TerminalTest, EthernetSendsPlainOrFramedByProtocol) {
    StoreProductAndConnection("Sonnel", kEthernet, "Pioneer");
    CZelTermDlg& t = Start();
    t.SendCommand("PL", true);
    t.Log().Settings().mode = LogMode::Hex;
    t.CurrentProduct()->SelectProtocolByName("Pioneer(ZELNet)");
    t.SendCommand("A\\zeroB", false);
    ASSERT_EQ(udp.sent.size(), 2u);
    EXPECT_EQ(udp.sent[0].text, "PL\r");
    EXPECT_FALSE(udp.sent[0].zelnet);
    EXPECT_EQ(udp.sent[0].host, "127.0.0.1");
    EXPECT_EQ(udp.sent[0].port, 2638u);
    EXPECT_TRUE(udp.sent[1].zelnet);
    EXPECT_EQ(LogAfterGreeting(),
              "Sent (127.0.0.1):  PL<0D>\r\n"
              "Sent (127.0.0.1):  <41><00><42>\r\n");
}

TEST_F(TerminalTest, TextTooLongForADatagramIsNotSent) {
    StoreProductAndConnection("Sonnel", kEthernet, "Pioneer");
    CZelTermDlg& t = Start();
    t.SendCommand(std::string(1024, 'a'), false);
    t.SendCommand(std::string(1024, 'a'), true);
    ASSERT_EQ(udp.sent.size(), 1u);
    EXPECT_EQ(LogAfterGreeting().substr(LogAfterGreeting().find("Message not sent!")),
              "Message not sent! 1025 bytes do not fit in one datagram (at most 1024).\r\n");
}

TEST_F(TerminalTest, DatagramsAreLoggedWithSenderAndZelnetMarkAndDropsAreTold) {
    StoreProductAndConnection("Sonnel", kEthernet, "Pioneer");
    Start();
    udp.handler({"OK\r", "127.0.0.1", 2639, true});
    udp.handler({std::string("A\0B", 3), "127.0.0.1", 2638, false});
    udp.handler({"C\r", "127.0.0.1", 2638, false, 7});
    udp.handler({"", "", 0, false, 12, true});
    EXPECT_EQ(LogAfterGreeting(),
              "Received (127.0.0.1) *ZELNet*: OK<0D>\r\n"
              "Received (127.0.0.1): A<00>B\r\n"
              "7 datagrams dropped: they came faster than the log could take them\r\n"
              "Received (127.0.0.1): C<0D>\r\n"
              "12 datagrams dropped: they came faster than the log could take them\r\n");
}

TEST_F(TerminalTest, UsbSendReadsTheReplyAndRetriesOneFailedWrite) {
    StoreProductAndConnection("Korvex", kUsb, "Pioneer");
    CZelTermDlg& t = Start();
    EXPECT_EQ(t.StatusLines(), (std::array<std::string, 4>{"Protocol:\t Pioneer", "", "", ""}));
    t.Log().Settings().showDetails = false;
    usb.replyBytes = "R\r";
    usb.failWrites = 1;
    t.SendCommand("?V", true);
    EXPECT_EQ(usb.written, (std::vector<std::string>{"?V\r"}));
    EXPECT_FALSE(usb.IsOpen());
    EXPECT_EQ(LogAfterGreeting(), "?V<0D>\r\nReceived (USB):  R<0D>\r\n");

    usb.failWrites = 2;
    t.SendCommand("?V", true);
    usb.present = false;
    t.SendCommand("?V", true);
    EXPECT_NE(LogAfterGreeting().find(
                  "Error Writting using USB. Re-install drivers or re-connect device.\r\n"
                  "Error Init USB. Re-install drivers or re-connect device.\r\n"),
              std::string::npos);
}

TEST_F(TerminalTest, ConnectionFallsBackToWhatTheProductAndThePcOffer) {
    struct Case {
        std::string product;
        bool serialPort, udpPort;
        int requested, chosen;
    };
    const Case cases[] = {
        {"Sonnel", true, true, kUsb, kSerial},     // no USB entries
        {"Sonnel", false, true, kUsb, kEthernet},  // no COM port either
        {"Sonnel", false, true, kSerial, kEthernet}, {"Korvex", false, false, kSerial, kUsb},
        {"Canzo", false, false, kEthernet, kSerial},  // nothing usable: Serial
        {"Netwick", true, true, kEthernet, kSerial},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product + " asked for " + std::to_string(c.requested));
        serial.probe.clear();
        if (c.serialPort) serial.probe["COM1"] = ProbeResult::Available;
        udp.bindable = c.udpPort;
        CZelTermDlg& t = Start({"-Product", c.product});
        t.SelectConnection(c.requested);
        EXPECT_EQ(t.Profile().connectionType, c.chosen);
        EXPECT_EQ(t.CurrentProduct()->CurrentConnection(), c.chosen);
    }
}

TEST_F(TerminalTest, SwitchingConnectionsClosesTheOtherTransportFirst) {
    StoreProductAndConnection("Korvex", kSerial, "Pioneer");
    CZelTermDlg& t = Start();
    serial.events.clear();
    udp.events.clear();
    t.SelectConnection(kEthernet);
    EXPECT_EQ(serial.events, (std::vector<std::string>{"close"}));
    EXPECT_EQ(udp.events, (std::vector<std::string>{"open 10000"}));
    t.SelectConnection(kUsb);
    EXPECT_FALSE(udp.IsOpen());
    EXPECT_FALSE(serial.IsOpen());
}

TEST_F(TerminalTest, UdpPortInUseIsReportedAndEthernetStaysChosen) {
    StoreProductAndConnection("Sonnel", kSerial, "Pioneer");
    CZelTermDlg& t = Start();
    udp.bindable = false;
    t.SelectConnection(kEthernet);
    EXPECT_EQ(t.Profile().connectionType, kEthernet);
    ASSERT_EQ(window.shown.size(), 1u);
    EXPECT_EQ(window.shown[0].text, "Failed to open UDP Port");
}

// Another program holds the local port: a free one chosen in Connection Setup makes Ethernet
// usable at once, without a restart.
TEST_F(TerminalTest, AFreeLocalPortChosenInSetupMakesEthernetAvailable) {
    StoreProductAndConnection("Sonnel", kSerial, "Pioneer");
    udp.bindable = false;
    CZelTermDlg& t = Start();
    ASSERT_FALSE(t.ConnectionButtonsEnabled()[kEthernet]);
    CConnectionConfig setup(*t.CurrentProduct(), t.Profile(), serial, window);
    setup.SetLocalPortProbe([&](uint32_t port) { return port != 2639 && t.LocalPortFree(port); });
    setup.OnInitDialog();
    EXPECT_FALSE(setup.Enabling().ethernet);
    EXPECT_TRUE(setup.Enabling().localPort);
    udp.bindable = true;
    setup.SetLocalPortText("2700");
    EXPECT_TRUE(setup.Enabling().ethernet);
    setup.SetLocalPortText("2639");
    EXPECT_FALSE(setup.Enabling().ethernet);
    setup.SetLocalPortText("2700");
    setup.OnConnectionClicked(kEthernet);
    ASSERT_TRUE(setup.OnOk());
    t.ApplyConnectionSetup(setup.Values());
    EXPECT_TRUE(t.ConnectionButtonsEnabled()[kEthernet]);
    EXPECT_EQ(t.Profile().connectionType, kEthernet);
    EXPECT_EQ(t.EthernetProblem(), "");
    EXPECT_TRUE(udp.IsOpen());
}

// The default local port is probed before the settings are read; a stored local port that is
// free makes Ethernet usable even while another program holds the default one.
TEST_F(TerminalTest, AStoredFreeLocalPortIsProbedItself) {
    StoreProductAndConnection("Sonnel", kEthernet, "Pioneer");
    store.SetNumber("LocalUDPPort", 2700);
    udp.heldPort = 2639;
    CZelTermDlg& t = Start();
    EXPECT_TRUE(t.ConnectionButtonsEnabled()[kEthernet]);
    EXPECT_EQ(t.EthernetProblem(), "");
    EXPECT_EQ(t.Log().Text().find("Ethernet cannot be used"), std::string::npos);
    t.SendCommand("PL", true);
    ASSERT_EQ(udp.sent.size(), 1u);
    EXPECT_EQ(udp.boundPort, 2700u);
}

TEST_F(TerminalTest, ClosedSerialPortIsReopenedOnceBeforeGivingUp) {
    CZelTermDlg& t = Start();
    serial.CloseLine();
    t.SendCommand("PL", true);
    EXPECT_EQ(serial.written.size(), 1u);
    serial.CloseLine();
    serial.probe.clear();
    t.SendCommand("PL", true);
    EXPECT_EQ(serial.written.size(), 1u);
    EXPECT_NE(
        LogAfterGreeting().find("Message not sent! Unable to open selected port COM1: error 2\r\n"),
        std::string::npos);
}

TEST_F(TerminalTest, ProductChangeResetsDefaultsAndKeepsEthernet) {
    StoreProductAndConnection("Sonnel", kEthernet, "Pioneer(ZELNet)");
    store.SetNumber("ProductUDPPort", 2639);
    CZelTermDlg& t = Start();
    auto names = t.ProductNames();
    t.OnProductListSelected(std::find(names.begin(), names.end(), "Lumeka") - names.begin());
    EXPECT_EQ(t.Profile().connectionType, kEthernet);
    EXPECT_EQ(t.Profile().productUdpPort, 2637u);
    EXPECT_EQ(t.Profile().baudRate, "9600");
    EXPECT_EQ(t.Profile().protocolName, "Netwick(8-bit)");
    EXPECT_EQ(t.ConnectionButtonsEnabled(), (std::array<bool, 3>{true, true, false}));

    // The stored protocol belongs to the stored connection, so the next start restores it.
    t.OnOk();
    EXPECT_EQ(Start().CurrentProduct()->Name(), "Lumeka");
    EXPECT_EQ(dlg->Profile().connectionType, kEthernet);
}

TEST_F(TerminalTest, CommandLineSelectsSendsAndExitsAfterSaving) {
    clock.now = {2026, 3, 7, 9, 5, 3};
    CZelTermDlg& t = Start(
        {"-Product", "Korvex", "-Ethernet", "127.0.0.1", "-SendPCTime", "-SendPCDate", "-Exit"});
    EXPECT_TRUE(t.Ended());
    ASSERT_EQ(udp.sent.size(), 2u);
    EXPECT_EQ(udp.sent[0].text, "09:05:03TI\r");
    EXPECT_EQ(udp.sent[1].text, "03.07.2026DA\r");
    EXPECT_EQ(udp.sent[0].host, "127.0.0.1");
    EXPECT_EQ(store.Number("Connection"), 1u);
    EXPECT_EQ(store.values["ProductIPAddress"], "127.0.0.1");
    auto names = t.ProductNames();
    EXPECT_EQ(names[*store.Number("Product")], "Korvex");
}

TEST_F(TerminalTest, CommandLineErrorsAndMissingArguments) {
    CZelTermDlg& t = Start({"-Foo", "-Exit"});
    EXPECT_EQ(LogAfterGreeting(), "Command Line Error: -Foo is not a switch\r\n");
    EXPECT_TRUE(t.Ended());
    EXPECT_TRUE(store.keyExists);

    CZelTermDlg& u = Start({"-SendPCTime", "-Serial"});
    EXPECT_FALSE(u.Ended());
    EXPECT_EQ(serial.written.size(), 1u);
    CZelTermDlg& v = Start({"-Exit", "-Serial"});
    EXPECT_TRUE(v.Ended());
}

TEST_F(TerminalTest, CommandLineSerialTakesAnOpenablePortOnly) {
    serial.probe["/dev/pts/7"] = ProbeResult::Available;
    CZelTermDlg& t = Start({"-Serial", "/dev/pts/9", "-Serial", "/dev/pts/7"});
    EXPECT_EQ(t.Profile().serialPort, "/dev/pts/7");
    EXPECT_EQ(serial.openName, "/dev/pts/7");
}

// The list, whose entry is saved, keeps showing the product in force, and nothing meant for
// the unknown product goes to it.
TEST_F(TerminalTest, CommandLineProductWithoutAnExactNameKeepsTheProductAndSaysSo) {
    CZelTermDlg& t = Start({"-Product", "Korvx", "-SendPCTime"});
    EXPECT_EQ(t.CurrentProduct()->Name(), "A/V Reelmast");
    EXPECT_EQ(t.ProductNames()[t.ProductListIndex()], "A/V Reelmast");
    const std::string unknown =
        "No product is named Korvx (the closest are Korvex, Korvel, Sorrel); the product stays "
        "A/V Reelmast";
    EXPECT_EQ(LogAfterGreeting(), unknown + ".\r\n-SendPCTime not sent: " + unknown + "\r\n");
    EXPECT_TRUE(serial.written.empty());
    EXPECT_EQ(t.CommandLineResult(), CommandLineOutcome::NotUnderstood);
}

TEST_F(TerminalTest, CommandLineProductDifferingOnlyInCaseIsThatProduct) {
    CZelTermDlg& t = Start({"-Product", "kORVEX", "-SendPCTime"});
    EXPECT_EQ(t.CurrentProduct()->Name(), "Korvex");
    EXPECT_EQ(t.ProductNames()[t.ProductListIndex()], "Korvex");
    EXPECT_EQ(serial.written.size(), 1u);
    EXPECT_EQ(t.CommandLineResult(), CommandLineOutcome::Done);
}

TEST_F(TerminalTest, UpdateCheckAtLaunchOnlyAsksWhenAnUpdateIsAvailable) {
    launcher.present = true;
    launcher.exitCode = 2;
    Start();
    EXPECT_TRUE(window.shown.empty());

    launcher.exitCode = 1;
    window.answers = {MessageAnswer::Yes};
    Start();
    ASSERT_EQ(window.shown.size(), 1u);
    EXPECT_EQ(window.shown[0].text, "A new update is available! Do you want to update now?");
    EXPECT_EQ(window.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(launcher.updaterStarts, 1);
    EXPECT_EQ(launcher.lastTimeoutMs, 10000);

    store.keyExists = true;
    store.SetNumber("CheckUpdateOnLaunch", 0);
    int runs = launcher.checkerRuns;
    Start();
    EXPECT_EQ(launcher.checkerRuns, runs);
}

TEST(CommandLineText, SplitsAtRunsOfSpaces) {
    EXPECT_EQ(SplitCommandLine("  -Product  Netwick -Exit "),
              (std::vector<std::string>{"-Product", "Netwick", "-Exit"}));
    EXPECT_TRUE(SplitCommandLine("").empty());
}

TEST(BaudRate, UnknownTextsRunAtNinetySixHundred) {
    EXPECT_EQ(BaudRateFromText("115200"), 115200u);
    EXPECT_EQ(BaudRateFromText("300"), 9600u);
    EXPECT_EQ(BaudRateFromText(""), 9600u);
}

}  // namespace
}  // namespace zel

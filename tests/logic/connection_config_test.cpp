// The Connection Setup dialog's logic: lists, enabling, reactions and the checks on OK.
#include "terminal/connection_config.h"

#include <gtest/gtest.h>

#include "products/catalog.h"
#include "support/fakes.h"
#include "terminal/zelterm_dlg.h"

namespace zel {
namespace {

using test::FakeSerialPort;
using test::FakeWindowSystem;

ProtocolInfo Serial(int32_t protocol, const char* bauds = "1200,9600,19200") {
    return {protocol, kSerial, true, bauds, "9600", 0};
}
ProtocolInfo Ethernet(int32_t protocol, uint32_t port) {
    return {protocol, kEthernet, true, "", "", port};
}
ProtocolInfo Usb(int32_t protocol) {
    return {protocol, kUsb, true, "", "", 0};
}

ProductInfo MakeProduct(std::array<std::vector<ProtocolInfo>, 3> lists, bool deviceId = true) {
    return ProductInfo(0, "Test", {}, Capabilities{.deviceId = deviceId}, std::move(lists));
}

ProductInfo SerialProduct(std::vector<ProtocolInfo> serial, bool deviceId = true) {
    return MakeProduct({std::move(serial), {}, {}}, deviceId);
}

class ConnectionConfigTest : public ::testing::Test {
  protected:
    ConnectionConfigTest() {
        serial.probe["COM1"] = ProbeResult::Available;
        serial.probe["COM2"] = ProbeResult::Available;
        profile.serialPort = "COM2";
        profile.baudRate = "9600";
        profile.productIpAddress = "127.0.0.1";
        profile.serialAvailable = true;
        profile.ethernetAvailable = true;
    }

    CConnectionConfig& Open(ProductInfo& product) {
        config = std::make_unique<CConnectionConfig>(product, profile, serial, window);
        config->OnInitDialog();
        return *config;
    }

    FakeSerialPort serial;
    FakeWindowSystem window;
    ConnectionProfile profile;
    std::unique_ptr<CConnectionConfig> config;
};

struct UnitAddressRow {
    int32_t protocol;
    bool deviceId;
    bool ticked;
    bool sendEnabled;
    bool editEnabled;
};

TEST_F(ConnectionConfigTest, UnitAddressIsOfferedForPioneerProtocolsOfProductsWithADeviceId) {
    const UnitAddressRow rows[] = {
        {kPioneer, true, false, true, false},          {kPioneer, true, true, true, true},
        {kPioneerZelnet, true, true, true, true},      {kPioneerZelnet, true, false, true, false},
        {kPioneer, false, true, false, false},         {kPioneerZelnet, false, true, false, false},
        {kQuorvaneEightBit, true, true, false, false}, {kNetwickTest, true, true, false, false},
        {kCustomProtocol, true, true, false, false},
    };
    for (const UnitAddressRow& row : rows) {
        SCOPED_TRACE(ProtocolName(row.protocol) + (row.deviceId ? " with" : " without") +
                     " device id, " + (row.ticked ? "ticked" : "not ticked"));
        ProductInfo product = SerialProduct({Serial(row.protocol)}, row.deviceId);
        profile.sendUnitAddress = row.ticked;
        ConnectionEnabling enabling = Open(product).Enabling();
        EXPECT_EQ(enabling.sendUnitAddress, row.sendEnabled);
        EXPECT_EQ(enabling.unitAddress, row.editEnabled);
    }
}

TEST_F(ConnectionConfigTest, TickingTheBoxEnablesTheUnitAddressAtOnce) {
    ProductInfo product = SerialProduct({Serial(kPioneer)});
    CConnectionConfig& c = Open(product);
    EXPECT_FALSE(c.Enabling().unitAddress);
    c.OnSendUnitAddressClicked(true);
    EXPECT_TRUE(c.Enabling().unitAddress);
    EXPECT_TRUE(c.Values().sendUnitAddress);
}

struct ChoiceRow {
    bool serialAvailable, ethernetAvailable;
    bool hasSerial, hasEthernet, hasUsb;
    bool serial, ethernet, usb;
};

TEST_F(ConnectionConfigTest, ConnectionChoicesNeedTheProbeAndTheProductsProtocols) {
    const ChoiceRow rows[] = {
        {true, true, true, true, true, true, true, true},
        {false, true, true, true, true, false, true, true},
        {true, false, true, true, false, true, false, false},
        {true, true, false, true, false, false, true, false},
        {true, true, true, false, true, true, false, true},
        {false, false, false, false, true, false, false, true},
    };
    for (const ChoiceRow& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        std::array<std::vector<ProtocolInfo>, 3> lists;
        if (row.hasSerial) lists[kSerial] = {Serial(kPioneer)};
        if (row.hasEthernet) lists[kEthernet] = {Ethernet(kPioneer, 2638)};
        if (row.hasUsb) lists[kUsb] = {Usb(kPioneer)};
        ProductInfo product = MakeProduct(std::move(lists));
        profile.serialAvailable = row.serialAvailable;
        profile.ethernetAvailable = row.ethernetAvailable;
        // The dialog reads the ports again: none are there when serial is unavailable.
        for (const char* port : {"COM1", "COM2"}) {
            serial.probe[port] =
                row.serialAvailable ? ProbeResult::Available : ProbeResult::NoSuchDevice;
        }
        ConnectionEnabling enabling = Open(product).Enabling();
        EXPECT_EQ(enabling.serial, row.serial);
        EXPECT_EQ(enabling.ethernet, row.ethernet);
        EXPECT_EQ(enabling.usb, row.usb);
        EXPECT_EQ(enabling.baudList, row.hasSerial);
    }
}

TEST_F(ConnectionConfigTest, NoFreePortDisablesSerialAndShowsThePortInUseAsItIs) {
    serial.probe["COM1"] = ProbeResult::InUse;
    serial.probe["COM2"] = ProbeResult::OtherFailure;
    ProductInfo product = SerialProduct({Serial(kPioneer)});
    CConnectionConfig& c = Open(product);
    EXPECT_EQ(c.Ports().entries, (std::vector<std::string>{"COM2 (cannot be opened)"}));
    EXPECT_EQ(c.Ports().selected, 0);
    EXPECT_FALSE(c.Enabling().serial);
    EXPECT_TRUE(c.Enabling().portList);  // to refresh or type another
    EXPECT_FALSE(c.Values().serialAvailable);
    EXPECT_EQ(c.Values().serialPort, "COM2");  // kept, not emptied
}

TEST_F(ConnectionConfigTest, PortListIsSortedAndSelectsTheProfilesPortIgnoringCase) {
    serial.candidates = {"COM3", "com1", "COM2", "COM4"};
    serial.probe = {{"COM3", ProbeResult::Available},
                    {"com1", ProbeResult::Available},
                    {"COM2", ProbeResult::Available},
                    {"COM4", ProbeResult::InUse}};
    ProductInfo product = SerialProduct({Serial(kPioneer)});
    profile.serialPort = "Com3";
    CConnectionConfig& c = Open(product);
    EXPECT_EQ(c.Ports().entries, (std::vector<std::string>{"com1", "COM2", "COM3"}));
    EXPECT_EQ(c.Ports().selected, 2);
    EXPECT_EQ(c.Values().serialPort, "COM3");

    profile.serialPort = "COM9";
    EXPECT_EQ(Open(product).Ports().selected, 3);
    EXPECT_EQ(config->Ports().entries.back(), "COM9 (not present)");
    EXPECT_EQ(config->Values().serialPort, "COM9");
    config->OnPortSelected("COM2");
    EXPECT_EQ(config->Values().serialPort, "COM2");
    EXPECT_EQ(config->Ports().selected, 1);
}

// The port in use is shown even when its device went away; the list is read again on demand,
// and a typed device path is taken, so a new adapter is found without a restart.
TEST_F(ConnectionConfigTest, AMissingPortIsShownAndANewOneFoundByRefreshOrTyped) {
    serial.probe.clear();
    profile.serialPort = "/dev/ttyUSB0";
    profile.serialAvailable = false;
    ProductInfo product = SerialProduct({Serial(kPioneer)});
    CConnectionConfig& c = Open(product);
    EXPECT_EQ(c.Ports().entries, (std::vector<std::string>{"/dev/ttyUSB0 (not present)"}));
    EXPECT_EQ(c.Values().serialPort, "/dev/ttyUSB0");
    EXPECT_FALSE(c.Enabling().serial);

    serial.probe["/dev/ttyACM3"] = ProbeResult::Available;
    c.OnPortSelected(" /dev/ttyACM3 ");
    EXPECT_EQ(c.Values().serialPort, "/dev/ttyACM3");
    EXPECT_TRUE(c.Enabling().serial);

    serial.candidates.push_back("/dev/ttyACM3");
    c.RefreshPorts();
    EXPECT_EQ(c.Ports().entries, (std::vector<std::string>{"/dev/ttyACM3"}));
    EXPECT_EQ(c.Ports().selected, 0);
    c.OnPortSelected("/dev/ttyUSB0 (not present)");
    EXPECT_EQ(c.Values().serialPort, "/dev/ttyUSB0");
}

TEST_F(ConnectionConfigTest, BaudListTakesTheProfilesRateElseTheDefaultElseTheFirst) {
    struct Row {
        const char* bauds;
        const char* profileRate;
        int selected;
        const char* taken;
    };
    const Row rows[] = {
        {"1200,9600,19200", "19200", 2, "19200"},
        {"1200,9600,19200", "300", 1, "9600"},
        {"1200,2400", "300", 0, "1200"},
        {"9600", "", 0, "9600"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bauds + std::string(" / ") + row.profileRate);
        ProductInfo product = SerialProduct({Serial(kPioneer, row.bauds)});
        profile.baudRate = row.profileRate;
        CConnectionConfig& c = Open(product);
        EXPECT_EQ(c.BaudRates().selected, row.selected);
        EXPECT_EQ(c.Values().baudRate, row.taken);
    }
    ProductInfo product = SerialProduct({Serial(kPioneer, "1200,2400,4800")});
    CConnectionConfig& c = Open(product);
    EXPECT_EQ(c.BaudRates().entries, (std::vector<std::string>{"1200", "2400", "4800"}));
    c.OnBaudRateSelected("4800");
    EXPECT_EQ(c.Values().baudRate, "4800");
}

TEST_F(ConnectionConfigTest, ChoosingEthernetListsItsProtocolsAndTheZelnetOneBringsItsPort) {
    std::vector<ProductInfo> catalog = BuildCatalog();
    ProductInfo& sonnel = *FindProduct(catalog, "Sonnel");
    profile.productUdpPort = 2638;
    CConnectionConfig& c = Open(sonnel);
    EXPECT_EQ(c.Protocols().entries, std::vector<std::string>{"Pioneer"});

    c.OnConnectionClicked(kEthernet);
    EXPECT_EQ(sonnel.CurrentConnection(), kEthernet);
    EXPECT_EQ(c.ConnectionType(), kEthernet);
    EXPECT_EQ(c.Protocols().entries, (std::vector<std::string>{"Pioneer", "Pioneer(ZELNet)"}));
    EXPECT_EQ(c.Protocols().selected, 0);

    c.OnProtocolSelected("Pioneer(ZELNet)");
    EXPECT_EQ(sonnel.CurrentProtocol()->protocol, kPioneerZelnet);
    EXPECT_EQ(c.Protocols().selected, 1);
    EXPECT_EQ(c.ProductPortText(), "2639");
    EXPECT_EQ(c.Values().protocolName, "Pioneer(ZELNet)");
    ASSERT_TRUE(c.OnOk());
    EXPECT_EQ(c.Values().productUdpPort, 2639u);
    EXPECT_EQ(c.Values().connectionType, kEthernet);
}

TEST_F(ConnectionConfigTest, ChoosingASerialProtocolBringsItsDefaultBaudRate) {
    ProductInfo product = SerialProduct(
        {Serial(kPioneer, "1200,9600"), {kMidi, kSerial, false, "1200,31250", "31250", 0}});
    profile.baudRate = "1200";
    CConnectionConfig& c = Open(product);
    c.OnProtocolSelected("MIDI");
    EXPECT_EQ(c.BaudRates().entries, (std::vector<std::string>{"1200", "31250"}));
    EXPECT_EQ(c.Values().baudRate, "31250");
    EXPECT_EQ(c.BaudRates().selected, 1);
    EXPECT_FALSE(c.Enabling().sendUnitAddress);
}

TEST_F(ConnectionConfigTest, TheIpAddressShowsDottedTextAndTakesTheControlsAddress) {
    ProductInfo product = SerialProduct({Serial(kPioneer)});
    profile.productIpAddress = "10.1.2.254";
    CConnectionConfig& c = Open(product);
    EXPECT_EQ(c.IpAddress(), 0x0A0102FEu);
    c.OnIpAddressChanged(0x7F000001);
    EXPECT_EQ(c.Values().productIpAddress, "127.0.0.1");

    profile.productIpAddress = "not an address";
    EXPECT_EQ(Open(product).IpAddress(), std::nullopt);
    EXPECT_TRUE(config->OnOk());
    EXPECT_EQ(config->Values().productIpAddress, "not an address");
}

struct EditRow {
    ConnectionEdit edit;
    const char* text;
    const char* message;  // null when taken
};

TEST_F(ConnectionConfigTest, EditsAreCheckedOnOkAndARefusedOneIsNamed) {
    const EditRow rows[] = {
        {ConnectionEdit::UnitAddress, "128", "Please enter an integer between 0 and 127."},
        {ConnectionEdit::UnitAddress, "-1", "Please enter an integer between 0 and 127."},
        {ConnectionEdit::UnitAddress, "12x", "Please enter an integer."},
        {ConnectionEdit::UnitAddress, "", "Please enter an integer."},
        {ConnectionEdit::UnitAddress, "127", nullptr},
        {ConnectionEdit::UnitAddress, " 0 ", nullptr},
        {ConnectionEdit::ProductPort, "70000", nullptr},
        {ConnectionEdit::ProductPort, "abc", "Please enter a positive integer."},
        {ConnectionEdit::ProductPort, "-1", "Please enter a positive integer."},
        {ConnectionEdit::ProductPort, "4294967296", "Please enter a positive integer."},
        {ConnectionEdit::LocalPort, "abc", "Please enter a positive integer."},
        {ConnectionEdit::LocalPort, "4294967295", nullptr},
    };
    ProductInfo product = SerialProduct({Serial(kPioneer)});
    profile.sendUnitAddress = true;
    for (const EditRow& row : rows) {
        SCOPED_TRACE(row.text);
        CConnectionConfig& c = Open(product);
        window.shown.clear();
        switch (row.edit) {
            case ConnectionEdit::UnitAddress:
                c.SetUnitAddressText(row.text);
                break;
            case ConnectionEdit::LocalPort:
                c.SetLocalPortText(row.text);
                break;
            default:
                c.SetProductPortText(row.text);
                break;
        }
        EXPECT_EQ(c.OnOk(), row.message == nullptr);
        if (row.message) {
            ASSERT_EQ(window.shown.size(), 1u);
            EXPECT_EQ(window.shown[0].text, row.message);
            EXPECT_EQ(c.RefusedEdit(), row.edit);
        } else {
            EXPECT_TRUE(window.shown.empty());
            EXPECT_EQ(c.RefusedEdit(), ConnectionEdit::None);
        }
    }
}

TEST_F(ConnectionConfigTest, TakenEditsBecomeTheValues) {
    ProductInfo product = SerialProduct({Serial(kPioneer)});
    profile.sendUnitAddress = true;
    CConnectionConfig& c = Open(product);
    c.SetUnitAddressText("127");
    c.SetLocalPortText("3000");
    c.SetProductPortText("70000");
    ASSERT_TRUE(c.OnOk());
    EXPECT_EQ(c.Values().unitAddress, 127);
    EXPECT_EQ(c.Values().localUdpPort, 3000u);
    EXPECT_EQ(c.Values().productUdpPort, 70000u);
}

TEST_F(ConnectionConfigTest, ADisabledUnitAddressIsNotCheckedAndKeepsItsValue) {
    ProductInfo product = SerialProduct({Serial(kPioneer)}, false);
    profile.unitAddress = 5;
    CConnectionConfig& c = Open(product);
    c.SetUnitAddressText("999");
    EXPECT_TRUE(c.OnOk());
    EXPECT_EQ(c.Values().unitAddress, 5);
}

// The dialog as the terminal runs it: the profile comes from the terminal and goes back on OK.
class ConnectionSetupTerminalTest : public ConnectionConfigTest {
  protected:
    ConnectionSetupTerminalTest() {
        store.keyExists = true;
        auto names = SortedProductNames(BuildCatalog());
        store.SetNumber("Product", std::find(names.begin(), names.end(), "Sonnel") - names.begin());
        store.SetNumber("Connection", kSerial);
        store.SetText("Protocol", "Pioneer");
        store.SetText("ComPort", "COM1");
        store.SetText("ProductIPAddress", "127.0.0.1");
        launcher.present = false;
        terminal.OnInitDialog({});
    }

    CConnectionConfig OpenFromTerminal() {
        terminal.PrepareConnectionSetup();
        CConnectionConfig c(*terminal.CurrentProduct(), terminal.Profile(), terminal.Serial(),
                            terminal.Window());
        c.OnInitDialog();
        return c;
    }

    test::FakeSettingsStore store;
    test::FakeUdpSocket udp;
    test::FakeUsbLink usb;
    test::FakeClock clock;
    test::FakeUpdateLauncher launcher;
    CZelTermDlg terminal{TerminalServices{window, store, serial, udp, usb, clock, launcher}};
};

TEST_F(ConnectionSetupTerminalTest, OpeningFreesTheSerialPortSoItIsListedToo) {
    ASSERT_EQ(serial.openName, "COM1");
    CConnectionConfig c = OpenFromTerminal();
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_EQ(c.Ports().entries, (std::vector<std::string>{"COM1", "COM2"}));
    EXPECT_EQ(c.Ports().selected, 0);
}

TEST_F(ConnectionSetupTerminalTest, CancelKeepsTheChosenProtocolOnTheProductOnly) {
    const ConnectionProfile before = terminal.Profile();
    CConnectionConfig c = OpenFromTerminal();
    c.OnConnectionClicked(kEthernet);
    c.OnProtocolSelected("Pioneer(ZELNet)");
    c.SetLocalPortText("4000");
    // Cancelled: nothing is handed back.
    EXPECT_EQ(terminal.CurrentProduct()->CurrentProtocol(kEthernet)->protocol, kPioneerZelnet);
    EXPECT_EQ(terminal.Profile().connectionType, kSerial);
    EXPECT_EQ(terminal.Profile().protocolName, before.protocolName);
    EXPECT_EQ(terminal.Profile().productUdpPort, before.productUdpPort);
    EXPECT_EQ(terminal.Profile().localUdpPort, before.localUdpPort);
    EXPECT_EQ(terminal.StatusLines()[0], "Protocol:\t Pioneer");

    // The next opening shows the terminal's connection again, with the product's choice kept.
    CConnectionConfig again = OpenFromTerminal();
    EXPECT_EQ(again.ConnectionType(), kSerial);
    EXPECT_EQ(terminal.CurrentProduct()->CurrentConnection(), kSerial);
    again.OnConnectionClicked(kEthernet);
    EXPECT_EQ(again.Protocols().selected, 1);
}

TEST_F(ConnectionSetupTerminalTest, OkHandsTheProfileBackAndReopensTheConnection) {
    CConnectionConfig c = OpenFromTerminal();
    c.OnConnectionClicked(kEthernet);
    c.OnProtocolSelected("Pioneer(ZELNet)");
    c.SetLocalPortText("4000");
    c.OnSendUnitAddressClicked(true);
    c.SetUnitAddressText("127");
    ASSERT_TRUE(c.OnOk());
    terminal.ApplyConnectionSetup(c.Values());
    EXPECT_EQ(terminal.Profile().connectionType, kEthernet);
    EXPECT_EQ(terminal.Profile().protocolName, "Pioneer(ZELNet)");
    EXPECT_EQ(terminal.Profile().productUdpPort, 2639u);
    EXPECT_EQ(terminal.Profile().localUdpPort, 4000u);
    EXPECT_EQ(terminal.Profile().unitAddress, 127);
    EXPECT_TRUE(terminal.Profile().sendUnitAddress);
    EXPECT_TRUE(udp.IsOpen());
    EXPECT_EQ(udp.boundPort, 4000u);
    EXPECT_EQ(terminal.StatusLines()[0], "Protocol:\t Pioneer(ZELNet)");
    EXPECT_EQ(terminal.StatusLines()[2], "Product Port:\t 2639");
}

}  // namespace
}  // namespace zel

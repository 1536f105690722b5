// The device list: sheets read row by row, every change written whole, damage set aside.
#include "terminal/device_list.h"

#include <gtest/gtest.h>

#include "products/catalog.h"

namespace zel {
namespace {

class MemoryDeviceFile : public IDeviceFile {
  public:
    std::optional<std::string> Read(std::string& error) override {
        error = readError;
        return text;
    }
    bool Write(const std::string& written) override {
        if (!writable) return false;
        text = written;
        return true;
    }
    std::string SetAside() override {
        if (!canSetAside) return {};
        aside = text;
        text.reset();
        return "devices.csv.damaged";
    }
    std::string Name() const override { return "devices.csv"; }

    std::optional<std::string> text;
    std::optional<std::string> aside;
    std::string readError;
    bool writable = true;
    bool canSetAside = true;
};

Device NewDevice(const std::string& name) {
    Device device;
    device.name = name;
    device.product = "Korvex";
    device.address = "127.0.0.1";
    return device;
}

const std::string kRack =
    "name,product,connection,address,ports,protocol,unit address\n"
    "Lobby player 3,Korvex,ethernet,127.0.0.1,3000/2638,,off\n"
    "\"Stage, left\",Tamrin,serial,/dev/ttyUSB0,,,5\n";

class DeviceListTest : public ::testing::Test {
  protected:
    std::vector<ProductInfo> catalog = BuildCatalog();
    MemoryDeviceFile file;
    DeviceList list{file, catalog};
};

TEST_F(DeviceListTest, ASheetIsReadWithQuotedNamesPortsAndUnitAddresses) {
    DeviceImport imported = list.Import(kRack);
    ASSERT_TRUE(imported.errors.empty()) << imported.errors.front();
    EXPECT_EQ(imported.added, 2);
    const Device* lobby = list.Find("Lobby player 3");
    ASSERT_TRUE(lobby);
    EXPECT_EQ(lobby->connection, kEthernet);
    EXPECT_EQ(lobby->localPort, 3000u);
    EXPECT_EQ(lobby->productPort, 2638u);
    EXPECT_FALSE(lobby->unitAddress);
    ASSERT_TRUE(list.Find("Stage, left"));
    EXPECT_EQ(list.Find("Stage, left")->unitAddress, 5);
    // Exported, then read again in a new run, it is the same list.
    DeviceList again(file, catalog);
    EXPECT_EQ(again.Load(), "");
    EXPECT_EQ(again.Devices(), list.Devices());
    EXPECT_EQ(list.Export(), *file.text);
}

TEST_F(DeviceListTest, ABadRowIsNamedByItsLineAndNothingOfTheSheetIsTaken) {
    struct Case {
        std::string row;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"Two,Nothing,ethernet,127.0.0.1,,,", "line 3: there is no product \"Nothing\""},
        {"Two,Korvex,radio,127.0.0.1,,,", "line 3: the connection \"radio\" is not serial"},
        {"Two,Korvex,ethernet,10.0.0,,,", "line 3: the address \"10.0.0\" is not an IPv4"},
        {"Two,Korvex,ethernet,127.0.0.1,0/9,,", "line 3: the ports \"0/9\" are not"},
        {"Two,Korvex,ethernet,127.0.0.1,,MIDI,", "line 3: Korvex has no protocol \"MIDI\""},
        {"Two,Korvex,ethernet,127.0.0.1,,,128", "line 3: the unit address \"128\" is not"},
        {"Two,Tamrin,serial,,,,", "line 3: a serial device needs its port"},
        {"Two,Korvex", "line 3: has 2 columns"},
        {"One,Korvex,ethernet,127.0.0.2,,,", "line 3: the name \"One\" is given to an earlier"},
        {"Two,Korvex,ethernet,\"127.0.0.1,,,", "line 3: a quote is not closed"},
    };
    for (const Case& c : cases) {
        const std::string sheet =
            "name,product,connection,address,ports\n"
            "One,Korvex,ethernet,127.0.0.1,,,\n" +
            c.row + "\n";
        DeviceImport imported = list.Import(sheet);
        ASSERT_EQ(imported.errors.size(), 1u) << c.row;
        EXPECT_EQ(imported.errors.front().rfind(c.error, 0), 0u) << imported.errors.front();
        EXPECT_TRUE(list.Devices().empty()) << c.row;
        EXPECT_FALSE(file.text) << c.row;
    }
}

TEST_F(DeviceListTest, ImportReplacesDevicesOfTheSameNameAndKeepsTheOthers) {
    ASSERT_TRUE(list.Import(kRack).errors.empty());
    DeviceImport second = list.Import(
        "Lobby player 3,Korvex,ethernet,127.0.0.9,,,\n"
        "Bar,Korvex,usb,,,,\n");
    EXPECT_EQ(second.added, 1);
    EXPECT_EQ(second.replaced, 1);
    EXPECT_EQ(list.Find("Lobby player 3")->address, "127.0.0.9");
    EXPECT_EQ(list.Devices().size(), 3u);
}

TEST_F(DeviceListTest, RenamingEditingAndRemovingAreWrittenAtOnce) {
    ASSERT_TRUE(list.Import(kRack).errors.empty());
    Device renamed = *list.Find("Lobby player 3");
    renamed.name = "Lobby player 4";
    EXPECT_EQ(list.Store(renamed, "Lobby player 3"), "");
    EXPECT_NE(file.text->find("Lobby player 4"), std::string::npos);
    EXPECT_EQ(file.text->find("Lobby player 3"), std::string::npos);
    renamed.name = "Stage, left";
    EXPECT_EQ(list.Store(renamed, "Lobby player 4"),
              "a device named \"Stage, left\" exists already");
    EXPECT_EQ(list.Remove("Stage, left"), "");
    EXPECT_EQ(file.text->find("Stage"), std::string::npos);
    EXPECT_EQ(list.Remove("Stage, left"), "there is no device \"Stage, left\"");
}

TEST_F(DeviceListTest, AChangeThatCannotBeWrittenIsNotMade) {
    ASSERT_TRUE(list.Import(kRack).errors.empty());
    file.writable = false;
    EXPECT_EQ(list.Remove("Lobby player 3"), "the device list cannot be written to devices.csv");
    EXPECT_TRUE(list.Find("Lobby player 3"));
    EXPECT_FALSE(list.Import("Bar,Korvex,usb,,,,\n").errors.empty());
    EXPECT_FALSE(list.Find("Bar"));
}

TEST_F(DeviceListTest, ADamagedFileIsSetAsideWithItsFirstBadLineAndTheListStartsEmpty) {
    file.text = kRack + "Broken,Korvex\n";
    std::string message = list.Load();
    EXPECT_NE(message.find("is damaged (line 4: has 2 columns"), std::string::npos) << message;
    EXPECT_NE(message.find("kept as devices.csv.damaged"), std::string::npos) << message;
    EXPECT_EQ(file.aside, kRack + "Broken,Korvex\n");
    EXPECT_TRUE(list.Devices().empty());
    EXPECT_EQ(list.Store(NewDevice("New")), "");
}

TEST_F(DeviceListTest, AFileThatCanBeNeitherReadNorSetAsideIsNeverOverwritten) {
    file.text.reset();
    file.readError = "Permission denied";
    EXPECT_EQ(list.Load(), "The device list cannot be read: Permission denied");
    EXPECT_NE(list.Store(NewDevice("New")), "");
    file.readError.clear();
    file.text = "x,y\n";
    file.canSetAside = false;
    EXPECT_NE(list.Load().find("could not be set aside"), std::string::npos);
    EXPECT_NE(list.Remove("x"), "");
    EXPECT_EQ(file.text, "x,y\n");
}

}  // namespace
}  // namespace zel

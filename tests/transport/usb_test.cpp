#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "transport/usb_fixtures.h"
#include "transport/usb_interface_finder.h"
#include "transport/usb_os_descriptors.h"
#include "transport/zel_usb.h"

namespace zel::test {
namespace {

constexpr std::string_view kGuid = kZelUsbInterfaceGuid;

// -- Descriptor parsing ----------------------------------------------------------------------

TEST(UsbOsDescriptors, Os20PlatformCapabilityGivesVendorCodeAndSetLength) {
    const auto location = FindMsOs20Set(MsOs20Bos(0xA2));
    ASSERT_TRUE(location);
    EXPECT_EQ(location->vendorCode, kOs20VendorCode);
    EXPECT_EQ(location->totalLength, 0xA2);
}

TEST(UsbOsDescriptors, BosWithoutOs20PlatformCapabilityHasNoSet) {
    Bytes otherPlatform = MsOs20Bos(0xA2);
    otherPlatform[16] ^= 0xFF;  // first byte of the platform UUID
    const Bytes onlyUsb20Extension{0x05, 0x0F, 0x0C, 0x00, 0x01, 0x07,
                                   0x10, 0x02, 0x06, 0x00, 0x00, 0x00};
    Bytes truncated = MsOs20Bos(0xA2);
    truncated.resize(30);
    for (const Bytes& bos : {otherPlatform, onlyUsb20Extension, truncated, Bytes{0x05, 0x02}}) {
        EXPECT_FALSE(FindMsOs20Set(bos));
    }
}

TEST(UsbOsDescriptors, Os20SetNamesTheInterfaceCarryingTheGuid) {
    struct Case {
        Bytes set;
        std::optional<uint8_t> interfaceNumber;
    };
    Bytes lowerCase = MsOs20Set("{cc983552-cb24-44ae-aa66-d2c9a48e7252}");
    Bytes truncated = MsOs20Set(kGuid);
    truncated.resize(truncated.size() - 20);
    const Case cases[] = {
        {MsOs20Set(kGuid), 0},
        {MsOs20Set(kGuid, 2), 2},
        {lowerCase, 0},
        {MsOs20Set(kOtherGuid), std::nullopt},
        {truncated, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(FindGuidInMsOs20Set(c.set, kGuid), c.interfaceNumber);
}

TEST(UsbOsDescriptors, Os10StringGivesVendorCodeOnlyForItsSignature) {
    EXPECT_EQ(MsOs10VendorCode(MsOs10String(0x42)), 0x42);
    Bytes otherSignature = MsOs10String(0x42);
    otherSignature[14] = '2';  // "MSFT200"
    EXPECT_FALSE(MsOs10VendorCode(otherSignature));
    Bytes truncated = MsOs10String(0x42);
    truncated.resize(truncated.size() - 2);
    EXPECT_FALSE(MsOs10VendorCode(truncated));
}

TEST(UsbOsDescriptors, ExtendedPropertiesHoldTheGuid) {
    EXPECT_TRUE(ExtendedPropertiesHoldGuid(ExtendedProperties(kGuid), kGuid));
    EXPECT_FALSE(ExtendedPropertiesHoldGuid(ExtendedProperties(kOtherGuid), kGuid));
    Bytes truncated = ExtendedProperties(kGuid);
    truncated.resize(truncated.size() - 10);
    EXPECT_FALSE(ExtendedPropertiesHoldGuid(truncated, kGuid));
    EXPECT_EQ(ExtendedPropertiesLength(ExtendedProperties(kGuid)),
              ExtendedProperties(kGuid).size());
}

// -- A fake device ---------------------------------------------------------------------------

struct FakeDeviceState {
    UsbControlModel control;
    std::vector<UsbEndpoint> endpoints{{0x01, UsbEndpointType::Bulk, 64},
                                       {0x81, UsbEndpointType::Bulk, 64}};
    bool claimFails = false;
    std::deque<Bytes> inTransfers;   // answered in order, then time-outs
    std::optional<Bytes> endlessIn;  // answered for every read instead
    int failWrites = 0;

    int opens = 0, closes = 0, inReads = 0, misalignedReads = 0;
    std::optional<uint8_t> claimed;
    std::vector<std::pair<uint8_t, Bytes>> outTransfers;
};

class FakeUsbDevice : public IUsbDevice {
  public:
    explicit FakeUsbDevice(FakeDeviceState& state) : state_(state) { ++state_.opens; }
    ~FakeUsbDevice() override { ++state_.closes; }

    std::optional<Bytes> ControlIn(const UsbControlSetup& setup, unsigned) override {
        return state_.control.Respond(setup);
    }
    bool ClaimInterface(uint8_t number) override {
        if (state_.claimFails) return false;
        state_.claimed = number;
        return true;
    }
    std::vector<UsbEndpoint> Endpoints(uint8_t) override { return state_.endpoints; }
    uint8_t Speed() override { return 3; }

    bool Transfer(const UsbEndpoint& endpoint, uint8_t* data, size_t length, size_t& transferred,
                  unsigned) override {
        transferred = 0;
        if (!endpoint.IsIn()) {
            if (state_.failWrites > 0) return --state_.failWrites, false;
            state_.outTransfers.emplace_back(endpoint.address, Bytes(data, data + length));
            transferred = length;
            return true;
        }
        ++state_.inReads;
        // The library refuses reads that could end inside a packet.
        if (length % endpoint.maxPacketSize != 0) return ++state_.misalignedReads, false;
        Bytes answer;
        if (state_.endlessIn) {
            answer = *state_.endlessIn;
        } else if (!state_.inTransfers.empty()) {
            answer = state_.inTransfers.front();
            state_.inTransfers.pop_front();
        } else {
            return false;  // time-out
        }
        if (answer.size() > length) return false;
        std::copy(answer.begin(), answer.end(), data);
        transferred = answer.size();
        return true;
    }

  private:
    FakeDeviceState& state_;
};

class FakeUsbBackend : public IUsbBackend {
  public:
    std::vector<std::unique_ptr<IUsbDevice>> OpenPresentDevices() override {
        std::vector<std::unique_ptr<IUsbDevice>> opened;
        for (auto& device : devices) opened.push_back(std::make_unique<FakeUsbDevice>(*device));
        return opened;
    }

    FakeDeviceState& Add(UsbControlModel control) {
        devices.push_back(std::make_shared<FakeDeviceState>());
        devices.back()->control = std::move(control);
        return *devices.back();
    }

    // Shared, so a test can still read a device after the link and its backend are gone.
    std::vector<std::shared_ptr<FakeDeviceState>> devices;
};

Bytes Packet(std::initializer_list<uint8_t> bytes) {
    return Bytes(bytes);
}

// -- Finding the device ----------------------------------------------------------------------

TEST(UsbInterfaceFinder, FindsTheFirstDeviceCarryingTheGuidInEitherForm) {
    FakeUsbBackend backend;
    FakeDeviceState& plain = backend.Add(DeviceWithoutOsDescriptors());
    FakeDeviceState& otherGuid = backend.Add(DeviceWithOs20Guid(kOtherGuid));
    FakeDeviceState& os10 = backend.Add(DeviceWithOs10Guid(kGuid));
    FakeDeviceState& os20 = backend.Add(DeviceWithOs20Guid(kGuid));

    auto found = FindUsbInterface(backend, kGuid);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->interfaceNumber, 0);
    EXPECT_EQ(os10.closes, 0);
    for (FakeDeviceState* closed : {&plain, &otherGuid, &os20}) EXPECT_EQ(closed->closes, 1);

    FakeDeviceState os20Only;
    os20Only.control = DeviceWithOs20Guid(kGuid);
    FakeUsbDevice device(os20Only);
    EXPECT_EQ(InterfaceWithGuid(device, kGuid), 0);
}

TEST(UsbInterfaceFinder, FallsBackToTheOs10FormWhenTheSetLacksTheGuid) {
    UsbControlModel both = DeviceWithOs10Guid(kGuid);
    const Bytes set = MsOs20Set(kOtherGuid);
    both.Answer({0x80, 0x06, 0x0F00, 0, 0}, MsOs20Bos(uint16_t(set.size())));
    both.Answer({0xC0, kOs20VendorCode, 0, 7, 0}, set);
    FakeDeviceState state;
    state.control = both;
    FakeUsbDevice device(state);
    EXPECT_EQ(InterfaceWithGuid(device, kGuid), 0);
}

TEST(UsbInterfaceFinder, NoDeviceWithTheGuidFindsNothing) {
    FakeUsbBackend backend;
    EXPECT_FALSE(FindUsbInterface(backend, kGuid));
    backend.Add(DeviceWithoutOsDescriptors());
    backend.Add(DeviceWithOs10Guid(kOtherGuid));
    EXPECT_FALSE(FindUsbInterface(backend, kGuid));
}

// -- The link --------------------------------------------------------------------------------

class ZelUsbTest : public ::testing::Test {
  protected:
    ZelUsbTest() {
        auto owned = std::make_unique<FakeUsbBackend>();
        backend_ = owned.get();
        usb_ = std::make_unique<CZelUSB>(std::move(owned), [this](std::chrono::milliseconds pause) {
            pauses_.push_back(pause);
        });
    }

    FakeDeviceState& AddProduct() { return backend_->Add(DeviceWithOs20Guid(kGuid)); }

    FakeUsbBackend* backend_;
    std::vector<std::chrono::milliseconds> pauses_;
    std::unique_ptr<CZelUSB> usb_;
};

TEST_F(ZelUsbTest, OpeningWithoutTheProductFailsCleanly) {
    backend_->Add(DeviceWithoutOsDescriptors());
    EXPECT_FALSE(usb_->OpenDevice());
    EXPECT_FALSE(usb_->IsOpen());
    EXPECT_FALSE(usb_->WriteData("PL\r", nullptr));
    std::string reply;
    EXPECT_FALSE(usb_->ReadData(reply, 1024, 20));
}

TEST_F(ZelUsbTest, OpenRecordsThePipesAndWritesToTheFirstBulkOut) {
    FakeDeviceState& device = AddProduct();
    device.endpoints = {{0x02, UsbEndpointType::Bulk, 64},
                        {0x81, UsbEndpointType::Bulk, 64},
                        {0x83, UsbEndpointType::Interrupt, 8},
                        {0x04, UsbEndpointType::Bulk, 64}};
    ASSERT_TRUE(usb_->OpenDevice());
    EXPECT_TRUE(usb_->IsOpen());
    EXPECT_EQ(device.claimed, 0);
    EXPECT_EQ(usb_->Speed(), 3);
    EXPECT_EQ(usb_->BulkInPipe(), 0x81);
    EXPECT_EQ(usb_->BulkOutPipe(), 0x02);
    EXPECT_EQ(usb_->SecondBulkOutPipe(), 0x04);
    EXPECT_EQ(usb_->InterruptPipe(), 0x83);

    size_t written = 0;
    ASSERT_TRUE(usb_->WriteData("PL\r", &written));
    EXPECT_EQ(written, 3u);
    ASSERT_EQ(device.outTransfers.size(), 1u);
    EXPECT_EQ(device.outTransfers[0].first, 0x02);
    EXPECT_EQ(device.outTransfers[0].second, (Bytes{'P', 'L', '\r'}));

    usb_->CloseDevice();
    EXPECT_FALSE(usb_->IsOpen());
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(usb_->BulkInPipe(), 0);
    EXPECT_EQ(usb_->BulkOutPipe(), 0);
}

TEST_F(ZelUsbTest, UnusableInterfacesFailTheOpenAndReleaseTheDevice) {
    FakeDeviceState& device = AddProduct();
    const std::vector<std::vector<UsbEndpoint>> unusable = {
        {{0x01, UsbEndpointType::Bulk, 64},
         {0x81, UsbEndpointType::Bulk, 64},
         {0x82, UsbEndpointType::Isochronous, 192}},
        {{0x81, UsbEndpointType::Bulk, 64}},
        {{0x01, UsbEndpointType::Bulk, 64}},
    };
    for (const auto& endpoints : unusable) {
        device.endpoints = endpoints;
        EXPECT_FALSE(usb_->OpenDevice());
        EXPECT_FALSE(usb_->IsOpen());
        EXPECT_EQ(device.opens, device.closes);
    }
    device.endpoints = {{0x01, UsbEndpointType::Bulk, 64}, {0x81, UsbEndpointType::Bulk, 64}};
    device.claimFails = true;
    EXPECT_FALSE(usb_->OpenDevice());
    EXPECT_EQ(device.opens, device.closes);
}

TEST_F(ZelUsbTest, WriteOpensWhenClosedAndClosesOnFailure) {
    FakeDeviceState& device = AddProduct();
    ASSERT_TRUE(usb_->WriteData("?V\r", nullptr));
    EXPECT_TRUE(usb_->IsOpen());
    EXPECT_EQ(device.opens, 1);

    device.failWrites = 1;
    size_t written = 99;
    EXPECT_FALSE(usb_->WriteData("?V\r", &written));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(usb_->IsOpen());
    EXPECT_EQ(device.closes, 1);

    // The terminal's retry: reopen and write again.
    ASSERT_TRUE(usb_->OpenDevice());
    EXPECT_TRUE(usb_->WriteData("?V\r", nullptr));
    EXPECT_EQ(device.outTransfers.size(), 2u);
}

TEST_F(ZelUsbTest, TransfersFillingTheirLastPacketEndWithAZeroLengthPacket) {
    FakeDeviceState& device = AddProduct();
    ASSERT_TRUE(usb_->OpenDevice());
    const struct {
        size_t length;
        std::vector<size_t> transfers;
    } cases[] = {{63, {63}}, {64, {64, 0}}, {65, {65}}, {128, {128, 0}}};
    for (const auto& c : cases) {
        device.outTransfers.clear();
        ASSERT_TRUE(usb_->WriteData(std::string(c.length, 'x'), nullptr));
        std::vector<size_t> lengths;
        for (const auto& transfer : device.outTransfers) lengths.push_back(transfer.second.size());
        EXPECT_EQ(lengths, c.transfers) << c.length;
    }
}

TEST_F(ZelUsbTest, ReplyGroupsAreUnpackedWithAPauseForEachEmptyPosition) {
    using namespace std::chrono_literals;
    const struct {
        Bytes packet;
        bool read;
        std::string data;
        size_t pauses;
    } cases[] = {
        {Packet({0x03, 0x4F, 0x4B, 0x0D, 0x00, 0x00, 0x00, 0x00}), true, "OK\r", 3},
        {Packet({0x02, 'A', 'B', 0x00, 0x01, 'C', 0x00, 0x00}), true, "ABC", 3},
        {Packet({0x03, 'R', 0x0D}), true, "R\r", 0},
        {Packet({0x00, 'A', 'B', 'C', 0x03, 'D', 'E', 'F'}), false, "", 0},
    };
    FakeDeviceState& device = AddProduct();
    ASSERT_TRUE(usb_->OpenDevice());
    for (const auto& c : cases) {
        pauses_.clear();
        device.inTransfers = {c.packet};
        std::string reply;
        EXPECT_EQ(usb_->ReadData(reply, 1024, 1), c.read);
        EXPECT_EQ(reply, c.data);
        EXPECT_EQ(pauses_, std::vector<std::chrono::milliseconds>(c.pauses, 10ms));
    }
}

TEST_F(ZelUsbTest, ReadTriesTheGivenAttemptsUntilDataArrives) {
    FakeDeviceState& device = AddProduct();
    ASSERT_TRUE(usb_->OpenDevice());
    device.inReads = 0;
    device.inTransfers = {Packet({0x00, 0x00, 0x00, 0x00}), Packet({0x01, 'R'})};
    std::string reply = "kept";
    ASSERT_TRUE(usb_->ReadData(reply, 1024, 20));
    EXPECT_EQ(reply, "keptR");
    EXPECT_EQ(device.inReads, 2);

    device.inReads = 0;
    EXPECT_FALSE(usb_->ReadData(reply, 1024, 20));
    EXPECT_EQ(device.inReads, 20);
    EXPECT_EQ(reply, "keptR");
    EXPECT_EQ(device.misalignedReads, 0);
}

TEST_F(ZelUsbTest, ReplyLargerThanTheBufferFails) {
    FakeDeviceState& device = AddProduct();
    device.endpoints = {{0x01, UsbEndpointType::Bulk, 512}, {0x81, UsbEndpointType::Bulk, 512}};
    ASSERT_TRUE(usb_->OpenDevice());
    Bytes full;
    for (int group = 0; group < 512; ++group) full.insert(full.end(), {0x03, 'a', 'b', 'c'});
    device.inTransfers = {full};  // 1536 data bytes
    std::string reply;
    EXPECT_FALSE(usb_->ReadData(reply, 1024, 20));
    EXPECT_EQ(reply, "");

    device.inTransfers = {Packet({0x03, 'a', 'b', 'c', 0x03, 'd', 'e', 'f'})};
    EXPECT_TRUE(usb_->ReadData(reply, 6, 1));
    device.inTransfers = {Packet({0x03, 'a', 'b', 'c', 0x03, 'd', 'e', 'f'})};
    reply.clear();
    EXPECT_FALSE(usb_->ReadData(reply, 5, 1));
}

TEST_F(ZelUsbTest, ReadsInWholePacketsAndKeepsWhatGoesBeyondOneReply) {
    FakeDeviceState& device = AddProduct();
    device.endpoints = {{0x01, UsbEndpointType::Bulk, 96}, {0x81, UsbEndpointType::Bulk, 96}};
    ASSERT_TRUE(usb_->OpenDevice());
    Bytes transfer(22 * 96, 0);  // whole packets: one reply's worth and a second reply
    transfer[0] = 0x01;
    transfer[1] = 'A';
    transfer[2048] = 0x01;
    transfer[2049] = 'B';
    device.inTransfers = {transfer};
    std::string first, second;
    ASSERT_TRUE(usb_->ReadData(first, 1024, 1));
    ASSERT_TRUE(usb_->ReadData(second, 1024, 1));
    EXPECT_EQ(first, "A");
    EXPECT_EQ(second, "B");
    EXPECT_EQ(device.misalignedReads, 0);
}

TEST_F(ZelUsbTest, OpeningDrainsStaleInputUntilTwelveEmptyReads) {
    FakeDeviceState& device = AddProduct();
    device.inTransfers = {Packet({0x01, 'x'}), Packet({0x01, 'y'}), Packet({0x01, 'z'})};
    ASSERT_TRUE(usb_->OpenDevice());
    EXPECT_EQ(device.inReads, 3 + 12 * 5);  // an empty read makes five attempts
    device.inTransfers = {Packet({0x02, 'O', 'K'})};
    std::string reply;
    ASSERT_TRUE(usb_->ReadData(reply, 1024, 20));
    EXPECT_EQ(reply, "OK");
}

TEST_F(ZelUsbTest, DrainOfADeviceThatNeverStopsSendingIsBounded) {
    FakeDeviceState& device = AddProduct();
    device.endlessIn = Packet({0x03, 'n', 'o', 'w'});
    ASSERT_TRUE(usb_->OpenDevice());
    EXPECT_TRUE(usb_->IsOpen());
    EXPECT_EQ(device.inReads, 256);
}

TEST_F(ZelUsbTest, DestructorClosesAnOpenDevice) {
    AddProduct();
    std::shared_ptr<FakeDeviceState> device = backend_->devices.back();
    ASSERT_TRUE(usb_->OpenDevice());
    usb_.reset();
    EXPECT_EQ(device->closes, 1);
}

}  // namespace
}  // namespace zel::test

// The WinUSB backend under the products' link, over a fake of the Win32 calls: wine has no USB.
#include "transport/windows/usb_winusb.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "transport/zel_usb.h"

namespace zel {
namespace {

// One device behind the products' interface (number 2): bulk OUT 0x01, bulk IN 0x81, interrupt
// IN 0x83, all 64-byte packets, high speed.
struct FakeWinUsb {
    std::vector<std::wstring> present = {L"\\\\?\\usb#held", L"\\\\?\\usb#product"};
    std::wstring held = L"\\\\?\\usb#held";
    std::deque<std::string> inPackets;
    std::vector<std::pair<UCHAR, std::string>> written;
    std::map<UCHAR, ULONG> timeouts;
    GUID askedFor{};
    int openHandles = 0;
    int openInterfaces = 0;

    WinUsbCalls Calls() {
        HANDLE file = reinterpret_cast<HANDLE>(0x1234);
        auto usb = reinterpret_cast<WINUSB_INTERFACE_HANDLE>(0x5678);
        const WINUSB_PIPE_INFORMATION pipes[] = {{UsbdPipeTypeBulk, 0x01, 64, 0},
                                                 {UsbdPipeTypeBulk, 0x81, 64, 0},
                                                 {UsbdPipeTypeInterrupt, 0x83, 8, 1}};
        return {
            [this](const GUID& guid) {
                askedFor = guid;
                return present;
            },
            [this, file](const std::wstring& path) {
                if (path == held) {
                    SetLastError(ERROR_ACCESS_DENIED);
                    return INVALID_HANDLE_VALUE;
                }
                ++openHandles;
                return file;
            },
            [this](HANDLE) { --openHandles; },
            [this, usb](HANDLE, PWINUSB_INTERFACE_HANDLE out) {
                *out = usb;
                ++openInterfaces;
                return TRUE;
            },
            [this](WINUSB_INTERFACE_HANDLE) {
                --openInterfaces;
                return TRUE;
            },
            [](WINUSB_INTERFACE_HANDLE, UCHAR alternate, PUSB_INTERFACE_DESCRIPTOR setting) {
                *setting = {};
                setting->bInterfaceNumber = 2;
                setting->bNumEndpoints = 3;
                return alternate == 0 ? TRUE : FALSE;
            },
            [pipes](WINUSB_INTERFACE_HANDLE, UCHAR, UCHAR index, PWINUSB_PIPE_INFORMATION pipe) {
                if (index >= 3) return FALSE;
                *pipe = pipes[index];
                return TRUE;
            },
            [](WINUSB_INTERFACE_HANDLE, ULONG type, PULONG length, PVOID value) {
                if (type != DEVICE_SPEED || *length < 1) return FALSE;
                *static_cast<UCHAR*>(value) = HighSpeed;
                return TRUE;
            },
            [this](WINUSB_INTERFACE_HANDLE, UCHAR pipe, ULONG policy, ULONG, PVOID value) {
                if (policy == PIPE_TRANSFER_TIMEOUT) timeouts[pipe] = *static_cast<ULONG*>(value);
                return TRUE;
            },
            [this](WINUSB_INTERFACE_HANDLE, UCHAR pipe, PUCHAR data, ULONG length, PULONG moved) {
                *moved = 0;
                if (pipe != 0x81 || inPackets.empty()) {
                    SetLastError(ERROR_SEM_TIMEOUT);
                    return FALSE;
                }
                std::string packet = inPackets.front();
                inPackets.pop_front();
                if (packet.size() > length) return FALSE;
                packet.copy(reinterpret_cast<char*>(data), packet.size());
                *moved = ULONG(packet.size());
                return TRUE;
            },
            [this](WINUSB_INTERFACE_HANDLE, UCHAR pipe, PUCHAR data, ULONG length, PULONG moved) {
                written.emplace_back(pipe, std::string(reinterpret_cast<char*>(data), length));
                *moved = length;
                return TRUE;
            },
            [](WINUSB_INTERFACE_HANDLE, WINUSB_SETUP_PACKET, PUCHAR, ULONG, PULONG) {
                return FALSE;
            },
        };
    }
};

class WinUsbLinkTest : public testing::Test {
  protected:
    FakeWinUsb fake;
    CZelUSB link{MakeWinUsbBackend(fake.Calls()), [](std::chrono::milliseconds) {}};
};

TEST_F(WinUsbLinkTest, TheFirstOpenableDeviceWithTheInterfaceGivesItsPipes) {
    ASSERT_TRUE(link.OpenDevice());
    EXPECT_EQ(fake.askedFor.Data1, 0xCC983552u);
    EXPECT_EQ(fake.askedFor.Data4[7], 0x52);
    EXPECT_EQ(link.BulkOutPipe(), 0x01);
    EXPECT_EQ(link.BulkInPipe(), 0x81);
    EXPECT_EQ(link.InterruptPipe(), 0x83);
    EXPECT_EQ(link.Speed(), HighSpeed);
    EXPECT_EQ(fake.timeouts[0x81], 5u);  // the drain read with the link's short time-out
    link.CloseDevice();
    EXPECT_EQ(fake.openHandles, 0);
    EXPECT_EQ(fake.openInterfaces, 0);
}

TEST_F(WinUsbLinkTest, CommandsGoOutOnTheBulkPipeAndAFullLastPacketIsEnded) {
    size_t written = 0;
    ASSERT_TRUE(link.WriteData("VER\r", &written));
    EXPECT_EQ(written, 4u);
    ASSERT_TRUE(link.WriteData(std::string(64, 'x'), &written));
    ASSERT_EQ(fake.written.size(), 3u);
    EXPECT_EQ(fake.written[0], std::make_pair(UCHAR(0x01), std::string("VER\r")));
    EXPECT_EQ(fake.written[2], std::make_pair(UCHAR(0x01), std::string()));  // zero-length
}

TEST_F(WinUsbLinkTest, RepliesAreTakenFromTheirFourByteGroups) {
    ASSERT_TRUE(link.OpenDevice());
    // A count byte and up to three data bytes per group; an empty group paces the reply.
    fake.inPackets.push_back(std::string("\x03OK \x00\x00\x00\x00\x02\r\n\x00", 12));
    std::string reply;
    ASSERT_TRUE(link.ReadData(reply, 64, 1));
    EXPECT_EQ(reply, "OK \r\n");
    EXPECT_FALSE(link.ReadData(reply, 64, 3));  // nothing more: the attempts run out
}

TEST_F(WinUsbLinkTest, OnlyADeviceHeldElsewhereIsReportedAsDenied) {
    fake.present = {fake.held};
    EXPECT_FALSE(link.OpenDevice());
    EXPECT_TRUE(link.AccessDenied());
    fake.present = {};
    EXPECT_FALSE(link.OpenDevice());
    EXPECT_FALSE(link.AccessDenied());
}

TEST(WinUsbGuid, OnlyTheBracedFormIsAGuid) {
    EXPECT_TRUE(ParseGuid(kZelUsbInterfaceGuid));
    EXPECT_FALSE(ParseGuid("CC983552-CB24-44AE-AA66-D2C9A48E7252"));
    EXPECT_FALSE(ParseGuid("{CC983552-CB24-44AE-AA66-D2C9A48E7252}x"));
    EXPECT_FALSE(ParseGuid(""));
}

}  // namespace
}  // namespace zel

#include "services/framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/byte_string.h"

namespace zel {
namespace {

using testing::Bytes;

struct FrameCase {
    std::string text;
    bool appendCR;
    bool sendUnitAddress;
    int unitAddress;
    std::string framed;
};

TEST(FrameCommandTest, AddsUnitAddressPrefixAndCarriageReturn) {
    const std::vector<FrameCase> cases = {
        {"PL", true, false, 3, "PL\r"},
        {"PL", true, true, 3, "3@PL\r"},
        {"PL", false, true, 3, "3@PL"},
        {"PL", false, true, 0, "0@PL"},
        {"?V", false, true, 127, "127@?V"},
        {"?V", false, false, 127, "?V"},
        {"A\\zeroB", true, false, 0, "A\\zeroB\r"},
        {"", true, true, 5, ""},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.text + " addr=" + std::to_string(c.unitAddress));
        EXPECT_EQ(FrameCommand(c.text, c.appendCR, c.sendUnitAddress, c.unitAddress), c.framed);
    }
}

struct PacketCase {
    std::string payload;
    uint8_t control;
    std::string packet;
};

TEST(BuildEightBitPacketTest, FramesPayloadWithLengthAndChecksum) {
    const std::vector<PacketCase> cases = {
        {"B", 0, Bytes({0xF5, 0x00, 0x00, 0x01, 0x42, 0x43})},
        {Bytes({0x28, 0x02, 0x00}), 1, Bytes({0xF5, 0x00, 0x01, 0x03, 0x28, 0x02, 0x00, 0x2E})},
        {"", 5, Bytes({0xF5, 0x00, 0x05, 0x00, 0x05})},
        // Bytes of 0x80 and above count unsigned; the sum keeps its low 8 bits.
        {Bytes({0xFF, 0xFF}), 0xFF, Bytes({0xF5, 0x00, 0xFF, 0x02, 0xFF, 0xFF, 0xFF})},
    };
    for (const PacketCase& c : cases) {
        EXPECT_EQ(BuildEightBitPacket(c.payload, c.control), c.packet);
    }
}

TEST(BuildEightBitPacketTest, LengthByteKeepsLowBitsButWholePayloadIsSent) {
    const std::string payload(256, '\x01');
    const std::string packet = BuildEightBitPacket(payload, 0);
    ASSERT_EQ(packet.size(), payload.size() + 5);
    EXPECT_EQ(packet[3], '\x00');
    EXPECT_EQ(packet.back(), '\x00');  // 256 + 0 + 256 * 1
}

}  // namespace
}  // namespace zel

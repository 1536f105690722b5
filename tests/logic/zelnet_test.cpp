#include "base/zelnet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/byte_string.h"
#include "services/custom_string.h"

namespace zel {
namespace {

using testing::Bytes;

struct BuildCase {
    std::string name;
    std::string payload;
    std::string frame;
};

TEST(BuildZelnetFrameTest, ChoosesTheChecksumFormBySignedSum) {
    const std::vector<BuildCase> cases = {
        {"PL", "PL", Bytes({0xF1, 0x01, 0x04, 0x50, 0x4C, 0xA1, 0xF2})},
        {"PLAY", "PLAY", Bytes({0xF1, 0x01, 0x04, 0x50, 0x4C, 0x41, 0x59, 0xFF, 0x01, 0x3B, 0xF2})},
        {"zero byte", ExpandZeroMarkers("A\\zeroB"),
         Bytes({0xF1, 0x01, 0x04, 0x41, 0x00, 0x42, 0x88, 0xF2})},
        {"empty", "", Bytes({0xF1, 0x01, 0x04, 0x05, 0xF2})},
        {"sum 249", Bytes({0x7F, 0x75}), Bytes({0xF1, 0x01, 0x04, 0x7F, 0x75, 0xF9, 0xF2})},
        {"sum 250", Bytes({0x7F, 0x76}),
         Bytes({0xF1, 0x01, 0x04, 0x7F, 0x76, 0xFF, 0x00, 0xFA, 0xF2})},
        {"sum -251", Bytes({0x80, 0x80}),
         Bytes({0xF1, 0x01, 0x04, 0x80, 0x80, 0xFE, 0xFF, 0xFF, 0x05, 0xF2})},
        {"sum -1", Bytes({0xFA}), Bytes({0xF1, 0x01, 0x04, 0xFA, 0xFE, 0xFF, 0xFF, 0xFF, 0xF2})},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildZelnetFrame(c.payload), c.frame);
    }
}

TEST(BuildZelnetFrameTest, SumsOf0x10000AndMoreUseTheFourByteForm) {
    const std::string payload(517, '\x7F');  // 5 + 517 * 0x7F = 0x10080
    const std::string frame = BuildZelnetFrame(payload);
    EXPECT_EQ(frame.substr(3 + payload.size()), Bytes({0xFE, 0x01, 0x00, 0x80, 0xF2}));
}

struct UnwrapCase {
    std::string name;
    std::string datagram;
    std::optional<std::string> payload;
};

TEST(UnwrapZelnetFrameTest, KeepsThePayloadThroughItsFirstCarriageReturn) {
    const std::vector<UnwrapCase> cases = {
        {"OK", Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAC, 0xF2}), "OK\r"},
        {"three-byte checksum", BuildZelnetFrame("PLAY\r"), "PLAY\r"},
        {"four-byte checksum", BuildZelnetFrame(std::string(600, '\x7F') + '\r'),
         std::string(600, '\x7F') + '\r'},
        {"two lines", BuildZelnetFrame("OK\rMORE\r"), "OK\r"},
        {"header bytes not checked", Bytes({0xF1, 0x02, 0x03, 0x4F, 0x4B, 0x0D, 0xAC, 0xF2}),
         "OK\r"},
        // The checksum is read as part of the text: a sum of 13 ends the line.
        {"checksum is a CR", Bytes({0xF1, 0x01, 0x04, 0x02, 0x03, 0x03, 0x0D, 0xF2}),
         Bytes({0x02, 0x03, 0x03, 0x0D})},
    };
    for (const UnwrapCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnwrapZelnetFrame(c.datagram), c.payload);
    }
}

TEST(UnwrapZelnetFrameTest, RejectsFramesThatFailAnyCheck) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"7 bytes", Bytes({0xF1, 0x01, 0x04, 0x41, 0x0D, 0x53, 0xF2})},
        {"wrong start", Bytes({0xF0, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAC, 0xF2})},
        {"wrong end", Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAC, 0xF3})},
        {"bad checksum", Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAD, 0xF2})},
        {"no CR", Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x4B, 0xEA, 0xF2})},
        {"zero before CR", BuildZelnetFrame(Bytes({0x41, 0x00, 0x42, 0x0D}))},
        {"zero first in payload", BuildZelnetFrame(Bytes({0x00, 0x42, 0x0D}))},
        // A payload byte 0xFE is taken for the start of the checksum.
        {"payload byte FE", BuildZelnetFrame(Bytes({0x41, 0xFE, 0x42, 0x0D}))},
        {"negative sum, wrong low bits",
         Bytes({0xF1, 0x01, 0x04, 0x80, 0x80, 0x0D, 0xFE, 0xFF, 0xFF, 0x13, 0xF2})},
        {"FF just before the end", Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xFF, 0xF2})},
    };
    for (const auto& [name, datagram] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(UnwrapZelnetFrame(datagram), std::nullopt);
    }
}

TEST(UnwrapZelnetFrameTest, AcceptsOurOwnFramesWithANegativeSum) {
    // Every negative sum goes out in the four-byte form, which holds its low 24 bits.
    const std::string frame = BuildZelnetFrame(Bytes({0x80, 0x80, 0x0D}));
    EXPECT_EQ(frame, Bytes({0xF1, 0x01, 0x04, 0x80, 0x80, 0x0D, 0xFE, 0xFF, 0xFF, 0x12, 0xF2}));
    EXPECT_EQ(UnwrapZelnetFrame(frame), Bytes({0x80, 0x80, 0x0D}));
}

TEST(AcceptDatagramTest, UnwrapsFramesAndPassesOtherDatagramsWhole) {
    const auto frame = AcceptDatagram(Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x0D, 0xAC, 0xF2}),
                                      "127.0.0.1", 4001, true);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->data, "OK\r");
    EXPECT_TRUE(frame->zelnet);
    EXPECT_EQ(frame->senderAddress, "127.0.0.1");
    EXPECT_EQ(frame->senderPort, 4001u);

    const std::string withZeros = Bytes({0x41, 0x00, 0x42, 0x00});
    const auto plain = AcceptDatagram(withZeros, "127.0.0.1", 4001, true);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->data, withZeros);
    EXPECT_FALSE(plain->zelnet);

    const std::string badFrame = Bytes({0xF1, 0x01, 0x04, 0x41, 0x0D, 0x53, 0xF2});
    const auto notUnwrapped = AcceptDatagram(badFrame, "127.0.0.1", 4001, false);
    ASSERT_TRUE(notUnwrapped);
    EXPECT_EQ(notUnwrapped->data, badFrame);
    EXPECT_FALSE(notUnwrapped->zelnet);

    const std::string startOnly = Bytes({0xF1, 0x41, 0x42});
    EXPECT_EQ(AcceptDatagram(startOnly, "", 0, true)->data, startOnly);

    const std::string largest(kMaxDatagramBytes, 'x');
    EXPECT_EQ(AcceptDatagram(largest, "", 0, true)->data, largest);
}

TEST(AcceptDatagramTest, DropsEmptyTooLongAndRejectedFrames) {
    EXPECT_FALSE(AcceptDatagram("", "127.0.0.1", 4001, true));
    EXPECT_FALSE(AcceptDatagram(std::string(kMaxDatagramBytes + 1, 'x'), "127.0.0.1", 4001, true));
    EXPECT_FALSE(
        AcceptDatagram(Bytes({0xF1, 0x01, 0x04, 0x41, 0x0D, 0x53, 0xF2}), "127.0.0.1", 4001, true));
    EXPECT_FALSE(AcceptDatagram(Bytes({0xF1, 0x01, 0x04, 0x4F, 0x4B, 0x4B, 0xEA, 0xF2}),
                                "127.0.0.1", 4001, true));
}

}  // namespace
}  // namespace zel

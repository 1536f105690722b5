// The line-setting codes against terminal attributes, for the framings a pseudo-terminal
// cannot keep.
#include "transport/serial_line_settings.h"

#include <gtest/gtest.h>

namespace zel::line_settings {
namespace {

TEST(SerialLineSettings, EveryFramingReadsBackAsSet) {
    struct Framing {
        int dataBits, parity, stopBits;
    };
    const Framing framings[] = {{8, 0, 0}, {7, 2, 2}, {8, 1, 0}, {5, 3, 1}, {6, 4, 2}, {7, 1, 0}};
    termios attributes{};
    MakeRaw(attributes);
    for (const auto& f : framings) {
        SCOPED_TRACE(testing::Message() << f.dataBits << "-" << f.parity << "-" << f.stopBits);
        ASSERT_TRUE(SetFraming(attributes, f.dataBits, f.parity, f.stopBits));
        EXPECT_EQ(DataBitsOf(attributes), f.dataBits);
        EXPECT_EQ(ParityOf(attributes), f.parity);
        EXPECT_EQ(StopBitsOf(attributes), f.stopBits);
        EXPECT_EQ((attributes.c_iflag & INPCK) != 0, f.parity != 0);  // checked when sent
    }
}

TEST(SerialLineSettings, OpeningStateIsRawEightNoneOneWithoutFlowControl) {
    termios attributes{};
    attributes.c_lflag = ICANON | ECHO;
    attributes.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS;
    attributes.c_iflag = IXON | IXOFF | ICRNL;
    MakeRaw(attributes);
    EXPECT_EQ(DataBitsOf(attributes), 8);
    EXPECT_EQ(ParityOf(attributes), 0);
    EXPECT_EQ(StopBitsOf(attributes), 0);
    EXPECT_EQ(HandshakeOf(attributes), 0);
    EXPECT_EQ(attributes.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(attributes.c_iflag & ICRNL, 0u);
    EXPECT_NE(attributes.c_cflag & CLOCAL, 0u);
    EXPECT_NE(attributes.c_cflag & CREAD, 0u);
}

}  // namespace
}  // namespace zel::line_settings

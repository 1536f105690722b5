// How the settings dialogs read numbers and addresses typed by the operator.
#include "services/dialog_fields.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(DialogFieldsTest, IntegersMayBeSignedAndBlankPaddedButNothingElse) {
    const std::pair<const char*, std::optional<int32_t>> rows[] = {
        {"0", 0},
        {" 127 ", 127},
        {"-5", -5},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", {}},
        {"", {}},
        {"  ", {}},
        {"1 2", {}},
        {"12x", {}},
        {"0x10", {}},
        {"-", {}},
        {"--1", {}},
    };
    for (const auto& [text, value] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseIntegerField(text), value);
    }
}

TEST(DialogFieldsTest, UnsignedNumbersHaveNoMinusAndFitThirtyTwoBits) {
    const std::pair<const char*, std::optional<uint32_t>> rows[] = {
        {"70000", 70000u},  {"4294967295", 4294967295u},
        {"4294967296", {}}, {"-1", {}},
        {"abc", {}},        {"", {}},
        {" 250", 250u},     {"+3", 3u},
    };
    for (const auto& [text, value] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseUnsignedField(text), value);
    }
}

TEST(DialogFieldsTest, RangeMessageNamesBothEnds) {
    EXPECT_EQ(IntegerRangeMessage(0, 127), "Please enter an integer between 0 and 127.");
}

TEST(DialogFieldsTest, DottedAddressesReadOnlyFourFieldsOfAtMost255) {
    EXPECT_EQ(ParseDottedAddress("192.168.0.254"), 0xC0A800FEu);
    EXPECT_EQ(ParseDottedAddress("0.0.0.0"), 0u);
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..3.4", "a.b.c.d", "1.2.3.4 ", "0001.2.3.4"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ParseDottedAddress(bad), std::nullopt);
    }
    EXPECT_EQ(DottedAddress(0xC0A800FE), "192.168.0.254");
    EXPECT_EQ(DottedAddress(0), "0.0.0.0");
}

}  // namespace
}  // namespace zel

#include <gtest/gtest.h>

#include <cstdint>

#include "common/dialog_fields.h"

namespace quorvel {
namespace {

TEST(DialogFields, NumbersAreShownWithUpTo15SignificantDigits) {
    EXPECT_EQ(formatInteger(-42), "-42");
    EXPECT_EQ(formatNumber(45.5), "45.5");
    EXPECT_EQ(formatNumber(40.0), "40");
    EXPECT_EQ(formatNumber(0.0), "0");
    EXPECT_EQ(formatNumber(33.333333333333336), "33.3333333333333");
    EXPECT_EQ(formatNumber(1e20), "1e+20");
    EXPECT_EQ(formatNumber(0.0001), "0.0001");
    EXPECT_EQ(formatNumber(0.00001), "1e-05");
}

TEST(DialogFields, IntegersReadBackWithBlanksAndSign) {
    EXPECT_EQ(readInteger(" 12\t", 0, 50).value, 12);
    EXPECT_EQ(readInteger("+7", 0, 50).value, 7);
    EXPECT_EQ(readInteger("-0", 0, 50).value, 0);
    EXPECT_EQ(readInteger("0050", 0, 50).value, 50);
    for (const char* bad : {"", "  ", "abc", "12a", "1 2", "1.0", "+", "-", "0x10", "1e2"}) {
        const auto read = readInteger(bad, 0, 50);
        EXPECT_FALSE(read.ok()) << bad;
        EXPECT_EQ(read.message, "Please enter an integer.") << bad;
    }
}

TEST(DialogFields, IntegersOutsideTheRangeNameTheLimits) {
    EXPECT_EQ(readInteger("51", 0, 50).message, "Please enter an integer between 0 and 50.");
    EXPECT_EQ(readInteger("-1", 0, 50).message, "Please enter an integer between 0 and 50.");
    // Too large even for 32 bits: still an integer, just out of range.
    EXPECT_EQ(readInteger("99999999999999999999999", 0, 25000).message,
              "Please enter an integer between 0 and 25000.");
    EXPECT_EQ(readInteger("-2147483648").value, INT32_MIN);
    EXPECT_EQ(readInteger("2147483648").message, "Please enter an integer.");
}

TEST(DialogFields, NumbersReadBackAsACRuntimeReadsThem) {
    EXPECT_EQ(readNumber(" 45.5 ", 0, 200).value, 45.5);
    EXPECT_EQ(readNumber(".5", 0, 200).value, 0.5);
    EXPECT_EQ(readNumber("5.", 0, 200).value, 5.0);
    EXPECT_EQ(readNumber("1.5E2", 0, 200).value, 150.0);
    EXPECT_EQ(readNumber("+2e-1", 0, 200).value, 0.2);
    EXPECT_EQ(readNumber("1e-999", 0, 200).value, 0.0);
    for (const char* bad :
         {"", ".", "abc", "1.2.3", "1e", "1e+", "inf", "nan", "NaN", "0x1p3", "12 3", "4,5"}) {
        const auto read = readNumber(bad, 0, 200);
        EXPECT_FALSE(read.ok()) << bad;
        EXPECT_EQ(read.message, "Please enter a number.") << bad;
    }
    EXPECT_EQ(readNumber("200.5", 0, 200).message, "Please enter a number between 0 and 200.");
    EXPECT_EQ(readNumber("-0.1", 0, 200).message, "Please enter a number between 0 and 200.");
    EXPECT_EQ(readNumber("1e999", 0, 5000).message, "Please enter a number between 0 and 5000.");
    EXPECT_EQ(readNumber("123456789e-400", 0, 5000).value, 0.0);
    EXPECT_EQ(numberRangeMessage(0.5, 2.25), "Please enter a number between 0.5 and 2.25.");
}

TEST(DialogFields, TextsAreLimitedInCharacters) {
    EXPECT_EQ(readText("12345678", 8).value, "12345678");
    EXPECT_EQ(readText("", 8).value, "");
    EXPECT_EQ(readText("123456789", 8).message, "Please enter no more than 8 characters.");
}

} // namespace
} // namespace quorvel

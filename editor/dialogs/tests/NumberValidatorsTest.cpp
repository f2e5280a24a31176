#include <gtest/gtest.h>

#include "editor/dialogs/NumberValidators.h"

TEST(NumberValidators, SignedRange) {
    struct Case {
        const char* text;
        int32_t min, max;
        bool ok;
    } cases[] = {
        {" -128 ", -128, 127, true},
        {"-129", -128, 127, false},
        {"127", -128, 127, true},
        {"128", -128, 127, false},
        {"15", 10, 20, true},  // below min / 10 at its first digit, yet inside
        {"9", 10, 20, false},
        {"21", 10, 20, false},
        {"-", -128, 127, false},
        {"", -128, 127, false},
        {"   ", -128, 127, false},
        {"-0", -128, 127, true},
        {"010", 0, 65535, true},
        {"2147483647", -2147483647 - 1, 2147483647, true},
        {"2147483648", -2147483647 - 1, 2147483647, false},
        {"-2147483648", -2147483647 - 1, 2147483647, true},
        {"-2147483649", -2147483647 - 1, 2147483647, false},
        {"99999999999999999999999999", -2147483647 - 1, 2147483647, false},
        {"+5", 0, 255, false},
        {"5 5", 0, 255, false},
        {"\t5", 0, 255, false},  // only blanks are trimmed
        {"0x10", 0, 255, false},
        {"--1", -128, 127, false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsSignedInRange(c.text, c.min, c.max), c.ok) << "'" << c.text << "'";
}

TEST(NumberValidators, UnsignedRange) {
    EXPECT_TRUE(IsUnsignedInRange("4294967295", 0, 4294967295u));
    EXPECT_FALSE(IsUnsignedInRange("4294967296", 0, 4294967295u));
    EXPECT_FALSE(IsUnsignedInRange("-5", 0, 255));
    EXPECT_FALSE(IsUnsignedInRange("-", 0, 255));
    EXPECT_TRUE(IsUnsignedInRange("-0", 0, 255));
    EXPECT_TRUE(IsUnsignedInRange(" 0 ", 0, 255));
    EXPECT_FALSE(IsUnsignedInRange("9", 10, 20));
    EXPECT_TRUE(IsUnsignedInRange("15", 10, 20));
}

TEST(NumberValidators, BinaryByte) {
    EXPECT_TRUE(IsBinaryByte("01000001"));
    EXPECT_TRUE(IsBinaryByte("11111111"));
    EXPECT_FALSE(IsBinaryByte("1010101"));
    EXPECT_FALSE(IsBinaryByte(" 01000001"));
    EXPECT_FALSE(IsBinaryByte("010000012"));
    EXPECT_FALSE(IsBinaryByte("0100000a"));
    EXPECT_FALSE(IsBinaryByte(""));
}

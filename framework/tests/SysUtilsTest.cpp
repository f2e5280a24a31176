#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

TEST(FloatToStr, FifteenDigitsFixedOrExponent) {
    struct Case { double v; const char* text; } cases[] = {
        {0, "0"}, {1, "1"}, {-2.5, "-2.5"}, {0.1, "0.1"}, {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"}, {1e15, "1E15"}, {1e20, "1E20"},
        {0.00001, "0.00001"}, {1.5e-6, "1.5E-6"}, {-1.25e-7, "-1.25E-7"},
        {99999999999999.9, "99999999999999.9"}, {3.14159265358979, "3.14159265358979"},
        {0.1 + 0.2, "0.3"}, {1e-300, "1E-300"}, {std::numeric_limits<double>::max(), "1.79769313486232E308"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.v), c.text) << c.v;
}

TEST(FloatToStr, RefusesNaNAndInfinity) {
    EXPECT_THROW(FloatToStr(std::nan("")), EConvertError);
    EXPECT_THROW(FloatToStr(std::numeric_limits<double>::infinity()), EConvertError);
    EXPECT_THROW(FloatToStr(-std::numeric_limits<double>::infinity()), EConvertError);
}

TEST(FloatConversions, FollowTheLocaleDecimalSeparator) {
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(FloatToStr(2.5), "2,5");
    EXPECT_EQ(FloatToStr(1.5e-6), "1,5E-6");
    EXPECT_DOUBLE_EQ(StrToFloat("2,5"), 2.5);
    EXPECT_THROW(StrToFloat("2.5"), EConvertError);
    FormatSettings.DecimalSeparator = '.';
    EXPECT_DOUBLE_EQ(StrToFloat("2.5"), 2.5);
}

TEST(StrToFloat, AcceptsNumbersAndRefusesTheRest) {
    EXPECT_DOUBLE_EQ(StrToFloat(" -1.5E3 "), -1500);
    EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("7."), 7);
    EXPECT_DOUBLE_EQ(StrToFloat("1e-5"), 1e-5);
    for (const char* bad : {"", " ", "abc", "1.2.3", "1e", "e5", "NaN", "INF", "1e999", "--1", "1 2", "."}) {
        double v;
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    }
}

TEST(FloatToStr, RoundTripsThroughStrToFloat) {
    for (double v : {1.0 / 7, 2.0 / 3, 6.02214076e23, -9.87654321e-12, 1234.5678}) {
        double back = StrToFloat(FloatToStr(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14);
    }
}

TEST(StrToInt, DecimalHexAndRange) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("+7"), 7);
    for (const char* bad : {"", "2147483648", "-2147483649", "12a", "1 ", "$", "0x", "--1"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(StrToIntDef("x", -3), -3);
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 8), "FFFFFFFF");
}

TEST(Exceptions, CarryTheirMessageAndClassName) {
    try {
        throw EConvertError("bad number");
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "bad number");
        EXPECT_EQ(e.ClassName(), "EConvertError");
    }
    EOSError os("failed", 5);
    EXPECT_EQ(os.ErrorCode, 5u);
}

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/main/NumberImports.h"
#include "framework/SysUtils.h"

namespace {
using ByteList = std::vector<uint8_t>;

// The bytes of a text, or {-1} as a marker of refusal.
struct Result {
    int32_t count;
    ByteList bytes;
};
Result Parse(NumberKind kind, const std::string& text) {
    ByteList out;
    const int32_t n = ParseNumbers(kind, text, out);
    if (n < 0) return {-1, {}};
    out.resize(static_cast<size_t>(n));
    return {n, out};
}
}  // namespace

TEST(NumberImports, CountNumbers) {
    EXPECT_EQ(CountNumbers(""), 1);
    EXPECT_EQ(CountNumbers("1"), 1);
    EXPECT_EQ(CountNumbers("1 2\r\n3"), 3);
    EXPECT_EQ(CountNumbers("  1   2  "), 2);
    EXPECT_EQ(CountNumbers("1\t2"), 1);
}

TEST(NumberImports, Accepted) {
    struct Case {
        NumberKind kind;
        std::string text;
        ByteList bytes;
    } cases[] = {
        {NumberKind::Int8Unsigned, "1 2\r\n3", {1, 2, 3}},
        {NumberKind::Int8Unsigned, "1   2", {1, 2}},
        {NumberKind::Int8Unsigned, "\r\n 255 0 \r\n", {255, 0}},
        {NumberKind::Int8Unsigned, "1\r\n\r\n2", {1, 2}},
        {NumberKind::Int8Signed, "-1", {0xFF}},
        {NumberKind::Int8Signed, "-128 127", {0x80, 0x7F}},
        {NumberKind::Int16Signed, "-1", {0xFF, 0xFF}},
        {NumberKind::Int16Signed, "010", {0x0A, 0x00}},
        {NumberKind::Int16Unsigned, "65535 258", {0xFF, 0xFF, 0x02, 0x01}},
        {NumberKind::Int32Unsigned, "4294967295", {0xFF, 0xFF, 0xFF, 0xFF}},
        {NumberKind::Int32Signed, "-2147483648", {0x00, 0x00, 0x00, 0x80}},
        {NumberKind::Float32, "1.5", {0x00, 0x00, 0xC0, 0x3F}},
        {NumberKind::Float32, "-2 1E-50", {0x00, 0x00, 0x00, 0xC0, 0, 0, 0, 0}},
        {NumberKind::Float64, "+1", {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
        {NumberKind::Hexadecimal, "A B C", {0x0A, 0x0B, 0x0C}},
        {NumberKind::Hexadecimal, "ABCD", {0xAB, 0xCD}},
        {NumberKind::Hexadecimal, "ab", {0xAB}},
        {NumberKind::Hexadecimal, "F", {0x0F}},
        {NumberKind::Hexadecimal, "12345 67890", {0x12, 0x34, 0x56, 0x78, 0x90}},
        {NumberKind::Hexadecimal, "3A\r\n0D", {0x3A, 0x0D}},
        {NumberKind::Hexadecimal, "", {}},
        {NumberKind::Hexadecimal, "  \r\n ", {}},
        {NumberKind::Binary, "0000 0001 1111 1111", {0x01, 0xFF}},
        {NumberKind::Binary, "00000001\r\n10000000", {0x01, 0x80}},
        {NumberKind::Binary, "", {}},
    };
    for (const Case& c : cases) {
        const Result r = Parse(c.kind, c.text);
        EXPECT_EQ(r.count, static_cast<int32_t>(c.bytes.size())) << "'" << c.text << "'";
        EXPECT_EQ(r.bytes, c.bytes) << "'" << c.text << "'";
    }
}

TEST(NumberImports, Refused) {
    struct Case {
        NumberKind kind;
        std::string text;
    } cases[] = {
        {NumberKind::Int8Unsigned, "256"},
        {NumberKind::Int8Unsigned, "-1"},
        {NumberKind::Int8Unsigned, ""},
        {NumberKind::Int8Unsigned, "   "},
        {NumberKind::Int8Unsigned, "1\t2"},
        {NumberKind::Int8Unsigned, "1 \t2"},
        {NumberKind::Int8Unsigned, "-"},
        {NumberKind::Int8Signed, "128"},
        {NumberKind::Int8Signed, "-"},
        {NumberKind::Int16Unsigned, "-1"},
        {NumberKind::Int16Signed, "32768"},
        {NumberKind::Int32Signed, "2147483648"},
        {NumberKind::Int32Unsigned, "4294967296"},
        {NumberKind::Int32Unsigned, "-"},
        {NumberKind::Float32, "1,5"},
        {NumberKind::Float32, "1E39"},
        {NumberKind::Float32, "1E"},
        {NumberKind::Float32, "."},
        {NumberKind::Float64, "1E400"},
        {NumberKind::Float64, "1.5x"},
        {NumberKind::Float64, ""},
        {NumberKind::Hexadecimal, "ABC"},
        {NumberKind::Hexadecimal, "1 23 456"},
        {NumberKind::Hexadecimal, "GG"},
        {NumberKind::Hexadecimal, "12\t34"},
        {NumberKind::Binary, "101"},
        {NumberKind::Binary, "00000002"},
    };
    for (const Case& c : cases) EXPECT_EQ(Parse(c.kind, c.text).count, -1) << "'" << c.text << "'";
}

TEST(NumberImports, DoublesHoldWhatSinglesCannot) {
    const double big = 1e39;
    ByteList expected(8);
    std::memcpy(expected.data(), &big, 8);
    EXPECT_EQ(Parse(NumberKind::Float64, "1E39").bytes, expected);
    EXPECT_EQ(Parse(NumberKind::Float32, "1E39").count, -1);
    EXPECT_EQ(Parse(NumberKind::Float32, "3.4E38").count, 4);
}

TEST(NumberImports, FloatsFollowTheDecimalSeparator) {
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(Parse(NumberKind::Float32, "1,5").bytes, (ByteList{0x00, 0x00, 0xC0, 0x3F}));
    EXPECT_EQ(Parse(NumberKind::Float32, "1.5").count, -1);
    FormatSettings.DecimalSeparator = '.';
}

TEST(NumberImports, RefusalMessages) {
    LoadEnglishPackFromSources();
    EXPECT_EQ(ImportRefusal(NumberKind::Int8Unsigned), "That is not correct. Use 8 bits unsigned integers. Range: 0 to 255");
    EXPECT_EQ(ImportRefusal(NumberKind::Float32),
              "That is not correct. Use 32 bits floats. Range: 0 to 3.4E+38 (e.g. 5000 = 5E+3).");
    EXPECT_EQ(ImportRefusal(NumberKind::Float64),
              "That is not correct. Use 64 bits floats. Range: 0 to 1.7E+308 (e.g. 5000 = 5E+3).");
    EXPECT_EQ(ImportRefusal(NumberKind::Hexadecimal), "That is not correct. Use hexadecimal numbers.");
    EXPECT_EQ(ImportRefusal(NumberKind::Int32Signed),
              "That is not correct. Use 32 bits signed integers. Range -2147483648 to 2147483647");
}

TEST(NumberImports, FileTextEndsAtTheFirstZero) {
    EXPECT_EQ(TextUpToFirstZero(std::string("12\0 34", 6)), "12");
    EXPECT_EQ(TextUpToFirstZero("12 34"), "12 34");
}

// Long inputs: a text of many numbers reads back exactly, and the parsers
// stay linear on long runs of blanks and long tokens.
TEST(NumberImports, LargeTexts) {
    std::string text;
    ByteList expected;
    for (int i = 0; i < 200000; ++i) {
        text += std::to_string(i % 256);
        text += i % 7 == 0 ? "\r\n" : " ";
        expected.push_back(static_cast<uint8_t>(i % 256));
    }
    EXPECT_EQ(Parse(NumberKind::Int8Unsigned, text).bytes, expected);

    const std::string blanks = "1" + std::string(4000000, ' ') + "2";
    EXPECT_EQ(Parse(NumberKind::Int8Unsigned, blanks).bytes, (ByteList{1, 2}));
    EXPECT_EQ(Parse(NumberKind::Hexadecimal, blanks).bytes, (ByteList{0x01, 0x02}));
    EXPECT_EQ(Parse(NumberKind::Int32Signed, std::string(4000000, '9')).count, -1);
    EXPECT_EQ(Parse(NumberKind::Float64, "0." + std::string(4000000, '0') + "1").count, 8);
}

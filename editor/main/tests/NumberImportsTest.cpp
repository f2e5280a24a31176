#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/main/NumberImports.h"
#include "editor/main/tests/IntegerListReference.h"
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

namespace {
struct IntegerKind {
    NumberKind kind;
    int width;
    int64_t min, max;
};
const IntegerKind IntegerKinds[] = {
    {NumberKind::Int8Unsigned, 1, 0, 255},           {NumberKind::Int8Signed, 1, -128, 127},
    {NumberKind::Int16Unsigned, 2, 0, 65535},        {NumberKind::Int16Signed, 2, -32768, 32767},
    {NumberKind::Int32Unsigned, 4, 0, 4294967295LL}, {NumberKind::Int32Signed, 4, -2147483648LL, 2147483647LL},
};

// The result of the parser and of the plain reading, side by side.
void ExpectAsReference(const IntegerKind& k, const std::string& text, const char* what) {
    ByteList ours, theirs;
    const int32_t n = ParseNumbers(k.kind, text, ours);
    const int32_t expected = ReferenceIntegerList(text, theirs, k.width, k.min, k.max);
    ASSERT_EQ(n, expected) << what << ", kind " << static_cast<int>(k.kind) << ", " << text.size() << " characters";
    if (n >= 0) {
        ours.resize(static_cast<size_t>(n));
        ASSERT_EQ(ours, theirs) << what << ", kind " << static_cast<int>(k.kind);
    }
}

// A valid list of the numbers 0 to 99 in turn, single blanks and a CR LF
// after every 16th, count numbers long.
std::string PlainList(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += i % 16 == 0 ? "\r\n" : " ";
        text += std::to_string(i % 100);
    }
    return text;
}
}  // namespace

// The decimal lists at their edges: what the blanks, the ends, the ranges
// and long tokens do, alone and inside a long list (where most numbers are
// read two at a time) at every position within a word.
TEST(NumberImports, DecimalListEdges) {
    const std::string zeros(10000, '0');
    struct Case {
        NumberKind kind;
        std::string text;
        int32_t count;  // -1: refused
        ByteList bytes;
    } cases[] = {
        {NumberKind::Int8Unsigned, "255", 1, {0xFF}},
        {NumberKind::Int8Unsigned, "256", -1, {}},
        {NumberKind::Int8Unsigned, "0", 1, {0}},
        {NumberKind::Int8Unsigned, "-0", 1, {0}},
        {NumberKind::Int8Unsigned, "0255 00255 0007", 3, {0xFF, 0xFF, 0x07}},
        {NumberKind::Int8Unsigned, "0256", -1, {}},
        {NumberKind::Int8Unsigned, "9999", -1, {}},
        {NumberKind::Int8Unsigned, zeros + "7 1", 2, {7, 1}},
        {NumberKind::Int8Unsigned, "1" + zeros, -1, {}},
        {NumberKind::Int8Unsigned, "1 2\n3\r4", 4, {1, 2, 3, 4}},
        {NumberKind::Int8Unsigned, "1 \r\n 2  3\n\n4", 4, {1, 2, 3, 4}},
        {NumberKind::Int8Unsigned, " \t\r\n\x01" "1 2\t \x1F", 2, {1, 2}},
        {NumberKind::Int8Unsigned, "1\t2", -1, {}},
        {NumberKind::Int8Unsigned, "1 \t 2", -1, {}},
        {NumberKind::Int8Unsigned, "1\v2", -1, {}},
        {NumberKind::Int8Unsigned, std::string("1\0 2", 4), -1, {}},
        {NumberKind::Int8Unsigned, "x1", -1, {}},
        {NumberKind::Int8Unsigned, "1x", -1, {}},
        {NumberKind::Int8Unsigned, "1 2x", -1, {}},
        {NumberKind::Int8Unsigned, "+1", -1, {}},
        {NumberKind::Int8Unsigned, "--1", -1, {}},
        {NumberKind::Int8Unsigned, "1-2", -1, {}},
        {NumberKind::Int8Unsigned, "1,2", -1, {}},
        {NumberKind::Int8Unsigned, "1.0", -1, {}},
        {NumberKind::Int8Unsigned, "1:2", -1, {}},
        {NumberKind::Int8Unsigned, "1/2", -1, {}},
        {NumberKind::Int8Unsigned, "1\xB1" "2", -1, {}},
        {NumberKind::Int8Unsigned, "1\xA0" "2", -1, {}},
        {NumberKind::Int8Unsigned, "12 \xFF", -1, {}},
        {NumberKind::Int8Unsigned, "", -1, {}},
        {NumberKind::Int8Unsigned, "\r\n", -1, {}},
        {NumberKind::Int8Signed, "-128 127 -0 0", 4, {0x80, 0x7F, 0, 0}},
        {NumberKind::Int8Signed, "-129", -1, {}},
        {NumberKind::Int8Signed, "128", -1, {}},
        {NumberKind::Int8Signed, "-1 -", -1, {}},
        {NumberKind::Int16Unsigned, "65535 9999 1", 6, {0xFF, 0xFF, 0x0F, 0x27, 0x01, 0x00}},
        {NumberKind::Int16Unsigned, "65536", -1, {}},
        {NumberKind::Int16Unsigned, "-1", -1, {}},
        {NumberKind::Int16Signed, "-32768 32767", 4, {0x00, 0x80, 0xFF, 0x7F}},
        {NumberKind::Int32Unsigned, "4294967295 0", 8, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
        {NumberKind::Int32Unsigned, "12345678901234567890", -1, {}},
        {NumberKind::Int32Signed, "-2147483648 2147483647", 8, {0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F}},
        {NumberKind::Int32Signed, "-2147483649", -1, {}},
    };
    const std::string before = PlainList(3000), after = PlainList(400);
    for (const Case& c : cases) {
        const Result alone = Parse(c.kind, c.text);
        EXPECT_EQ(alone.count, c.count) << "'" << c.text.substr(0, 40) << "'";
        EXPECT_EQ(alone.bytes, c.bytes) << "'" << c.text.substr(0, 40) << "'";
        const IntegerKind& k = *std::find_if(std::begin(IntegerKinds), std::end(IntegerKinds),
                                             [&](const IntegerKind& i) { return i.kind == c.kind; });
        for (int shift = 0; shift < 8; ++shift) {
            const std::string inside = before + std::string(shift, '1') + " " + c.text + " " + after;
            ExpectAsReference(k, inside, "inside a long list");
        }
    }
}

// Texts made at random from digits, blanks and what may stand between
// them, short and long, read as the plain token-by-token reading reads them.
TEST(NumberImports, DecimalListsReadAsTokenByToken) {
    std::mt19937 rng(34);
    const std::string pieces[] = {"0", "1", "7", "9", "12", "99", "127", "128", "255", "256", "999", "1000",
                                  "9999", "32767", "65535", "65536", "4294967295", "2147483648", "0000",
                                  "-", "-1", "-0", "-128", "+", "x", ":", "/", "\t", std::string(1, '\0'),
                                  "\xB5", "\xA0"};
    const std::string blanks[] = {" ", " ", " ", " ", "\r\n", "\n", "\r", "  ", " \r\n "};
    for (int round = 0; round < 600; ++round) {
        // Mostly valid lists, with a stray piece now and then; long enough
        // every fourth time to be read in two parts.
        const int count = round % 4 == 0 ? 1500 + static_cast<int>(rng() % 1500) : static_cast<int>(rng() % 40);
        const int strayEvery = 1 + static_cast<int>(rng() % 3000);
        std::string text = round % 7 == 0 ? " \t" : "";
        for (int i = 0; i < count; ++i) {
            if (i > 0) text += blanks[rng() % std::size(blanks)];
            const unsigned r = rng();
            if (r % strayEvery == 0)
                text += pieces[rng() % std::size(pieces)];
            else
                text += std::to_string(r % (round % 3 == 0 ? 256 : 10000));
        }
        if (round % 5 == 0) text += "\r\n";
        for (const IntegerKind& k : IntegerKinds) ExpectAsReference(k, text, "random list");
    }
}

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/main/TypedValueTexts.h"

namespace {
using ByteList = std::vector<uint8_t>;
std::string Typed(TypedKind kind, const ByteList& b, int perLine = 0) {
    return TypedValuesText(kind, b.data(), static_cast<int32_t>(b.size()), perLine);
}
}  // namespace

TEST(TypedValueTexts, Integers) {
    EXPECT_EQ(Typed(TypedKind::UInt16, {1, 0, 2, 0, 3, 0, 0xFF, 0xFF, 5, 0}, 4), "1 2 3 65535\r\n5");
    EXPECT_EQ(Typed(TypedKind::Int16, {0xFF, 0xFF, 0x00, 0x80}), "-1 -32768");
    EXPECT_EQ(Typed(TypedKind::UInt16, {0xFF, 0xFF, 0x00, 0x80}), "65535 32768");
    EXPECT_EQ(Typed(TypedKind::UInt32, {0xFF, 0xFF, 0xFF, 0xFF}), "4294967295");
    EXPECT_EQ(Typed(TypedKind::Int32, {0xFF, 0xFF, 0xFF, 0xFF}), "-1");
    EXPECT_EQ(Typed(TypedKind::Int32, {0, 0, 0, 0x80}), "-2147483648");
    EXPECT_EQ(Typed(TypedKind::Int8, {0x80, 0xFF, 0x7F}), "-128 -1 127");
}

TEST(TypedValueTexts, LinesHaveNoTrailingBreak) {
    const ByteList nine = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(Typed(TypedKind::Int8, nine, 4), "1 2 3 4\r\n5 6 7 8\r\n9");
    EXPECT_EQ(Typed(TypedKind::Int8, {1, 2, 3, 4, 5, 6, 7, 8}, 4), "1 2 3 4\r\n5 6 7 8");
    EXPECT_EQ(Typed(TypedKind::Int8, nine, 0), "1 2 3 4 5 6 7 8 9");
}

TEST(TypedValueTexts, Floats) {
    LoadEnglishPackFromSources();
    EXPECT_EQ(Typed(TypedKind::Float32, {0xCD, 0xCC, 0xCC, 0x3D}), "0.100000001490116");
    EXPECT_EQ(Typed(TypedKind::Float32, {0x00, 0x00, 0x80, 0x3F}), "1");
    EXPECT_EQ(Typed(TypedKind::Float64, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), "1");
    // A NaN and an infinity stand as "invalid"; the rest is written.
    EXPECT_EQ(Typed(TypedKind::Float32, {0, 0, 0xC0, 0x7F, 0, 0, 0x80, 0x7F, 0, 0, 0xC0, 0x3F}), "invalid invalid 1.5");
}

TEST(TypedValueTexts, SizeRule) {
    LoadEnglishPackFromSources();
    EXPECT_EQ(TypedSizeRefusal(TypedKind::UInt32, true, 6),
              "Make a selection with a size that is divisible by four. The selection size is 6 bytes.");
    EXPECT_EQ(TypedSizeRefusal(TypedKind::Int16, true, 1),
              "Make a selection with a size that is divisible by two. The selection size is 1 byte.");
    EXPECT_EQ(TypedSizeRefusal(TypedKind::Float64, false, 0), "Make a selection with a size that is divisible by eight.");
    EXPECT_EQ(TypedSizeRefusal(TypedKind::Float32, true, 6).substr(0, 52),
              "Make a selection with a size that is divisible by fo");
    EXPECT_EQ(TypedSizeRefusal(TypedKind::Int16, true, 6), "");
    EXPECT_EQ(TypedSizeRefusal(TypedKind::Int8, false, 0), "");
    EXPECT_EQ(TypedSizeRefusal(TypedKind::Float64, true, 16), "");
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/main/ByteTexts.h"
#include "framework/Exceptions.h"

namespace {
using ByteList = std::vector<uint8_t>;
std::string Numbers(NumberForm form, const ByteList& b, int perLine) {
    return NumberListText(form, b.data(), static_cast<int32_t>(b.size()), perLine);
}
}  // namespace

TEST(ByteTexts, HexPairsBothWays) {
    const ByteList b = {0x41, 0x00, 0x42, 0xFF, 0x0A};
    EXPECT_EQ(BytesToHexPairs(b.data(), 5), "410042FF0A");
    ByteList back;
    HexPairsToBytes("410042ff0A", back);
    EXPECT_EQ(back, b);
    HexPairsToBytes("4142F", back);  // an odd last character is ignored
    EXPECT_EQ(back, (ByteList{0x41, 0x42}));
    HexPairsToBytes("", back);
    EXPECT_TRUE(back.empty());
}

TEST(ByteTexts, DamagedPairsAreRefusedWholly) {
    LoadEnglishPackFromSources();
    ByteList out = {7};
    try {
        HexPairsToBytes("41004G", out);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "That is not a hexadecimal number.");
    }
    EXPECT_EQ(out, ByteList{7});
}

TEST(ByteTexts, CopyRenderingByView) {
    const ByteList b = {0x41, 0x00, 0x42};
    EXPECT_EQ(CopyTextRendering(ByteViewKind::Text, b.data(), 3), "A");
    EXPECT_EQ(CopyTextRendering(ByteViewKind::Decimal, b.data(), 3), "65 0 66");
    EXPECT_EQ(CopyTextRendering(ByteViewKind::Hexadecimal, b.data(), 3), "41 00 42");
}

TEST(ByteTexts, NumberLists) {
    const ByteList five = {1, 2, 3, 4, 5};
    EXPECT_EQ(Numbers(NumberForm::Hexadecimal, five, 4), "01 02 03 04\r\n05");
    EXPECT_EQ(Numbers(NumberForm::Hexadecimal, {10}, 0), "0A");
    EXPECT_EQ(Numbers(NumberForm::Binary, {10}, 0), "00001010");
    EXPECT_EQ(Numbers(NumberForm::Decimal, {0, 9, 10, 99, 100, 255}, 0), "0 9 10 99 100 255");
    EXPECT_EQ(Numbers(NumberForm::Decimal, five, 0), "1 2 3 4 5");  // "Don't add Enters"

    ByteList sixteen(16, 7);
    const std::string line = "7 7 7 7 7 7 7 7\r\n";
    EXPECT_EQ(Numbers(NumberForm::Decimal, sixteen, 8), line + line);
    EXPECT_EQ(Numbers(NumberForm::Decimal, sixteen, 16), "7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7\r\n");
}

TEST(ByteTexts, LineBreakAfter) {
    EXPECT_FALSE(LineBreakAfter(4, 0));
    EXPECT_TRUE(LineBreakAfter(4, 4));
    EXPECT_FALSE(LineBreakAfter(4, 8));
    EXPECT_TRUE(LineBreakAfter(32, 16));
}

TEST(ByteTexts, AdaptedText) {
    const ByteList b = {0x41, 0x00, 0x09};
    EXPECT_EQ(AdaptedText(b.data(), 3, 46), "A.\t");
    EXPECT_EQ(AdaptedText(b.data(), 3, 32), "A \t");
}

TEST(ByteTexts, DumpWithOffsets) {
    ByteList doc(1000, 0x30);
    doc[16] = 0x41;
    doc[17] = 0x00;
    const std::string dump = DumpText(doc.data(), 1000, 16, 17, true, 46);
    const std::string expected =
        "0x010  A." + std::string(14, ' ') + "  41 00" + std::string(42, ' ') + "\r\n";
    EXPECT_EQ(dump, expected);
    EXPECT_EQ(dump.size(), 74u);
}

TEST(ByteTexts, DumpWithoutOffsets) {
    ByteList doc(10, 0);
    doc[5] = 0x41;
    const std::string dump = DumpText(doc.data(), 10, 5, 5, false, 46);
    ASSERT_EQ(dump.size(), 67u);
    EXPECT_EQ(dump[5], 'A');
    EXPECT_EQ(dump.substr(33, 2), "41");
    EXPECT_EQ(dump.substr(0, 5), "     ");
    EXPECT_EQ(dump.substr(65), "\r\n");
    doc[5] = 9;  // a tab shows as the replace value
    EXPECT_EQ(DumpText(doc.data(), 10, 5, 5, false, 46)[5], '.');
}

TEST(ByteTexts, DumpOverSeveralLines) {
    ByteList doc(40);
    for (int i = 0; i < 40; ++i) doc[static_cast<size_t>(i)] = static_cast<uint8_t>('a' + i % 26);
    // 0x28 = 40 bytes: size - 1 = 0x27, two digits; lines 0x00.., 0x10.., 0x20..
    const std::string dump = DumpText(doc.data(), 40, 3, 33, true, 46);
    const size_t width = 6 + 67;
    ASSERT_EQ(dump.size(), 3 * width);
    EXPECT_EQ(dump.substr(0, 6), "0x03  ");
    EXPECT_EQ(dump.substr(width, 6), "0x10  ");
    EXPECT_EQ(dump.substr(2 * width, 6), "0x20  ");
    EXPECT_EQ(dump.substr(6, 4), "   d");   // columns before the range stay blank
    EXPECT_EQ(dump[2 * width + 6 + 1], 'h');  // position 33 = column 1 of the last line
    EXPECT_EQ(dump[2 * width + 6 + 2], ' ');  // after the range
    for (size_t l = 0; l < 3; ++l) EXPECT_EQ(dump.substr(l * width + width - 2, 2), "\r\n");
}

TEST(ByteTexts, PositionTexts) {
    EXPECT_EQ(PositionText(0, true), "0");
    EXPECT_EQ(PositionText(255, true), "FF");
    EXPECT_EQ(PositionText(1000, false), "1000");
}

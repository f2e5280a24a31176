// The development-environment record, byte by byte.
#include <gtest/gtest.h>

#include <cstring>

#include "editor/crashreport/core/dialogs/IdeRecord.h"

namespace {

std::string TextAt(const TIdeRecord& r, size_t offset)
{
    return std::string(reinterpret_cast<const char*>(r.data() + offset));
}

int32_t Int32At(const TIdeRecord& r, size_t offset)
{
    return int32_t(uint32_t(r[offset]) | uint32_t(r[offset + 1]) << 8 | uint32_t(r[offset + 2]) << 16 |
                   uint32_t(r[offset + 3]) << 24);
}

TEST(IdeRecord, FieldsSitAtTheirOffsets)
{
    const auto r = BuildIdeRecord(" 123 ", "Unit1.pas", "TForm1", "Button1Click", " 7 ", 45000.5);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->size(), 376u);
    EXPECT_EQ(TextAt(*r, 0), "");
    EXPECT_EQ(TextAt(*r, 90), "Unit1.pas");
    EXPECT_EQ(TextAt(*r, 180), "TForm1");
    EXPECT_EQ(TextAt(*r, 270), "Button1Click");
    EXPECT_EQ(Int32At(*r, 360), 123);
    EXPECT_EQ(Int32At(*r, 364), 7);
    // 45000.5 as a little-endian IEEE double.
    const uint8_t date[8] = {0x00, 0x00, 0x00, 0x00, 0x10, 0xF9, 0xE5, 0x40};
    EXPECT_EQ(std::memcmp(r->data() + 368, date, 8), 0);
}

TEST(IdeRecord, OffsetIsMinusOneWhenAbsentOrNotANumber)
{
    for (const char* offset : {"", "  ", "x"}) {
        const auto r = BuildIdeRecord("5", "U", "", "P", offset, 0);
        ASSERT_TRUE(r);
        EXPECT_EQ(Int32At(*r, 364), -1) << offset;
        EXPECT_EQ(std::memcmp(r->data() + 368, "\0\0\0\0\0\0\0\0", 8), 0);
    }
}

TEST(IdeRecord, NoRecordWithoutALineNumber)
{
    EXPECT_FALSE(BuildIdeRecord("", "U", "C", "P", "1", 0));
    EXPECT_FALSE(BuildIdeRecord("   ", "U", "C", "P", "1", 0));
    EXPECT_FALSE(BuildIdeRecord("12a", "U", "C", "P", "1", 0));
}

TEST(IdeRecord, LongNamesAreCutToEightyNineCharacters)
{
    const std::string longName(200, 'u');
    const auto r = BuildIdeRecord("1", longName, std::string(89, 'c'), std::string(90, 'p'), "", 0);
    ASSERT_TRUE(r);
    EXPECT_EQ(TextAt(*r, 90), std::string(89, 'u'));
    EXPECT_EQ(TextAt(*r, 180), std::string(89, 'c'));
    EXPECT_EQ(TextAt(*r, 270), std::string(89, 'p'));
    EXPECT_EQ(Int32At(*r, 360), 1);
}

TEST(IdeRecord, MailslotNameCarriesTheProcessId)
{
    EXPECT_EQ(IdeMailslotName(0), "\\\\.\\mailslot\\ZorvikLog0");
    EXPECT_EQ(IdeMailslotName(4242), "\\\\.\\mailslot\\ZorvikLog4242");
}

} // namespace

#include <gtest/gtest.h>

#include "editor/crashreport/support/debuginfo/DebugInfoBinary.h"
#include "editor/crashreport/support/debuginfo/tests/DebugInfoFixtures.h"

namespace {

std::vector<uint8_t> Packed(uint32_t v)
{
    std::vector<uint8_t> out;
    WriteJdbgValue(out, v);
    return out;
}

TEST(Jdbg, PackedNumbersAndNames)
{
    EXPECT_EQ(Packed(300), (std::vector<uint8_t>{0xAC, 0x02}));
    EXPECT_EQ(Packed(0x7FFFFFFF), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0x07}));
    const auto foo = PackJdbgName("Foo");
    EXPECT_EQ(std::vector<uint8_t>(foo.begin(), foo.begin() + 3), (std::vector<uint8_t>{0xD0, 0x3C, 0x03}));
}

TEST(Jdbg, AnswersByOffset)
{
    for (bool cache : {true, false}) {
        SCOPED_TRACE(cache);
        const auto data = JdbgFixture();
        TZVBinDebugScanner s(data.data(), data.size(), cache);
        ASSERT_TRUE(s.ValidFormat());
        EXPECT_EQ(s.GetModuleName(), "Project1");
        uint32_t po = 0, lo = 0;
        EXPECT_EQ(s.ModuleNameFromAddr(0x108), "Unit1");
        EXPECT_EQ(s.ModuleStartFromAddr(0x108), 0x100u);
        EXPECT_EQ(s.SourceNameFromAddr(0x108), "Unit1.pas");
        EXPECT_EQ(s.ProcNameFromAddr(0x108, po), "TForm1.Button1Click");
        EXPECT_EQ(po, 8u);
        EXPECT_EQ(s.LineNumberFromAddr(0x10A, lo), 31);
        EXPECT_EQ(lo, 2u);
        // A name stored in the "@" form; no second name, no dot.
        EXPECT_EQ(s.ProcNameFromAddr(0x150, po), "@Helper");
        EXPECT_EQ(s.ProcNameFromAddr(0x20, po), "Foo");
        EXPECT_EQ(s.SourceNameFromAddr(0x20), "System.pas");
        // The line entry at 0xE0 lies in System, not in Unit1.
        EXPECT_EQ(s.LineNumberFromAddr(0xF0, lo), 12);
    }
}

TEST(Jdbg, FormatCheck)
{
    const auto good = JdbgFixture();
    EXPECT_TRUE(TZVBinDebugScanner(good.data(), good.size(), true).ValidFormat());
    // 34 bytes, and a length not a multiple of 4.
    EXPECT_FALSE(TZVBinDebugScanner(good.data(), 34, true).ValidFormat());
    EXPECT_FALSE(TZVBinDebugScanner(good.data(), good.size() - 1, true).ValidFormat());
    std::vector<uint8_t> version = good;
    version[4] = 2;
    EXPECT_FALSE(TZVBinDebugScanner(version.data(), version.size(), true).ValidFormat());
    // With the flag clear the checksum is ignored; with it set a wrong one fails.
    JdbgOptions o;
    o.Checksum = 0x12345678;
    const auto ignored = JdbgFixture(o);
    EXPECT_TRUE(TZVBinDebugScanner(ignored.data(), ignored.size(), true).ValidFormat());
    o.ChecksumValid = true;
    const auto wrong = JdbgFixture(o);
    EXPECT_FALSE(TZVBinDebugScanner(wrong.data(), wrong.size(), true).ValidFormat());
    EXPECT_FALSE(TZVBinDebugScanner(nullptr, 0, true).ValidFormat());
}

TEST(Jdbg, LongPackedNumbersAndBadReferencesEndQuietly)
{
    std::vector<uint8_t> data = JdbgFixture();
    // A units table of six continuation bytes and a name reference beyond the
    // block: no unit, no name, nothing read outside.
    const uint32_t units = data[5] | data[6] << 8 | data[7] << 16 | uint32_t(data[8]) << 24;
    for (int i = 0; i < 6; ++i)
        data[units + i] = 0x81;
    data[25] = 0xFF;
    data[26] = 0xFF;
    TZVBinDebugScanner s(data.data(), data.size(), true);
    ASSERT_TRUE(s.ValidFormat());
    EXPECT_EQ(s.ModuleNameFromAddr(0x108), "");
    EXPECT_EQ(s.ModuleStartFromAddr(0x108), 0xFFFFFFFFu);
    EXPECT_EQ(s.GetModuleName(), "");
    uint32_t po;
    EXPECT_EQ(s.ProcNameFromAddr(0x108, po), "");
}

}  // namespace

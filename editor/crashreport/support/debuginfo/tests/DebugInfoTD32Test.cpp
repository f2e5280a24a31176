#include <gtest/gtest.h>

#include "editor/crashreport/support/debuginfo/DebugInfoTD32.h"
#include "editor/crashreport/support/debuginfo/tests/DebugInfoFixtures.h"

namespace {

TEST(TD32, ReadsModulesSymbolsLinesAndNames)
{
    for (const char* signature : {"FB09", "FB0A"}) {
        TD32Options o;
        o.Signature = signature;
        const auto data = TD32Fixture(o);
        const TZVTD32InfoScanner s(data.data(), data.size());
        ASSERT_TRUE(s.ValidData()) << signature;
        EXPECT_EQ(s.GetModuleCount(), 1u);
        EXPECT_EQ(s.GetSourceModuleCount(), 1u);
        EXPECT_EQ(s.GetSymbolCount(), 3u);
        EXPECT_EQ(s.GetName(3), "Unit1.pas");
        EXPECT_EQ(s.GetName(99), "");

        uint32_t po = 0, lo = 0;
        EXPECT_EQ(s.ModuleNameFromAddr(0x108), "Unit1");
        EXPECT_EQ(s.ProcNameFromAddr(0x108, po), "TForm1.Button1Click");
        EXPECT_EQ(po, 8u);
        // Between two lines: the earlier one.
        EXPECT_EQ(s.LineNumberFromAddr(0x108, lo), 10);
        EXPECT_EQ(lo, 8u);
        EXPECT_EQ(s.LineNumberFromAddr(0x110, lo), 12);
        EXPECT_EQ(lo, 0u);
        // After the last line of the source module: no line.
        EXPECT_EQ(s.LineNumberFromAddr(0x150, lo), 0);
        // A name without "@" stays as it is.
        EXPECT_EQ(s.ProcNameFromAddr(0x150, po), "PlainProc");
        std::string source = "untouched";
        s.SourceNameFromAddr(0x300, source);
        EXPECT_EQ(source, "untouched");
        s.SourceNameFromAddr(0x120, source);
        EXPECT_EQ(source, "Unit1.pas");
        // The segment's end counts; beyond it nothing.
        EXPECT_EQ(s.ModuleNameFromAddr(0x200), "Unit1");
        EXPECT_EQ(s.ModuleNameFromAddr(0x201), "");
    }
}

TEST(TD32, DamagedDataIsInvalidAndNeverRaises)
{
    struct Case {
        const char* what;
        TD32Options options;
    };
    std::vector<Case> cases;
    {
        TD32Options o;
        o.Distance = 4;
        cases.push_back({"distance of 4", o});
    }
    {
        TD32Options o;
        o.Distance = 0x100000;
        cases.push_back({"distance beyond the size", o});
    }
    {
        TD32Options o;
        o.SelfChained = true;
        cases.push_back({"self-chained directory", o});
    }
    {
        TD32Options o;
        o.EntrySize = 16;
        cases.push_back({"entry size 16", o});
    }
    {
        TD32Options o;
        o.Signature = "FB08";
        cases.push_back({"unknown signature", o});
    }
    for (const Case& c : cases) {
        const auto data = TD32Fixture(c.options);
        const TZVTD32InfoScanner s(data.data(), data.size());
        EXPECT_FALSE(s.ValidData()) << c.what;
        uint32_t po;
        EXPECT_EQ(s.ProcNameFromAddr(0x108, po), "") << c.what;
    }
    const TZVTD32InfoScanner none(nullptr, 0);
    EXPECT_FALSE(none.ValidData());
}

TEST(TD32, EveryCutOrFlippedByteStaysInsideTheBlock)
{
    const auto data = TD32Fixture();
    for (size_t n = 0; n < data.size(); ++n) {
        // Keep the signatures so that the damaged middle is analysed.
        std::vector<uint8_t> d = data;
        d[n] ^= 0xFF;
        const TZVTD32InfoScanner s(d.data(), d.size());
        uint32_t po, lo;
        s.ProcNameFromAddr(0x108, po);
        s.LineNumberFromAddr(0x108, lo);
        std::vector<uint8_t> cut(data.begin(), data.begin() + n);
        const TZVTD32InfoScanner c(cut.data(), cut.size());
        c.ModuleNameFromAddr(0x108);
    }
}

TEST(TD32, ValidityCheck)
{
    const auto data = TD32Fixture();
    EXPECT_TRUE(IsTD32DebugInfoValid(data.data(), data.size()));
    EXPECT_FALSE(IsTD32DebugInfoValid(data.data(), 8));
    const uint8_t sign[] = {'F', 'B', '0', '9'};
    EXPECT_TRUE(IsTD32Sign(sign));
}

}  // namespace

#include <gtest/gtest.h>

#include "editor/crashreport/support/debuginfo/DebugInfoMap.h"
#include "editor/crashreport/support/debuginfo/tests/DebugInfoFixtures.h"

namespace {

struct MapCase {
    uint32_t offset;
    const char* unit;
    const char* procedure;
    uint32_t procedureOffset;
    int32_t line;
    uint32_t lineOffset;
    const char* source;
};

TEST(MapScanner, AnswersByOffset)
{
    const TZVMapScanner map(MapFixture());
    const MapCase cases[] = {
        {0x108, "Unit1", "Unit1.TForm1.Button1Click", 8, 31, 0, "Unit1.pas"},
        {0x100, "Unit1", "Unit1.TForm1.Button1Click", 0, 30, 0, "Unit1.pas"},
        {0x10C, "Unit1", "Unit1.TForm1.Button1Click", 0xC, 31, 4, "Unit1.pas"},
        {0x0F0, "System", "System.Foo", 0xE0, 12, 0x10, "System.pas"},
        // The segment's end belongs to it.
        {0x180, "Unit1", "Unit1.Helper", 0x40, 36, 0, "Unit1.pas"},
        {0x181, "", "", 0, 0, 0, ""},
        // Below the first public name of System: the nearest entry below is none.
        {0x008, "System", "", 0, 0, 0, ""},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.offset);
        uint32_t po = 99, lo = 99;
        EXPECT_EQ(map.ModuleNameFromAddr(c.offset), c.unit);
        EXPECT_EQ(map.ProcNameFromAddr(c.offset, po), c.procedure);
        EXPECT_EQ(po, c.procedureOffset);
        EXPECT_EQ(map.LineNumberFromAddr(c.offset, lo), c.line);
        EXPECT_EQ(lo, c.lineOffset);
        EXPECT_EQ(map.SourceNameFromAddr(c.offset), c.source);
    }
    EXPECT_EQ(map.ModuleStartFromAddr(0x150), 0x100u);
    EXPECT_EQ(map.ModuleStartFromAddr(0x200), 0xFFFFFFFFu);
    // Only segment 1 counts.
    EXPECT_EQ(map.SegmentCount(), 2u);
}

TEST(MapScanner, UnitBelowItsFirstPublicNameHasNoProcedure)
{
    // Unit2 starts at 0x180 but its first public is at 0x1A0: the entry below
    // belongs to Unit1 and is not taken.
    const std::string text =
        " Start Length Name Class\n"
        "Detailed map of segments\n"
        " 0001:00000100 00000080 C=CODE S=.text G=(none) M=Unit1 ACBP=A9\n"
        " 0001:00000180 00000080 C=CODE S=.text G=(none) M=Unit2 ACBP=A9\n"
        "  Address         Publics by Name\n"
        "  Address         Publics by Value\n"
        " 0001:00000100       Unit1.A\n"
        " 0001:000001A0       Unit2.B\n";
    const TZVMapScanner map(text);
    uint32_t po;
    EXPECT_EQ(map.ModuleNameFromAddr(0x190), "Unit2");
    EXPECT_EQ(map.ProcNameFromAddr(0x190, po), "");
    EXPECT_EQ(map.ProcNameFromAddr(0x1A4, po), "Unit2.B");
    EXPECT_EQ(po, 4u);
}

TEST(MapScanner, DropsLineNumbersThatGoBackChangeSegmentOrLieBeyondTheCode)
{
    const std::string text =
        " Start Length Name Class\n"
        "Detailed map of segments\n"
        " 0001:00000000 00000100 C=CODE S=.text G=(none) M=Unit1 ACBP=A9\n"
        "  Address         Publics by Name\n"
        "  Address         Publics by Value\n"
        "Line numbers for Unit1(Unit1.pas) segment .text\n"
        "    10 0001:00000010    11 0001:00000008    12 0002:00000020    13 0001:00000200    14 0001:00000030\n"
        "Line numbers for Unit2(Unit2.pas) segment .text\n"
        "    20 0001:00000040\n";
    const TZVMapScanner map(text);
    uint32_t lo;
    EXPECT_EQ(map.LineNumberErrors(), 3);
    EXPECT_EQ(map.LineNumberFromAddr(0x20, lo), 10);
    EXPECT_EQ(map.LineNumberFromAddr(0x30, lo), 14);
    // Only a unit's first accepted line carries its source name.
    EXPECT_EQ(map.SourceNameFromAddr(0x30), "Unit1.pas");
    EXPECT_EQ(map.SourceNameFromAddr(0x44), "Unit2.pas");
}

TEST(MapScanner, OtherSegmentsOnlyGiveNoUnits)
{
    const TZVMapScanner map(
        " Start Length Name Class\n"
        "Detailed map of segments\n"
        " 0002:00000000 00000100 C=DATA S=.data G=DGROUP M=Unit1 ACBP=A9\n");
    EXPECT_EQ(map.SegmentCount(), 0u);
    EXPECT_EQ(map.ModuleNameFromAddr(0x10), "");
}

TEST(MapScanner, AMissingTableHeaderHidesTheTablesAfterIt)
{
    // Without the class table's header the search for it reads to the end.
    const TZVMapScanner map(
        "Detailed map of segments\n"
        " 0001:00000000 00000100 C=CODE S=.text G=(none) M=Unit1 ACBP=A9\n");
    EXPECT_EQ(map.SegmentCount(), 0u);
}

TEST(MapScanner, TextWithoutTablesOrCutShortAnswersEmpty)
{
    const std::string full = MapFixture();
    // Every prefix of the fixture parses without reading past its end.
    for (size_t n = 0; n <= full.size(); n += 7) {
        const TZVMapScanner map(full.substr(0, n));
        uint32_t po, lo;
        map.ProcNameFromAddr(0x108, po);
        map.LineNumberFromAddr(0x108, lo);
        map.SourceNameFromAddr(0x108);
    }
    const TZVMapScanner empty("no tables here\n");
    EXPECT_EQ(empty.SegmentCount(), 0u);
    EXPECT_EQ(empty.ModuleNameFromAddr(0), "");
}

TEST(MapParser, HandsItemsToItsEvents)
{
    TZVMapParser parser(MapFixture());
    std::vector<std::string> seen;
    parser.OnClassTable = [&](const TZVMapAddress& a, const std::string& section, const std::string& group,
                              int32_t length) {
        seen.push_back("class " + section + " " + group + " " + std::to_string(a.Segment) + " " +
                       std::to_string(length));
    };
    parser.OnSegment = [&](const TZVMapAddress&, const std::string& unit, const std::string& group, int32_t) {
        seen.push_back("segment " + unit + " " + group);
    };
    parser.OnLineNumberUnit = [&](const std::string& unit, const std::string& file) {
        seen.push_back("unit " + unit + " " + file);
    };
    int lines = 0;
    parser.OnLineNumbers = [&](int32_t, const TZVMapAddress&) { ++lines; };
    parser.Parse();
    const std::vector<std::string> expected = {"class .text CODE 1 384", "class .data DATA 2 64",
                                               "segment System CODE", "segment Unit1 CODE",
                                               "segment Unit1 DATA", "unit System System.pas",
                                               "unit Unit1 Unit1.pas"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(lines, 4);
}

TEST(MapStrings, ConversionsStopAtTheirDelimiters)
{
    struct Case {
        const char* text;
        const char* str;
        const char* file;
    } cases[] = {
        {"(Unit1.pas) segment", "Unit1.pas", "(Unit1"},
        {"Name(x)", "Name", "Name(x)"},
        {"C:\\src\\Unit1.pas ACBP=A9", "C:\\src\\Unit1.pas", "Unit1"},
        {"lib|Unit2.dcu", "lib|Unit2.dcu", "Unit2"},
        {"Unit3", "Unit3", "Unit3"},
    };
    for (const Case& c : cases) {
        const TZVMapParser p(c.text);
        EXPECT_EQ(p.MapStringToStr(0), c.str) << c.text;
        EXPECT_EQ(p.MapStringToFileName(0), c.file) << c.text;
    }
    const TZVMapParser p("x");
    EXPECT_EQ(p.MapStringToStr(NoMapString), "");
}

}  // namespace

// The processing's portable rules: the focused control's text, the bug
// identifier, the waiting thread's messages and the exported call-stack texts.
#include <gtest/gtest.h>

#include <exception>
#include <typeinfo>

#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/core/report/ProcessingTexts.h"

namespace {

TZorvikDebugInfo Row(TZorvikDebugDetail detail, uint32_t thread, const std::string& unit, const std::string& proc,
                     int32_t line, int32_t offset)
{
    TZorvikDebugInfo r;
    r.DebugDetail = detail;
    r.ThreadID = thread;
    r.UnitName = unit;
    r.ProcedureName = proc;
    r.Line = line;
    r.LineOffset = offset;
    r.Address = 0x401000;
    return r;
}

TEST(FocusedControlText, HidesReadOnlyAndUnicodeAndMasksPasswords)
{
    struct Case {
        const char* cls;
        bool unicode, readOnly, password;
        const char* expected;
    } cases[] = {
        {"Edit", false, false, false, "secret"},  {"Edit", false, true, false, ""},
        {"TMemo", false, true, false, ""},         {"Edit", false, false, true, "******"},
        {"Edit", true, false, false, ""},          {"Button", false, true, true, "secret"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FocusedControlText("secret", c.cls, c.unicode, c.readOnly, c.password), c.expected) << c.cls;
}

TEST(ExceptionIdentifier, CountsOnlySourceRowsOfTheFirstThread)
{
    std::vector<TZorvikDebugInfo> rows{Row(ddSourceCode, 1, "a.cpp", "f", 10, 2),
                                       Row(ddSourceCode, 1, "a.cpp", "g", 20, 3)};
    const std::string id = ExceptionIdentifier("Exception|Tessaly.exe", rows);
    ASSERT_EQ(id.size(), 4u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    // Another thread's rows, module-only rows and other line numbers with the
    // same offsets leave it unchanged.
    auto more = rows;
    more.push_back(Row(ddSourceCode, 2, "b.cpp", "h", 5, 1));
    more.push_back(Row(ddModule, 1, "", "", 0, 0));
    more[0].Line = 99;
    EXPECT_EQ(ExceptionIdentifier("Exception|Tessaly.exe", more), id);
    // Another procedure or offset, or other pieces, change it.
    auto other = rows;
    other[1].LineOffset = 4;
    EXPECT_NE(ExceptionIdentifier("Exception|Tessaly.exe", other), id);
    EXPECT_NE(ExceptionIdentifier("EAbort|Tessaly.exe", rows), id);
}

TEST(WaitingMessages, DropsInputWithABeepAndTheQuitMessage)
{
    EXPECT_EQ(WaitingMessageAction(18), TWaitingMessageAction::Drop);
    for (uint32_t m : {256u, 257u, 258u, 260u, 261u, 262u, 513u, 514u, 516u, 519u, 521u, 161u, 164u, 169u})
        EXPECT_EQ(WaitingMessageAction(m), TWaitingMessageAction::DropWithBeep) << m;
    for (uint32_t m : {15u, 20u, 259u, 263u, 512u, 522u, 160u, 170u, 0x8001u, 0x113u})
        EXPECT_EQ(WaitingMessageAction(m), TWaitingMessageAction::Dispatch) << m;
}

TEST(CallStackTable, ColumnsAsWideAsTheWidestCellAndRulesAround)
{
    TZorvikModuleInfo module;
    module.Path = "C:\\Programs\\Tessaly.exe";
    TZorvikStackList list;
    list.Rows.push_back(Row(ddSourceCode, 1, "MainForm.cpp", "TMainForm::Open", 120, 4));
    list.Rows.back().ModuleInfo = &module;
    list.Rows.push_back(Row(ddModule, 1, "", "", 0, 0));
    list.Rows.push_back(Row(ddProcedure, 1, "", "Run", 0, 0));
    list.Rows.back().Address = 0x7FF01234;
    const std::array<std::string, 6> headings{"Address", "Module", "Unit", "Class", "Procedure/Method", "Line"};
    const std::vector<std::string> lines = CallStackTableLines(list, headings);
    ASSERT_EQ(lines.size(), 6u);
    const std::string rule(8 + 11 + 12 + 5 + 16 + 6 + 7, '-');
    EXPECT_EQ(lines[0], rule);
    EXPECT_EQ(lines[1], "|Address |Module     |Unit        |Class|Procedure/Method|Line  |");
    EXPECT_EQ(lines[2], rule);
    EXPECT_EQ(lines[3], "|00401000|Tessaly.exe|MainForm.cpp|     |TMainForm::Open |120[4]|");
    EXPECT_EQ(lines[4], "|7FF01234|           |            |     |Run             |      |");
    EXPECT_EQ(lines[5], rule);
}

TEST(CallStackTable, ModuleRowsOnlyGiveNothing)
{
    TZorvikStackList list;
    list.Rows.push_back(Row(ddModule, 1, "", "", 0, 0));
    list.Rows.push_back(Row(ddNone, 1, "", "", 0, 0));
    EXPECT_TRUE(CallStackTableLines(list, {"a", "b", "c", "d", "e", "f"}).empty());
}

TEST(CallStackText, RowsThreadsAndClassesFromTheText)
{
    const std::string text =
        "4198400|C:\\a.exe|Unit1.pas|TForm1|Button1Click|42|3|Main\r\n"
        "broken line\r\n"
        "4198500|C:\\a.exe|Unit1.pas||TForm1.Helper|0|0|Main\r\n"
        "4198600|C:\\a.exe|Unit2.pas|||7|1|Worker\r\n"
        "1|2|3|4|5|6|7|8|9\r\n"
        "x|C:\\a.exe|U|C|P|1|1|Main";
    const TZorvikStackList list = ParseCallStackText(text);
    ASSERT_EQ(list.Rows.size(), 3u);
    EXPECT_EQ(list.Rows[0].Address, 4198400u);
    EXPECT_EQ(list.Rows[0].DebugDetail, ddSourceCode);
    EXPECT_TRUE(list.Rows[0].ExceptionRow);
    EXPECT_EQ(list.Rows[0].ThreadID, 0u);
    EXPECT_EQ(list.Rows[1].DebugDetail, ddUnitAndProcedure);
    EXPECT_EQ(list.Rows[1].ClassName, "TForm1");
    EXPECT_EQ(list.Rows[1].ProcedureName, "Helper");
    EXPECT_EQ(list.Rows[1].ThreadKind, 0);
    EXPECT_EQ(list.Rows[1].ThreadID, 0u);
    EXPECT_EQ(list.Rows[2].ThreadID, static_cast<uint32_t>(-1));
    EXPECT_EQ(list.Rows[2].ThreadKind, 1);
    EXPECT_EQ(list.Rows[2].ThreadName, "Worker");
}

TEST(FastMMLines, RowTextAndWidening)
{
    TZorvikDebugInfo r = Row(ddSourceCode, 1, "Unit1.pas", "Click", 42, 3);
    r.ClassName = "TForm1";
    EXPECT_EQ(FastMMRowText(r, "C:\\x\\a.exe", true), " 00401000 [a.exe] Unit1.pas - TForm1.Click (Line: 42[3])");
    EXPECT_EQ(FastMMRowText(r, "a.exe", false), " 00401000 [a.exe] Unit1.pas - TForm1.Click (Line: 42)");
    TZorvikDebugInfo bare = Row(ddModule, 1, "", "", 0, 0);
    EXPECT_EQ(FastMMRowText(bare, "a.exe", false), " 00401000 [a.exe] - ");
    EXPECT_TRUE(FastMMRowAccepted(ddSourceCode, false, false));
    EXPECT_FALSE(FastMMRowAccepted(ddUnitAndProcedure, false, false));
    EXPECT_TRUE(FastMMRowAccepted(ddProcedure, true, false));
    EXPECT_FALSE(FastMMRowAccepted(ddModule, true, false));
    EXPECT_FALSE(FastMMRowAccepted(ddProcedure, false, true));
    EXPECT_TRUE(FastMMRowAccepted(ddUnitAndProcedure, false, true));
    EXPECT_TRUE(FastMMRowAccepted(ddNone, true, true));
}

TEST(ReportSection, InsertedAfterTheGeneralPartWhichGrowsByIt)
{
    std::string general = "ZorvikLog 6.0.20\r\n\r\nApplication:\r\n----";
    std::string report = general + "\r\nCall Stack Information:\r\n";
    const std::string section =
        ReportSectionText("Custom Information", TrimmedItems({{" Seat ", " 12 "}, {"  ", " "}, {"Row", "B"}}));
    ASSERT_FALSE(section.empty());
    EXPECT_NE(section.find("Custom Information"), std::string::npos);
    EXPECT_NE(section.find("Seat"), std::string::npos);
    EXPECT_NE(section.find(": 12"), std::string::npos);
    const std::string oldGeneral = general;
    InsertReportSection(general, report, section);
    EXPECT_EQ(report, oldGeneral + "\r\n" + section + "\r\nCall Stack Information:\r\n");
    EXPECT_EQ(general, oldGeneral + "\r\n" + section);
    // Nothing for no entries.
    EXPECT_EQ(ReportSectionText("Custom Information", {}), "");
    const std::string before = report;
    InsertReportSection(general, report, "");
    EXPECT_EQ(report, before);
}

struct BaseError : std::exception {};
struct DerivedError : BaseError {};

TEST(ExceptionClassChain, TheClassThenItsBases)
{
    EXPECT_EQ(ExceptionClassChain(&typeid(DerivedError)),
              (std::vector<std::string>{"(anonymous namespace)::DerivedError", "(anonymous namespace)::BaseError",
                                        "std::exception"}));
    EXPECT_EQ(ExceptionClassChain(&typeid(int)), std::vector<std::string>{"int"});
    EXPECT_TRUE(ExceptionClassChain(nullptr).empty());
}

// Where a report goes, by the kind asked for and the kind of program.
TEST(OutputRoad, ByKindAndProgram)
{
    struct Case {
        TOutputKind kind;
        bool console, webServer;
        TOutputRoad road;
    };
    const Case cases[] = {
        {TOutputKind::Automatic, false, false, TOutputRoad::UserInterface},
        {TOutputKind::Automatic, true, false, TOutputRoad::Console},
        {TOutputKind::Automatic, true, true, TOutputRoad::WebServer},  // a CGI program
        {TOutputKind::Automatic, false, true, TOutputRoad::WebServer},
        {TOutputKind::UserInterface, false, false, TOutputRoad::UserInterface},
        {TOutputKind::UserInterface, true, false, TOutputRoad::Console},
        {TOutputKind::UserInterface, false, true, TOutputRoad::UserInterface},
        {TOutputKind::UserInterface, true, true, TOutputRoad::Console},
        {TOutputKind::WebServer, false, false, TOutputRoad::WebServer},
        {TOutputKind::WebServer, true, false, TOutputRoad::WebServer},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OutputRoad(c.kind, c.console, c.webServer), c.road)
            << static_cast<int>(c.kind) << " console " << c.console << " web " << c.webServer;
}

}  // namespace

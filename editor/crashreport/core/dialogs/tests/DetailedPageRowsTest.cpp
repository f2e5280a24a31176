#include <gtest/gtest.h>

#include "editor/crashreport/core/dialogs/DetailedPageRows.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

TEST(DetailedPageRows, CellTexts)
{
    EXPECT_EQ(ShortVersion("5.1.2600.5512"), "5.1.x");
    EXPECT_EQ(ShortVersion("5.1"), "5.1");
    EXPECT_EQ(ShortVersion(""), "");
    EXPECT_EQ(ShortVersion("1..2"), "1..x");

    EXPECT_EQ(KbText(0), "");
    EXPECT_EQ(KbText(100), "0 Kb");
    EXPECT_EQ(KbText(512), "0 Kb");      // a tie goes to the even 0
    EXPECT_EQ(KbText(1536), "2 Kb");     // a tie goes to the even 2
    EXPECT_EQ(KbText(2560), "2 Kb");
    EXPECT_EQ(KbText(2561), "3 Kb");
    EXPECT_EQ(KbText(12345), "12 Kb");

    EXPECT_EQ(PathFolder("C:\\Windows\\system32\\kernel32.dll"), "C:\\Windows\\system32");
    EXPECT_EQ(PathFolder("C:\\Tessaly.exe"), "C:\\");
    EXPECT_EQ(PathFolder("\\??\\C:\\Windows\\smss.exe"), "C:\\Windows");
    EXPECT_EQ(PathFolder("smss.exe"), "");
    EXPECT_EQ(PathFileName("C:\\a\\b.dll"), "b.dll");

    EXPECT_EQ(PriorityClassText(32), "Normal");
    EXPECT_EQ(PriorityClassText(0x8000), "Above-Normal");
    EXPECT_EQ(PriorityClassText(0x4000), "Below-Normal");
    EXPECT_EQ(PriorityClassText(256), "Real-Time");
    EXPECT_EQ(PriorityClassText(7), "");

    EXPECT_EQ(DateTimeText(0), "");
    EXPECT_EQ(DateTimeText(46366.5), "2026-12-10 12:00:00");
    EXPECT_EQ(DateTimeText(2.75), "1900-01-01 18:00:00");
    EXPECT_EQ(HexAddress(0x401a2b), "00401A2B");
}

TEST(DetailedPageRows, ModulesAndProcessesRows)
{
    TReportModule exe, bpl, dll;
    exe.Handle = 0x400000;
    exe.Path = "C:\\Program Files\\Tessaly\\Tessaly.exe";
    exe.Description = "Byte editor";
    exe.Version = "1.2.3.4";
    exe.Size = 1536;
    exe.Modified = 46366.25;
    bpl.Handle = 0x20000000;
    bpl.Path = "C:\\Lib\\framework.bpl";
    dll.Handle = 0x7c800000;
    dll.Path = "C:\\Windows\\system32\\KERNEL32.DLL";
    dll.Size = 0;
    auto rows = ModulesRows({exe, bpl, dll});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Texts, (std::vector<std::string>{"00400000", "Tessaly.exe", "Byte editor", "1.2.x", "2 Kb",
                                                       "2026-12-10 06:00:00", "C:\\Program Files\\Tessaly"}));
    EXPECT_EQ(rows[0].Image, 2);
    EXPECT_EQ(rows[1].Image, 1);
    EXPECT_EQ(rows[2].Image, 0);
    EXPECT_EQ(rows[2].Texts[4], "");
    EXPECT_EQ(rows[2].Texts[5], "");

    TReportProcess p;
    p.ProcessId = 42;
    p.Path = "\\??\\C:\\Windows\\smss.exe";
    p.Version = "6.1";
    p.Memory = 4096;
    p.PriorityClass = 128;
    p.Threads = 0;
    auto processes = ProcessesRows({p});
    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes[0].Texts,
              (std::vector<std::string>{"42", "smss.exe", "", "6.1", "4 Kb", "High", "??", "C:\\Windows"}));
    EXPECT_EQ(processes[0].Image, 2);
}

TEST(DetailedPageRows, PagesOfAReportTakeTheThreadsOfItsFacts)
{
    TZorvikModuleOptions options("Tessaly.exe");
    TZorvikModuleInfo exe;
    exe.Handle = 0x400000;
    exe.Size = 0x10000;
    exe.Path = "C:\\T\\Tessaly.exe";
    exe.CompileDate = 46000.5;
    TReportFacts facts;
    facts.MainThreadId = 7;
    facts.Threads = {{7, true, 2, ""}, {9, false, 0, "TSaver"}};
    TZorvikDebugInfo row;
    row.DebugDetail = ddSourceCode;
    row.ModuleInfo = &exe;
    row.ThreadID = 7;
    row.ThreadKind = 1;
    row.ExceptionRow = true;
    row.Address = 0x401000;
    row.Line = 3;
    facts.CallStack.Rows.push_back(row);
    row.ThreadID = 9;
    row.ExceptionRow = false;
    facts.CallStack.Rows.push_back(row);
    row.ThreadID = 11;
    facts.CallStack.Rows.push_back(row);
    TDetailedReportPages pages = DetailedReportPages(facts, "G", "A", "C", &options, false);
    EXPECT_EQ(pages.General, "G");
    EXPECT_EQ(pages.Assembler, "A");
    EXPECT_EQ(pages.CPU, "C");
    ASSERT_EQ(pages.CallStack.size(), 8u);
    EXPECT_EQ(pages.CallStack[0].Caption, "Exception Thread: ID=7; Priority=2; [Main]");
    EXPECT_EQ(pages.CallStack[3].Caption, "Running Thread: ID=9; Priority=??; Class=TSaver");
    EXPECT_EQ(pages.CallStack[6].Caption, "Running Thread: ID=11; Priority=??");
    ASSERT_TRUE(pages.CompileDate);
    EXPECT_EQ(pages.CompileDate(0x40FFFF), 46000.5);
    EXPECT_EQ(pages.CompileDate(0x410000), 0.0);
}

class CallStackRowsTest : public ::testing::Test {
protected:
    CallStackRowsTest() : options("Tessaly.exe")
    {
        exe.Path = "C:\\T\\Tessaly.exe";
        exe.ModuleType = TZorvikModuleType::mtMainModule;
        lib.Path = "C:\\W\\kernel32.dll";
        lib.ModuleType = TZorvikModuleType::mtOSLibrary;
        context.Options = &options;
        context.ThreadFacts = [](uint32_t id) {
            TThreadFacts facts;
            if (id == 100) {
                facts.Listed = true;
                facts.Priority = "0";
                facts.MainThread = true;
            } else if (id == 200) {
                facts.Listed = true;
                facts.Priority = "1";
                facts.ClassName = "TWorker";
            }
            return facts;
        };
    }
    TZorvikDebugInfo Row(uint32_t thread, uint8_t kind, bool exception, TZorvikDebugDetail detail,
                         TZorvikModuleInfo* module, int32_t line = 0)
    {
        TZorvikDebugInfo r;
        r.ThreadID = thread;
        r.ThreadKind = kind;
        r.ExceptionRow = exception;
        r.DebugDetail = detail;
        r.ModuleInfo = module;
        r.Address = 0x401000 + line;
        r.UnitName = "Main.cpp";
        r.ProcedureName = "Run";
        r.Line = line;
        r.LineOffset = 3;
        return r;
    }
    TZorvikModuleOptions options;
    TZorvikModuleInfo exe, lib;
    TCallStackRowsContext context;
};

TEST_F(CallStackRowsTest, RowsAreGroupedByThreadUnderHeaders)
{
    std::vector<TZorvikDebugInfo> stack = {
        Row(100, 1, true, ddSourceCode, &exe, 12),  Row(100, 1, false, ddSourceCode, &exe, 20),
        Row(200, 1, false, ddSourceCode, &exe, 40), Row(200, 1, false, ddModule, &lib),
        Row(100, 0, false, ddSourceCode, &exe, 50),
    };
    auto rows = CallStackRows(stack, context);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_TRUE(rows[0].Parent);
    EXPECT_EQ(rows[0].Data, 1 + 2);
    EXPECT_EQ(rows[0].Caption, "Exception Thread: ID=100; Priority=0; [Main]");
    EXPECT_EQ(rows[1].Texts, (std::vector<std::string>{"0040100C", "Tessaly.exe", "Main.cpp", "", "Run", "12[3]"}));
    EXPECT_EQ(rows[1].Image, 3);
    EXPECT_FALSE(rows[2].Parent);
    // A running thread after the first group is set off by an empty row.
    EXPECT_EQ(rows[3], (TPageRow{std::vector<std::string>(5), -1, 0, false, ""}));
    EXPECT_EQ(rows[4].Caption, "Running Thread: ID=200; Priority=1; Class=TWorker");
    EXPECT_EQ(rows[4].Data, 1);
    // The calling thread's group has no empty row before it.
    EXPECT_TRUE(rows[6].Parent);
    EXPECT_EQ(rows[6].Caption, "Calling Thread: ID=100; Priority=0; [Main]");
    EXPECT_EQ(rows[6].Data, 0);
    EXPECT_EQ(rows[7].Texts[5], "50[3]");
}

TEST_F(CallStackRowsTest, TheExceptionRowAlwaysOpensAGroup)
{
    auto rows = CallStackRows({Row(100, 1, false, ddSourceCode, &exe, 1), Row(100, 1, true, ddSourceCode, &exe, 2)},
                              context);
    ASSERT_EQ(rows.size(), 5u);  // header, row, separator, header, row
    EXPECT_TRUE(rows[3].Parent);
    EXPECT_EQ(rows[3].Data, 3);
}

TEST_F(CallStackRowsTest, DetailsOutsideTheShownSetAreLeftOut)
{
    EXPECT_TRUE(CallStackRows({Row(1, 1, true, ddModule, &lib), Row(1, 1, false, ddModule, &exe)}, context).empty());

    TCallStackOptions set;
    options.SetCallStackOptions(set);
    EXPECT_TRUE(CallStackRows({Row(1, 1, true, ddProcedure, &lib)}, context).empty());
    set.Include(csoShowDLLs);
    set.Include(csoShowBPLs);
    options.SetCallStackOptions(set);
    auto rows = CallStackRows({Row(1, 1, true, ddProcedure, &lib), Row(1, 1, false, ddUnitAndProcedure, &exe),
                               Row(1, 1, false, ddUnitAndProcedure, &lib)},
                              context);
    // The program's own unit-level rows never show here.
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].Image, 0);
    EXPECT_EQ(rows[1].Texts[1], "kernel32.dll");
}

TEST_F(CallStackRowsTest, CaptionsOfUnlistedThreadsLeaksAndCOMCalls)
{
    TZorvikDebugInfo r = Row(300, 1, false, ddSourceCode, &exe, 1);
    r.ThreadName = "Saver";
    EXPECT_EQ(GroupCaption(r, context), "Running Thread: ID=300; Priority=?? (Saver)");
    context.CallFromCOMObject = true;
    EXPECT_EQ(GroupCaption(r, context), "Running Thread:  (Saver)");
    r.ThreadID = 0xFFFFFFF0;
    context.CallFromCOMObject = false;
    EXPECT_EQ(GroupCaption(r, context).rfind("Running Thread: ID=0;", 0), 0u);

    TZorvikDebugInfo leak;
    leak.LeakRow = true;
    leak.LeakType = "Data";
    leak.LeakSize = 24;
    leak.LeakCount = 2;
    std::string caption = GroupCaption(leak, context);
    EXPECT_NE(caption[0], '+');
    EXPECT_NE(caption.find("=" + options.GetCustomizedExpandedTexts(mtCallStack_LeakData) + ";"), std::string::npos);
    EXPECT_NE(caption.find("=24; "), std::string::npos);
}

TEST(DetailedPageRows, LinePlaces)
{
    struct Case {
        const char* text;
        int32_t line, offset;
    } cases[] = {{"112[3]", 112, 3}, {"40", 40, -1}, {"7[]", 7, -1}, {"9[12x]", 9, 12}, {"", 0, -1}};
    for (const auto& c : cases) {
        TLinePlace p = ParseLineText(c.text);
        EXPECT_EQ(p.Line, c.line) << c.text;
        EXPECT_EQ(p.Offset, c.offset) << c.text;
    }
}

}  // namespace

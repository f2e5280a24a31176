#include <gtest/gtest.h>

#include "editor/crashreport/core/report/ReportTables.h"
#include "editor/crashreport/core/report/tests/ReportFixtures.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

TEST(ReportTables, EmptyCallStackIsHeadSeparatorsAndTwoEmptyLines)
{
    TReportFacts facts;
    TZorvikModuleOptions options("x");
    EXPECT_EQ(BuildCallStackTable(facts, options),
              "Call Stack Information:\r\n"
              "--------------------------------------------------\r\n"
              "|Address |Module|Unit|Class|Procedure/Method|Line|\r\n"
              "--------------------------------------------------\r\n"
              "--------------------------------------------------\r\n"
              "\r\n");
}

TEST(ReportTables, CallStackBlocksPerThread)
{
    TReportSample sample;
    TZorvikModuleOptions options("x");
    options.SetCallStackOptions({csoShowDLLs});
    const std::string table = BuildCallStackTable(sample.Facts, options);
    EXPECT_EQ(table, GoldenText("CallStackTable.txt", table));
    const std::vector<std::string> lines = SplitText(table, "\r\n");
    // Every line of the table body is as wide as the separator.
    for (size_t i = 1; i + 2 < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), lines[1].size()) << lines[i];
    EXPECT_NE(table.find("|*Exception Thread: ID=1200; Priority=0; Class=; [Main]"), std::string::npos);
    EXPECT_NE(table.find("|Running Thread: ID=1320; Priority=-2; Class=TWorker"), std::string::npos);
    EXPECT_NE(table.find("|Calling Thread: ID=1320; Priority=-2; Class=TWorker"), std::string::npos);
    EXPECT_NE(table.find("|7C817077|kernel32.dll|"), std::string::npos);
    EXPECT_EQ(table.find("Hidden"), std::string::npos);  // a ddNone row is not shown

    // Without csoShowDLLs the procedure-only row goes too.
    options.SetCallStackOptions(TCallStackOptions());
    EXPECT_EQ(BuildCallStackTable(sample.Facts, options).find("7C817077"), std::string::npos);
}

TEST(ReportTables, CaptionsOfUnknownThreadsNamesAndLeaks)
{
    TReportFacts facts;
    TZorvikDebugInfo row;
    row.DebugDetail = ddSourceCode;
    row.ThreadID = 0xFFFFFFF0u;  // negative as a signed number
    row.ThreadKind = 1;
    row.ThreadName = "Pump";
    row.ProcedureName = "P";
    facts.CallStack.Rows = {row};
    TZorvikModuleOptions options("x");
    std::string table = BuildCallStackTable(facts, options);
    EXPECT_NE(table.find("|Running Thread: ID=0; Priority=??; Class= (Pump)"), std::string::npos) << table;

    // A caption longer than the table is cut to its width.
    facts.CallStack.Rows[0].ThreadName = std::string(200, 'n');
    table = BuildCallStackTable(facts, options);
    const std::vector<std::string> lines = SplitText(table, "\r\n");
    EXPECT_EQ(lines[4].size(), lines[1].size());
    EXPECT_EQ(lines[4].back(), '|');

    TZorvikDebugInfo leak = row;
    leak.LeakRow = true;
    leak.LeakType = "Data";
    leak.LeakSize = 64;
    leak.LeakCount = 2;
    leak.ThreadName.clear();
    facts.CallStack.Rows = {leak};
    table = BuildCallStackTable(facts, options);
    EXPECT_NE(table.find("|Memory Leak: Type=Data; Total size=64; Count=2"), std::string::npos) << table;
}

TEST(ReportTables, ModulesAndProcesses)
{
    TReportSample sample;
    TZorvikModuleOptions options("x");
    const std::string modules = BuildModulesTable(sample.Facts, options);
    const std::string processes = BuildProcessesTable(sample.Facts, options);
    EXPECT_EQ(modules, GoldenText("ModulesTable.txt", modules));
    EXPECT_EQ(processes, GoldenText("ProcessesTable.txt", processes));
    EXPECT_NE(processes.find("|4   |System     |"), std::string::npos) << processes;

    // A handle column wider than 8 fills with leading zeros.
    options.SetCustomizedTexts(mtModules_Handle, "Module handle");
    const std::string wide = BuildModulesTable(sample.Facts, options);
    EXPECT_NE(wide.find("|0000000400000|Tessaly.exe "), std::string::npos) << wide;
    if (sizeof(uintptr_t) == 8) {
        sample.Facts.Modules[0].Handle = static_cast<uintptr_t>(0x140000000ull);
        sample.Facts.Modules.resize(1);
        options.SetCustomizedTexts(mtModules_Handle, "Handle");
        EXPECT_NE(BuildModulesTable(sample.Facts, options).find("|140000000|"), std::string::npos);
    }
}

// A module unloaded between the capture and the report: the list made again
// for the report takes its record off, while the captured rows still point
// at it. The report names it (AddressSanitizer watches the native build).
TEST(ReportTables, RowsOfAModuleUnloadedBeforeTheReportStillNameIt)
{
    TZorvikModulesList modules;
    auto gone = std::make_unique<TZorvikModuleInfo>();
    gone->Handle = 0x10000000;
    gone->Path = "C:\\Plugins\\Unloaded.dll";
    modules.Add(std::move(gone));
    TZorvikDebugInfo row;
    row.DebugDetail = ddSourceCode;
    row.ModuleInfo = modules.Find(0x10000000);
    row.Address = 0x10001234;
    row.UnitName = "Plugin.cpp";
    row.ProcedureName = "Run";
    row.Line = 12;
    TReportFacts facts;
    facts.CallStack.Rows = {row};

    modules.Delete(0x10000000);
    EXPECT_EQ(modules.Find(0x10000000), nullptr);
    EXPECT_EQ(modules.Count(), 0u);
    TZorvikModuleOptions options("x");
    const std::string table = BuildCallStackTable(facts, options);
    EXPECT_NE(table.find("|10001234|Unloaded.dll|Plugin.cpp|"), std::string::npos) << table;
}

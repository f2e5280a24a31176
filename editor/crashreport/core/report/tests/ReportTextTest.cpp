#include <gtest/gtest.h>

#include "editor/crashreport/core/report/ReportText.h"
#include "editor/crashreport/core/report/ReportValues.h"
#include "editor/crashreport/core/report/tests/ReportFixtures.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

namespace {

std::unique_ptr<TZorvikModuleOptions> FullOptions()
{
    auto options = std::make_unique<TZorvikModuleOptions>("Tessaly.exe");
    options->SetShowOptions(AllShowOptions());
    options->SetLogOptions({loSaveModulesAndProcessesSections, loSaveAssemblerAndCPUSections});
    options->SetCallStackOptions({csoShowDLLs});
    return options;
}

std::vector<std::string> Lines(const std::string& text)
{
    return SplitText(text, "\r\n");
}

}  // namespace

TEST(ReportText, WholeReportMatchesTheGoldenText)
{
    TReportSample sample;
    auto options = FullOptions();
    const TReportTexts t = BuildReportText(sample.Facts, *options);
    EXPECT_EQ(t.Report, GoldenText("FullReport.txt", t.Report));
    EXPECT_EQ(t.Report, t.General + "\r\n" + t.CallStackAndLists + t.AsmHeader + "\r\n" + t.Asm + "\r\n" + t.CPU);
    EXPECT_EQ(t.Caption, options->GetCustomizedExpandedTexts(mtDialog_ErrorMsgCaption) + "\r\n\r\n");
    EXPECT_EQ(t.LastExceptionClass, "EAccessViolation");
    EXPECT_EQ(t.LastExceptionMessage,
              "Access violation at address 00401012 in module 'Tessaly.exe'. Write of address 00000000.");
}

TEST(ReportText, GeneralSectionColumnsAndRules)
{
    TReportSample sample;
    auto options = FullOptions();
    const std::vector<std::string> lines = Lines(BuildGeneralSection(sample.Facts, *options));
    ASSERT_GT(lines.size(), 12u);
    EXPECT_EQ(lines[0], "ZorvikLog 6.0.20");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Application:");
    EXPECT_EQ(lines[4].rfind("  1.1 Start Date      : ", 0), 0u) << lines[4];
    EXPECT_EQ(lines[4].substr(24), "Thu, 10 Dec 2026 08:00:00 +0100");
    // Each rule is as long as its section's longest line.
    for (size_t i = 2; i + 1 < lines.size(); ++i) {
        if (lines[i].empty() || lines[i].back() != ':' || lines[i][0] == ' ')
            continue;
        size_t longest = 0;
        for (size_t j = i + 2; j < lines.size() && !lines[j].empty(); ++j)
            longest = std::max(longest, lines[j].size());
        EXPECT_EQ(lines[i + 1], std::string(longest, '-')) << lines[i];
    }
    const std::string text = BuildGeneralSection(sample.Facts, *options);
    EXPECT_NE(text.find("\r\n  1.4 Parameters      : -x notes.bin\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n  1.6 Up Time         : 1 day, 1 hour, 5 minutes, 7 seconds\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n  2.5 Type          : EAccessViolation\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n  2.7 ID            : 5A1C\r\n  2.8 Count         : 1\r\n  2.9 Status        : New\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n  7.1 IP Address: 192.168.001.002 - 010.000.000.005\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n  7.5 DNS 2     : 008.008.008.008 - 000.000.000.000\r\n"), std::string::npos);
}

TEST(ReportText, EveryShowOptionOffLeavesTheBanner)
{
    TReportSample sample;
    auto options = FullOptions();
    options->SetShowOptions(TShowOptions());
    EXPECT_EQ(BuildGeneralSection(sample.Facts, *options), "ZorvikLog 6.0.20\r\n\r\n");

    // One option alone keeps its number and its header (the sections left
    // out after it leave their empty line).
    options->SetShowOptions({soExcCount});
    EXPECT_EQ(BuildGeneralSection(sample.Facts, *options),
              "ZorvikLog 6.0.20\r\n\r\nException:\r\n--------------\r\n  2.8 Count: 1\r\n\r\n");
}

TEST(ReportText, ActiveControlsOnlyWithAUserInterface)
{
    TReportSample sample;
    auto options = FullOptions();
    std::string text = BuildGeneralSection(sample.Facts, *options);
    EXPECT_NE(text.find("  4.4 Control Text : line one line two\r\n"), std::string::npos);
    sample.Facts.HasUserInterface = false;
    text = BuildGeneralSection(sample.Facts, *options);
    EXPECT_EQ(text.find("Active Controls:"), std::string::npos);
    EXPECT_NE(text.find("  5.1 Name"), std::string::npos);
}

TEST(ReportText, WithoutTheOptionalSectionsOnlyTheirHeadsRemain)
{
    TReportSample sample;
    auto options = FullOptions();
    options->SetLogOptions(TLogOptions());
    const TReportTexts t = BuildReportText(sample.Facts, *options);
    EXPECT_EQ(t.AsmHeader, "Assembler Information:\r\n" + std::string(22, '-'));
    EXPECT_EQ(t.Asm, "");
    EXPECT_EQ(t.CPU, "Registers:\r\n----------\r\n\r\n");
    const size_t modules = t.CallStackAndLists.find("Modules Information:");
    ASSERT_NE(modules, std::string::npos);
    EXPECT_EQ(t.CallStackAndLists.substr(modules),
              "Modules Information:\r\n" + std::string(20, '-') + "\r\n\r\n" +
                  "Processes Information:\r\n" + std::string(22, '-') + "\r\n\r\n");
    EXPECT_EQ(t.Report, GoldenText("ShortReport.txt", t.Report));
}

TEST(ReportText, BugIdentifierFollowsTheFailingProcedure)
{
    TReportSample sample;
    const std::string id = BugIdentifier(sample.Facts);
    ASSERT_EQ(id.size(), 4u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    // Stable for the same failure, whatever the other threads did.
    TReportSample again;
    again.Facts.CallStack.Rows[4].ProcedureName = "Elsewhere";
    again.Facts.ExceptionTime += 1;
    EXPECT_EQ(BugIdentifier(again.Facts), id);
    // Another procedure in the failing thread gives another one.
    TReportSample other;
    other.Facts.CallStack.Rows[1].ProcedureName = "KeyPress";
    EXPECT_NE(BugIdentifier(other.Facts), id);
    EXPECT_NE(BugIdentifierText(sample.Facts).find("MainForm.cppTMainFormButtonClick5"), std::string::npos);
    EXPECT_EQ(BugIdentifierText(sample.Facts).find("Worker"), std::string::npos);
}

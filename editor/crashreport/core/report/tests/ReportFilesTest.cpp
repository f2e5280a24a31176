#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/support/files/LocalFiles.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

using Names = std::vector<std::string>;

TEST(ReportFiles, TheLastHtmlPageIsWrittenAsLinesOnlyWhenAskedAndReadBack)
{
    const std::string folder = TestFolder("report_files");
    TZorvikModuleOptions options("Tessaly.exe");
    options.SetCommonSendOptions(TCommonSendOptions{});
    TSendContext context;
    context.Options = &options;
    context.TempFolder = folder;
    context.LastHTMLPage = "<html>\n<body>";
    SaveLastHTMLPage(context, context.LastHTMLPage);  // not asked for: no file
    EXPECT_FALSE(TestFileExists(folder + "LastHTMLPage.html"));

    options.SetCommonSendOptions(TCommonSendOptions{sndSendLastHTMLPage});
    SaveLastHTMLPage(context, context.LastHTMLPage);
    EXPECT_EQ(ReadTestFile(folder + "LastHTMLPage.html"), "<html>\r\n<body>\r\n");
    EXPECT_EQ(ReadTextFile(folder + "LastHTMLPage.html"), "<html>\r\n<body>");

    context.LastHTMLPage.clear();  // no page kept: nothing written
    SaveLastHTMLPage(context, "<p>new</p>");
    EXPECT_EQ(ReadTestFile(folder + "LastHTMLPage.html"), "<html>\r\n<body>\r\n");

    context.LastHTMLPage = "<p>";
    context.TempFolder = folder + "no such folder" + PathDelim;
    SaveLastHTMLPage(context, "x");  // the error is swallowed
    EXPECT_FALSE(TestFileExists(context.TempFolder + "LastHTMLPage.html"));
}

TEST(ReportFiles, ReadTextFileJoinsLinesByCrLf)
{
    const std::string folder = TestFolder("read_text_file");
    struct Case {
        std::string Bytes, Text;
    } cases[] = {
        {"a\rb\nc\r\n\r\nd", "a\r\nb\r\nc\r\n\r\nd"},
        {"one line\r\n", "one line"},
        {"", ""},
        {std::string("nul\0inside\n", 11), std::string("nul\0inside", 10)},
    };
    for (const Case& c : cases) {
        WriteTestFile(folder + "text.txt", c.Bytes);
        EXPECT_EQ(ReadTextFile(folder + "text.txt"), c.Text);
    }
    EXPECT_EQ(ReadTextFile(folder + "missing.txt"), "");
    EXPECT_EQ(ReadTextFile(""), "");
}

// Only the component's own archives are pruned, the oldest names first.
TEST(ReportFiles, PruningChoosesOnlyOwnReportArchives)
{
    Names names = {"photos.zip", "BugReportOld.zip", "backup__2013.zip", "bugreport.ZIP"};
    for (int i = 0; i < 11; ++i)
        names.push_back("BugReport__PC1__201303210556" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".zip");
    EXPECT_EQ(SavedReportCopiesToDelete(names), (Names{"bugreport.ZIP", "BugReport__PC1__20130321055600.zip"}));
    EXPECT_TRUE(SavedReportCopiesToDelete({"photos.zip", "a.zip", "b.zip", "c.zip", "d.zip", "e.zip", "f.zip", "g.zip",
                                           "h.zip", "i.zip", "j.zip", "k.zip", "BugReport.zip"})
                    .empty());
    struct Case {
        const char* Name;
        bool Own;
    } cases[] = {{"BugReport.zip", true}, {"BUGREPORT__X.ZIP", true}, {"BugReport__.zip", false},
                 {"BugReport.zip.bak", false}, {"MyBugReport.zip", false}, {"BugReport_x.zip", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsSavedReportCopy(c.Name), c.Own) << c.Name;
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/support/ModuleOptions.h"
#include "editor/crashreport/support/LocalFiles.h"
#include "editor/crashreport/support/tests/TestFiles.h"

namespace {

using Names = std::vector<std::string>;

class ReportFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        Options.SetCommonSendOptions(TCommonSendOptions{});
        Files.Options = &Options;
        Files.TempFolder = "C:\\Temp\\";
        Files.ComputerName = "PC1";
        Files.OutputLogFile = [](const TZorvikModuleOptions&) { return std::string("C:\\App\\Tessaly.zvf"); };
        Files.ExceptionDate = 41354.0 + (5 * 3600 + 56 * 60) / 86400.0;  // 21 Mar 2013 05:56:00
    }
    void Send(std::initializer_list<TCommonSendOption> options) { Options.SetCommonSendOptions(TCommonSendOptions(options)); }

    TZorvikModuleOptions Options{"C:\\App\\Tessaly.exe"};
    TReportFiles Files;
};

TEST_F(ReportFiles, SentNamesAreDecoratedWithComputerAndDateAsAsked)
{
    struct Case {
        std::initializer_list<TCommonSendOption> Options;
        const char* Expected;
    } cases[] = {
        {{}, "BugReport.zip"},
        {{sndAddComputerNameInFileName}, "BugReport__PC1.zip"},
        {{sndAddDateInFileName}, "BugReport__20130321055600.zip"},
        {{sndAddComputerNameInFileName, sndAddDateInFileName}, "BugReport__PC1__20130321055600.zip"},
    };
    for (const Case& c : cases) {
        Send(c.Options);
        EXPECT_EQ(Files.DecorateReportFileName(Files.BugReportZipFile()), c.Expected);
    }
    Send({sndAddComputerNameInFileName});
    Files.ComputerName = "WORKSTATION-NUMBER-17";
    EXPECT_EQ(Files.DecorateReportFileName("C:\\x\\Tessaly.zvf"), "Tessaly__WORKSTATION-NUM.zvf");
}

TEST_F(ReportFiles, ReportDateStampCountsFromTheEndOf1899)
{
    EXPECT_EQ(ReportDateStamp(0), "18991230000000");
    EXPECT_EQ(ReportDateStamp(1.5), "18991231120000");
    EXPECT_EQ(ReportDateStamp(36526.0 + 0.999988426), "20000101235959");  // 1 Jan 2000 23:59:59
    EXPECT_EQ(ReportDateStamp(36585.0), "20000229000000");               // a leap day
    EXPECT_EQ(ReportDateStamp(-5), "18991230000000");
}

TEST_F(ReportFiles, TheTemporaryFilesAreNamedOnlyWhenTheOptionsAskForThem)
{
    EXPECT_EQ(Files.ScreenshotTempFile(), "");
    EXPECT_EQ(Files.TempXMLCopyFile(), "");
    EXPECT_EQ(Files.LastHTMLPageTempFile(), "");
    EXPECT_EQ(Files.TempLogCopyFile(), "C:\\Temp\\Tessaly.zvf");
    EXPECT_EQ(Files.BugReportZipFile(), "C:\\Temp\\BugReport.zip");

    Send({sndSendScreenshot, sndSendXMLLogCopy, sndSendLastHTMLPage});
    EXPECT_EQ(Files.ScreenshotTempFile(), "C:\\Temp\\Screenshot.png");
    EXPECT_EQ(Files.AttachedScreenshotFile(), "");  // none taken for this report
    Files.ScreenshotTaken = true;
    EXPECT_EQ(Files.AttachedScreenshotFile(), "C:\\Temp\\Screenshot.png");
    EXPECT_EQ(Files.TempXMLCopyFile(), "C:\\Temp\\Tessaly.xml");
    EXPECT_EQ(Files.LastHTMLPageTempFile(), "C:\\Temp\\LastHTMLPage.html");
    EXPECT_EQ(Files.AttachedLastHTMLPageFile(), "");
    Files.LastHTMLPage = "<html></html>";
    EXPECT_EQ(Files.AttachedLastHTMLPageFile(), "C:\\Temp\\LastHTMLPage.html");

    Files.Options = nullptr;
    EXPECT_EQ(Files.ScreenshotTempFile(), "");
}

TEST_F(ReportFiles, TheAttachmentListFollowsTheOptions)
{
    Options.SetAttachedFiles("C:\\a.txt; ;C:\\b.txt;");
    Options.SetAppendLogs(true);
    Files.BuildAttachmentList(true);
    EXPECT_EQ(Files.Attachments, (Names{"C:\\a.txt", "C:\\b.txt"}));
    Files.BuildAttachmentList(false);
    EXPECT_EQ(Files.Attachments, (Names{"C:\\a.txt", "C:\\b.txt", "C:\\Temp\\Tessaly.zvf"}));

    Options.SetAttachedFiles("");
    Options.SetAppendLogs(false);
    Send({sndSendScreenshot, sndSendXMLLogCopy, sndSendLastHTMLPage});
    Files.LastHTMLPage = "<p>";
    Files.BuildAttachmentList(true);
    EXPECT_EQ(Files.Attachments, (Names{"C:\\Temp\\Tessaly.zvf", "C:\\Temp\\LastHTMLPage.html", "C:\\Temp\\Tessaly.xml"}));
    Files.ScreenshotTaken = true;
    Files.BuildAttachmentList(true);
    EXPECT_EQ(Files.Attachments, (Names{"C:\\Temp\\Tessaly.zvf", "C:\\Temp\\Screenshot.png",
                                        "C:\\Temp\\LastHTMLPage.html", "C:\\Temp\\Tessaly.xml"}));
}

TEST_F(ReportFiles, TheLastHtmlPageIsWrittenAsLinesAndReadBack)
{
    const std::string folder = TestFolder("report_files");
    Files.TempFolder = folder;
    Files.SaveLastHTMLPage("<html>\n<body>");  // not asked for: no file
    EXPECT_FALSE(TestFileExists(folder + "LastHTMLPage.html"));

    Send({sndSendLastHTMLPage});
    Files.LastHTMLPage = "<html>\n<body>";
    Files.SaveLastHTMLPage(Files.LastHTMLPage);
    EXPECT_EQ(ReadTestFile(folder + "LastHTMLPage.html"), "<html>\r\n<body>\r\n");
    EXPECT_EQ(ReadTextFile(folder + "LastHTMLPage.html"), "<html>\r\n<body>");

    WriteTestFile(folder + "mixed.txt", "a\rb\nc\r\n\r\nd");
    EXPECT_EQ(ReadTextFile(folder + "mixed.txt"), "a\r\nb\r\nc\r\n\r\nd");
    EXPECT_EQ(ReadTextFile(folder + "missing.txt"), "");
    EXPECT_EQ(ReadTextFile(""), "");

    Files.TempFolder = folder + "no such folder" + PathDelim;
    Files.SaveLastHTMLPage("x");  // swallowed
}

// Only the component's own archives are pruned, the oldest names first.
TEST_F(ReportFiles, PruningChoosesOnlyOwnReportArchives)
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

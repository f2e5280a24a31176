#include <gtest/gtest.h>

#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

struct Fixture {
    TZorvikModuleOptions options{"Tessaly.exe"};
    TSendContext ctx;
    Fixture() {
        options.DisableSharedDataWrite();
        ctx.Options = &options;
        ctx.TempFolder = "C:\\Temp\\";
        ctx.LogFile = "C:\\Program\\Tessaly.zvf";
        ctx.ComputerName = "PC1";
        ctx.ExceptionDate = 41354.2472222222;  // 21 Mar 2013 05:56:00
    }
    void SetSend(std::initializer_list<TCommonSendOption> list) { options.SetCommonSendOptions(TCommonSendOptions(list)); }
};

}  // namespace

TEST(SendContext, CompactDate) {
    EXPECT_EQ(CompactDateText(41354.2472222222), "20130321055600");
    EXPECT_EQ(CompactDateText(0), "18991230000000");
    EXPECT_EQ(CompactDateText(36526.5), "20000101120000");
    EXPECT_EQ(CompactDateText(46082.999999), "20260301235959");
}

TEST(SendContext, DecoratedNames) {
    Fixture f;
    f.SetSend({});
    EXPECT_EQ(f.ctx.DecorateReportFileName("C:\\Temp\\BugReport.zip"), "BugReport.zip");
    f.SetSend({sndAddComputerNameInFileName});
    EXPECT_EQ(f.ctx.DecorateReportFileName("C:\\Temp\\BugReport.zip"), "BugReport__PC1.zip");
    f.SetSend({sndAddDateInFileName});
    EXPECT_EQ(f.ctx.DecorateReportFileName("BugReport.zip"), "BugReport__20130321055600.zip");
    f.SetSend({sndAddComputerNameInFileName, sndAddDateInFileName});
    EXPECT_EQ(f.ctx.DecorateReportFileName("C:\\Temp\\BugReport.zip"), "BugReport__PC1__20130321055600.zip");
    f.ctx.ComputerName = "A-VERY-LONG-COMPUTER-NAME";
    f.SetSend({sndAddComputerNameInFileName});
    EXPECT_EQ(f.ctx.DecorateReportFileName("x.zip"), "x__A-VERY-LONG-COM.zip");
}

TEST(SendContext, AttachmentList) {
    Fixture f;
    f.options.SetAttachedFiles("C:\\a.txt; ;C:\\b.txt;");
    f.SetSend({});
    f.options.SetAppendLogs(true);
    // A mail carrying the log in its body does not attach the log copy.
    EXPECT_EQ(f.ctx.BuildAttachmentList(true), (std::vector<std::string>{"C:\\a.txt", "C:\\b.txt"}));
    EXPECT_EQ(f.ctx.BuildAttachmentList(false),
              (std::vector<std::string>{"C:\\a.txt", "C:\\b.txt", "C:\\Temp\\Tessaly.zvf"}));
    f.options.SetAppendLogs(false);
    f.options.SetAttachedFiles("");
    f.SetSend({sndSendScreenshot, sndSendXMLLogCopy, sndSendLastHTMLPage});
    // No screenshot taken and no page: only the log copy and the XML copy.
    EXPECT_EQ(f.ctx.BuildAttachmentList(true),
              (std::vector<std::string>{"C:\\Temp\\Tessaly.zvf", "C:\\Temp\\Tessaly.xml"}));
    f.ctx.ScreenshotTaken = true;
    f.ctx.LastHTMLPage = "<html></html>";
    EXPECT_EQ(f.ctx.BuildAttachmentList(true),
              (std::vector<std::string>{"C:\\Temp\\Tessaly.zvf", "C:\\Temp\\Screenshot.png",
                                        "C:\\Temp\\LastHTMLPage.html", "C:\\Temp\\Tessaly.xml"}));
    EXPECT_EQ(f.ctx.ZipFile(), "C:\\Temp\\BugReport.zip");
}

TEST(SendContext, WarningsKeepTheLastError) {
    Fixture f;
    std::vector<std::string> seen;
    f.ctx.Warning = [&](TZorvikLogErrorCode code, const std::string& m) { seen.push_back(ZorvikLogErrorCodeName(code) + ":" + m); };
    f.ctx.ReportWarning(eeEmailSMTPError, "[SMTP] refused");
    EXPECT_EQ(f.ctx.LastErrorCode, eeEmailSMTPError);
    EXPECT_EQ(seen, (std::vector<std::string>{"eeEmailSMTPError:[SMTP] refused"}));
    f.ctx.ClearLastError();
    EXPECT_EQ(f.ctx.LastErrorCode, eeNone);
    EXPECT_EQ(ZorvikLogErrorCodeName(eeWebTrakerError), "eeWebTrakerError");
}

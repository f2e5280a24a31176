#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "editor/crashreport/core/sending/SendReport.h"
#include "editor/crashreport/core/sending/tests/SmtpPeer.h"
#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "editor/crashreport/support/texts/MessageTypes.h"

namespace {

#define REQUIRE_PEER(peer)                  \
    if ((peer).Port == 0)                   \
        GTEST_SKIP() << (peer).Problem;

const char* const ReportText = "ZorvikLog 6.0.20\r\n\r\nApplication:\r\n-------------\r\n";

// One send as the processing hands it over: the log beside the "program" in
// a folder of the test, a temporary folder of its own, SMTP to the peer.
struct SendCase {
    TZorvikModuleOptions options{"Tessaly.exe"};
    TSendContext ctx;
    std::string folder, temp;
    std::vector<std::string> messages;

    SendCase(const std::string& name, uint16_t port) {
        options.DisableSharedDataWrite();
        folder = TestFolder("send_report_" + name);
        temp = folder + "temp\\";
        CreateDirectoryA(temp.c_str(), nullptr);
        options.SetEMailSendMode(esmSMTPClient);
        options.SetSMTPHost("127.0.0.1");
        options.SetSMTPPort(port);
        options.SetSMTPFrom("tessaly@example.test");
        options.SetEMailAddresses("bugs@example.test");
        options.SetEMailSubject("Crash report");
        options.SetEMailMessage("Body");
        options.SetWebSendMode(wsmNoSend);
        options.SetCommonSendOptions({sndShowSuccessFailureMsg});
        options.SetBehaviourOptions({boCopyLogInCaseOfError});
        ctx.Options = &options;
        ctx.ReportText = ReportText;
        ctx.LogTextToSend = ReportText;
        ctx.LogFile = folder + "Tessaly.zvf";
        ctx.TempFolder = temp;
        ctx.ComputerName = GetComputerNameText();
        ctx.ExceptionDate = 41354.2472222222;  // 21 Mar 2013 05:56:00
        ctx.ShowMessage = [this](const std::string& text, const std::string&, unsigned) { messages.push_back(text); };
        ctx.SaveTempXMLCopy = [] {};
    }
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((temp + "*").c_str(), &data);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(data.cFileName);
        } while (FindNextFileA(h, &data));
        FindClose(h);
        return names;
    }
};

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardTextForTest(const std::string& text) {
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// The attachment of a mail: its name and its bytes.
bool MailAttachment(const std::string& data, std::string& name, std::string& bytes) {
    const size_t at = data.find("filename=\"");
    if (at == std::string::npos)
        return false;
    const size_t end = data.find('"', at + 10);
    name = data.substr(at + 10, end - at - 10);
    const size_t start = data.find("\r\n\r\n", end) + 4;
    const size_t stop = data.find("\r\n--=_xcjvnxkbhvfkxzhfdbvzldjhfv--", start);
    std::string lines = data.substr(start, stop - start);
    lines.erase(std::remove(lines.begin(), lines.end(), '\r'), lines.end());
    lines.erase(std::remove(lines.begin(), lines.end(), '\n'), lines.end());
    bytes = Base64DecodeString(lines);
    return true;
}

bool IsDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TEST(SendReport, ArchiveOfTheReportByMail) {
    TSmtpPeer peer;
    REQUIRE_PEER(peer);
    SendCase s("archive", peer.Port);
    s.options.SetCommonSendOptions({sndShowSuccessFailureMsg, sndSendScreenshot, sndAddComputerNameInFileName,
                                    sndAddDateInFileName});
    s.options.SetZipPassword("s3cret");
    // Attached files as a user writes them: blanks and an empty entry.
    WriteTestFile("C:\\a.txt", "file a");
    WriteTestFile("C:\\b.txt", "file b");
    s.options.SetAttachedFiles("C:\\a.txt; ;C:\\b.txt;");
    s.ctx.ScreenshotTaken = true;
    WriteTestFile(s.temp + "Screenshot.png", "\x89PNG fake");
    std::vector<std::string> events;
    s.ctx.ActionNotify = [&](TZorvikActionType a, bool& execute) { events.push_back(std::to_string(a) + (execute ? "+" : "-")); };

    EXPECT_TRUE(SendReport(s.ctx));
    DeleteFileA("C:\\a.txt");
    DeleteFileA("C:\\b.txt");
    EXPECT_EQ(s.messages, (std::vector<std::string>{"The message was sent successfully."}));
    EXPECT_EQ(events, (std::vector<std::string>{std::to_string(atSendingEmail) + "+", std::to_string(atSentEmail) + "+"}));
    ASSERT_EQ(peer.Connections(), 1);

    std::string name, bytes;
    ASSERT_TRUE(MailAttachment(peer.Data(1), name, bytes));
    const std::string prefix = "BugReport__" + GetComputerNameText() + "__";
    ASSERT_EQ(name.rfind(prefix, 0), 0u) << name;
    const std::string date = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    EXPECT_EQ(date, "20130321055600");
    EXPECT_TRUE(IsDigits(date));
    EXPECT_EQ(name.substr(name.size() - 4), ".zip");

    // The archive opens with the password, by an independent reader.
    const std::string zip = s.folder + "received.zip";
    WriteTestFile(zip, bytes);
    const std::string out = s.folder + "unpacked\\";
    std::string listing;
    ASSERT_EQ(RunShell("unzip -o -P s3cret " + UnixPath(zip) + " -d " + UnixPath(out) + " && ls " + UnixPath(out),
                       listing),
              0)
        << listing;
    EXPECT_NE(listing.find("Screenshot.png"), std::string::npos);
    EXPECT_EQ(ReadTestFile(out + "a.txt"), "file a");
    EXPECT_EQ(ReadTestFile(out + "b.txt"), "file b");
    EXPECT_EQ(ReadTestFile(out + "Tessaly.zvf"), std::string(ReportText) + "\r\n\r\n\r\n");
    EXPECT_EQ(ReadTestFile(out + "Screenshot.png"), "\x89PNG fake");
    std::string refused;
    EXPECT_NE(RunShell("unzip -o -P wrong " + UnixPath(zip) + " -d " + UnixPath(s.folder + "wrong"), refused), 0);

    // The log copy and the archive are gone; the screenshot waits for the
    // auto-crash step.
    EXPECT_EQ(s.TempFiles(), (std::vector<std::string>{"Screenshot.png"}));
    CheckAutoCrash(s.ctx, {}, nullptr);
    EXPECT_TRUE(s.TempFiles().empty());
}

TEST(SendReport, OneRecipientRefusedStillSucceeds) {
    TSmtpPeer peer({"1:RCPT=550"});
    REQUIRE_PEER(peer);
    SendCase s("two_recipients", peer.Port);
    s.options.SetEMailAddresses("a@x.test;b@x.test");
    EXPECT_TRUE(SendReport(s.ctx));
    EXPECT_EQ(peer.Connections(), 2);
    EXPECT_EQ(s.messages, (std::vector<std::string>{"The message was sent successfully."}));
}

TEST(SendReport, ErrorHandlerRetriesOnce) {
    TSmtpPeer peer({"1:GREETING=554"});
    REQUIRE_PEER(peer);
    SendCase s("retry", peer.Port);
    int errors = 0;
    s.ctx.ErrorNotify = [&](TZorvikActionType a, bool& retry) {
        EXPECT_EQ(a, atSentEmail);
        retry = ++errors == 1;
    };
    EXPECT_TRUE(SendReport(s.ctx));
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(peer.Connections(), 2);
    EXPECT_FALSE(peer.Data(2).empty());
    EXPECT_EQ(s.messages, (std::vector<std::string>{"The message was sent successfully."}));
}

TEST(SendReport, ClearedExecuteSkipsTheMail) {
    TSmtpPeer peer;
    REQUIRE_PEER(peer);
    SendCase s("cleared", peer.Port);
    SetClipboardTextForTest("before");
    s.ctx.ActionNotify = [](TZorvikActionType a, bool& execute) {
        if (a == atSendingEmail)
            execute = false;
    };
    EXPECT_FALSE(SendReport(s.ctx));
    EXPECT_EQ(peer.Connections(), 0);
    EXPECT_EQ(s.messages, (std::vector<std::string>{"Sorry, sending the message didn't work."}));
    EXPECT_EQ(ClipboardText(), ReportText);
    EXPECT_TRUE(s.TempFiles().empty());
}

TEST(SendReport, SavedCopiesOfFailedSends) {
    uint16_t deadPort = 0;
    {
        TSmtpPeer peer;
        REQUIRE_PEER(peer);
        deadPort = peer.Port;
    }
    SendCase s("saved_copies", deadPort);
    s.options.SetCommonSendOptions({sndAddDateInFileName});
    s.options.SetBehaviourOptions({boSaveCompressedCopyInCaseOfError});
    // Twelve older copies and a zip that is not ours.
    for (int i = 0; i < 12; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "BugReport__201201%02d000000.zip", i + 1);
        WriteTestFile(s.folder + name, "old");
    }
    WriteTestFile(s.folder + "keep.zip", "mine");
    EXPECT_FALSE(SendReport(s.ctx));
    EXPECT_EQ(s.ctx.LastErrorCode, eeEmailSMTPError);
    std::vector<std::string> zips;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((s.folder + "*.zip").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do
        zips.push_back(data.cFileName);
    while (FindNextFileA(h, &data));
    FindClose(h);
    std::sort(zips.begin(), zips.end());
    std::vector<std::string> expected;
    for (int i = 4; i <= 12; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "BugReport__201201%02d000000.zip", i);
        expected.push_back(name);
    }
    expected.push_back("BugReport__20130321055600.zip");
    expected.push_back("keep.zip");
    EXPECT_EQ(zips, expected);
    EXPECT_TRUE(s.TempFiles().empty());
}

TEST(SendReport, NothingToSendMakesNoArchive) {
    SendCase s("nothing", 1);
    s.options.SetEMailSendMode(esmNoSend);
    s.options.SetCommonSendOptions({});
    std::vector<std::string> seen;
    s.ctx.AttachedFilesRequest = [&](TStrings&) { seen.push_back("files"); };
    EXPECT_TRUE(SendReport(s.ctx));
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(s.TempFiles().empty());
    EXPECT_TRUE(s.ctx.AttachedFiles.empty());
}

// The auto-crash rule ends the process: the test runs itself again as a
// child that applies the rule to its crash times (a disabled case, which only
// that child runs).
TEST(AutoCrashChild, DISABLED_Apply) {
    const char* n = std::getenv("TQ_AUTOCRASH_CHILD");
    ASSERT_NE(n, nullptr);
    TZorvikModuleOptions options("Tessaly.exe");
    options.DisableSharedDataWrite();
    options.SetAutoCrashOperation(tbTerminate);
    options.SetAutoCrashNumber(3);
    options.SetAutoCrashMinutes(1);
    TSendContext ctx;
    ctx.Options = &options;
    std::vector<double> times;
    for (int i = 0; i < std::atoi(n); ++i)
        times.push_back(46000 + i * 10.0 / 86400);
    CheckAutoCrash(ctx, times, nullptr);
}

TEST(SendReport, AutoCrashTerminates) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    for (const char* crashes : {"3", "2"}) {
        SetEnvironmentVariableA("TQ_AUTOCRASH_CHILD", crashes);
        std::string command = std::string("\"") + self + "\" --gtest_also_run_disabled_tests --gtest_filter=AutoCrashChild.DISABLED_Apply";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        WaitForSingleObject(pi.hProcess, 60000);
        DWORD code = 99;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        // Three crashes within a minute end the program with exit code 1;
        // two keep it running to its normal end.
        EXPECT_EQ(code, crashes[0] == '3' ? 1u : 0u) << crashes;
    }
    SetEnvironmentVariableA("TQ_AUTOCRASH_CHILD", nullptr);
}

// The crash-report component end to end: Tessaly.exe runs with a test copy
// of its options (TESSALY_TEST_CRASH_OPTIONS: mail by SMTP to the tests'
// loopback peer, the dialog closing itself after 2 s) and crashes through its
// test seam. Nobody touches the dialog: it shows, closes itself, and the
// report arrives by mail. The mail is unpacked by Python's own readers (email,
// zipfile); the log copy inside names the editor's source file, procedure and
// line of the crash, and the screenshot inside is a picture ImageMagick reads.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <string>

#include "ErrorDialogFinder.h"
#include "TessalyRunner.h"
#include "editor/crashreport/core/sending/tests/SmtpPeer.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "framework/testing/GuiTest.h"

namespace {

std::string ReportDataFile(const std::string& name)
{
    const char* source = std::getenv("TQ_SOURCE_DIR");
    std::string path = std::string(source ? source : ".") + "\\editor\\crashreport\\core\\report\\tests\\data\\" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

struct MailedCrash {
    std::string problem;     // why the run could not happen (a skip)
    DWORD exitCode = STILL_ACTIVE;
    bool dialogShown = false;
    bool dialogClosedItself = false;
    int connections = 0;
    std::string commands;    // the peer's command lines, for messages
    std::string unpacked;    // what the unpacker printed
    int unpackStatus = -1;
    std::string folder;      // the members of the zip are here
    std::string logCopy;     // the text of the zip's log copy
    std::string screenshot;  // the path of the zip's screenshot, if any
};

bool MailComplete(const TSmtpPeer& peer)
{
    if (peer.Connections() < 1)
        return false;
    const std::string data = peer.Data(1);
    return data.size() >= 5 && data.compare(data.size() - 5, 5, "\r\n.\r\n") == 0;
}

// Runs the editor once with the crash `kind` and the test options, and
// unpacks the mail the peer received.
MailedCrash RunMailedCrash(const std::string& kind, bool survives)
{
    MailedCrash run;
    TSmtpPeer peer;
    if (peer.Port == 0) {
        run.problem = peer.Problem;
        return run;
    }
    run.folder = TestFolder("tessaly_mail_" + kind);

    TZorvikModuleOptions options("Tessaly.exe");
    options.SetExceptionDialogType(edtMSClassic);
    options.SetAutoCloseDialogSecs(2);
    MailToPeer(options, peer.Port);
    // Sent without asking, with the screenshot.
    options.SetCommonSendOptions({sndSendScreenshot});
    // The log goes to the test's folder, not beside the editor.
    const std::string optionFile = SaveTestOptions(options, run.folder);
    PROCESS_INFORMATION pi{};
    if (!StartTessaly(pi, kind, optionFile))
        return run;
    // Watch only: the dialog must close by itself. At most 40 s.
    for (int i = 0; i < 400; ++i) {
        const HWND dialog = FindErrorDialog(pi.dwProcessId);
        if (dialog && !run.dialogShown) {
            run.dialogShown = true;
            guitest::SaveScreenshot(dialog, guitest::ScreenshotPath("crash_tessaly_mail_dialog_" + kind));
        }
        if (!dialog && run.dialogShown)
            run.dialogClosedItself = true;
        const bool ended = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
        if ((survives && MailComplete(peer) && run.dialogClosedItself) || ended)
            break;
        Sleep(100);
    }
    // A moment for a send still closing its connection.
    for (int i = 0; i < 20 && !MailComplete(peer); ++i)
        Sleep(100);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    if (run.exitCode == STILL_ACTIVE) {
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
    } else {
        WaitForSingleObject(pi.hProcess, 10000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    run.connections = peer.Connections();
    for (const std::string& line : peer.Commands(1))
        run.commands += line + "\n";
    if (!MailComplete(peer))
        return run;
    const std::string mail = run.folder + "received.eml";
    WriteTestFile(mail, peer.Data(1));
    const std::string out = run.folder + "unpacked\\";
    run.unpackStatus = RunShell("python3 " + Quoted(UnixPath(ReportDataFile("unpack_mail.py"))) + " " +
                                    Quoted(UnixPath(mail)) + " " + Quoted(UnixPath(out)),
                                run.unpacked);
    std::smatch m;
    std::string rest = run.unpacked;
    static const std::regex entry("ENTRY ([^\\r\\n]+)");
    while (std::regex_search(rest, m, entry)) {
        const std::string name = m[1];
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zvf") == 0)
            run.logCopy = ReadTestFile(out + name);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0)
            run.screenshot = out + name;
        rest = m.suffix();
    }
    return run;
}

const MailedCrash& Crash(const std::string& kind, bool survives)
{
    static std::map<std::string, MailedCrash> runs;
    auto found = runs.find(kind);
    if (found == runs.end())
        found = runs.emplace(kind, RunMailedCrash(kind, survives)).first;
    return found->second;
}

// A call-stack row of the log copy: the editor's module, the seam's source
// file, the procedure and a line number.
bool HasSeamRow(const std::string& report, const std::string& procedure)
{
    return HasEditorRow(report, "CrashTestSeam.cpp", procedure);
}

std::string CallStackOf(const std::string& report)
{
    const size_t at = report.find("Call Stack Information");
    return at == std::string::npos ? report.substr(0, 2000) : report.substr(at, 2000);
}

#define REQUIRE_RUN(run)                   \
    do {                                   \
        if (!(run).problem.empty())        \
            GTEST_SKIP() << (run).problem; \
    } while (0)

struct CrashCase {
    const char* kind;
    const char* procedure;  // where the fault happens
    bool editorGoesOn;
};

class TessalyMailedCrash : public testing::TestWithParam<CrashCase> {};

TEST_P(TessalyMailedCrash, TheDialogClosesItselfAndTheReportArrivesByMail)
{
    const MailedCrash& run = Crash(GetParam().kind, GetParam().editorGoesOn);
    REQUIRE_RUN(run);
    EXPECT_TRUE(run.dialogShown);
    EXPECT_TRUE(run.dialogClosedItself);
    if (GetParam().editorGoesOn)
        EXPECT_EQ(run.exitCode, STILL_ACTIVE);
    else
        EXPECT_EQ(run.exitCode, 1u);
    ASSERT_EQ(run.connections, 1) << run.commands;
    EXPECT_NE(run.commands.find("RCPT TO:<bugs@example.test>"), std::string::npos) << run.commands;
    ASSERT_EQ(run.unpackStatus, 0) << run.unpacked;
    EXPECT_NE(run.unpacked.find("ATTACHMENT "), std::string::npos) << run.unpacked;
}

TEST_P(TessalyMailedCrash, TheLogCopyNamesTheEditorsSourceProcedureAndLine)
{
    const MailedCrash& run = Crash(GetParam().kind, GetParam().editorGoesOn);
    REQUIRE_RUN(run);
    ASSERT_FALSE(run.logCopy.empty()) << run.unpacked;
    EXPECT_EQ(run.logCopy.rfind("ZorvikLog 6.0.20\r\n", 0), 0u);
    EXPECT_TRUE(HasSeamRow(run.logCopy, GetParam().procedure)) << CallStackOf(run.logCopy);
    EXPECT_TRUE(HasSeamRow(run.logCopy, "ProvokeTestCrash")) << CallStackOf(run.logCopy);
}

TEST_P(TessalyMailedCrash, TheScreenshotIsAPicture)
{
    const MailedCrash& run = Crash(GetParam().kind, GetParam().editorGoesOn);
    REQUIRE_RUN(run);
    ASSERT_FALSE(run.screenshot.empty()) << run.unpacked;
    std::string found;
    if (RunShell("command -v identify", found) != 0)
        GTEST_SKIP() << "ImageMagick's identify is missing";
    std::string described;
    ASSERT_EQ(RunShell("identify " + Quoted(UnixPath(run.screenshot)), described), 0) << described;
    EXPECT_NE(described.find(" PNG "), std::string::npos) << described;
}

INSTANTIATE_TEST_SUITE_P(Crashes, TessalyMailedCrash,
                         testing::Values(CrashCase{"exception", "ThrowTestException", true},
                                         CrashCase{"access-violation", "WriteToAddressZero", false}),
                         [](const testing::TestParamInfo<CrashCase>& info) {
                             return std::string(info.param.kind) == "exception" ? "Exception" : "AccessViolation";
                         });

}  // namespace

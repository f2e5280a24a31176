// What the user chooses in the error dialog of a crashed Tessaly.exe, and
// how the crash ends the editor: the e-mail address typed in, Terminate and
// Restart, and the auto-crash rule and a chosen termination run after a
// send in a thread of its own. The editor runs with a test copy of
// its options (TESSALY_TEST_CRASH_OPTIONS) and crashes through its test seam
// (TESSALY_TEST_CRASH); the seam notes the folder each editor started in
// (TESSALY_TEST_CRASH_NOTE) and moves away from it before the crash. The
// test clicks the dialog's controls as a person would.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "editor/crashreport/core/report/tests/ErrorDialogFinder.h"
#include "editor/crashreport/core/report/tests/TessalyRunner.h"
#include "editor/crashreport/core/sending/tests/SmtpPeer.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "framework/testing/GuiTest.h"

namespace {

// One editor started with the notes of the editors it led to.
struct TStarted {
    DWORD Process = 0;
    std::string Folder;
};

struct EndedRun {
    DWORD exitCode = STILL_ACTIVE;
    bool dialogShown = false;
    std::vector<TStarted> started;  // from the seam's notes, in order
    std::string startFolder;        // where the test started the editor
};

std::vector<TStarted> ReadNotes(const std::string& file)
{
    std::vector<TStarted> started;
    std::istringstream lines(ReadTestFile(file));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("started ", 0) != 0)
            continue;
        const size_t blank = line.find(' ', 8);
        if (blank == std::string::npos)
            continue;
        started.push_back({static_cast<DWORD>(std::strtoul(line.substr(8, blank - 8).c_str(), nullptr, 10)),
                           line.substr(blank + 1)});
    }
    return started;
}

void EndProcess(DWORD id)
{
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        TerminateProcess(p, 0);
        WaitForSingleObject(p, 10000);
        CloseHandle(p);
    }
}

// How the run is to end: the editor ends; it ends and a new editor
// follows; it goes on after its dialog.
enum class TEnd { Ends, Restarts, Survives };

// Runs the editor with the options until it ends (at most 40 s); `drive`
// gets its error dialog once it is up. An editor that follows a restart is
// waited for and ended; one that survives is ended 2 s after its dialog.
EndedRun RunEditor(const std::string& name, TZorvikModuleOptions& options,
                   const std::function<void(HWND dialog)>& drive, TEnd end = TEnd::Ends)
{
    EndedRun run;
    const std::string folder = TestFolder("tessaly_end_" + name);
    run.startFolder = folder.substr(0, folder.size() - 1);
    const std::string optionFile = SaveTestOptions(options, folder);
    const std::string notes = folder + "started.txt";
    PROCESS_INFORMATION pi{};
    if (!StartTessaly(pi, "exception", optionFile, notes, run.startFolder))
        return run;
    for (int i = 0; i < 400 && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT; ++i) {
        if (run.dialogShown || !drive)
            continue;
        if (const HWND dialog = FindErrorDialog(pi.dwProcessId)) {
            run.dialogShown = true;
            Sleep(500);
            drive(dialog);
            if (end == TEnd::Survives) {
                WaitForSingleObject(pi.hProcess, 2000);
                break;
            }
        }
    }
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    if (end == TEnd::Survives && run.exitCode == STILL_ACTIVE) {
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
    } else if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 99);
        WaitForSingleObject(pi.hProcess, 10000);
        ADD_FAILURE() << "Tessaly.exe did not end";
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The editor that follows a restart notes itself once it runs.
    for (int i = 0; end == TEnd::Restarts && i < 300 && ReadNotes(notes).size() < 2; ++i)
        Sleep(100);
    run.started = ReadNotes(notes);
    for (size_t i = 1; i < run.started.size(); ++i)
        EndProcess(run.started[i].Process);
    return run;
}

// The dialog stands in front of the editor's own windows: its middle is
// the dialog's.
bool InFront(HWND dialog)
{
    RECT r;
    GetWindowRect(dialog, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return GetAncestor(WindowFromPoint(middle), GA_ROOT) == dialog;
}

void Click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool WaitChecked(HWND dialog, int id)
{
    for (int i = 0; i < 100; ++i) {
        if (SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED)
            return true;
        Sleep(20);
    }
    return false;
}

// The options of every run: the dialog closes itself after a while should
// the test not reach it, and Terminate or Restart shows from the first error.
void CommonOptions(TZorvikModuleOptions& o, TExceptionDialogType dialog, TTerminateBtnOperation operation)
{
    o.SetExceptionDialogType(dialog);
    o.SetAutoCloseDialogSecs(15);
    o.SetTerminateBtnOperation(operation);
    o.SetErrorsNumberToShowTerminateBtn(0);
    o.SetEMailSendMode(esmNoSend);
    o.SetCommonSendOptions({});
}

// The classic dialog's check box (Terminate or Restart), then its OK.
std::function<void(HWND)> CheckAndClose(const std::string& screenshot, std::string& boxText)
{
    return [screenshot, &boxText](HWND dialog) {
        const HWND box = GetDlgItem(dialog, 104);
        if (!box || !IsWindowVisible(box)) {
            ADD_FAILURE() << "no Terminate or Restart check box";
            return;
        }
        boxText = guitest::WindowText(box);
        EXPECT_TRUE(InFront(dialog));
        Click(dialog, 104);
        EXPECT_TRUE(WaitChecked(dialog, 104));
        Sleep(200);
        guitest::SaveScreenshot(dialog, guitest::ScreenshotPath(screenshot));
        Click(dialog, IsWindowVisible(GetDlgItem(dialog, 1000)) ? 1000 : 1001);
    };
}

TEST(TessalyChoices, TheClassicDialogsTerminateEndsTheEditorWithCode1)
{
    TZorvikModuleOptions options("Tessaly.exe");
    CommonOptions(options, edtMSClassic, tbTerminate);
    std::string box;
    const EndedRun run = RunEditor("classic_terminate", options, CheckAndClose("crash_tessaly_terminate_checked", box));
    EXPECT_TRUE(run.dialogShown);
    EXPECT_EQ(box, "Terminate application.");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.started.size(), 1u);
}

TEST(TessalyChoices, TheDetailedDialogsTerminateButtonEndsTheEditorWithCode1)
{
    TZorvikModuleOptions options("Tessaly.exe");
    CommonOptions(options, edtZorvikLog, tbTerminate);
    std::string caption;
    const EndedRun run = RunEditor("detailed_terminate", options, [&caption](HWND dialog) {
        const HWND button = GetDlgItem(dialog, 103);
        ASSERT_TRUE(button && IsWindowVisible(button));
        caption = guitest::WindowText(button);
        // The dialog lays itself out and paints its compact form first.
        Sleep(1000);
        EXPECT_TRUE(InFront(dialog));
        guitest::SaveScreenshot(dialog, guitest::ScreenshotPath("crash_tessaly_detailed_terminate"));
        Click(dialog, 103);
    });
    EXPECT_TRUE(run.dialogShown);
    EXPECT_EQ(caption, "&Terminate");
    EXPECT_EQ(run.exitCode, 1u);
}

TEST(TessalyChoices, RestartStartsTheEditorAgainInItsStartFolderAndTheFirstEnds)
{
    TZorvikModuleOptions options("Tessaly.exe");
    CommonOptions(options, edtMSClassic, tbRestart);
    std::string box;
    const EndedRun run =
        RunEditor("classic_restart", options, CheckAndClose("crash_tessaly_restart_checked", box), TEnd::Restarts);
    EXPECT_TRUE(run.dialogShown);
    EXPECT_EQ(box, "Restart application.");
    EXPECT_EQ(run.exitCode, 1u);
    ASSERT_EQ(run.started.size(), 2u);
    EXPECT_NE(run.started[1].Process, run.started[0].Process);
    // Both in the folder the first started in, although the first had moved
    // to the temporary folder before its crash.
    EXPECT_EQ(run.started[0].Folder, run.startFolder);
    EXPECT_EQ(run.started[1].Folder, run.startFolder);
}

TEST(TessalyChoices, EscapeRestartsNothing)
{
    TZorvikModuleOptions options("Tessaly.exe");
    CommonOptions(options, edtMSClassic, tbRestart);
    // The box checked, then the dialog cancelled: the editor goes on alone.
    bool closed = false;
    const EndedRun run = RunEditor(
        "classic_escape", options,
        [&closed](HWND dialog) {
            Click(dialog, 104);
            EXPECT_TRUE(WaitChecked(dialog, 104));
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            for (int i = 0; i < 100 && IsWindow(dialog); ++i)
                Sleep(50);
            closed = !IsWindow(dialog);
        },
        TEnd::Survives);
    EXPECT_TRUE(closed);
    EXPECT_EQ(run.exitCode, STILL_ACTIVE);
    EXPECT_EQ(run.started.size(), 1u);
}

bool MailComplete(const TSmtpPeer& peer)
{
    if (peer.Connections() < 1)
        return false;
    const std::string data = peer.Data(1);
    return data.size() >= 5 && data.compare(data.size() - 5, 5, "\r\n.\r\n") == 0;
}

void MailOptions(TZorvikModuleOptions& o, const TSmtpPeer& peer)
{
    MailToPeer(o, peer.Port);
    o.SetCommonSendOptions({sndSendInSeparatedThread});
}

// A send in a thread of its own: the processing ends before it, and the
// thread runs what follows the send. The mail is complete before the editor
// ends.
TEST(TessalyChoices, AfterASendInItsOwnThreadTheAutoCrashRuleEndsTheEditor)
{
    TSmtpPeer peer;
    if (peer.Port == 0)
        GTEST_SKIP() << peer.Problem;
    TZorvikModuleOptions options("Tessaly.exe");
    CommonOptions(options, edtNone, tbNone);
    MailOptions(options, peer);
    // One crash within a minute is all the rule allows.
    options.SetAutoCrashOperation(tbTerminate);
    options.SetAutoCrashNumber(1);
    options.SetAutoCrashMinutes(1);
    const EndedRun run = RunEditor("thread_autocrash", options, nullptr);
    EXPECT_EQ(run.exitCode, 1u);
    for (int i = 0; i < 20 && !MailComplete(peer); ++i)
        Sleep(100);
    EXPECT_TRUE(MailComplete(peer));
}

TEST(TessalyChoices, AfterASendInItsOwnThreadTheDialogsTerminateEndsTheEditor)
{
    TSmtpPeer peer;
    if (peer.Port == 0)
        GTEST_SKIP() << peer.Problem;
    TZorvikModuleOptions options("Tessaly.exe");
    CommonOptions(options, edtMSClassic, tbTerminate);
    MailOptions(options, peer);
    std::string box;
    const EndedRun run = RunEditor("thread_terminate", options, CheckAndClose("crash_tessaly_terminate_send", box));
    EXPECT_EQ(run.exitCode, 1u);
    for (int i = 0; i < 20 && !MailComplete(peer); ++i)
        Sleep(100);
    EXPECT_TRUE(MailComplete(peer));
}

// The address typed into the classic dialog is the mail's sender and the
// e-mail line of the report the mail carries in its body.
TEST(TessalyChoices, TheEmailTypedInGoesIntoTheReportAndIsTheSender)
{
    TSmtpPeer peer;
    if (peer.Port == 0)
        GTEST_SKIP() << peer.Problem;
    TZorvikModuleOptions options("Tessaly.exe");
    CommonOptions(options, edtMSClassic, tbNone);
    MailOptions(options, peer);
    options.SetAppendLogs(true);
    const EndedRun run = RunEditor(
        "email", options,
        [&peer](HWND dialog) {
            const HWND email = GetDlgItem(dialog, 111);
            ASSERT_TRUE(email && IsWindowVisible(email));
            SendMessageA(email, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(" me@x.test "));
            Click(dialog, 1000);
            for (int i = 0; i < 100 && !MailComplete(peer); ++i)
                Sleep(100);
        },
        TEnd::Survives);
    EXPECT_EQ(run.exitCode, STILL_ACTIVE);
    ASSERT_TRUE(MailComplete(peer));
    const std::vector<std::string> commands = peer.Commands(1);
    EXPECT_NE(std::find(commands.begin(), commands.end(), "MAIL FROM:<me@x.test>"), commands.end());
    const std::string r = peer.Data(1);
    const size_t line = r.find("\r\n  3.3 ");
    ASSERT_NE(line, std::string::npos) << r.substr(0, 1500);
    const std::string text = r.substr(line + 2, r.find("\r\n", line + 2) - line - 2);
    EXPECT_NE(text.find("Email"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.find(": ") + 2), "me@x.test") << text;
}

}  // namespace

// Faults of Tessaly.exe that once ended without a report or with the
// framework's plain message box: an exception while the windows are made,
// a stack overflow, a frozen main thread whose window is minimised, and a
// second exception in the thread whose first is being processed. The editor
// crashes through its test seam with test options; the report is read from
// the log.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ErrorDialogFinder.h"
#include "TessalyRunner.h"

namespace {

// Options without a dialog: the report goes to the log only.
void QuietOptions(TZorvikModuleOptions& o)
{
    o.SetExceptionDialogType(edtNone);
    o.SetEMailSendMode(esmNoSend);
    o.SetWebSendMode(wsmNoSend);
    o.SetCommonSendOptions({});
    o.SetSaveLogFile(true);
    o.SetTerminateBtnOperation(tbNone);
}

// Notes whether the framework's message box (captioned with the program's
// title) ever showed.
struct TMessageBoxWatch {
    bool Seen = false;
    void Look(DWORD process)
    {
        if (process && FindProcessDialog(process, "Tessaly"))
            Seen = true;
    }
};

TEST(TessalyHardFaults, AnExceptionInTheMainWindowsConstructorIsReportedAndEndsTheEditorWithCode1)
{
    TZorvikModuleOptions options("Tessaly.exe");
    QuietOptions(options);
    TMessageBoxWatch box;
    TTessalyRunSteps steps;
    steps.Done = [&box](const TTessalyRun& run) {
        box.Look(run.ProcessId);
        return box.Seen;
    };
    const TTessalyRun run = RunTessalyFault("main_window", "main-window", options, steps);
    ASSERT_NE(run.ProcessId, 0u) << "Tessaly.exe did not start";
    EXPECT_FALSE(box.Seen);
    EXPECT_EQ(run.ExitCode, 1u);
    ASSERT_EQ(run.Reports.size(), 1u);
    const std::string& r = run.Reports[0];
    EXPECT_NE(r.find("  2.6 Message       : Test crash of the crash-report component."), std::string::npos);
    EXPECT_TRUE(HasEditorRow(r, "MainForm.cpp", "TMainForm")) << CallStackSection(r);
    EXPECT_TRUE(HasEditorRow(r, "CrashTestSeam.cpp", "ThrowTestException")) << CallStackSection(r);
}

TEST(TessalyHardFaults, AStackOverflowIsReportedAndEndsTheEditorWithCode1)
{
    TZorvikModuleOptions options("Tessaly.exe");
    QuietOptions(options);
    const TTessalyRun run = RunTessalyFault("stack_overflow", "stack-overflow", options, {});
    ASSERT_NE(run.ProcessId, 0u) << "Tessaly.exe did not start";
    EXPECT_EQ(run.ExitCode, 1u);
    ASSERT_EQ(run.Reports.size(), 1u);
    const std::string& r = run.Reports[0];
    EXPECT_NE(r.find("  2.5 Type          : EStackOverflow"), std::string::npos) << r.substr(0, 1500);
    EXPECT_TRUE(HasEditorRow(r, "CrashTestSeam.cpp", "RecurseWithoutEnd")) << CallStackSection(r);
}

// The report restores the minimised main window without waiting for its
// hung thread: the dialog shows (and closes itself) and the report is logged.
TEST(TessalyHardFaults, AFrozenMainThreadWithItsWindowMinimisedIsReported)
{
    TZorvikModuleOptions options("Tessaly.exe");
    QuietOptions(options);
    options.SetExceptionDialogType(edtMSClassic);
    options.SetAutoCloseDialogSecs(2);
    options.SetFreezeActivate(true);
    options.SetFreezeTimeout(2);
    TTessalyRunSteps steps;
    steps.Done = [](const TTessalyRun& run) { return !run.Reports.empty(); };
    const TTessalyRun run = RunTessalyFault("freeze_minimised", "freeze", options, steps);
    ASSERT_NE(run.ProcessId, 0u) << "Tessaly.exe did not start";
    EXPECT_TRUE(run.DialogShown);
    ASSERT_FALSE(run.Reports.empty());
    const std::string& r = run.Reports[0];
    EXPECT_NE(r.find("  2.5 Type          : EFrozenApplication"), std::string::npos) << r.substr(0, 1500);
    EXPECT_TRUE(HasEditorRow(r, "CrashTestSeam.cpp", "FreezeMinimised")) << CallStackSection(r);
}

// The waiting main thread answers the second message of the seam while its
// first exception is processed: that second exception is neither reported
// nor shown in the framework's message box.
TEST(TessalyHardFaults, ASecondExceptionDuringTheProcessingIsNeitherReportedNorShown)
{
    TZorvikModuleOptions options("Tessaly.exe");
    QuietOptions(options);
    options.SetExceptionDialogType(edtMSClassic);
    options.SetAutoCloseDialogSecs(20);
    TMessageBoxWatch box;
    TTessalyRunSteps steps;
    bool closed = false;
    steps.Drive = [&](HWND dialog) {
        DWORD process = 0;
        GetWindowThreadProcessId(dialog, &process);
        for (int i = 0; i < 20; ++i) {
            box.Look(process);
            Sleep(100);
        }
        PostMessageA(GetDlgItem(dialog, 1001), BM_CLICK, 0, 0);
        for (int i = 0; i < 100 && IsWindow(dialog); ++i)
            Sleep(50);
        closed = !IsWindow(dialog);
    };
    DWORD loggedAt = 0;
    steps.Done = [&](const TTessalyRun& run) {
        box.Look(run.ProcessId);
        if (run.Reports.empty())
            return false;
        if (!loggedAt)
            loggedAt = GetTickCount();
        return GetTickCount() - loggedAt > 2000;
    };
    const TTessalyRun run = RunTessalyFault("second_exception", "second-exception", options, steps);
    ASSERT_NE(run.ProcessId, 0u) << "Tessaly.exe did not start";
    EXPECT_TRUE(run.DialogShown);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(box.Seen);
    EXPECT_EQ(run.Reports.size(), 1u);
    EXPECT_EQ(run.ExitCode, STILL_ACTIVE);
}

}  // namespace

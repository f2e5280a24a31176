// A crash of Tessaly.exe itself, provoked through its test seam (the
// variable TESSALY_TEST_CRASH read at start-up): the report lands in the
// editor's log, and its call stack names the editor's own source files and
// lines. The editor shows its error dialog first: the test closes it with its
// OK button, as a person would.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ErrorDialogFinder.h"
#include "TessalyRunner.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "framework/testing/GuiTest.h"

namespace {

std::vector<std::string> LogReports(const std::string& name)
{
    std::vector<std::string> reports;
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES)
        return reports;
    TLogFile log(name, true);
    for (int32_t i = 0; i < log.GetCount(); ++i)
        reports.push_back(log.GetItem(i));
    return reports;
}

// The call-stack row of the procedure in the seam's source file.
bool HasSeamRow(const std::string& report, const std::string& procedure)
{
    return HasEditorRow(report, "CrashTestSeam.cpp", procedure);
}

// The cells of the modules table's row for `name`; empty when it has none.
std::vector<std::string> ModuleRow(const std::string& report, const std::string& name)
{
    std::vector<std::string> cells;
    size_t at = report.find("Modules Information:");
    if (at == std::string::npos)
        return cells;
    const size_t end = report.find("\r\n\r\n", at);
    at = report.find("|" + name + " ", at);
    if (at == std::string::npos || at > end)
        return cells;
    at = report.rfind("\r\n", at) + 2;
    const std::string line = report.substr(at, report.find("\r\n", at) - at);
    for (size_t p = 1, bar; (bar = line.find('|', p)) != std::string::npos; p = bar + 1) {
        std::string cell = line.substr(p, bar - p);
        cell.erase(cell.find_last_not_of(' ') + 1);
        cells.push_back(cell);
    }
    return cells;
}

struct TessalyRun {
    DWORD exitCode = STILL_ACTIVE;
    std::vector<std::string> reports;
    int dialogs = 0;             // error dialogs closed by the test
    std::string okCaption;       // the caption of the button it clicked
    bool screenshotSaved = false;
};

// The editor's error dialog when it is up: the first is photographed, then
// its OK button is clicked.
void CloseErrorDialog(const PROCESS_INFORMATION& pi, TessalyRun& run, const std::string& screenshot)
{
    const HWND dialog = FindErrorDialog(pi.dwProcessId);
    if (!dialog)
        return;
    const HWND ok = GetDlgItem(dialog, 1001);
    if (!ok || !IsWindowVisible(ok))
        return;
    Sleep(300);
    if (run.dialogs++ == 0) {
        run.screenshotSaved = guitest::SaveScreenshot(dialog, guitest::ScreenshotPath(screenshot));
        run.okCaption = guitest::WindowText(ok);
    }
    PostMessageA(ok, BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i)
        Sleep(50);
}

// Starts the editor with the seam set; waits for it to end, or, for a crash
// it survives, for the report to arrive, and then ends it.
TessalyRun RunTessaly(const std::string& kind, bool survives)
{
    TessalyRun run;
    const std::string log = TessalyBinaryFolder() + "Tessaly.zvf";
    DeleteFileA(log.c_str());
    PROCESS_INFORMATION pi{};
    if (!StartTessaly(pi, kind, ""))
        return run;
    const std::string screenshot = "crash_tessaly_dialog_" + kind;
    if (survives) {
        for (int i = 0; i < 600 && run.reports.empty(); ++i) {
            Sleep(100);
            CloseErrorDialog(pi, run, screenshot);
            run.reports = LogReports(log);
        }
        Sleep(300);
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
    } else {
        for (int i = 0; i < 600 && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT; ++i)
            CloseErrorDialog(pi, run, screenshot);
        if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(pi.hProcess, 99);
            ADD_FAILURE() << "Tessaly.exe did not end";
        }
        GetExitCodeProcess(pi.hProcess, &run.exitCode);
        run.reports = LogReports(log);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteFileA(log.c_str());
    return run;
}

TEST(TessalyCrash, AnExceptionIsReportedWithTheEditorsOwnSourceAndTheEditorGoesOn)
{
    const TessalyRun run = RunTessaly("exception", true);
    ASSERT_EQ(run.reports.size(), 1u);
    const std::string& r = run.reports[0];
    EXPECT_EQ(r.rfind("ZorvikLog 6.0.20\r\n\r\nApplication:", 0), 0u);
    EXPECT_NE(r.find("  2.6 Message       : Test crash of the crash-report component."), std::string::npos);
    // The call stack names the seam's source file with its lines.
    EXPECT_TRUE(HasSeamRow(r, "ThrowTestException")) << r.substr(r.find("Call Stack Information"), 2000);
    EXPECT_TRUE(HasSeamRow(r, "ProvokeTestCrash"));
    // The modules list names the editor with the version of its resources
    // and the size of its file.
    const std::vector<std::string> main = ModuleRow(r, "Tessaly.exe");
    ASSERT_GE(main.size(), 5u) << r.substr(r.find("Modules Information:"), 1000);
    EXPECT_EQ(main[1], "Tessaly.exe");
    EXPECT_EQ(main[3], "1.0.0.0");
    WIN32_FILE_ATTRIBUTE_DATA file{};
    ASSERT_TRUE(GetFileAttributesExA((TessalyBinaryFolder() + "Tessaly.exe").c_str(), GetFileExInfoStandard, &file));
    EXPECT_EQ(main[4], std::to_string(file.nFileSizeLow));
    EXPECT_EQ(run.exitCode, STILL_ACTIVE);
    // The classic dialog came first and was closed with its OK button.
    EXPECT_EQ(run.dialogs, 1);
    EXPECT_EQ(run.okCaption, "&OK");
    EXPECT_TRUE(run.screenshotSaved);
}

TEST(TessalyCrash, AnAccessViolationIsReportedAndEndsTheEditorWithCode1)
{
    const TessalyRun run = RunTessaly("access-violation", false);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.dialogs, 1);
    ASSERT_EQ(run.reports.size(), 1u);
    const std::string& r = run.reports[0];
    EXPECT_NE(r.find("  2.5 Type          : EAccessViolation"), std::string::npos);
    EXPECT_NE(r.find("in module 'Tessaly.exe'. Write of address 00000000."), std::string::npos);
    EXPECT_TRUE(HasSeamRow(r, "WriteToAddressZero")) << r.substr(r.find("Call Stack Information"), 2000);
    EXPECT_TRUE(HasSeamRow(r, "ProvokeTestCrash"));
}

}  // namespace

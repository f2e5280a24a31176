// The central entry and its processing in real processes under Wine: the
// probe makes a fault, the processing runs its steps in a thread of its own
// while the faulting thread waits and runs the events, and the program goes
// on (or ends with exit code 1 after an access violation).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/tests/ProbeRuns.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "framework/testing/GuiTest.h"

namespace {

TEST(Processing, AFrameworkExceptionRunsEveryStepAndTheProgramGoesOn)
{
    const ProbeRun run = RunProbe("boom");
    ASSERT_TRUE(run.Has("installed 1")) << Dump(run);
    // The report is made in the processing thread; the events run in the
    // faulting thread, the components last made first, then the variable.
    EXPECT_TRUE(run.Has("step build processing Exception|Boom")) << Dump(run);
    const int notify = run.Find("event component2");
    ASSERT_GE(notify, 0) << Dump(run);
    EXPECT_EQ(run.lines[notify + 1], "event component1");
    EXPECT_EQ(run.lines[notify + 2], "event global Exception Boom faulting");
    EXPECT_LT(run.Find("step build"), notify);
    EXPECT_LT(notify, run.Find("step screenshot processing"));
    EXPECT_TRUE(run.Has("step custom-data 1")) << Dump(run);
    // The dialog between its two action events, then the log, then the end.
    const int showing = run.Find("action 0 faulting");
    const int dialog = run.Find("step dialog 1 3");
    const int shown = run.Find("action 1 faulting");
    const int save = run.Find("step save report of Exception id ");
    ASSERT_GE(showing, 0) << Dump(run);
    EXPECT_LT(showing, dialog);
    EXPECT_LT(dialog, shown);
    EXPECT_LT(shown, save);
    EXPECT_LT(save, run.Find("step end"));
    const std::string id = run.lines[save].substr(run.lines[save].size() - 4);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos) << id;
    // The framework's own handling does not run; the program goes on.
    EXPECT_EQ(run.Find("framework-handling"), -1);
    EXPECT_TRUE(run.Has("alive"));
    EXPECT_TRUE(run.Has("finished"));
    EXPECT_EQ(run.exitCode, 0u);
}

TEST(Processing, OtherExceptionKindsReachTheReport)
{
    EXPECT_TRUE(RunProbe("int").Has("step build processing int|"));
    const ProbeRun manager = RunProbe("manager");
    EXPECT_TRUE(manager.Has("step build processing std::runtime_error|Direct")) << Dump(manager);
    EXPECT_TRUE(manager.Has("manager 0"));
    // Switched off, ExceptionManager reports nothing and lets the caller go on.
    EXPECT_TRUE(manager.Has("manager-off 1"));
    EXPECT_EQ(manager.Find("step build processing std::runtime_error|Off"), -1);
}

// In a console program the report goes to standard output instead of the
// dialog, and the program goes on.
TEST(Processing, AConsoleProgramWritesTheReportToStandardOutput)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string stdoutFile = std::string(temp) + "report_probe_console_stdout.txt";
    const ProbeRun run = RunProbe("boom", nullptr, stdoutFile);
    std::ifstream in(stdoutFile, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    DeleteFileA(stdoutFile.c_str());
    EXPECT_TRUE(run.Has("step build processing Exception|Boom")) << Dump(run);
    EXPECT_NE(written.find("report of Exception\r\n"), std::string::npos) << written;
    EXPECT_EQ(run.Find("step dialog"), -1) << Dump(run);
    // Shown on the console: the two action events around it, then the log.
    const int showing = run.Find("action 0 faulting");
    ASSERT_GE(showing, 0) << Dump(run);
    EXPECT_LT(showing, run.Find("action 1 faulting"));
    EXPECT_GE(run.Find("step save report of Exception"), 0);
    EXPECT_TRUE(run.Has("alive"));
    EXPECT_EQ(run.exitCode, 0u);
}

TEST(Processing, AnAccessViolationIsReportedAndEndsTheProgramWithCode1)
{
    const ProbeRun run = RunProbe("av");
    const int build = run.Find("step build processing EAccessViolation|Access violation at address ");
    ASSERT_GE(build, 0) << Dump(run);
    EXPECT_NE(run.lines[build].find(" in module 'crash_report_probe.exe'. Write of address 00000000"),
              std::string::npos)
        << run.lines[build];
    EXPECT_GE(run.Find("step save"), 0);
    EXPECT_FALSE(run.Has("alive"));
    EXPECT_EQ(run.exitCode, 1u);
}

TEST(Processing, NoReportForAbortsFiltersAndASwitchedOffCore)
{
    struct Case {
        const char* scenario;
        bool frameworkHandling;
    } cases[] = {{"abort", false}, {"filter-rtl", true}, {"filter-none", false}, {"switched-off", true}};
    for (const Case& c : cases) {
        const ProbeRun run = RunProbe(c.scenario);
        EXPECT_TRUE(run.Has("installed 1")) << c.scenario;
        EXPECT_EQ(run.Find("step build"), -1) << c.scenario << "\n" << Dump(run);
        EXPECT_EQ(run.Find("framework-handling Boom") >= 0, c.frameworkHandling) << c.scenario << "\n" << Dump(run);
        EXPECT_TRUE(run.Has("alive")) << c.scenario;
    }
}

TEST(Processing, AHandlerThatClearsHandledStopsTheRest)
{
    const ProbeRun run = RunProbe("stop");
    EXPECT_GE(run.Find("event global Exception Boom"), 0) << Dump(run);
    EXPECT_EQ(run.Find("step screenshot"), -1);
    EXPECT_EQ(run.Find("step save"), -1);
    EXPECT_EQ(run.Find("step dialog"), -1);
    EXPECT_TRUE(run.Has("alive"));
}

// The waiting faulting thread keeps windows painted but drops input and the
// quit message.
std::vector<UINT> received;
LRESULT CALLBACK NoteWindowProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m >= WM_KEYFIRST || m == WM_NCLBUTTONDOWN)
        received.push_back(m);
    return DefWindowProcA(h, m, w, l);
}

TEST(WaitingThread, PumpsElevenMessagesARoundAndDropsInput)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = NoteWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "WaitingPumpTest";
    RegisterClassA(&wc);
    HWND w = CreateWindowA("WaitingPumpTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(w, nullptr);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    received.clear();
    PostMessageA(w, WM_KEYDOWN, 'A', 0);
    PostMessageA(w, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(w, WM_NCLBUTTONDOWN, 0, 0);
    PostMessageA(w, WM_APP, 0, 0);
    PostQuitMessage(0);
    EXPECT_TRUE(PumpWaitingMessages());
    EXPECT_EQ(received, std::vector<UINT>{WM_APP});
    // Twelve waiting messages: one round takes eleven.
    received.clear();
    for (int i = 0; i < 12; ++i)
        PostMessageA(w, WM_APP, 0, 0);
    PumpWaitingMessages();
    EXPECT_EQ(received.size(), 11u);
    PumpWaitingMessages();
    EXPECT_EQ(received.size(), 12u);
    DestroyWindow(w);
}

TEST(WaitingThread, ARoutineRunsAtOnceWithoutAProcessingThread)
{
    int runs = 0;
    RunOnWaitingThread([&] { ++runs; });
    RunOnWaitingThread([] { throw 1; });
    EXPECT_EQ(runs, 1);
}

TEST(ProcessingLog, AFrameworkExceptionIsReportedInTheLogAndTheProgramGoesOn)
{
    const ProbeRun run = RunProbe("log-boom");
    EXPECT_TRUE(run.Has("alive")) << Dump(run);
    EXPECT_EQ(run.exitCode, 0u);
    const std::vector<std::string> reports = LogReports("log-boom");
    ASSERT_EQ(reports.size(), 1u);
    const std::string& r = reports[0];
    ASSERT_EQ(r.rfind("ZorvikLog 6.0.20\r\n\r\nApplication:\r\n", 0), 0u) << r.substr(0, 200);
    // The rule under the title is as long as the section's longest line.
    const size_t ruleStart = r.find("Application:\r\n") + 14;
    const std::string rule = r.substr(ruleStart, r.find("\r\n", ruleStart) - ruleStart);
    EXPECT_EQ(rule.find_first_not_of('-'), std::string::npos) << rule;
    const std::string startDate = Line(r, "  1.1 Start Date      : ");
    ASSERT_FALSE(startDate.empty()) << r.substr(0, 600);
    EXPECT_EQ(startDate.find(": "), 22u);
    EXPECT_EQ(Line(r, "  2.5 Type          : "), "  2.5 Type          : Exception");
    EXPECT_EQ(Line(r, "  2.6 Message       : "), "  2.6 Message       : Boom.");
    const std::string id = Line(r, "  2.7 ID            : ");
    ASSERT_EQ(id.size(), 26u) << id;
    EXPECT_EQ(id.substr(22).find_first_not_of("0123456789ABCDEF"), std::string::npos) << id;
    EXPECT_EQ(Line(r, "  2.8 Count         : "), "  2.8 Count         : 1");
    EXPECT_EQ(Line(r, "  2.9 Status        : "), "  2.9 Status        : New");
    // The call stack names the probe's own source.
    EXPECT_NE(r.find("ReportProbe.cpp"), std::string::npos);
}

TEST(ProcessingLog, TheSameCrashTwiceIsOneReportCountedTwice)
{
    const ProbeRun run = RunProbe("log-twice");
    const std::vector<std::string> reports = LogReports("log-twice");
    ASSERT_EQ(reports.size(), 1u) << Dump(run);
    EXPECT_EQ(Line(reports[0], "  2.8 Count         : "), "  2.8 Count         : 2");
}

TEST(ProcessingLog, ForeignThrownThingsAndAbort)
{
    const std::vector<std::string> runtime = (RunProbe("log-runtime"), LogReports("log-runtime"));
    ASSERT_EQ(runtime.size(), 1u);
    EXPECT_EQ(Line(runtime[0], "  2.5 Type          : "), "  2.5 Type          : std::runtime_error");
    EXPECT_EQ(Line(runtime[0], "  2.6 Message       : "), "  2.6 Message       : Unknown error message.");
    const std::vector<std::string> thrownInt = (RunProbe("log-int"), LogReports("log-int"));
    ASSERT_EQ(thrownInt.size(), 1u);
    EXPECT_NE(thrownInt[0].find("Unknown exception type"), std::string::npos);
    const ProbeRun abort = RunProbe("log-abort");
    EXPECT_TRUE(abort.Has("alive"));
    EXPECT_TRUE(LogReports("log-abort").empty());
}

TEST(ProcessingLog, AnAccessViolationWritesTheLogAndEndsWithCode1)
{
    const ProbeRun run = RunProbe("log-av");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_FALSE(run.Has("alive"));
    const std::vector<std::string> reports = LogReports("log-av");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Line(reports[0], "  2.5 Type          : "), "  2.5 Type          : EAccessViolation");
    const std::string message = Line(reports[0], "  2.6 Message       : ");
    EXPECT_EQ(message.rfind("  2.6 Message       : Access violation at address ", 0), 0u) << message;
    EXPECT_NE(message.find(" in module 'crash_report_probe.exe'. Write of address 00000000."), std::string::npos)
        << message;
}

// A library that carries the component as well hands its faults to the
// program's copy, which reports each once, with the library's source line;
// the library leaves the process-wide hooks to the program.
TEST(ProcessingLog, ALibrarysFaultIsReportedOnceByTheProgram)
{
    struct Case {
        const char* scenario;
        bool ends;
    };
    for (const Case& k : {Case{"log-module", false}, Case{"log-module-end", true}}) {
        SCOPED_TRACE(k.scenario);
        const ProbeRun run = RunProbe(k.scenario);
        const std::vector<std::string> reports = LogReports(k.scenario);
        EXPECT_TRUE(run.Has("module start 3")) << Dump(run);
        EXPECT_TRUE(run.Has("module filter kept")) << Dump(run);
        EXPECT_EQ(run.Has("alive"), !k.ends) << Dump(run);
        EXPECT_EQ(run.exitCode, k.ends ? 1u : 0u);
        ASSERT_EQ(reports.size(), 1u) << Dump(run);
        EXPECT_EQ(Line(reports[0], "  2.5 Type          : "), "  2.5 Type          : Exception");
        EXPECT_EQ(Line(reports[0], "  2.6 Message       : "), "  2.6 Message       : Module boom.");
        EXPECT_EQ(Line(reports[0], "  2.8 Count         : "), "  2.8 Count         : 1");
        // The call stack names the library's own source.
        EXPECT_NE(reports[0].find("ProbeModule.cpp"), std::string::npos) << reports[0];
    }
}

// A library that carries the component throws and catches an exception of
// its own: nothing is reported, but the program's copy learns of the raise.
// The program's last exception lies in the library, and the call stack the
// program rebuilds from its last stack copy starts at the library's throwing
// procedure and goes up through the library to the program's caller.
TEST(Processing, ALibrarysCaughtThrowBecomesTheProgramsLastException)
{
    const ProbeRun run = RunProbe("module-raise");
    ASSERT_TRUE(run.Has("module start 3")) << Dump(run);
    EXPECT_TRUE(run.Has("module caught 1")) << Dump(run);
    EXPECT_TRUE(run.Has("alive")) << Dump(run);
    EXPECT_EQ(run.Find("step "), -1) << Dump(run);
    EXPECT_TRUE(run.Has("last address in crash_report_probe_module.dll")) << Dump(run);
    // The rows of the text table, in order.
    std::vector<std::string> rows;
    for (const std::string& line : run.lines)
        if (line.rfind("last stack |", 0) == 0)
            rows.push_back(line);
    const auto row = [&](const char* file, const char* procedure) {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].find(file) != std::string::npos && rows[i].find(procedure) != std::string::npos)
                return static_cast<int>(i);
        return -1;
    };
    const int thrower = row("ProbeModule.cpp", "ThrowCaughtModuleBoom");
    const int catcher = row("ProbeModule.cpp", "ProbeModuleCaughtThrow");
    // The program's code that called the library (the scenario's procedure
    // may be inlined into main).
    const int caller = row("ReportProbe.cpp", "|");
    ASSERT_GE(thrower, 0) << Dump(run);
    // The first row below the headings is the raise.
    EXPECT_EQ(thrower, 1) << Dump(run);
    EXPECT_GT(catcher, thrower) << Dump(run);
    EXPECT_GT(caller, catcher) << Dump(run);
}

// The custom data an event handler gives stand in a section of their own
// right after the report's general part, before its call stack.
TEST(ProcessingLog, CustomDataFollowTheGeneralPart)
{
    const ProbeRun run = RunProbe("log-custom");
    const std::vector<std::string> reports = LogReports("log-custom");
    ASSERT_EQ(reports.size(), 1u) << Dump(run);
    const std::string& r = reports[0];
    const size_t seat = r.find("Seat");
    ASSERT_NE(seat, std::string::npos) << r.substr(0, 3000);
    EXPECT_NE(r.find(": 12\r\n", seat), std::string::npos);
    EXPECT_GT(seat, r.find("Network:"));
    EXPECT_LT(seat, r.find("Call Stack Information:"));
    // The section ends with an empty line before the call stack.
    EXPECT_EQ(r.rfind("\r\n\r\nCall Stack Information:", r.find("Call Stack Information:")) + 4,
              r.find("Call Stack Information:"));
}

TEST(ProcessingLog, WithoutShowOptionsTheGeneralPartIsTheBanner)
{
    RunProbe("log-none");
    const std::vector<std::string> reports = LogReports("log-none");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("ZorvikLog 6.0.20\r\n\r\n", 0), 0u);
    EXPECT_EQ(reports[0].find("Application:"), std::string::npos);
}

// What the test saw of the probe's error dialog.
struct DialogSeen {
    bool Found = false;
    std::string Class;
    bool ScreenshotSaved = false;
    bool MainThreadAnswered = false;  // the waiting thread answered while the dialog was up
    bool ClosedByItself = false;
};

struct FindDialog {
    DWORD Process = 0;
    HWND Dialog = nullptr;
    HWND Other = nullptr;  // the probe's visible form, of the waiting (main) thread
};

BOOL CALLBACK FindProbeWindows(HWND window, LPARAM parameter)
{
    auto* find = reinterpret_cast<FindDialog*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != find->Process)
        return TRUE;
    if (!IsWindowVisible(window))
        return TRUE;
    if (guitest::WindowText(window) == "Error occurred")
        find->Dialog = window;
    else
        find->Other = window;
    return TRUE;
}

// Watches the probe for its error dialog: finds it by its caption, takes a
// screenshot, asks the waiting thread's window for an answer and waits for
// the dialog to close by itself. Nobody clicks.
DialogSeen WatchErrorDialog(const PROCESS_INFORMATION& pi, const std::string& screenshot)
{
    DialogSeen seen;
    FindDialog find;
    find.Process = pi.dwProcessId;
    for (int i = 0; i < 300 && !find.Dialog; ++i) {
        Sleep(100);
        find.Other = nullptr;
        EnumWindows(FindProbeWindows, reinterpret_cast<LPARAM>(&find));
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
            break;
    }
    if (!find.Dialog)
        return seen;
    seen.Found = true;
    char name[128] = {};
    GetClassNameA(find.Dialog, name, sizeof name);
    seen.Class = name;
    // The dialog paints; the waiting thread then answers its messages.
    Sleep(500);
    seen.ScreenshotSaved = guitest::SaveScreenshot(find.Dialog, guitest::ScreenshotPath(screenshot));
    if (find.Other &&
        GetWindowThreadProcessId(find.Other, nullptr) != GetWindowThreadProcessId(find.Dialog, nullptr)) {
        DWORD_PTR answer = 0;
        seen.MainThreadAnswered =
            SendMessageTimeoutA(find.Other, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) != 0;
    }
    for (int i = 0; i < 300 && IsWindow(find.Dialog); ++i)
        Sleep(100);
    seen.ClosedByItself = !IsWindow(find.Dialog);
    return seen;
}

// The error dialog of either kind, with its auto-close: shown for the
// exception, closed by itself, and then the log is written and the program
// goes on.
TEST(ProcessingDialog, TheErrorDialogShowsClosesByItselfAndTheLogIsWritten)
{
    struct Case {
        const char* scenario;
        const char* screenshot;
    };
    for (const Case c : {Case{"dialog-classic", "crash_dialog_classic"},
                         Case{"dialog-detailed", "crash_dialog_detailed"}}) {
        SCOPED_TRACE(c.scenario);
        DialogSeen seen;
        const ProbeRun run =
            RunProbe(c.scenario, [&](const PROCESS_INFORMATION& pi) { seen = WatchErrorDialog(pi, c.screenshot); });
        ASSERT_TRUE(seen.Found) << Dump(run);
        EXPECT_EQ(seen.Class, "#32770");
        EXPECT_TRUE(seen.ScreenshotSaved);
        EXPECT_TRUE(seen.MainThreadAnswered);
        EXPECT_TRUE(seen.ClosedByItself);
        EXPECT_TRUE(run.Has("alive")) << Dump(run);
        EXPECT_TRUE(run.Has("finished"));
        EXPECT_EQ(run.exitCode, 0u);
        const std::vector<std::string> reports = LogReports(c.scenario);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(Line(reports[0], "  2.5 Type          : "), "  2.5 Type          : Exception");
        EXPECT_EQ(Line(reports[0], "  2.6 Message       : "), "  2.6 Message       : Boom.");
    }
}

// The page of an error that happened elsewhere: its class, message and call
// stack in the report, no CPU or assembler section, nothing in the log; the
// fault that follows is reported in full.
TEST(ProcessingLog, TheHTMLPageOfAForeignErrorWritesNoLog)
{
    const ProbeRun run = RunProbe("log-html");
    EXPECT_TRUE(run.Has("alive")) << Dump(run);
    std::ifstream in(ProbeOutput("log-html") + ".html", std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    DeleteFileA((ProbeOutput("log-html") + ".html").c_str());
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find("<title>"), std::string::npos);
    EXPECT_NE(page.find("<!-- ZorvikLog ID: "), std::string::npos);
    EXPECT_NE(page.find("EOleError"), std::string::npos);
    EXPECT_NE(page.find("Far away"), std::string::npos);
    EXPECT_NE(page.find("RemoteUnit"), std::string::npos);
    // "TWorker.Start" is split into its class and procedure.
    EXPECT_NE(page.find("TWorker"), std::string::npos);
    EXPECT_EQ(page.find("TWorker.Start"), std::string::npos);
    EXPECT_NE(page.find("OtherUnit"), std::string::npos);
    // The CPU section is its heading alone (the report of the probe's own
    // fault shows the registers).
    EXPECT_EQ(page.find("EAX: "), std::string::npos);
    const std::vector<std::string> reports = LogReports("log-html");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Line(reports[0], "  2.5 Type          : "), "  2.5 Type          : Exception");
    EXPECT_EQ(reports[0].find("EOleError"), std::string::npos);
    EXPECT_NE(reports[0].find("EAX: "), std::string::npos);
}

}  // namespace

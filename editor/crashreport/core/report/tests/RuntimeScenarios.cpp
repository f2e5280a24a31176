#include "editor/crashreport/core/report/tests/RuntimeScenarios.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "editor/crashreport/core/report/CoreExports.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Exceptions.h"

namespace {

TProbeWrite write = nullptr;

void out(const std::string& line) { write(line + "\n"); }
HANDLE workerRelease = nullptr;

TZorvikModuleOptions& Options() { return *CurrentZorvikLogOptions(); }

void Crash(HWND window, TProbePump pump)
{
    PostMessageA(window, WM_APP + 1, 0, 0);
    pump(500);
}

DWORD WINAPI ThrowAbort(LPVOID)
{
    throw EAbort("");
}

DWORD WINAPI WaitForRelease(LPVOID)
{
    WaitForSingleObject(workerRelease, 10000);
    return 0;
}

std::string Hex(uintptr_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(value));
    return text;
}

__attribute__((noinline)) void PlacedHere() { out("placed " + Hex(reinterpret_cast<uintptr_t>(&PlacedHere))); }

}  // namespace

bool PrepareRuntimeScenario(const std::string& scenario, TProbeWrite writer)
{
    write = writer;
    TProcessingSteps& steps = ProcessingSteps();
    if (scenario == "freeze-on" || scenario == "freeze-off") {
        // Through the exported options: the watchdog follows them.
        Options().SetFreezeTimeout(1);
        Options().SetFreezeActivate(true);
        if (scenario == "freeze-off")
            Options().SetFreezeActivate(false);
        return true;
    }
    if (scenario == "inactive")
        return true;
    if (scenario == "event-change") {
        // A handler changes the module's options; the dialog step after it
        // sees the change.
        ExceptionNotify = [](TZorvikExceptionRecord&, bool&) {
            out("event changes the dialog type");
            CurrentZorvikLogOptions()->SetExceptionDialogType(edtMSClassic);
        };
        return true;
    }
    if (scenario == "errors-count") {
        TZorvikExceptionFilter f;
        f.ExceptionClassName = "std::runtime_error";
        f.HandlerType = fhtNone;
        Options().ExceptionsFilters()->Add(f);
        Options().SetErrorsNumberToShowTerminateBtn(1);
        steps.ShowDialog = [](TProcessingState& st, bool) {
            out("step dialog errors " + std::to_string(ProcessedErrorsCount()));
            st.DialogType = edtNone;
        };
        return true;
    }
    if (scenario == "abort-thread" || scenario == "abort-terminate")
        return true;
    if (scenario == "manager-address" || scenario == "manager-web") {
        steps.BuildReport = [](TProcessingState& st) {
            out("step build at " + Hex(st.Capture->Address) + " " + st.Capture->ClassName + "|" + st.Capture->Message);
        };
        steps.WebErrorPage = [](TProcessingState&) { out("step web-page"); };
        return true;
    }
    if (scenario == "threads-windows" || scenario == "threads-framework") {
        TCallStackOptions shown = Options().CallStackOptions();
        shown.Exclude(csoShowWindowsThreads);
        shown.Exclude(csoShowFrameworkThreads);
        shown.Include(scenario == "threads-windows" ? csoShowWindowsThreads : csoShowFrameworkThreads);
        Options().SetCallStackOptions(shown);
        steps.BuildReport = [](TProcessingState& st) {
            std::string ids;
            for (const TZorvikDebugInfo& row : st.Capture->CallStack.Rows)
                if (row.ThreadID != st.Capture->ThreadId && ids.find(" " + std::to_string(row.ThreadID) + " ") ==
                                                                std::string::npos)
                    ids += " " + std::to_string(row.ThreadID) + " ";
            out("step build other threads" + ids);
        };
        return true;
    }
    if (scenario == "levels") {
        Options().SetCallStackOptions(TCallStackOptions());
        return true;
    }
    return false;
}

void RunRuntimeScenario(const std::string& scenario, HWND crash, TProbeWrite writer, TProbePump pump)
{
    write = writer;
    if (scenario == "freeze-on" || scenario == "freeze-off") {
        // The main thread answers nothing for three seconds.
        Sleep(3000);
        pump(1500);
    } else if (scenario == "inactive") {
        Options().SetActive(false);
        Crash(crash, pump);
        out("active again");
        Options().SetActive(true);
        Crash(crash, pump);
    } else if (scenario == "event-change") {
        Crash(crash, pump);
    } else if (scenario == "errors-count") {
        // Filtered out, then processed: only the second counts.
        ExceptionManager(std::make_exception_ptr(std::runtime_error("Filtered")), 0, emkOther, 0);
        Crash(crash, pump);
    } else if (scenario == "abort-thread") {
        HANDLE t = CreateThread(nullptr, 0, ThrowAbort, nullptr, 0, nullptr);
        WaitForSingleObject(t, 10000);
        DWORD code = 0;
        GetExitCodeThread(t, &code);
        CloseHandle(t);
        out("thread-exit " + std::to_string(code));
    } else if (scenario == "abort-terminate") {
        out("throwing");
        throw EAbort("");
    } else if (scenario == "manager-address") {
        PlacedHere();
        const bool answer = ExceptionManager(std::make_exception_ptr(std::runtime_error("Placed")),
                                             reinterpret_cast<uintptr_t>(&PlacedHere), emkOther, 0);
        out("manager " + std::to_string(answer));
    } else if (scenario == "manager-web") {
        ExceptionManager(std::make_exception_ptr(std::runtime_error("Served")), 0, emkWebServer, 0);
    } else if (scenario == "threads-windows" || scenario == "threads-framework") {
        workerRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        DWORD id = 0;
        HANDLE t = CreateThread(nullptr, 0, WaitForRelease, nullptr, 0, &id);
        pump(200);
        out("worker " + std::to_string(id));
        Crash(crash, pump);
        SetEvent(workerRelease);
        WaitForSingleObject(t, 10000);
        CloseHandle(t);
    } else if (scenario == "levels") {
        // Levels count only the rows a report shows: with the default
        // settings, rows with a source line.
        std::unique_ptr<TZorvikStackList> rows = GetCallStackByLevels(0, 50);
        std::string details;
        for (const TZorvikDebugInfo& row : rows ? rows->Rows : std::vector<TZorvikDebugInfo>())
            details += " " + std::to_string(row.DebugDetail);
        out("levels" + details);
    }
}

// A program of the processing tests, linked like Tessaly.exe and carrying its
// own crash-report data. It starts the crash-report core with its processing,
// makes the fault its first argument names and writes what the processing
// did, step by step, to the file its second argument names:
//   step <name> <thread: faulting|processing|other> ...
//   event <who> <class> <message> <thread>
//   result / alive / finished
// "dialog-classic" and "dialog-detailed" run the real stages with the error
// dialog of that kind, which closes itself after two seconds.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "editor/crashreport/core/report/DialogStep.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportBuildingStep.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "editor/crashreport/core/report/tests/RuntimeScenarios.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/StringList.h"

namespace {

std::string outPath;
std::string scenario;
DWORD mainThread = 0;

void Write(const std::string& text)
{
    if (FILE* f = std::fopen(outPath.c_str(), "ab")) {
        std::fputs(text.c_str(), f);
        std::fclose(f);
    }
}

std::string ThreadName()
{
    if (GetCurrentThreadId() == mainThread)
        return "faulting";
    return CurrentProcessing() ? "processing" : "other";
}

// The steps of the sequence, as the stages that are not linked here would
// be called: each notes itself and the thread it runs in.
void InstallNotingSteps()
{
    TProcessingSteps& s = ProcessingSteps();
    s.BuildReport = [](TProcessingState& st) {
        Write("step build " + ThreadName() + " " + st.Capture->ClassName + "|" + st.Capture->Message + "\n");
        st.ReportText = "report of " + st.Capture->ClassName;
    };
    s.CheckDuplicate = [](TProcessingState&, bool count) { Write("step duplicate " + std::to_string(count) + "\n"); };
    s.TakeScreenshot = [](TProcessingState&) { Write("step screenshot " + ThreadName() + "\n"); };
    s.AddCustomData = [](TProcessingState&) {
        Write("step custom-data " + std::to_string(CustomDataLines().Count()) + "\n");
    };
    s.ShowDialog = [](TProcessingState& st, bool first) {
        Write("step dialog " + std::to_string(first) + " " + std::to_string(st.DialogType) + "\n");
        st.DialogType = edtNone;
    };
    s.SaveReportToLog = [](TProcessingState& st) { Write("step save " + st.ReportText + " id " + st.ExceptionId + "\n"); };
    s.EndOfProcessing = [](TProcessingState&) { Write("step end\n"); };
}

void NoteEvents()
{
    ExceptionNotify = [](TZorvikExceptionRecord& r, bool& handled) {
        Write("event global " + r.ExceptionClass + " " + r.ExceptionMessage + " " + ThreadName() + "\n");
        if (scenario == "stop")
            handled = false;
    };
    ExceptionActionNotify = [](TZorvikExceptionRecord&, TZorvikActionType action, bool& execute) {
        Write("action " + std::to_string(action) + " " + ThreadName() + "\n");
    };
    CustomDataRequest = [](TZorvikExceptionRecord&, TStrings& lines) { lines.Add("Seat=12"); };
    for (int i = 1; i <= 2; ++i) {
        auto* c = new TZorvikLog(Application);
        c->OnExceptionNotify = [i](TZorvikExceptionRecord&, bool&) {
            Write("event component" + std::to_string(i) + "\n");
        };
    }
}

// The fault the scenario names ("log-" scenarios name it after the prefix).
// The library beside this program.
std::string ProbeModulePath()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string p(path, n < MAX_PATH ? n : 0);
    return p.substr(0, p.find_last_of('\\') + 1) + "crash_report_probe_module.dll";
}

std::string Kind() { return scenario.rfind("log-", 0) == 0 ? scenario.substr(4) : scenario; }

__attribute__((noinline)) void ThrowBoom()
{
    const std::string kind = Kind();
    if (kind == "abort")
        throw EAbort("");
    if (kind == "int")
        throw 7;
    if (kind == "runtime")
        throw std::runtime_error("Lost");
    throw Exception("Boom");
}

void Pump(DWORD ms)
{
    const DWORD until = GetTickCount() + ms;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(10);
    }
}

template <class F>
F ModuleEntry(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Exceptions of this program reported on demand, each from a place of its
// own (the same place would make the second a duplicate of the first).
__attribute__((noinline)) void ReportWhileTheThreadWaits()
{
    ExceptionManager(std::make_exception_ptr(Exception("While the thread waits")), 0, emkOther, 0);
}

__attribute__((noinline)) void ReportAfterTheThreadEnded()
{
    ExceptionManager(std::make_exception_ptr(Exception("After the thread ended")), 0, emkOther, 0);
}

// The file name (without folder) of the module that holds the address.
std::string ModuleNameAt(uintptr_t address)
{
    HMODULE module = nullptr;
    char name[MAX_PATH] = {};
    if (!address ||
        !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(address), &module))
        return "none";
    const DWORD n = GetModuleFileNameA(module, name, MAX_PATH);
    const std::string path(name, n < MAX_PATH ? n : 0);
    return path.substr(path.find_last_of('\\') + 1);
}

// This program's view of the last exception: the module of its address and
// the call stack of the last stack copy as a text table, a line each.
void WriteLastException()
{
    Write("last address in " + ModuleNameAt(GetLastExceptionAddress()) + "\n");
    const std::unique_ptr<TZorvikStackList> stack = GetLastExceptionCallStack();
    TStringList text;
    CallStackToStrings(stack.get(), text);
    for (int i = 0; i < text.Count(); ++i)
        Write("last stack " + text.Get(i) + "\n");
}

// "module" and "module-end": a library that carries the component too
// raises an exception (caught there and reported on demand, or escaping);
// this program's copy of the core reports it, with this program's options.
// "module-thread": a thread the library starts fails. "module-threads": a
// thread the library starts waits while this program reports an exception,
// then ends through ExitThread, and this program reports another.
// "module-raise": the library throws and catches an exception of its own;
// this program then reads its last exception.
void RunModuleScenario()
{
    const LPTOP_LEVEL_EXCEPTION_FILTER filter = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(filter);
    HMODULE module = LoadLibraryA(ProbeModulePath().c_str());
    auto start = ModuleEntry<int (*)()>(module, "ProbeModuleStart");
    auto fault = ModuleEntry<int (*)(int)>(module, "ProbeModuleFault");
    auto threadFault = ModuleEntry<int (*)()>(module, "ProbeModuleThreadFault");
    auto startThread = ModuleEntry<unsigned (*)()>(module, "ProbeModuleStartThread");
    auto endThread = ModuleEntry<int (*)()>(module, "ProbeModuleEndThread");
    auto caughtThrow = ModuleEntry<int (*)()>(module, "ProbeModuleCaughtThrow");
    if (!start || !fault || !threadFault || !startThread || !endThread || !caughtThrow) {
        Write("module missing\n");
        return;
    }
    if (TZorvikModuleInfo* entry = ModuleInfoByAddr(reinterpret_cast<uintptr_t>(module)); entry && entry->Options) {
        TBehaviourOptions behaviour = entry->Options->BehaviourOptions();
        behaviour.Include(boUseMainModuleOptions);
        entry->Options->SetBehaviourOptions(behaviour);
    }
    Write("module start " + std::to_string(start()) + "\n");
    // The library's copy leaves the process-wide filter to this program's.
    const LPTOP_LEVEL_EXCEPTION_FILTER after = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(after);
    Write(std::string("module filter ") + (after == filter ? "kept" : "replaced") + "\n");
    if (Kind() == "module-raise") {
        Write("module caught " + std::to_string(caughtThrow()) + "\n");
        WriteLastException();
    } else if (Kind() == "module-thread") {
        Write("module thread exit " + std::to_string(threadFault()) + "\n");
    } else if (Kind() == "module-threads") {
        const unsigned id = startThread();
        Write("module thread " + std::to_string(id) + "\n");
        Sleep(300);  // the thread reaches its wait
        ReportWhileTheThreadWaits();
        Write("module thread exit " + std::to_string(endThread()) + "\n");
        // The library has closed its handle of the thread: once no copy of
        // the core keeps one either, the ended thread is gone from the system.
        HANDLE ended = OpenThread(SYNCHRONIZE, FALSE, id);
        Write(std::string("module thread ") + (ended ? "kept" : "gone") + "\n");
        if (ended)
            CloseHandle(ended);
        ReportAfterTheThreadEnded();
    } else {
        Write("module answer " + std::to_string(fault(Kind() == "module-end" ? 1 : 0)) + "\n");
    }
}

// "thread-overflow": a worker thread of this program recurses without end.
volatile int recursionLimit = 0;

__attribute__((noinline)) int RecurseInWorker(int depth)
{
    volatile char frame[512];
    frame[depth % sizeof frame] = static_cast<char>(depth);
    if (recursionLimit != 0 && depth >= recursionLimit)
        return frame[0];
    // Not a tail call: the frame is read after the call returns.
    return RecurseInWorker(depth + 1) + frame[depth % sizeof frame];
}

DWORD WINAPI OverflowingWorker(LPVOID) { return static_cast<DWORD>(RecurseInWorker(0)); }

void RunWorkerOverflow()
{
    DWORD id = 0;
    HANDLE worker = CreateThread(nullptr, 0, OverflowingWorker, nullptr, 0, &id);
    if (!worker) {
        Write("worker missing\n");
        return;
    }
    Write("worker " + std::to_string(id) + "\n");
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(worker, 60000) != WAIT_OBJECT_0 || !GetExitCodeThread(worker, &code))
        code = static_cast<DWORD>(-1);
    CloseHandle(worker);
    Write("worker exit " + std::to_string(static_cast<int>(code)) + "\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    scenario = argv[1];
    outPath = argv[2];
    mainThread = GetCurrentThreadId();
    ZorvikCoreInit();
    InstallExceptionProcessing();
    Write(std::string("installed ") + (IsZorvikLogInstalled() ? "1" : "0") + "\n");
    // "log-" and "dialog-" scenarios run the real stages and write the log
    // given by the output path; the others note each step instead.
    const bool dialog = scenario.rfind("dialog-", 0) == 0;
    const bool realStages = dialog || scenario.rfind("log-", 0) == 0;
    if (realStages)
        InstallReportBuilding();
    if (dialog)
        InstallDialogStep();
    if (!realStages) {
        InstallNotingSteps();
        NoteEvents();
    }
    Application->OnException = [](TObject*, Exception& e) { Write("framework-handling " + e.Message + "\n"); };
    if (TZorvikModuleOptions* o = CurrentZorvikLogOptions()) {
        o->SetExceptionDialogType(edtZorvikLog);
        if (realStages) {
            o->SetOutputPath(outPath + ".zvf");
            TLogOptions log = o->LogOptions();
            log.Include(loNoDuplicateErrors);
            o->SetLogOptions(log);
            if (dialog) {
                o->SetExceptionDialogType(scenario == "dialog-classic" ? edtMSClassic : edtZorvikLog);
                o->SetAutoCloseDialogSecs(2);
            }
            // "log-custom": a handler's custom data, shown as its own section.
            if (Kind() == "custom") {
                CustomDataRequest = [](TZorvikExceptionRecord&, TStrings& lines) { lines.Add(" Seat = 12 "); };
                TShowOptions show = o->ShowOptions();
                show.Include(soCustomData);
                o->SetShowOptions(show);
            }
            if (Kind() == "none") {
                o->SetShowOptions(TShowOptions());
                o->SetLogOptions(TLogOptions());
            }
        }
        if (scenario == "filter-rtl" || scenario == "filter-none") {
            TZorvikExceptionFilter f;
            f.ExceptionClassName = " exception ";
            f.HandlerType = scenario == "filter-rtl" ? fhtRTL : fhtNone;
            o->ExceptionsFilters()->Add(f);
        }
    }
    if (scenario == "switched-off")
        SetZorvikLogState(false);
    const bool runtime = PrepareRuntimeScenario(scenario, Write);
    // "log-html": first the page of an error that happened elsewhere (into
    // the output path + ".html"), then the ordinary fault.
    if (Kind() == "html") {
        const std::string page =
            GetZorvikLogHTML("EOleError\r\nException\r\n", "Far away",
                             "4198400|Remote.dll|RemoteUnit|TRemote|Run|42|3|Main\r\n"
                             "not|a|row\r\n"
                             "4198500|Remote.dll|RemoteUnit||TWorker.Start|0|0|Main\r\n"
                             "4198600|Remote.dll|OtherUnit||Loop|7|1|Worker\r\n");
        if (FILE* f = std::fopen((outPath + ".html").c_str(), "wb")) {
            std::fwrite(page.data(), 1, page.size(), f);
            std::fclose(f);
        }
    }

    TForm* form = new TForm(Application);
    form->SetBounds(40, 40, 300, 200);
    form->Show();
    Application->OnMessage = [](MSG& m) {
        if (m.message == WM_APP + 1)
            ThrowBoom();
        return false;
    };
    Pump(200);
    if (runtime) {
        RunRuntimeScenario(scenario, form->Handle(), Write, Pump);
    } else if (Kind().rfind("module", 0) == 0) {
        RunModuleScenario();
    } else if (Kind() == "thread-overflow") {
        RunWorkerOverflow();
    } else if (Kind() == "av") {
        volatile int* volatile zero = nullptr;
        *zero = 1;
    } else if (scenario == "manager") {
        const bool answer = ExceptionManager(std::make_exception_ptr(std::runtime_error("Direct")), 0, emkOther, 0);
        Write("manager " + std::to_string(answer) + "\n");
        SetZorvikLogState(false);
        const bool off = ExceptionManager(std::make_exception_ptr(std::runtime_error("Off")), 0, emkOther, 0);
        Write("manager-off " + std::to_string(off) + "\n");
    } else {
        // "twice": the same crash again, from the same place.
        for (int i = Kind() == "twice" ? 2 : 1; i > 0; --i) {
            PostMessageA(form->Handle(), WM_APP + 1, 0, 0);
            Pump(500);
        }
    }
    Write("alive\n");
    ZorvikCoreDone();
    Write("finished\n");
    return 0;
}

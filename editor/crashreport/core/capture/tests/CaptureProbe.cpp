// A program of the capture tests, linked like Tessaly.exe and carrying its
// own crash-report data. It starts the crash-report core, makes the fault
// its first argument names, and writes every capture to the file its second
// argument names:
//   capture <kind> / thread <main|other> / class <name> / message <text> /
//   address <hex> / row <detail> <unit>|<class>|<procedure>|<line> ... / end
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "editor/crashreport/core/capture/Captures.h"
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/ModulesProcesses.h"
#include "editor/crashreport/core/capture/ProcessWindows.h"
#include "editor/crashreport/core/capture/ThreadsList.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Application.h"
#include "framework/Forms.h"

namespace {

std::string outPath;
std::string scenario;

void Write(const std::string& text)
{
    if (FILE* f = std::fopen(outPath.c_str(), "ab")) {
        std::fputs(text.c_str(), f);
        std::fclose(f);
    }
}

bool WriteCapture(TCapture& c)
{
    std::string t = std::string("capture ") + CaptureKindName(c.Kind) + "\n";
    t += std::string("thread ") + (c.MainThread ? "main" : "other") + "\n";
    t += "class " + c.ClassName + "\n";
    t += "message " + c.Message + "\n";
    char b[64];
    std::snprintf(b, sizeof b, "address %llx\n", static_cast<unsigned long long>(c.Address));
    t += b;
    for (const TZorvikDebugInfo& r : c.CallStack.Rows) {
        t += "row " + std::to_string(static_cast<int>(r.DebugDetail)) + " " + r.UnitName + "|" + r.ClassName + "|" +
             r.ProcedureName + "|" + std::to_string(r.Line) + "\n";
    }
    t += "end\n";
    Write(t);
    return false;  // the framework's own message box would wait for a person
}

constexpr int ThrowLine = __LINE__ + 4;
__attribute__((noinline)) void crashLevel3(int kind)
{
    if (kind == 0)
        throw std::runtime_error("Probe failure");
    throw 7;
}

__attribute__((noinline)) void crashLevel2(int kind)
{
    crashLevel3(kind);
    Write("");  // work after the call: no tail call
}

__attribute__((noinline)) void CrashHandler(int kind)
{
    crashLevel2(kind);
    Write("");
}

__attribute__((noinline)) void SleepingHandler(DWORD ms)
{
    Sleep(ms);
    Write("");
}

__attribute__((noinline)) DWORD WINAPI WriteToZero(LPVOID)
{
    // Through a pointer the compiler cannot see, so that the write happens.
    volatile int* volatile zero = nullptr;
    *zero = 1;
    return 0;
}

DWORD WINAPI WaitBriefly(LPVOID)
{
    Sleep(100);
    return 5;
}

// The thread's own stack: its reserved megabytes in the high word, its
// committed 64 KB units in the low word.
DWORD WINAPI MeasureStack(LPVOID)
{
    MEMORY_BASIC_INFORMATION m;
    VirtualQuery(&m, &m, sizeof m);
    auto* base = static_cast<uint8_t*>(m.AllocationBase);
    size_t reserved = 0, committed = 0;
    for (uint8_t* p = base; VirtualQuery(p, &m, sizeof m) && m.AllocationBase == base; p += m.RegionSize) {
        reserved += m.RegionSize;
        if (m.State == MEM_COMMIT)
            committed += m.RegionSize;
    }
    return static_cast<DWORD>(((reserved >> 20) << 16) | std::min<size_t>(committed >> 16, 0xFFFF));
}

DWORD WINAPI ThrowInThread(LPVOID)
{
    crashLevel2(0);
    return 0;
}

void Pump(DWORD ms)
{
    const DWORD until = GetTickCount() + ms;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(10);
    }
}

int RunThread(LPTHREAD_START_ROUTINE routine)
{
    HANDLE h = CreateThread(nullptr, 0, routine, nullptr, 0, nullptr);
    WaitForSingleObject(h, 10000);
    DWORD code = 0;
    GetExitCodeThread(h, &code);
    CloseHandle(h);
    Write("thread-exit " + std::to_string(code) + "\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    scenario = argv[1];
    outPath = argv[2];
    ZorvikCoreInit();
    Write(std::string("installed ") + (IsZorvikLogInstalled() ? "1" : "0") + "\n");
    Write("throw-line " + std::to_string(ThrowLine) + "\n");
    SetCaptureSink(WriteCapture);

    TForm* form = new TForm(Application);
    form->SetBounds(40, 40, 300, 200);
    form->Show();
    Application->OnMessage = [](MSG& m) {
        if (m.message == WM_APP + 1)
            CrashHandler(static_cast<int>(m.wParam));
        if (m.message == WM_APP + 2)
            SleepingHandler(static_cast<DWORD>(m.wParam));
        return false;
    };
    Pump(200);

    if (scenario == "handler" || scenario == "int") {
        PostMessageA(form->Handle(), WM_APP + 1, scenario == "handler" ? 0 : 1, 0);
        Pump(500);
    } else if (scenario == "av") {
        WriteToZero(nullptr);
    } else if (scenario == "thread-av") {
        RunThread(WriteToZero);
    } else if (scenario == "thread-throw") {
        RunThread(ThrowInThread);
    } else if (scenario == "uncaught") {
        crashLevel2(1);
    } else if (scenario == "threads") {
        // A thread made suspended is listed and stays suspended until its
        // creator resumes it; the resume keeps the creator's stack.
        DWORD id = 0;
        HANDLE h = CreateThread(nullptr, 0, WaitBriefly, nullptr, CREATE_SUSPENDED, &id);
        TZorvikThreadRecord r;
        Write("listed " + std::to_string(ZorvikThreads().Find(id, r)) + "\n");
        Write("waits " + std::to_string(WaitForSingleObject(h, 300) == WAIT_TIMEOUT) + "\n");
        Write("saved-before " + std::to_string(r.SavedStack.size()) + "\n");
        ResumeThread(h);
        ZorvikThreads().Find(id, r);
        Write("saved-after " + std::to_string(!r.SavedStack.empty()) + "\n");
        Write("resumer-main " + std::to_string(r.ResumerId == GetCurrentThreadId()) + "\n");
        WaitForSingleObject(h, 5000);
        DWORD code = 0;
        GetExitCodeThread(h, &code);
        Write("routine-result " + std::to_string(code) + "\n");
        CloseHandle(h);
        // The record keeps a handle of its own: the creator's may close.
        DWORD keptId = 0;
        HANDLE kept = CreateThread(nullptr, 0, WaitBriefly, nullptr, CREATE_SUSPENDED, &keptId);
        HANDLE other = nullptr;
        DuplicateHandle(GetCurrentProcess(), kept, GetCurrentProcess(), &other, 0, FALSE, DUPLICATE_SAME_ACCESS);
        CloseHandle(kept);
        // A creation purges the ended threads: this one lives on.
        HANDLE purge = CreateThread(nullptr, 0, WaitBriefly, nullptr, 0, nullptr);
        TZorvikThreadRecord k;
        Write("kept-after-purge " + std::to_string(ZorvikThreads().Find(keptId, k)) + "\n");
        WaitForSingleObject(purge, 5000);
        CloseHandle(purge);
        ResumeThread(other);
        ZorvikThreads().Find(keptId, k);
        Write("resumed-by-id " + std::to_string(!k.SavedStack.empty() && k.ResumerId == GetCurrentThreadId()) + "\n");
        WaitForSingleObject(other, 5000);
        CloseHandle(other);
        // A stack size that is a reservation stays one.
        // The same thread made by the system's own routine is the measure.
        using TCreate = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
        const auto system = reinterpret_cast<TCreate>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateThread")));
        for (const TCreate create : {system, static_cast<TCreate>(&CreateThread)}) {
            HANDLE reserving = create(nullptr, 8 << 20, MeasureStack, nullptr, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
            WaitForSingleObject(reserving, 5000);
            DWORD measured = 0;
            GetExitCodeThread(reserving, &measured);
            CloseHandle(reserving);
            Write(std::string(create == system ? "system" : "hooked") + "-stack " + std::to_string(measured >> 16) +
                  " " + std::to_string(measured & 0xFFFF) + "\n");
        }
        // The next creation purges the ended one.
        HANDLE next = CreateThread(nullptr, 0, WaitBriefly, nullptr, 0, nullptr);
        Write("ended-listed " + std::to_string(ZorvikThreads().Find(id, r)) + "\n");
        WaitForSingleObject(next, 5000);
        CloseHandle(next);
    } else if (scenario == "lists") {
        BuildModulesList();
        TZorvikModulesList& modules = ZorvikModules();
        for (size_t i = 0; i < modules.Count(); ++i) {
            const TZorvikModuleInfo* m = modules.Item(i);
            const std::string name = m->Path.substr(m->Path.find_last_of('\\') + 1);
            Write("module " + std::to_string(static_cast<int>(m->ModuleType)) + " " + std::to_string(m->Size) + " " +
                  (m->Version.empty() ? "-" : m->Version) + " " + name + "\n");
        }
        for (const TZorvikProcessInfo& p : BuildProcessesList())
            Write("process " + std::to_string(p.ProcessId) + " " + std::to_string(p.Threads) + " " +
                  p.Path.substr(p.Path.find_last_of('\\') + 1) + "\n");
        Write("self " + std::to_string(GetCurrentProcessId()) + "\n");
    } else if (scenario == "restart") {
        // Started again in the folder it started in, after moving away.
        char folder[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, folder);
        char again[8];
        if (GetEnvironmentVariableA("TQ_PROBE_RESTARTED", again, sizeof again)) {
            Write(std::string("restarted-in ") + folder + "\n");
        } else {
            SetEnvironmentVariableA("TQ_PROBE_RESTARTED", "1");
            Write(std::string("started-in ") + folder + "\n");
            char temp[MAX_PATH];
            GetTempPathA(MAX_PATH, temp);
            SetCurrentDirectoryA(temp);
            TerminateApplication(true);
        }
    } else if (scenario.rfind("freeze", 0) == 0) {
        const int seconds = std::atoi(scenario.c_str() + 6);
        TZorvikModuleOptions* o = ZorvikCoreOptions();
        if (o) {
            o->SetFreezeTimeout(5);
            o->SetFreezeActivate(true);
        }
        Pump(300);
        PostMessageA(form->Handle(), WM_APP + 2, static_cast<WPARAM>(seconds) * 1000, 0);
        Pump(1500 + seconds * 1000);
    }
    Write("finished\n");
    ZorvikCoreDone();
    Write("done\n");
    return 0;
}

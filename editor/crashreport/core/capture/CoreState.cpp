#include "editor/crashreport/core/capture/CoreState.h"

#include <algorithm>
#include <cstring>

#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/capture/FileWriteHook.h"
#include "editor/crashreport/core/capture/FilterCache.h"
#include "editor/crashreport/core/capture/FreezeWatchdog.h"
#include "editor/crashreport/core/capture/InternalErrors.h"
#include "editor/crashreport/core/capture/MemoryReserve.h"
#include "editor/crashreport/core/capture/SecondaryModule.h"
#include "editor/crashreport/core/capture/SharedVirtualFile.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/capture/ThreadsList.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "editor/crashreport/support/system/ModuleHandles.h"
#include "editor/crashreport/support/system/SafeExec.h"
#include "editor/crashreport/support/system/SystemFacts.h"

namespace {

TUnitLifetime lifetime("ZorvikCore");

// The component's own source files, written by the build.
const char* const OwnUnitFiles[] = {
#include "ComponentUnits.inc"
};

std::string ModuleFileName(HMODULE module)
{
    char name[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(module, name, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(name, n);
}

void LockLastStack()
{
    while (InterlockedCompareExchange(&ZorvikCore().LastStackLock, 1, 0) != 0)
        SwitchToThread();
}

void UnlockLastStack() { InterlockedExchange(&ZorvikCore().LastStackLock, 0); }

void Start()
{
    TZorvikCoreState& s = ZorvikCore();
    if (!InitThreadData())
        return;
    InstallInternalErrorReporter();
    ClearLastZorvikLogError();
    // Without crash-report data in this module the core stays inactive:
    // nothing is hooked and every entry passes on.
    const uintptr_t module = CurrentModuleHandle();
    if (!IsZorvikLogModule(module)) {
        s.Installed = 0;
        return;
    }
    char folder[MAX_PATH + 1];
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, folder);
    s.StartFolder = n && n < MAX_PATH ? std::string(folder, n) : std::string();
    SYSTEMTIME now;
    GetLocalTime(&now);
    s.StartTime = SystemTimeToDateTime(now);
    s.ErrorsCount = 0;
    s.LastStack.Buffer =
        static_cast<uint8_t*>(VirtualAlloc(nullptr, MaxScannedStack, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    s.LastStack.Length = 0;
    ZorvikFilterCache().Clear();
    InitializeCriticalSection(&s.ProcessingLock);
    InitializeCriticalSection(&s.ThreadSwitchLock);

    s.OwnUnits = ComponentUnitFiles();
    SetComponentUnitNames(s.OwnUnits);

    // The shared virtual file holds one byte 0 until options are published.
    OwnVirtualFile() = CreateVirtualFile(module, 1);
    if (OwnVirtualFile().Exists())
        OwnVirtualFile().Data[0] = 0;

    // Every module's record gets the core's options class. This module's
    // options, as its crash-report data carries them, are the one object the
    // core, the watchdog, the processing and the program (through
    // CurrentZorvikLogOptions) all follow.
    SetModuleOptionsMaker(
        [](const std::string& path) { return std::make_unique<TZorvikModuleOptionsEx>(path); });
    TZorvikModuleInfo* own = ModuleInfoByAddr(module);
    if (own && !dynamic_cast<TZorvikModuleOptionsEx*>(own->Options.get())) {
        // A record made before start-up: made again with the core's class.
        ZorvikModules().Delete(module);
        own = AddModuleInfo(module, ModuleFileName(reinterpret_cast<HMODULE>(module)), true);
    }
    s.Options = own ? own->Options.get() : nullptr;
    if (s.Options)
        s.Options->DisableSharedDataWrite();

    s.MainThreadId = GetCurrentThreadId();
    s.MainThreadStackTop = ThreadStackTop();
    // Suspend and resume, read the context, query (0x4A), not inheritable.
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &s.MainThread,
                    THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, 0);
    ZorvikThreads().AddMainThread(s.MainThreadId, s.MainThread, s.MainThreadStackTop);
    CurrentThreadData();

    s.CoreSwitch = 1;
    s.Installed = 1;
    // A library whose program carries the core as well hooks only its own
    // run time and its own thread imports, and hands its faults and its
    // threads to the program's copy, which holds the hooks the whole process
    // shares, the threads list the reports show and the watchdog.
    FindMainInstance(module);
    s.SecondaryModule = IsSecondaryModule();
    InstallExceptionHooks(!s.SecondaryModule);
    if (!s.SecondaryModule) {
        InstallFileWriteHook();
        InstallThreadHooks();
        StartFreezeWatchdog();
    } else {
        const std::string own = ModuleFileName(reinterpret_cast<HMODULE>(module));
        if (!own.empty())
            InstallThreadHooks(own);
    }
    // From now on every change of an option is published; the options are
    // published once now.
    if (s.Options) {
        s.Options->EnableSharedDataWrite();
        s.Options->SaveToSharedData();
    }
}

void Finish()
{
    TZorvikCoreState& s = ZorvikCore();
    if (!s.Installed)
        return;
    // Waits for a capture under way.
    EnterCriticalSection(&s.ProcessingLock);
    LeaveCriticalSection(&s.ProcessingLock);
    // The watchdog reads the state: it stops before anything is freed.
    StopFreezeWatchdog();
    s.Installed = 0;
    RemoveExceptionHooks();
    if (s.MainThread)
        CloseHandle(s.MainThread);
    s.MainThread = nullptr;
    ZorvikThreads().Clear();
    DeleteCriticalSection(&s.ThreadSwitchLock);
    s.SwitchedOffThreads.clear();
    // The options stay with the module's record: the program may still hold them.
    s.Options = nullptr;
    DeleteVirtualFile(OwnVirtualFile());
    ZorvikFilterCache().Clear();
    LockLastStack();
    if (s.LastStack.Buffer)
        VirtualFree(s.LastStack.Buffer, 0, MEM_RELEASE);
    s.LastStack = TStackCopy();
    UnlockLastStack();
    // The processing lock stays: hooks of late threads may still test it.
}

}  // namespace

TZorvikCoreState& ZorvikCore()
{
    static TZorvikCoreState state;
    return state;
}

// Neither start-up nor shut-down lets an error reach the program: a failing
// step is reported by the guarded wrapper and ends the step there.
void ZorvikCoreInit()
{
    bool first = lifetime.Count() == 0;
    try {
        first = lifetime.Start(Start);
    } catch (...) {
    }
    if (first)
        ReserveMemory();
}

void ZorvikCoreDone()
{
    bool last = lifetime.Count() == 1;
    try {
        last = lifetime.Finish(Finish);
    } catch (...) {
    }
    if (last)
        ReleaseMemoryReserve();
}

bool IsZorvikLogInstalled() { return ZorvikCore().Installed != 0; }
bool IsZorvikLogActive() { return ZorvikCore().CoreSwitch != 0; }
void SetZorvikLogState(bool active) { ZorvikCore().CoreSwitch = active ? 1 : 0; }

bool IsZorvikLogActiveInThread(uint32_t threadId)
{
    TZorvikCoreState& s = ZorvikCore();
    if (!s.Installed)
        return true;
    EnterCriticalSection(&s.ThreadSwitchLock);
    const bool off = std::find(s.SwitchedOffThreads.begin(), s.SwitchedOffThreads.end(), threadId) !=
                     s.SwitchedOffThreads.end();
    LeaveCriticalSection(&s.ThreadSwitchLock);
    return !off;
}

void SetZorvikLogInThread(uint32_t threadId, bool active)
{
    TZorvikCoreState& s = ZorvikCore();
    if (!s.Installed)
        return;
    EnterCriticalSection(&s.ThreadSwitchLock);
    auto& list = s.SwitchedOffThreads;
    auto it = std::find(list.begin(), list.end(), threadId);
    if (active && it != list.end())
        list.erase(it);
    else if (!active && it == list.end())
        list.push_back(threadId);
    LeaveCriticalSection(&s.ThreadSwitchLock);
}

TZorvikModuleOptions* ZorvikCoreOptions() { return ZorvikCore().Options; }

std::vector<std::string> ComponentUnitFiles()
{
    std::vector<std::string> units(std::begin(OwnUnitFiles), std::end(OwnUnitFiles));
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    return units;
}

uintptr_t ThreadStackTop() { return CurrentStackTop(); }

void SaveStackCopy(uintptr_t from, uintptr_t address)
{
    TZorvikCoreState& s = ZorvikCore();
    if (!s.LastStack.Buffer)
        return;
    const uintptr_t top = ThreadStackTop();
    LockLastStack();
    TStackCopy& c = s.LastStack;
    c.ThreadId = GetCurrentThreadId();
    c.Address = address;
    c.Start = from;
    c.Length = 0;
    if (from < top) {
        const size_t length = std::min<size_t>(top - from, MaxScannedStack);
        if (ReadMemoryBlock(reinterpret_cast<const void*>(from), c.Buffer, length))
            c.Length = length;
    }
    UnlockLastStack();
}

bool CopyLastStack(TStackCopy& facts, std::vector<uint8_t>& bytes)
{
    TZorvikCoreState& s = ZorvikCore();
    LockLastStack();
    facts = s.LastStack;
    facts.Buffer = nullptr;
    if (s.LastStack.Buffer)
        bytes.assign(s.LastStack.Buffer, s.LastStack.Buffer + s.LastStack.Length);
    UnlockLastStack();
    return facts.Length != 0;
}

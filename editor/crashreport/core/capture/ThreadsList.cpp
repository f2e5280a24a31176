#include "editor/crashreport/core/capture/ThreadsList.h"

#include <algorithm>
#include <exception>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/capture/ForwardedThreads.h"
#include "editor/crashreport/core/capture/SecondaryModule.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/support/hooking/Hooking.h"
#include "editor/crashreport/support/system/MemoryProbe.h"

namespace {

// What the system tells of a thread (its information class 0).
struct TThreadBasicInformation {
    LONG ExitStatus;
    void* TebBaseAddress;
    void* UniqueProcess;
    void* UniqueThread;
    ULONG_PTR AffinityMask;
    LONG Priority;
    LONG BasePriority;
};

using TQueryThread = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

}  // namespace

uintptr_t StackTopOf(HANDLE thread)
{
    static const auto query = reinterpret_cast<TQueryThread>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    TThreadBasicInformation info{};
    if (!query || !thread || query(thread, 0, &info, sizeof info, nullptr) < 0 || !info.TebBaseAddress)
        return 0;
    NT_TIB tib{};
    if (!ReadMemoryBlock(info.TebBaseAddress, &tib, sizeof tib))
        return 0;
    return reinterpret_cast<uintptr_t>(tib.StackBase);
}

namespace {

using TCreateThread = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
using TBeginThreadEx = uintptr_t(__cdecl*)(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*);
using TResumeThread = DWORD(WINAPI*)(HANDLE);
using TExitThread = void(WINAPI*)(DWORD);

TCreateThread realCreateThread = nullptr;
TBeginThreadEx realBeginThreadEx = nullptr;
TResumeThread realResumeThread = nullptr;
TExitThread realExitThread = nullptr;

template <class F>
F Kernel32(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// What a wrapper needs to start the thread's own routine.
struct TStart {
    LPTHREAD_START_ROUTINE Routine = nullptr;
    unsigned(__stdcall* CrtRoutine)(void*) = nullptr;
    void* Parameter = nullptr;
};

// Runs the thread's routine with room kept for the report of its own stack
// overflow; an exception escaping it is captured and ends the thread with
// exit code 1.
DWORD RunWrapped(TStart* start)
{
    const TStart s = *start;
    delete start;
    CurrentThreadData();  // the record is taken here, not in a handler
    ZorvikThreads().SetStackTop(GetCurrentThreadId(), ThreadStackTop());
    ReserveOverflowStack();
    try {
        return s.Routine ? s.Routine(s.Parameter) : s.CrtRoutine(s.Parameter);
    } catch (...) {
        CaptureThreadException(std::current_exception());
    }
    return 1;
}

DWORD WINAPI OtherThreadWrapper(LPVOID p) { return RunWrapped(static_cast<TStart*>(p)); }
unsigned __stdcall RuntimeThreadWrapper(void* p) { return RunWrapped(static_cast<TStart*>(p)); }

bool Watching()
{
    if (!ZorvikCore().Installed)
        return false;
    TThreadExceptionData* data = CurrentThreadData();
    return !data || !data->Pausing;
}

// Lists a thread made suspended and resumes it unless its creator asked for
// a suspended start.
void ListAndStart(HANDLE handle, DWORD id, uintptr_t startAddress, void* parameter, DWORD flags)
{
    TZorvikThreadRecord r;
    r.ThreadId = id;
    DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &r.Handle, 0, FALSE, DUPLICATE_SAME_ACCESS);
    r.StartAddress = startAddress;
    r.Parameter = parameter;
    // A library's copy tells the program's, whose reports show the thread.
    ForwardCreatedThread(r, handle);
    ZorvikThreads().Add(std::move(r));
    if (!(flags & CREATE_SUSPENDED))
        ResumeThread(handle);
}

HANDLE WINAPI HookedCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE routine,
                                 LPVOID parameter, DWORD flags, LPDWORD id)
{
    if (!ZorvikCore().Installed)
        return realCreateThread(security, stackSize, routine, parameter, flags, id);
    ZorvikThreads().PurgeDeadThreads();
    auto* start = new TStart{routine, nullptr, parameter};
    DWORD localId = 0;
    // The caller's flags are kept (a stack size that is a reservation stays
    // one); the thread starts suspended so that it is listed first.
    HANDLE h = realCreateThread(security, stackSize, OtherThreadWrapper, start, flags | CREATE_SUSPENDED,
                                id ? id : &localId);
    if (!h) {
        delete start;
        return h;
    }
    ListAndStart(h, id ? *id : localId, reinterpret_cast<uintptr_t>(routine), parameter, flags);
    return h;
}

uintptr_t __cdecl HookedBeginThreadEx(void* security, unsigned stackSize, unsigned(__stdcall* routine)(void*),
                                      void* parameter, unsigned flags, unsigned* id)
{
    if (!ZorvikCore().Installed)
        return realBeginThreadEx(security, stackSize, routine, parameter, flags, id);
    ZorvikThreads().PurgeDeadThreads();
    auto* start = new TStart{nullptr, routine, parameter};
    unsigned localId = 0;
    const uintptr_t h =
        realBeginThreadEx(security, stackSize, RuntimeThreadWrapper, start, flags | CREATE_SUSPENDED, id ? id : &localId);
    if (!h) {
        delete start;
        return h;
    }
    ListAndStart(reinterpret_cast<HANDLE>(h), id ? *id : localId, reinterpret_cast<uintptr_t>(routine), parameter,
                 flags);
    return h;
}

__attribute__((noinline)) DWORD WINAPI HookedResumeThread(HANDLE thread)
{
    if (Watching()) {
        // Matched by id: a closed or recycled handle never names a record.
        const DWORD id = GetThreadId(thread);
        TZorvikThreadRecord record;
        if (id) {
            ZorvikThreads().NoteResume(id, GetCurrentThreadId(),
                                       reinterpret_cast<uintptr_t>(__builtin_frame_address(0)), ThreadStackTop());
            if (IsSecondaryModule() && ZorvikThreads().Find(id, record))
                ForwardResumedThread(thread, record);
        }
    }
    return realResumeThread(thread);
}

void WINAPI HookedExitThread(DWORD code)
{
    if (ZorvikCore().Installed) {
        ZorvikThreads().RemoveThread(GetCurrentThreadId());
        ForwardThreadExit();
    }
    realExitThread(code);
}

template <class F>
void HookImport(const std::string& module, const char* library, const char* name, F replacement, F& real)
{
    void* replaced = nullptr;
    try {
        TryHookDllProcedureEx({module}, library, true, replaced, reinterpret_cast<void*>(replacement), name);
    } catch (...) {
    }
    if (!real)
        real = reinterpret_cast<F>(replaced);
}

}  // namespace

TZorvikThreadsList::TZorvikThreadsList() = default;
TZorvikThreadsList::~TZorvikThreadsList() = default;

void TZorvikThreadsList::AddMainThread(uint32_t id, HANDLE handle, uintptr_t stackTop)
{
    AcquireSRWLockExclusive(&FLock);
    TZorvikThreadRecord r;
    r.ThreadId = id;
    DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &r.Handle, 0, FALSE, DUPLICATE_SAME_ACCESS);
    r.StackTop = stackTop;
    FItems.insert(FItems.begin(), std::move(r));
    ReleaseSRWLockExclusive(&FLock);
}

void TZorvikThreadsList::Add(TZorvikThreadRecord record)
{
    AcquireSRWLockExclusive(&FLock);
    FItems.push_back(std::move(record));
    ReleaseSRWLockExclusive(&FLock);
}

void TZorvikThreadsList::RemoveThread(uint32_t id)
{
    AcquireSRWLockExclusive(&FLock);
    for (auto it = FItems.begin(); it != FItems.end(); ++it)
        if (it->ThreadId == id && it != FItems.begin()) {
            if (it->Handle)
                CloseHandle(it->Handle);
            FItems.erase(it);
            break;
        }
    ReleaseSRWLockExclusive(&FLock);
}

void TZorvikThreadsList::PurgeDeadThreads()
{
    AcquireSRWLockExclusive(&FLock);
    for (size_t i = FItems.size(); i-- > 1;) {
        DWORD code = 0;
        if (!FItems[i].Handle || !GetExitCodeThread(FItems[i].Handle, &code) || code != STILL_ACTIVE) {
            if (FItems[i].Handle)
                CloseHandle(FItems[i].Handle);
            FItems.erase(FItems.begin() + static_cast<ptrdiff_t>(i));
        }
    }
    ReleaseSRWLockExclusive(&FLock);
}

void TZorvikThreadsList::Clear()
{
    AcquireSRWLockExclusive(&FLock);
    for (auto& r : FItems)
        if (r.Handle)
            CloseHandle(r.Handle);
    FItems.clear();
    ReleaseSRWLockExclusive(&FLock);
}

std::vector<uint32_t> TZorvikThreadsList::Ids() const
{
    AcquireSRWLockShared(&FLock);
    std::vector<uint32_t> ids;
    for (const auto& r : FItems)
        ids.push_back(r.ThreadId);
    ReleaseSRWLockShared(&FLock);
    return ids;
}

bool TZorvikThreadsList::Find(uint32_t id, TZorvikThreadRecord& record) const
{
    AcquireSRWLockShared(&FLock);
    bool found = false;
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it)
        if (it->ThreadId == id) {
            record = *it;
            record.Handle = nullptr;  // the list keeps its handle
            found = true;
            break;
        }
    ReleaseSRWLockShared(&FLock);
    return found;
}

void TZorvikThreadsList::NoteResume(uint32_t id, uint32_t resumer, uintptr_t from, uintptr_t top)
{
    std::vector<uint8_t> copy;
    if (from < top) {
        copy.resize(std::min<size_t>(top - from, MaxScannedStack));
        if (!ReadMemoryBlock(reinterpret_cast<const void*>(from), copy.data(), copy.size()))
            copy.clear();
    }
    SetResume(id, resumer, from, std::move(copy));
}

bool TZorvikThreadsList::SetResume(uint32_t id, uint32_t resumer, uintptr_t start, std::vector<uint8_t> stack)
{
    bool found = false;
    AcquireSRWLockExclusive(&FLock);
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it)
        if (it->ThreadId == id) {
            it->ResumerId = resumer;
            it->SavedStackStart = start;
            it->SavedStack = std::move(stack);
            found = true;
            break;
        }
    ReleaseSRWLockExclusive(&FLock);
    return found;
}

void TZorvikThreadsList::SetStackTop(uint32_t id, uintptr_t top)
{
    AcquireSRWLockExclusive(&FLock);
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it)
        if (it->ThreadId == id) {
            it->StackTop = top;
            break;
        }
    ReleaseSRWLockExclusive(&FLock);
}

TZorvikThreadsList& ZorvikThreads()
{
    static TZorvikThreadsList list;
    return list;
}

void InstallThreadHooks(const std::string& moduleName)
{
    realCreateThread = Kernel32<TCreateThread>("CreateThread");
    realResumeThread = Kernel32<TResumeThread>("ResumeThread");
    realExitThread = Kernel32<TExitThread>("ExitThread");
    realBeginThreadEx = reinterpret_cast<TBeginThreadEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "_beginthreadex")));
    HookImport(moduleName, "kernel32.dll", "CreateThread", &HookedCreateThread, realCreateThread);
    HookImport(moduleName, "kernel32.dll", "ResumeThread", &HookedResumeThread, realResumeThread);
    HookImport(moduleName, "kernel32.dll", "ExitThread", &HookedExitThread, realExitThread);
    if (realBeginThreadEx)
        HookImport(moduleName, "msvcrt.dll", "_beginthreadex", &HookedBeginThreadEx, realBeginThreadEx);
}

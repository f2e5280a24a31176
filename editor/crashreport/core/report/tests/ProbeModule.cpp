// A library of the processing tests that carries the crash-report component
// as well: a second module of the report probe. Its copy of the core finds
// the probe's and hands its faults and its threads over; the probe's copy
// reports them.
#include <windows.h>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "framework/Exceptions.h"

namespace {

__attribute__((noinline)) void ThrowModuleBoom() { throw Exception("Module boom"); }

__attribute__((noinline)) void ThrowCaughtModuleBoom() { throw Exception("Caught module boom"); }

// An exception nobody in this library catches: the library's run time ends
// the thread through its terminate path.
__attribute__((noinline)) void EscapeModuleBoom() noexcept { ThrowModuleBoom(); }

__attribute__((noinline)) void ThrowInModuleThread() { throw Exception("Module thread boom"); }

DWORD WINAPI FailingModuleThread(LPVOID)
{
    ThrowInModuleThread();
    return 0;
}

HANDLE release = nullptr;
HANDLE waiting = nullptr;

__attribute__((noinline)) void WaitInModuleThread() { WaitForSingleObject(release, INFINITE); }

// Waits to be released, then ends itself through ExitThread.
DWORD WINAPI WaitingModuleThread(LPVOID)
{
    WaitInModuleThread();
    ExitThread(7);
}

// Through this library's own import of CreateThread.
__attribute__((noinline)) HANDLE StartModuleThread(LPTHREAD_START_ROUTINE routine, DWORD& id)
{
    return CreateThread(nullptr, 0, routine, nullptr, 0, &id);
}

}  // namespace

// Starts this library's copy of the core; 1 installed, +2 it hands its
// faults to the program's copy.
extern "C" __declspec(dllexport) int ProbeModuleStart()
{
    ZorvikCoreInit();
    return (IsZorvikLogInstalled() ? 1 : 0) + (ZorvikCore().SecondaryModule ? 2 : 0);
}

// 0: an exception caught here and reported on demand; 1: one that escapes.
extern "C" __declspec(dllexport) int ProbeModuleFault(int how)
{
    if (how == 1)
        EscapeModuleBoom();
    try {
        ThrowModuleBoom();
    } catch (...) {
        return StandardZorvikNotify(std::current_exception(), 0) ? 1 : 0;
    }
    return -1;
}

// An exception thrown and caught here, never reported: 1 when caught.
extern "C" __declspec(dllexport) int ProbeModuleCaughtThrow()
{
    try {
        ThrowCaughtModuleBoom();
    } catch (const Exception&) {
        return 1;
    }
    return 0;
}

// A thread of this library whose routine throws; its exit code once it has
// ended (-1: it did not start or end).
extern "C" __declspec(dllexport) int ProbeModuleThreadFault()
{
    DWORD id = 0;
    HANDLE thread = StartModuleThread(FailingModuleThread, id);
    if (!thread)
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(thread, 60000) != WAIT_OBJECT_0 || !GetExitCodeThread(thread, &code))
        code = static_cast<DWORD>(-1);
    CloseHandle(thread);
    return static_cast<int>(code);
}

// Starts a thread of this library that waits until ProbeModuleEndThread;
// its id (0: none started).
extern "C" __declspec(dllexport) unsigned ProbeModuleStartThread()
{
    release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    waiting = StartModuleThread(WaitingModuleThread, id);
    return waiting ? id : 0;
}

// Releases the waiting thread, which ends through ExitThread; its exit code.
extern "C" __declspec(dllexport) int ProbeModuleEndThread()
{
    if (!waiting)
        return -1;
    SetEvent(release);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(waiting, 60000) != WAIT_OBJECT_0 || !GetExitCodeThread(waiting, &code))
        code = static_cast<DWORD>(-1);
    CloseHandle(waiting);
    CloseHandle(release);
    waiting = release = nullptr;
    return static_cast<int>(code);
}

#include "editor/crashreport/core/capture/FreezeWatchdog.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/CpuContext.h"
#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/capture/ProcessWindows.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/capture/ThreadsList.h"
#include "editor/crashreport/support/system/ComponentThreads.h"
#include "editor/crashreport/support/system/MemoryProbe.h"

namespace {

HANDLE watchdog = nullptr;
HANDLE stopEvent = nullptr;

HWND ProcessMainWindow() { return MainWindowOfProcess(GetCurrentProcessId()); }

// Waits `ms` unless asked to stop; true when asked.
bool StopWait(DWORD ms) { return WaitForSingleObject(stopEvent, ms) == WAIT_OBJECT_0; }

// Suspends the main thread, copies only its context and stack into buffers
// made beforehand, resumes it, and only then captures (which allocates,
// locks and walks the stack): a suspended thread may hold the heap.
void ReportFrozen(CONTEXT& context, std::vector<uint8_t>& stack)
{
    TZorvikCoreState& s = ZorvikCore();
    TThreadExceptionData* data = CurrentThreadData();
    if (!s.MainThread || SuspendThread(s.MainThread) == static_cast<DWORD>(-1))
        return;
    if (data)
        data->Pausing = 1;
    std::memset(&context, 0, sizeof context);
    context.ContextFlags = CaptureContextFlags;
    const bool read = GetThreadContext(s.MainThread, &context) != FALSE;
    size_t length = 0;
    const uintptr_t sp = read ? ContextSp(context) : 0;
    if (read && sp && sp < s.MainThreadStackTop) {
        length = std::min<size_t>(s.MainThreadStackTop - sp, stack.size());
        if (!ReadMemoryBlock(reinterpret_cast<const void*>(sp), stack.data(), length))
            length = 0;
    }
    ResumeThread(s.MainThread);
    if (data)
        data->Pausing = 0;
    if (!read || !ContextIp(context) || !sp)
        return;
    const std::vector<uint8_t> copy(stack.begin(), stack.begin() + static_cast<ptrdiff_t>(length));
    const std::string message = s.Options ? s.Options->GetCustomizedExpandedTexts(mtException_AntiFreeze) : "";
    CaptureFrozenApplication(context, sp, copy, message);
}

DWORD WINAPI WatchdogRun(LPVOID)
{
    CurrentThreadData();
    auto* context = static_cast<CONTEXT*>(_aligned_malloc(sizeof(CONTEXT), 16));
    std::vector<uint8_t> stack(MaxScannedStack);
    while (!StopWait(0)) {
        int32_t silence = 0;
        bool stop = false;
        for (;;) {
            HWND window = ProcessMainWindow();
            while (!window) {
                if ((stop = StopWait(50)))
                    break;
                window = ProcessMainWindow();
            }
            if (stop)
                break;
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 50, &answer)) {
                if ((stop = StopWait(300)))
                    break;
                silence = 0;
            } else {
                silence += 50;
            }
            const TZorvikModuleOptions* o = ZorvikCore().Options;
            const int64_t limit = o ? static_cast<int64_t>(o->FreezeTimeout()) * 1000 : 60000;
            if (silence >= limit)
                break;
        }
        if (stop)
            break;
        ReportFrozen(*context, stack);
    }
    _aligned_free(context);
    return 0;
}

}  // namespace

void StartFreezeWatchdog()
{
    TZorvikModuleOptions* o = ZorvikCore().Options;
    // A library's copy leaves the main thread to the program's watchdog.
    if (watchdog || !ZorvikCore().Installed || ZorvikCore().SecondaryModule || !o || !o->FreezeActivate())
        return;
    if (!stopEvent)
        stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(stopEvent);
    watchdog = CreateComponentThread(WatchdogRun, nullptr);
}

void StopFreezeWatchdog()
{
    if (!watchdog)
        return;
    SetEvent(stopEvent);
    WaitForSingleObject(watchdog, INFINITE);
    CloseHandle(watchdog);
    watchdog = nullptr;
}

bool FreezeWatchdogRunning() { return watchdog != nullptr; }

void TZorvikModuleOptionsEx::SetActive(bool value)
{
    const bool changed = value != Active();
    TZorvikModuleOptions::SetActive(value);
    if (this != ZorvikCore().Options || !changed)
        return;
    if (value && FreezeActivate())
        StartFreezeWatchdog();
    else
        StopFreezeWatchdog();
}

void TZorvikModuleOptionsEx::SetFreezeActivate(bool value)
{
    const bool changed = value != FreezeActivate();
    TZorvikModuleOptions::SetFreezeActivate(value);
    if (this != ZorvikCore().Options || !changed)
        return;
    if (value && Active())
        StartFreezeWatchdog();
    else
        StopFreezeWatchdog();
}

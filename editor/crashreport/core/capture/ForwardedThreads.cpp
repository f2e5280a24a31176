#include "editor/crashreport/core/capture/ForwardedThreads.h"

#include <vector>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/SecondaryModule.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/capture/ThreadsList.h"

namespace {

// The main instance keeps track only while installed, and not for a
// thread that has others paused (the processing resuming what it paused).
bool Installed() { return ZorvikCore().Installed != 0 && !IsSecondaryModule(); }

bool PausingHere()
{
    const TThreadExceptionData* data = CurrentThreadData();
    return data && data->Pausing;
}

TForwardedThread Plain(const TZorvikThreadRecord& r, HANDLE handle)
{
    TForwardedThread f{};
    f.Size = sizeof f;
    f.ThreadId = r.ThreadId;
    f.Handle = handle;
    f.ResumerId = r.ResumerId;
    f.StartAddress = r.StartAddress;
    f.Parameter = r.Parameter;
    f.StackTop = r.StackTop;
    f.SavedStackStart = r.SavedStackStart;
    f.SavedStack = r.SavedStack.empty() ? nullptr : r.SavedStack.data();
    f.SavedStackLength = r.SavedStack.size();
    return f;
}

bool Valid(const TForwardedThread* f) { return f && f->Size >= sizeof(TForwardedThread); }

std::vector<uint8_t> SavedStackOf(const TForwardedThread& f)
{
    if (!f.SavedStack || !f.SavedStackLength)
        return {};
    return std::vector<uint8_t>(f.SavedStack, f.SavedStack + f.SavedStackLength);
}

}  // namespace

extern "C" __declspec(dllexport) int ZorvikLog_CallCreateThread(const TForwardedThread* f)
{
    if (!Installed() || !Valid(f) || !f->ThreadId)
        return 0;
    ZorvikThreads().PurgeDeadThreads();
    TZorvikThreadRecord r;
    r.ThreadId = f->ThreadId;
    // A handle of its own: the library closes its handles when it likes.
    HANDLE source = f->Handle ? f->Handle : OpenThread(THREAD_QUERY_INFORMATION, FALSE, f->ThreadId);
    if (source)
        DuplicateHandle(GetCurrentProcess(), source, GetCurrentProcess(), &r.Handle, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    if (source && source != f->Handle)
        CloseHandle(source);
    if (!r.Handle)
        return 0;
    r.ResumerId = f->ResumerId;
    r.StartAddress = f->StartAddress;
    r.Parameter = f->Parameter;
    // 0 while the thread has not run: read from the thread when a report
    // needs it.
    r.StackTop = f->StackTop;
    r.SavedStackStart = f->SavedStackStart;
    r.SavedStack = SavedStackOf(*f);
    ZorvikThreads().Add(std::move(r));
    return 1;
}

extern "C" __declspec(dllexport) int ZorvikLog_CallResumeThread(HANDLE thread, const TForwardedThread* f)
{
    if (!Installed() || !Valid(f) || PausingHere())
        return 0;
    const uint32_t id = f->ThreadId ? f->ThreadId : GetThreadId(thread);
    if (!id)
        return 0;
    return ZorvikThreads().SetResume(id, f->ResumerId, f->SavedStackStart, SavedStackOf(*f)) ? 1 : 0;
}

extern "C" __declspec(dllexport) int ZorvikLog_CallExitThread()
{
    if (!Installed())
        return 0;
    ZorvikThreads().RemoveThread(GetCurrentThreadId());
    return 1;
}

void ForwardCreatedThread(const TZorvikThreadRecord& record, HANDLE handle)
{
    if (!IsSecondaryModule() || !MainThreadEntries().Create)
        return;
    const TForwardedThread f = Plain(record, handle);
    MainThreadEntries().Create(&f);
}

void ForwardResumedThread(HANDLE thread, const TZorvikThreadRecord& record)
{
    if (!IsSecondaryModule() || !MainThreadEntries().Resume)
        return;
    const TForwardedThread f = Plain(record, thread);
    MainThreadEntries().Resume(thread, &f);
}

void ForwardThreadExit()
{
    if (IsSecondaryModule() && MainThreadEntries().Exit)
        MainThreadEntries().Exit();
}

#include "editor/crashreport/core/capture/SecondaryModule.h"

#include <vector>

#include "editor/crashreport/core/capture/CallStacks.h"
#include "editor/crashreport/core/capture/Captures.h"
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/support/system/ModuleHandles.h"

namespace {

using TCallExceptionManager = int (*)(const TForwardedCapture*);
using TCallGeneralRaise = int (*)(const TForwardedRaise*);

bool secondary = false;
TCallExceptionManager mainExceptionManager = nullptr;
TCallGeneralRaise mainGeneralRaise = nullptr;
TMainThreadEntries mainThreadEntries;

template <class F>
F ProgramEntry(uintptr_t program, const char* name)
{
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(program), name)));
}

bool IsLibrary(uintptr_t module)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    if (!module || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return false;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(module + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE && (nt->FileHeader.Characteristics & IMAGE_FILE_DLL) != 0;
}

}  // namespace

void FindMainInstance(uintptr_t module)
{
    secondary = false;
    mainExceptionManager = nullptr;
    mainGeneralRaise = nullptr;
    mainThreadEntries = TMainThreadEntries();
    if (!IsLibrary(module))
        return;
    // The program is the one module of the process that is not a library.
    const uintptr_t program = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
    if (!program || program == module || !IsZorvikLogModule(program))
        return;
    mainExceptionManager = ProgramEntry<TCallExceptionManager>(program, "ZorvikLog_CallExceptionManager");
    secondary = mainExceptionManager != nullptr;
    if (!secondary)
        return;
    mainGeneralRaise = ProgramEntry<TCallGeneralRaise>(program, "ZorvikLog_CallGeneralRaise");
    mainThreadEntries.Create = ProgramEntry<decltype(mainThreadEntries.Create)>(program, "ZorvikLog_CallCreateThread");
    mainThreadEntries.Resume = ProgramEntry<decltype(mainThreadEntries.Resume)>(program, "ZorvikLog_CallResumeThread");
    mainThreadEntries.Exit = ProgramEntry<decltype(mainThreadEntries.Exit)>(program, "ZorvikLog_CallExitThread");
}

bool IsSecondaryModule() { return secondary; }

const TMainThreadEntries& MainThreadEntries() { return mainThreadEntries; }

void ForwardRaise(TThreadExceptionData& data, const std::type_info* type)
{
    // A throw of this module's own processing stays here, and so does one
    // raised while the main instance is told of another.
    if (!secondary || !mainGeneralRaise || data.Processing)
        return;
    if (InterlockedCompareExchange(&data.Forwarding, 1, 0) != 0)
        return;
    TForwardedRaise r{};
    r.Size = sizeof r;
    r.ThreadId = GetCurrentThreadId();
    r.Address = data.PendingAddress;
    r.RaisePosition = data.RaisePosition;
    r.ClassName = type ? type->name() : "";
    r.Context = data.ContextValid ? &data.Context : nullptr;
    mainGeneralRaise(&r);
    InterlockedExchange(&data.Forwarding, 0);
}

bool ForwardCapture(const TCapture& c, bool& answer)
{
    if (!secondary || !mainExceptionManager)
        return false;
    TForwardedCapture f{};
    f.Size = sizeof f;
    f.Kind = static_cast<uint32_t>(c.Kind);
    f.ClassName = c.ClassName.c_str();
    f.Message = c.Message.c_str();
    f.Address = c.Address;
    f.Code = c.Code;
    f.FrameworkObject = c.FrameworkObject;
    f.Output = c.Output;
    f.ContextValid = c.ContextValid;
    f.Context = &c.Context;
    f.RecordValid = c.RecordValid;
    f.Record = &c.Record;
    f.StackPointer = c.StackPointer;
    f.Module = CurrentModuleHandle();
    // The stack as it was at the raise, when this thread's last raise is
    // the one reported: the frames between the raise and the handler are
    // gone from the live stack.
    TStackCopy facts;
    std::vector<uint8_t> bytes;
    if (CopyLastStack(facts, bytes) && facts.ThreadId == c.ThreadId && facts.Address == c.Address) {
        f.Stack = bytes.data();
        f.StackStart = facts.Start;
        f.StackLength = bytes.size();
    }
    answer = mainExceptionManager(&f) != 0;
    return true;
}

extern "C" __declspec(dllexport) int ZorvikLog_CallExceptionManager(const TForwardedCapture* f)
{
    if (!f || f->Size < sizeof(TForwardedCapture) || secondary)
        return 1;
    return CaptureInCurrentThread(static_cast<TCaptureKind>(f->Kind), [f](TCapture& c) {
        c.ClassName = f->ClassName ? f->ClassName : "";
        c.Message = f->Message ? f->Message : "";
        c.Address = f->Address;
        c.Code = f->Code;
        c.FrameworkObject = f->FrameworkObject != 0;
        c.Output = f->Output;
        if (f->ContextValid && f->Context) {
            c.Context = *f->Context;
            c.ContextValid = true;
        }
        if (f->RecordValid && f->Record) {
            c.Record = *f->Record;
            c.RecordValid = true;
        }
        c.StackPointer = f->StackPointer;
        if (f->Stack && f->StackLength)
            BuildCopiedCallStack(c.CallStack, c.Address, f->StackStart,
                                 std::vector<uint8_t>(f->Stack, f->Stack + f->StackLength), c.ThreadId, 1);
        else
            BuildCurrentCallStack(c.CallStack, c.Address, c.ThreadId);
    }) ? 1 : 0;
}

extern "C" __declspec(dllexport) int ZorvikLog_CallGeneralRaise(const TForwardedRaise* r)
{
    if (!r || r->Size < sizeof(TForwardedRaise) || secondary || !ZorvikCore().Installed)
        return 0;
    // The stack above the raise position is read live: only the raising
    // thread itself may hand it over.
    if (r->ThreadId != GetCurrentThreadId())
        return 0;
    TThreadExceptionData* data = CurrentThreadData();
    if (!data)
        return 0;
    // The object belongs to the library's run time: no pending object here,
    // only where it was raised.
    NoteRaise(*data, r->Address, r->RaisePosition);
    data->PendingType = nullptr;
    data->PendingObject = nullptr;
    if (r->Context) {
        data->Context = *r->Context;
        data->ContextValid = true;
    }
    return 1;
}

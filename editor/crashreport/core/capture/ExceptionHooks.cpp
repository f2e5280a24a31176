#include "editor/crashreport/core/capture/ExceptionHooks.h"

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "editor/crashreport/core/capture/CallStacks.h"
#include "editor/crashreport/core/capture/Captures.h"
#include "editor/crashreport/core/capture/CoreServiceTexts.h"
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/CpuContext.h"
#include "editor/crashreport/core/capture/MemoryReserve.h"
#include "editor/crashreport/core/capture/SecondaryModule.h"
#include "editor/crashreport/core/capture/ThreadData.h"
#include "editor/crashreport/core/capture/ThreadsList.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

// The C++ throw, wrapped at link time (-Wl,--wrap=__cxa_throw): every throw
// of the program passes here first. The run time's destructor argument is
// passed on untouched.
extern "C" {
[[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void* destroy);
[[noreturn]] void __wrap___cxa_throw(void* object, std::type_info* type, void* destroy);
}

namespace {

PVOID vectoredHandler = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

bool CoreOnHere()
{
    const TZorvikCoreState& s = ZorvikCore();
    return s.Installed && s.CoreSwitch && IsZorvikLogActiveInThread(GetCurrentThreadId());
}

}  // namespace

void NoteRaise(TThreadExceptionData& data, uintptr_t address, uintptr_t stackPosition)
{
    data.PendingAddress = address;
    data.RaisePosition = stackPosition;
    data.ExceptionStackPointer = stackPosition;
    SaveStackCopy(stackPosition, address);
}

namespace {

// Notes a throw: where, what, the context and a copy of the stack.
__attribute__((noinline)) void NoteThrow(void* object, const std::type_info* type, uintptr_t returnAddress,
                                         uintptr_t stackPosition)
{
    TThreadExceptionData* data = CurrentThreadData();
    if (!data)
        return;
    // The call instruction (5 bytes in both widths) before the return address.
    NoteRaise(*data, returnAddress - 5, stackPosition);
    data->PendingType = type;
    data->PendingObject = object;
    RtlCaptureContext(&data->Context);
    data->ContextValid = true;
    // A library's copy of the core tells the program's of the raise as well.
    ForwardRaise(*data, type);
}

// The capture of the calling thread, started with the common facts.
std::unique_ptr<TCapture> NewCapture(TCaptureKind kind)
{
    auto c = std::make_unique<TCapture>();
    c->Kind = kind;
    c->ThreadId = GetCurrentThreadId();
    c->MainThread = c->ThreadId == ZorvikCore().MainThreadId;
    c->StackTop = ThreadStackTop();
    c->Threads = ZorvikThreads().Ids();
    return c;
}

// Class, message and call stack of the C++ exception being handled, from
// the stack copy of its throw when the copy is this thread's. A caller that
// names the exception's address (`address` not 0) has the report start there.
void FillFromCurrentException(TCapture& c, const std::exception_ptr& exception, const std::type_info* type,
                              uintptr_t address = 0)
{
    c.ClassName = TypeDisplayName(type);
    c.Message = ExceptionMessage(exception);
    c.Type = type;
    c.Exception = exception;
    c.FrameworkObject = ExceptionIs<Exception>(exception);
    TThreadExceptionData* data = CurrentThreadData();
    const bool pending = data && data->PendingType && type && *data->PendingType == *type &&
                         (!address || address == data->PendingAddress);
    c.Address = address;
    if (pending) {
        c.Address = data->PendingAddress;
        c.Context = data->Context;
        c.ContextValid = data->ContextValid;
        c.StackPointer = data->RaisePosition;
    }
    TStackCopy facts;
    std::vector<uint8_t> bytes;
    if (pending && CopyLastStack(facts, bytes) && facts.ThreadId == c.ThreadId)
        BuildCopiedCallStack(c.CallStack, c.Address, facts.Start, bytes, c.ThreadId, 1);
    else
        BuildCurrentCallStack(c.CallStack, c.Address, c.ThreadId);
    if (data) {
        data->PendingType = nullptr;
        data->PendingObject = nullptr;
    }
}

// Runs one capture of the calling thread under the processing lock, once:
// a fault while the thread's own fault is being processed (a message its
// wait answers, a callback it runs) is neither reported nor handed back to
// the framework, whose message box would stand beside the report's dialog.
template <class Fill>
bool Capture(TCaptureKind kind, Fill&& fill)
{
    TThreadExceptionData* data = CurrentThreadData();
    if (!data)
        return true;
    if (InterlockedCompareExchange(&data->Processing, 1, 0) != 0)
        return false;
    TZorvikCoreState& s = ZorvikCore();
    EnterCriticalSection(&s.ProcessingLock);
    // The reserve is given back for the report and taken again after it.
    ReleaseMemoryReserve();
    bool answer = true;
    try {
        auto c = NewCapture(kind);
        fill(*c);
        // A library's copy of the core hands the fault to the program's.
        if (!ForwardCapture(*c, answer))
            answer = DeliverCapture(std::move(c));
    } catch (...) {
    }
    ReserveMemory();
    LeaveCriticalSection(&s.ProcessingLock);
    InterlockedExchange(&data->Processing, 0);
    return answer;
}

LONG CALLBACK VectoredHandler(EXCEPTION_POINTERS* pointers)
{
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    if (!ZorvikCore().Installed || IsIgnoredExceptionCode(code))
        return EXCEPTION_CONTINUE_SEARCH;
    TThreadExceptionData* data = CurrentThreadData();
    if (!data)
        return EXCEPTION_CONTINUE_SEARCH;
    // Copies only: the heap may be what failed.
    std::memcpy(&data->Record, pointers->ExceptionRecord, sizeof(EXCEPTION_RECORD));
    std::memcpy(&data->Context, pointers->ContextRecord, sizeof(CONTEXT));
    data->ContextValid = true;
    data->ExceptionStackPointer = ContextSp(*pointers->ContextRecord);
    if (SavesStackCopy(code))
        SaveStackCopy(data->ExceptionStackPointer, reinterpret_cast<uintptr_t>(pointers->ExceptionRecord->ExceptionAddress));
    return EXCEPTION_CONTINUE_SEARCH;
}

std::string CodeName(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION: return "EAccessViolation";
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return "EDivByZero";
    case EXCEPTION_STACK_OVERFLOW: return "EStackOverflow";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION: return "EPrivilege";
    default: return "EExternalException";
    }
}

// The file name (without folder) of the module that holds the address.
std::string ModuleNameAt(const void* address)
{
    HMODULE module = nullptr;
    char name[MAX_PATH + 1] = {};
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &module))
        return "";
    const DWORD n = GetModuleFileNameA(module, name, MAX_PATH);
    const std::string path(name, n < MAX_PATH ? n : 0);
    return path.substr(path.find_last_of("\\/") + 1);
}

// The run time's message for a system exception, its addresses in the
// pointer's width.
std::string FaultMessage(const EXCEPTION_RECORD& r)
{
    TSystemFault fault;
    fault.Code = r.ExceptionCode;
    fault.Address = reinterpret_cast<uintptr_t>(r.ExceptionAddress);
    if (r.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && r.NumberParameters >= 2) {
        fault.ModuleName = ModuleNameAt(r.ExceptionAddress);
        fault.AccessKnown = true;
        fault.Access = static_cast<uintptr_t>(r.ExceptionInformation[0]);
        fault.Target = static_cast<uintptr_t>(r.ExceptionInformation[1]);
    }
    return SystemFaultMessage(fault);
}

LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* pointers)
{
    TThreadExceptionData* data = CurrentThreadData();
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    if (ZorvikCore().Installed && data && data->LastFiltered != pointers && !IsIgnoredExceptionCode(code)) {
        data->LastFiltered = pointers;
        if (CoreOnHere()) {
            Capture(TCaptureKind::HardwareFault, [&](TCapture& c) {
                const EXCEPTION_RECORD& r = *pointers->ExceptionRecord;
                c.Code = r.ExceptionCode;
                c.Record = r;
                c.RecordValid = true;
                c.ClassName = CodeName(r.ExceptionCode);
                c.Message = FaultMessage(r);
                c.Address = reinterpret_cast<uintptr_t>(r.ExceptionAddress);
                c.Context = *pointers->ContextRecord;
                c.ContextValid = true;
                c.StackPointer = ContextSp(c.Context);
                // After an overflow this thread's stack is what ran out: the
                // processing thread builds the call stack instead.
                if (r.ExceptionCode != EXCEPTION_STACK_OVERFLOW)
                    BuildLiveCallStack(c.CallStack, c.Address, c.StackPointer, c.StackTop, c.ThreadId);
            });
            EndFaultingThread();
        }
    }
    return previousFilter ? previousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
}

void TerminateHandler()
{
    if (CoreOnHere()) {
        // An EAbort nobody caught ends the thread as any other, unreported.
        if (!ExceptionIs<EAbort>(std::current_exception()))
            Capture(TCaptureKind::UnhandledException, [](TCapture& c) {
                const std::exception_ptr e = std::current_exception();
                FillFromCurrentException(c, e, e ? abi::__cxa_current_exception_type() : nullptr);
                if (!e)
                    c.Message = "The program ended without an exception to handle";
            });
        EndFaultingThread();
    }
    if (previousTerminate)
        previousTerminate();
    std::abort();
}

bool FrameworkHook(TObject* sender) { return ExceptionManager(sender); }

// An exception shown outside the framework's handler (one that escaped the
// start-up or the message loop) is reported like one that reached it.
bool ShowExceptionHook(const Exception& e) { return ExceptionManager(const_cast<Exception*>(&e)); }

}  // namespace

extern "C" void __wrap___cxa_throw(void* object, std::type_info* type, void* destroy)
{
    if (ZorvikCore().Installed)
        NoteThrow(object, type, reinterpret_cast<uintptr_t>(__builtin_return_address(0)),
                  reinterpret_cast<uintptr_t>(__builtin_frame_address(0)));
    __real___cxa_throw(object, type, destroy);
}

bool IsIgnoredExceptionCode(DWORD code)
{
    // Severity success or information: thread naming (406D1388), debugger
    // output (40010006, 4001000A), the C++ run time's raise codes of 64-bit
    // code (20474343 and its kin). Breakpoints are the debugger's.
    return (code >> 30) < 2 || code == EXCEPTION_BREAKPOINT || code == EXCEPTION_SINGLE_STEP;
}

std::string TypeDisplayName(const std::type_info* type)
{
    if (!type)
        return "";
    const char* name = type->name();
    if (*name == '*')
        ++name;
    int status = 0;
    char* readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    if (!readable)
        return name;
    std::string result = readable;
    std::free(readable);
    return result;
}

std::string ExceptionMessage(const std::exception_ptr& exception)
{
    if (!exception)
        return "";
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "";
}

bool ExceptionManager(void*)
{
    return ReportExceptionObject(std::current_exception(), 0, 1);
}

bool ReportExceptionObject(const std::exception_ptr& exception, uintptr_t address, uint8_t output)
{
    if (!CoreOnHere() || !exception || ExceptionIs<EAbort>(exception))
        return true;
    try {
        std::rethrow_exception(exception);
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        return Capture(TCaptureKind::FrameworkException, [&](TCapture& c) {
            FillFromCurrentException(c, exception, type, address);
            c.Output = output;
        });
    }
}

bool CaptureInCurrentThread(TCaptureKind kind, const std::function<void(TCapture&)>& fill)
{
    if (!CoreOnHere())
        return true;
    return Capture(kind, fill);
}

void CaptureThreadException(const std::exception_ptr& exception)
{
    if (!CoreOnHere() || ExceptionIs<EAbort>(exception))
        return;
    const std::type_info* type = abi::__cxa_current_exception_type();
    Capture(TCaptureKind::ThreadException, [&](TCapture& c) { FillFromCurrentException(c, exception, type); });
}

void EndFaultingThread()
{
    if (GetCurrentThreadId() == ZorvikCore().MainThreadId)
        TerminateProcess(GetCurrentProcess(), 1);
    ExitThread(1);
}

void ReserveOverflowStack()
{
    // The stack is one allocation: the one this frame lies in.
    const uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    MEMORY_BASIC_INFORMATION stack{};
    if (!VirtualQuery(reinterpret_cast<void*>(here), &stack, sizeof stack))
        return;
    const uintptr_t base = reinterpret_cast<uintptr_t>(stack.AllocationBase);
    const uintptr_t top = ThreadStackTop();
    // A thread made with a small stack keeps all of it for its routine.
    if (top <= base || top - base < MinimumStackForReserve)
        return;
    ULONG size = OverflowStackReserve;
    SetThreadStackGuarantee(&size);
    // Where the whole stack is committed from the start (no guard page that
    // moves down as it grows), a guard page at the top of the reserve makes
    // the system raise the overflow there, with the reserve still free. A
    // stack that grows page by page has nothing committed down there yet and
    // is left alone: its own guard page and the guarantee do the same.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const uintptr_t page = system.dwPageSize;
    const uintptr_t guard = base + page + OverflowStackReserve;
    MEMORY_BASIC_INFORMATION at{};
    if (guard + page >= here - page || !VirtualQuery(reinterpret_cast<void*>(guard), &at, sizeof at) ||
        at.State != MEM_COMMIT || (at.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0)
        return;
    DWORD before = 0;
    VirtualProtect(reinterpret_cast<void*>(guard), page, at.Protect | PAGE_GUARD, &before);
}

void InstallExceptionHooks(bool processWide)
{
    if (processWide) {
        ReserveOverflowStack();
        vectoredHandler = AddVectoredExceptionHandler(1, VectoredHandler);
        previousFilter = SetUnhandledExceptionFilter(UnhandledFilter);
    }
    previousTerminate = std::set_terminate(TerminateHandler);
    ApplicationExceptionHook = FrameworkHook;
    ApplicationShowExceptionHook = ShowExceptionHook;
}

void RemoveExceptionHooks()
{
    // The filter, the terminate handler and the framework's hook stay: each
    // tests the installed flag and passes on.
    if (vectoredHandler)
        RemoveVectoredExceptionHandler(vectoredHandler);
    vectoredHandler = nullptr;
}

void CaptureFrozenApplication(const CONTEXT& context, uintptr_t stackStart, const std::vector<uint8_t>& copy,
                              const std::string& message)
{
    const TZorvikCoreState& s = ZorvikCore();
    if (!s.Installed || !s.CoreSwitch)
        return;
    Capture(TCaptureKind::FrozenApplication, [&](TCapture& c) {
        c.ThreadId = s.MainThreadId;
        c.MainThread = true;
        c.ClassName = "EFrozenApplication";
        c.Message = message;
        c.Address = ContextIp(context);
        c.Context = context;
        c.ContextValid = true;
        c.StackPointer = ContextSp(context);
        c.StackTop = s.MainThreadStackTop;
        BuildCopiedCallStack(c.CallStack, c.Address, stackStart, copy, c.ThreadId, 1);
    });
}

#pragma once
// The core's places on every exception path of the process: the framework's
// exception handler and its ShowException (through their hook pointers),
// the C++ throw (the linker wraps __cxa_throw), a first-chance vectored
// handler for system exceptions, the unhandled-exception filter, the
// terminate handler, and the end of a thread in the core's thread wrapper.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "editor/crashreport/core/capture/Captures.h"

struct TThreadExceptionData;

// The per-module hooks (terminate, the framework's); with `processWide` also
// those every module of the process shares (the vectored handler, the
// unhandled-exception filter, the calling (main) thread's overflow reserve),
// which only the program's copy installs.
void InstallExceptionHooks(bool processWide = true);
void RemoveExceptionHooks();

// The stack a thread keeps for the report of its own stack overflow: the
// system raises the overflow while this much is still free, so that the
// unhandled-exception path can hand the fault to the processing thread.
// The main thread reserves it at start-up, every other thread in the core's
// thread wrapper before its routine runs; a thread whose whole stack is
// smaller than MinimumStackForReserve reserves nothing.
constexpr unsigned long OverflowStackReserve = 64 * 1024;
constexpr unsigned long MinimumStackForReserve = 4 * OverflowStackReserve;
void ReserveOverflowStack();

// Notes a raise of the calling thread: its address becomes the pending one
// and the stack from `stackPosition` upwards the last stack copy.
void NoteRaise(TThreadExceptionData& data, uintptr_t address, uintptr_t stackPosition);

// Codes the vectored handler passes over: successes and notices (thread
// naming, debugger output, the C++ run time's own raise codes).
bool IsIgnoredExceptionCode(DWORD code);
// Codes whose first sight also saves the stack copy.
inline bool SavesStackCopy(DWORD code) { return code >= 0xC0000005 && code <= 0xC000013A; }

// The framework's application handler (and its ShowException) hands the
// exception being handled here; true: the framework goes on with its own
// handling.
bool ExceptionManager(void* sender);
// Reports the exception object; `address` (0: where it was thrown, when
// known) is where the report starts; `output` as TCapture::Output. EAbort is
// never reported. True: the caller goes on with its own handling.
bool ReportExceptionObject(const std::exception_ptr& exception, uintptr_t address, uint8_t output);

// The demangled name of a C++ type and, for std::exception and its kin,
// the message of the object.
std::string TypeDisplayName(const std::type_info* type);
std::string ExceptionMessage(const std::exception_ptr& exception);

// The exception is an E (or of a class derived from it). EAbort ends what
// it interrupts silently and is never reported.
template <class E>
bool ExceptionIs(const std::exception_ptr& exception)
{
    if (!exception)
        return false;
    try {
        std::rethrow_exception(exception);
    } catch (const E&) {
        return true;
    } catch (...) {
    }
    return false;
}

// Runs one capture of the calling thread (nothing when the core is off here).
bool CaptureInCurrentThread(TCaptureKind kind, const std::function<void(TCapture&)>& fill);

// Captures an exception that ended a thread in the core's wrapper.
void CaptureThreadException(const std::exception_ptr& exception);

// The end-of-thread rule: the main thread ends the program with exit code 1,
// any other thread ends itself with exit code 1.
[[noreturn]] void EndFaultingThread();

// Captures the main thread as frozen, from its context and a copy of its
// stack taken while it was suspended (the watchdog's thread runs this).
void CaptureFrozenApplication(const CONTEXT& context, uintptr_t stackStart, const std::vector<uint8_t>& copy,
                              const std::string& message);

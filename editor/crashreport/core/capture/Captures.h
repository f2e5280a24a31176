#pragma once
// What the crash-report core captures of one fault: its kind, thread,
// exception, context, call stack and the threads of the process. The report
// is built from it.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <typeinfo>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/capture/StackScan.h"

enum class TCaptureKind {
    FrameworkException,  // a C++ exception that reached the framework's handler
    HardwareFault,       // a system exception (access violation, ...) nobody handled
    UnhandledException,  // a C++ exception nobody caught (terminate)
    ThreadException,     // an exception that ended a thread in the thread wrapper
    FrozenApplication,   // the main thread stopped answering
};

const char* CaptureKindName(TCaptureKind kind);

struct alignas(16) TCapture {
    TCaptureKind Kind = TCaptureKind::FrameworkException;
    uint32_t ThreadId = 0;
    bool MainThread = false;
    std::string ClassName;  // demangled type of the exception object
    const std::type_info* Type = nullptr;  // of the C++ exception; null for system faults
    std::exception_ptr Exception;          // the C++ exception itself
    bool FrameworkObject = false;          // it is a framework Exception
    std::string Message;
    uintptr_t Address = 0;  // where it was raised
    uint32_t Code = 0;      // the system exception code; 0 for C++ exceptions
    EXCEPTION_RECORD Record{};  // the system exception's record
    bool RecordValid = false;
    CONTEXT Context{};
    bool ContextValid = false;
    uintptr_t StackPointer = 0;
    uintptr_t StackTop = 0;
    TZorvikStackList CallStack;
    std::vector<uint32_t> Threads;  // ids of the threads the core knows
    // Where the caller asks the report to go: 0 as the program is (console,
    // web server or user interface), 1 the user interface, 2 the web server.
    uint8_t Output = 1;
};

// Receives every capture, in the faulting thread (or the watchdog's) while
// the processing lock is held. Its answer: true when the framework's own
// handling is to run as well. Unset: captures are kept in CapturedFaults().
using TCaptureSink = std::function<bool(TCapture& capture)>;
void SetCaptureSink(TCaptureSink sink);
std::vector<std::unique_ptr<TCapture>>& CapturedFaults();

// Hands a capture to the sink (internal: the hooks' end).
bool DeliverCapture(std::unique_ptr<TCapture> capture);

#pragma once
// A library of the process that carries the component as well (a secondary
// module) hands its faults to the program's copy of the core (the main
// instance), which reports them. Two modules built with the static C++ run
// time cannot share an exception object, so what crosses is plain data: the
// class name, the message, the address, the context and a copy of the stack.
#include <windows.h>

#include <cstdint>
#include <typeinfo>

struct TCapture;
struct TThreadExceptionData;
struct TForwardedThread;

// What a secondary module hands over of one fault (a plain record: both
// sides read it with their own run time). Size is sizeof the record.
struct TForwardedCapture {
    uint32_t Size;
    uint32_t Kind;  // TCaptureKind
    const char* ClassName;
    const char* Message;
    uintptr_t Address;
    uint32_t Code;  // the system exception code; 0 for C++ exceptions
    uint8_t FrameworkObject;
    uint8_t Output;
    uint8_t ContextValid;
    uint8_t RecordValid;
    const CONTEXT* Context;
    const EXCEPTION_RECORD* Record;
    uintptr_t StackPointer;
    // A copy of the raising thread's stack (null: build from the live stack
    // at StackPointer).
    const uint8_t* Stack;
    uintptr_t StackStart;
    size_t StackLength;
    uintptr_t Module;  // the secondary module
};

// The main instance's entry for a secondary module's fault: reports it in
// the calling thread; the answer as ExceptionManager's (true: the caller
// goes on with its own handling).
extern "C" __declspec(dllexport) int ZorvikLog_CallExceptionManager(const TForwardedCapture* forwarded);

// What a secondary module hands over of one C++ throw (a plain record, as
// TForwardedCapture). Size is sizeof the record. The raise is the calling
// thread's own, so the main instance reads the stack above the raise
// position live; the pointers stay the library's and are only read during
// the call.
struct TForwardedRaise {
    uint32_t Size;
    uint32_t ThreadId;       // the raising thread: the caller
    uintptr_t Address;       // the raise address (the throwing call)
    uintptr_t RaisePosition; // the stack address the stack copy starts from
    // The thrown type's name as the library's run time gives it (text: the
    // type itself means nothing to the main instance's run time).
    const char* ClassName;
    const CONTEXT* Context;  // the context at the throw; null: none
};

// The main instance's entry for a secondary module's throw: in the calling
// thread the raise becomes the last one, as a throw of the program would
// (its address the last exception's, the stack from the raise position the
// last stack copy). 1 when taken; 0 for another thread's raise, a bad record,
// a core not installed, or when this module is secondary itself.
extern "C" __declspec(dllexport) int ZorvikLog_CallGeneralRaise(const TForwardedRaise* raise);

// Start-up of a library: finds the main instance (the program, when it
// carries crash-report data and the component's entries) and sets the
// secondary-module flag. Does nothing in the program itself.
void FindMainInstance(uintptr_t module);
bool IsSecondaryModule();
// The main instance's entries for the threads this module starts, found with
// its fault entry (each null when this module is not secondary or the
// program lacks it).
struct TMainThreadEntries {
    int (*Create)(const TForwardedThread*) = nullptr;
    int (*Resume)(HANDLE, const TForwardedThread*) = nullptr;
    int (*Exit)() = nullptr;
};
const TMainThreadEntries& MainThreadEntries();
// Tells the main instance of a throw this module's hook has noted in the
// thread's record (nothing in the main instance, and nothing for a throw
// inside this module's own processing or its telling of another throw).
void ForwardRaise(TThreadExceptionData& data, const std::type_info* type);
// Hands the capture to the main instance. False when there is none to take
// it; else `answer` holds the main instance's answer.
bool ForwardCapture(const TCapture& capture, bool& answer);

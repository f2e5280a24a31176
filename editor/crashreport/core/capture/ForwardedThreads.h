#pragma once
// The threads a secondary module starts, told to the program's copy of the
// core (the main instance) so that its threads list and its reports know
// them: the library's thread hooks hand over each creation, resume and end
// as a plain record, and the main instance's entries keep their own copy.
// Each side reads the record with its own run time; nothing else crosses.
#include <windows.h>

#include <cstddef>
#include <cstdint>

struct TZorvikThreadRecord;

// One thread of a secondary module, as its copy of the core knows it.
// Size is sizeof the record. The pointers stay the library's: the main
// instance copies what they point to during the call.
struct TForwardedThread {
    uint32_t Size;
    uint32_t ThreadId;
    HANDLE Handle;  // the library's handle (same process): the main instance duplicates it
    uint32_t ResumerId;
    uintptr_t StartAddress;
    void* Parameter;
    uintptr_t StackTop;  // 0 while the thread has not run
    // The resumer's stack from its ResumeThread call upwards.
    uintptr_t SavedStackStart;
    const uint8_t* SavedStack;
    size_t SavedStackLength;
};

// The main instance's entries (the answer: 1 when the list took the record).
// CreateThread: the dead threads go, a copy of the record joins the list.
extern "C" __declspec(dllexport) int ZorvikLog_CallCreateThread(const TForwardedThread* thread);
// ResumeThread: unless the calling thread has others paused, the resumer and
// its stack replace those of the thread's record.
extern "C" __declspec(dllexport) int ZorvikLog_CallResumeThread(HANDLE thread, const TForwardedThread* record);
// ExitThread: the calling thread's record goes.
extern "C" __declspec(dllexport) int ZorvikLog_CallExitThread();

// A secondary module's side (each does nothing in the main instance).
// `handle` is the one the creator got.
void ForwardCreatedThread(const TZorvikThreadRecord& record, HANDLE handle);
void ForwardResumedThread(HANDLE thread, const TZorvikThreadRecord& record);
void ForwardThreadExit();

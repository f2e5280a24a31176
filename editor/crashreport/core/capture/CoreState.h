#pragma once
// The process-wide state of the crash-report core (unit ZorvikCore): whether
// it is installed, the main thread, the start folder and time, the stack copy
// of the last raise, the locks, and the start-up and shut-down that fill and
// free it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/core/capture/StackScan.h"

class TZorvikModuleOptions;

// The copy of the raising thread's stack from the raise point upwards.
struct TStackCopy {
    uint8_t* Buffer = nullptr;  // MaxScannedStack bytes, prepared at start-up
    uint32_t ThreadId = 0;
    uintptr_t Address = 0;  // the raise address
    uintptr_t Start = 0;    // the stack address of the first copied byte
    size_t Length = 0;
};

struct TZorvikCoreState {
    volatile LONG Installed = 0;
    volatile LONG CoreSwitch = 0;  // IsZorvikLogActive
    // This module is a library and the program carries the core as well:
    // faults go to the program's copy.
    bool SecondaryModule = false;
    uint32_t MainThreadId = 0;
    HANDLE MainThread = nullptr;  // a real handle: suspend/resume, context, query
    uintptr_t MainThreadStackTop = 0;
    std::string StartFolder;
    double StartTime = 0;
    int32_t ErrorsCount = 0;
    TZorvikModuleOptions* Options = nullptr;
    std::vector<std::string> OwnUnits;  // sorted
    std::vector<uint32_t> SwitchedOffThreads;
    TStackCopy LastStack;
    CRITICAL_SECTION ProcessingLock;
    CRITICAL_SECTION ThreadSwitchLock;
    volatile LONG LastStackLock = 0;  // a spin lock: the vectored handler takes it
};

TZorvikCoreState& ZorvikCore();

// Start-up ("ZorvikCore.Init"): decides whether the core is active (the
// module carries crash-report data), then installs every hook and starts the
// freeze watchdog. A second call does nothing.
void ZorvikCoreInit();
// Shut-down ("ZorvikCore.Done"): waits for a capture under way, stops the
// watchdog, then frees the state. The hooks stay and pass every call on.
void ZorvikCoreDone();

bool IsZorvikLogInstalled();
bool IsZorvikLogActive();
void SetZorvikLogState(bool active);
bool IsZorvikLogActiveInThread(uint32_t threadId);
void SetZorvikLogInThread(uint32_t threadId, bool active);

// The options the core runs with (created at start-up).
TZorvikModuleOptions* ZorvikCoreOptions();

// The file names of the component's own units (editor/crashreport), whose
// frames call stacks show only as their module.
std::vector<std::string> ComponentUnitFiles();

// Copies the calling thread's stack from `from` up to its top (at most
// MaxScannedStack bytes) into the stack copy, for the raise at `address`.
// Allocates nothing.
void SaveStackCopy(uintptr_t from, uintptr_t address);
// The stack top of the calling thread.
uintptr_t ThreadStackTop();
// A copy of the stack copy (taken under its lock); false when it is empty.
bool CopyLastStack(TStackCopy& facts, std::vector<uint8_t>& bytes);

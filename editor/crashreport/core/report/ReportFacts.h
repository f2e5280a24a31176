#pragma once
// Everything a crash report says, gathered before its text is written: the
// application, the exception, the user, the active controls, the computer,
// the system and the network, the call stacks, the modules and processes,
// the registers, and the memory and symbols around the fault. The Windows
// gatherer fills it from the real system; the text builder needs nothing else.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/capture/StackScan.h"

// One network adapter as the system lists it.
struct TReportAdapter {
    std::string IP;
    std::string Mask;
    std::string Gateway;
    bool DHCP = false;
    std::vector<std::string> DNS;  // its DNS servers in order
    bool DNSKnown = true;          // false: the per-adapter query failed
};

// A thread the core knows, for the captions of the call-stack table.
struct TReportThread {
    uint32_t ThreadId = 0;
    bool PriorityKnown = false;
    int32_t Priority = 0;
    std::string ClassName;  // of its framework object; empty for none
};

struct TReportModule {
    uintptr_t Handle = 0;
    std::string Path;
    std::string Description;
    std::string Version;
    uint32_t Size = 0;
    double Modified = 0;  // the file's date (days since 30 Dec 1899)
};

struct TReportProcess {
    uint32_t ProcessId = 0;
    std::string Path;
    std::string Description;
    std::string Version;
    uint64_t Memory = 0;
    uint32_t PriorityClass = 0;  // the system's priority class value
    uint32_t Threads = 0;
};

// The faulting thread's registers; Valid false when there was no context.
struct TReportRegisters {
    bool Valid = false;
    uint64_t Eax = 0, Edi = 0, Ebx = 0, Esi = 0, Ecx = 0, Esp = 0, Edx = 0, Eip = 0;
};

// An access violation's record: where, in which module, what was touched.
struct TAccessViolationFacts {
    bool Valid = false;
    uintptr_t Address = 0;
    std::string ModuleFile;      // file name of the module holding Address; empty: none
    std::string ModuleLongFile;  // its long form, used when the short text repeats the message
    bool Write = false;
    uintptr_t Target = 0;
};

// Memory near the fault, read without ever faulting, and the names of code
// addresses (module, unit, class, procedure, line) and of objects.
struct TReportMemory {
    std::function<bool(uintptr_t address, size_t count)> Readable;
    std::function<bool(uintptr_t address, void* bytes, size_t count)> Read;
    std::function<void(uintptr_t address, TZorvikDebugInfo& info)> Resolve;
    std::function<std::string(uintptr_t address)> ObjectClassName;
    std::function<uintptr_t(uintptr_t address)> Convert;
};

struct TReportFacts {
    // Application.
    double StartTime = 0;      // local date-times (days since 30 Dec 1899)
    double ExceptionTime = 0;
    int32_t GMTOffsetMinutes = 0;  // local time minus UTC (India +330)
    std::string AppFileName;   // full path of the main module (or hosted program)
    std::string AppDescription;
    std::string AppVersion;
    std::string CommandLine;
    double CompileDate = 0;    // of the main module's crash-report data; 0: none

    // Exception.
    uintptr_t ExceptionAddress = 0;
    std::string ExcModuleFile;  // full path of the module holding the address
    std::string ExcModuleDescription;
    std::string ExcModuleVersion;
    bool ExceptionIsObject = true;    // false: something that is no object was thrown
    bool FrameworkException = true;   // the object is of the framework's exception class
    std::string ExceptionClass;
    std::string ExceptionMessage;
    TAccessViolationFacts AccessViolation;
    std::string ExceptionID;

    // User.
    std::string UserID, UserName, UserEmail, UserCompany, UserPrivileges;

    // Active controls (shown only in programs with a user interface).
    bool HasUserInterface = true;
    std::string FormClass, FormText, ControlClass, ControlText;

    // Computer.
    std::string ComputerName;
    uint64_t TotalMemory = 0, FreeMemory = 0;
    bool DiskKnown = false;
    uint64_t TotalDisk = 0, FreeDisk = 0;
    double SystemUpTime = 0;  // days
    std::string Processor;
    int32_t ScreenWidth = 0, ScreenHeight = 0, ScreenBits = 0, ScreenDPI = 0;
    std::string VideoCard, Printer;

    // Operating system.
    std::string OSType, OSBuild, OSUpdate, OSLanguage;
    uint32_t Charset = 0;

    // Network.
    std::vector<TReportAdapter> Adapters;

    // Call stacks, threads, modules, processes.
    TZorvikStackList CallStack;
    std::vector<TReportThread> Threads;
    uint32_t MainThreadId = 0;
    std::vector<TReportModule> Modules;      // by handle
    std::vector<TReportProcess> Processes;   // by id

    // Processor and memory at the fault.
    TReportRegisters Registers;
    uintptr_t StackPointer = 0;
    TReportMemory Memory;
};

#pragma once
// The report's lists of the process's loaded modules and of the processes
// running on the machine.
#include <cstdint>
#include <string>
#include <vector>

struct TZorvikProcessInfo {
    uint32_t ProcessId = 0;
    std::string Path;  // full file name, or the bare program name
    std::string Description;
    std::string Version;
    uint32_t PriorityClass = 0;
    uint32_t Memory = 0;  // working-set bytes; 0 when not read
    uint32_t Threads = 0;
};

// Refreshes the modules list (ZorvikModules()): records of unloaded
// modules go, every loaded module not yet listed gets a light record; the
// list ends sorted by module handle.
void BuildModulesList();
// Drops every entry whose module file's modification date is no longer the
// one kept in the entry (the file was replaced): it is read again when next
// looked up.
void DropChangedModules();
// The running processes, by process id.
std::vector<TZorvikProcessInfo> BuildProcessesList();

#include "editor/crashreport/core/capture/ModulesProcesses.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <memory>

#include "editor/crashreport/core/capture/ModuleTexts.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/lookup/ModuleImage.h"
#include "editor/crashreport/support/system/ModuleHandles.h"

namespace {

std::string ModulePath(uintptr_t module)
{
    char name[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), name, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(name, n);
}

bool SameText(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

// The full path of a process's module of that name (a module snapshot).
std::string ModulePathOf(DWORD process, const char* exeName)
{
    std::string path;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, process);
    if (snap == INVALID_HANDLE_VALUE)
        return path;
    MODULEENTRY32 m;
    m.dwSize = sizeof m;
    for (BOOL ok = Module32First(snap, &m); ok; ok = Module32Next(snap, &m))
        if (SameText(m.szModule, exeName)) {
            path = m.szExePath;
            break;
        }
    CloseHandle(snap);
    return path;
}

}  // namespace

void DropChangedModules()
{
    // The core's own module keeps its entry: its options object is the one
    // the core and the program follow.
    const uintptr_t own = CurrentModuleHandle();
    TZorvikModulesList& list = ZorvikModules();
    for (size_t i = list.Count(); i-- > 0;) {
        const TZorvikModuleInfo* m = list.Item(i);
        if (m->Handle != own && ModuleFileDate(m->Path) != m->Modified)
            list.Delete(m->Handle);
    }
}

void BuildModulesList()
{
    TZorvikModulesList& list = ZorvikModules();
    for (size_t i = list.Count(); i-- > 0;)
        if (ModulePath(list.Item(i)->Handle).empty())
            list.Delete(list.Item(i)->Handle);
    list.BuildRunning = true;
    using TEnum = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, LPDWORD);
    HMODULE psapi = LoadLibraryA("PSAPI.DLL");
    auto enumModules =
        psapi ? reinterpret_cast<TEnum>(reinterpret_cast<void*>(GetProcAddress(psapi, "EnumProcessModules"))) : nullptr;
    HANDLE self = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId());
    if (enumModules && self) {
        DWORD needed = 0;
        enumModules(self, nullptr, 0, &needed);
        std::vector<HMODULE> handles(needed / sizeof(HMODULE) + 16);
        if (enumModules(self, handles.data(), static_cast<DWORD>(handles.size() * sizeof(HMODULE)), &needed)) {
            handles.resize(std::min<size_t>(handles.size(), needed / sizeof(HMODULE)));
            for (HMODULE h : handles) {
                const uintptr_t handle = reinterpret_cast<uintptr_t>(h);
                if (!list.Find(handle))
                    AddModuleInfo(handle, ModulePath(handle), false);
            }
        }
    }
    if (self)
        CloseHandle(self);
    if (psapi)
        FreeLibrary(psapi);
    list.BuildRunning = false;
    list.SortByHandle();
}

std::vector<TZorvikProcessInfo> BuildProcessesList()
{
    std::vector<TZorvikProcessInfo> processes;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return processes;
    PROCESSENTRY32 e;
    e.dwSize = sizeof e;
    for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
        TZorvikProcessInfo p;
        p.ProcessId = e.th32ProcessID;
        p.Path = e.szExeFile;
        const bool extension = p.Path.find('.') != std::string::npos;
        if (extension) {
            const std::string full = ModulePathOf(e.th32ProcessID, e.szExeFile);
            if (!full.empty())
                p.Path = full;
            GetFileVersionTexts(p.Path, p.Description, p.Version);
        }
        p.PriorityClass = PriorityClassFromBase(e.pcPriClassBase);
        p.Threads = e.cntThreads;
        processes.push_back(std::move(p));
    }
    CloseHandle(snap);
    std::sort(processes.begin(), processes.end(),
              [](const TZorvikProcessInfo& a, const TZorvikProcessInfo& b) { return a.ProcessId < b.ProcessId; });
    return processes;
}

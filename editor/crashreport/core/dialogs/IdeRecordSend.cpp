#include "editor/crashreport/core/dialogs/IdeRecordSend.h"

#include <windows.h>
#include <tlhelp32.h>

#include "editor/crashreport/core/dialogs/IdeRecord.h"

namespace {

using TCreateSnapshot = HANDLE(WINAPI*)(DWORD, DWORD);
using TProcessWalk = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32);
using TAllowSetForeground = BOOL(WINAPI*)(DWORD);

DWORD ParentProcessId()
{
    HMODULE kernel = GetModuleHandleA("Kernel32.dll");
    if (!kernel)
        return 0;
    auto snapshot = reinterpret_cast<TCreateSnapshot>(reinterpret_cast<void*>(GetProcAddress(kernel, "CreateToolhelp32Snapshot")));
    auto first = reinterpret_cast<TProcessWalk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32First")));
    auto next = reinterpret_cast<TProcessWalk>(reinterpret_cast<void*>(GetProcAddress(kernel, "Process32Next")));
    if (!snapshot || !first || !next)
        return 0;
    HANDLE list = snapshot(TH32CS_SNAPPROCESS, 0);
    if (list == INVALID_HANDLE_VALUE)
        return 0;
    DWORD parent = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = first(list, &entry); ok; ok = next(list, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            parent = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(list);
    return parent;
}

struct TWindowSearch {
    DWORD ProcessId;
    bool Found;
};

BOOL CALLBACK FindAppBuilder(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TWindowSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    if (pid == search->ProcessId && GetClassNameA(window, cls, sizeof cls) && lstrcmpA(cls, "TAppBuilder") == 0) {
        search->Found = true;
        return FALSE;
    }
    return TRUE;
}

// The parent process's id when it is the development environment, else 0.
DWORD EnvironmentProcessId()
{
    const DWORD parent = ParentProcessId();
    if (parent == 0)
        return 0;
    TWindowSearch search{parent, false};
    EnumWindows(FindAppBuilder, reinterpret_cast<LPARAM>(&search));
    if (!search.Found)
        return 0;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto allow = user32 ? reinterpret_cast<TAllowSetForeground>(reinterpret_cast<void*>(GetProcAddress(user32, "AllowSetForegroundWindow")))
                        : nullptr;
    if (allow)
        allow(parent);
    return parent;
}

} // namespace

void SendIdeRecord(const std::string& lineText, const std::string& unitName, const std::string& className,
                   const std::string& procName, const std::string& offsetText, double compilationDate)
{
    const auto record = BuildIdeRecord(lineText, unitName, className, procName, offsetText, compilationDate);
    if (!record)
        return;
    const std::string slot = IdeMailslotName(EnvironmentProcessId());
    HANDLE file = CreateFileA(slot.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, record->data(), static_cast<DWORD>(record->size()), &written, nullptr);
    CloseHandle(file);
}

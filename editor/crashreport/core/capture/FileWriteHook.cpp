#include "editor/crashreport/core/capture/FileWriteHook.h"

#include <mutex>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/support/hooking/Hooking.h"

namespace {

using TWriteFile = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

TWriteFile realWriteFile = nullptr;
volatile LONG calls = 0;
std::mutex pageLock;
std::string lastPage;

TWriteFile SystemWriteFile()
{
    if (!realWriteFile)
        realWriteFile = reinterpret_cast<TWriteFile>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "WriteFile")));
    return realWriteFile;
}

// A console program started by a web server (REQUEST_METHOD set).
bool RunsAsCgiProgram()
{
    const auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->OptionalHeader.Subsystem != IMAGE_SUBSYSTEM_WINDOWS_CUI)
        return false;
    char value[2];
    return GetEnvironmentVariableA("REQUEST_METHOD", value, sizeof value) != 0;
}

void KeepPage(LPCVOID buffer, DWORD count)
{
    if (!buffer || !count)
        return;
    try {
        std::lock_guard<std::mutex> hold(pageLock);
        lastPage.assign(static_cast<const char*>(buffer), count);
    } catch (...) {
    }
}

}  // namespace

BOOL WINAPI HookedWriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped)
{
    InterlockedIncrement(&calls);
    if (IsZorvikLogInstalled() && file && file != INVALID_HANDLE_VALUE) {
        // The caller's last error code stays as it was.
        const DWORD error = GetLastError();
        if (file == GetStdHandle(STD_OUTPUT_HANDLE) && RunsAsCgiProgram())
            KeepPage(buffer, count);
        SetLastError(error);
    }
    return SystemWriteFile()(file, buffer, count, written, overlapped);
}

void InstallFileWriteHook()
{
    SystemWriteFile();
    void* replaced = nullptr;
    try {
        TryHookDllProcedureEx({""}, "kernel32.dll", true, replaced, reinterpret_cast<void*>(&HookedWriteFile),
                              "WriteFile");
    } catch (...) {
    }
}

uint32_t HookedWriteFileCalls() { return static_cast<uint32_t>(calls); }

std::string LastHtmlPage()
{
    std::lock_guard<std::mutex> hold(pageLock);
    return lastPage;
}

#include "editor/crashreport/support/system/ComponentThreads.h"

HANDLE CreateComponentThread(LPTHREAD_START_ROUTINE routine, void* parameter, DWORD flags)
{
    using TCreateThread = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
    // Looked up by name: the kernel's export, not the hooked import entry.
    static const auto create = reinterpret_cast<TCreateThread>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateThread")));
    return create ? create(nullptr, 0, routine, parameter, flags, nullptr) : nullptr;
}

// Module handles from the system's loader.
#include <windows.h>

#include "editor/crashreport/support/system/ModuleHandles.h"

TModuleHandle SystemModuleHandleOf(const std::string& moduleName)
{
    return reinterpret_cast<TModuleHandle>(GetModuleHandleA(moduleName.c_str()));
}

TModuleHandle SystemCurrentModuleHandle()
{
    HMODULE module = nullptr;
    // The module that contains this very function, whether program or library.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&SystemCurrentModuleHandle), &module);
    return reinterpret_cast<TModuleHandle>(module);
}

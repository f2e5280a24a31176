#include "editor/unicode/UvxWindows.h"

#include "editor/unicode/UvxSysUtils.h"
#include "framework/WinText.h"

HANDLE WINAPI Uvx_CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                              LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                              DWORD flagsAndAttributes, HANDLE templateFile) {
    if (Win32PlatformIsUnicode)
        return CreateFileW(fileName, desiredAccess, shareMode, securityAttributes, creationDisposition,
                           flagsAndAttributes, templateFile);
    std::string name = WideToAnsi(U16(fileName));  // an empty name stays an empty string
    return CreateFileA(name.c_str(), desiredAccess, shareMode, securityAttributes, creationDisposition,
                       flagsAndAttributes, templateFile);
}

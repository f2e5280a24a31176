#pragma once
// System error texts and checks that raise the framework's EOSError.
#include <windows.h>

#include <string>

std::u16string WideSysErrorMessage(DWORD errorCode);
// The text of errorCode from the system, or from module dll when it is given;
// "Unspecified error (%d) from %s." when there is none.
std::u16string WideLibraryErrorMessage(const std::u16string& libName, HMODULE dll, DWORD errorCode);
HANDLE WinCheckH(HANDLE handle);
HANDLE WinCheckFileH(HANDLE handle);
void* WinCheckP(void* p);

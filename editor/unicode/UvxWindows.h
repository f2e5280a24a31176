#pragma once
// Wrappers of the wide system calls: the wide call where the platform has it,
// the 8-bit call with converted texts where it does not. They never raise;
// they return the call's result and leave its last-error code.
#include <windows.h>

HANDLE WINAPI Uvx_CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                              LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                              DWORD flagsAndAttributes, HANDLE templateFile);

#pragma once
// The core's stand-in for WriteFile in the program's import table. Every
// call goes on unchanged to the system's routine, whose result and count
// the caller gets; only the writes of a CGI program to its standard output
// are kept as well, as the last HTML page of the report.
#include <windows.h>

#include <cstdint>
#include <string>

// Replaces the program's imported WriteFile (start-up).
void InstallFileWriteHook();

BOOL WINAPI HookedWriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped);

// The calls that have passed the hook so far.
uint32_t HookedWriteFileCalls();
// The text a CGI program last wrote to its standard output; empty otherwise.
std::string LastHtmlPage();

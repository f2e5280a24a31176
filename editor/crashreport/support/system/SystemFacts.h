#pragma once
// Facts about the running system for the crash report, and the small
// system services of the component: time zone, registry, handles, threads.
#include <windows.h>
#include <unknwn.h>

#include <string>

#include "editor/crashreport/support/system/WindowsFacts.h"

// The platform's version values, read once.
const TWindowsVersion& CurrentWindowsVersion();
bool RunsUnderWow64();
bool RunsOnWindows95();
bool RunsOnWindowsNT4();
bool RunsOnVistaOrLater();
std::string GetWindowsTypeText();
std::string GetWindowsBuildText();

std::string GetComputerNameText();
std::string GetUserNameText();
// The registered owner of the system ("" on Vista and later when it is
// merely "Microsoft").
std::string GetRegisteredOwnerText();

bool DebuggerAttached();
bool HandleStillValid(HANDLE handle);
bool ThreadStillRunning(HANDLE thread);
// The top (highest address) of the current thread's stack.
uintptr_t CurrentStackTop();
// The process runs inside the development environment's own program; this
// system has none, so it is always false.
bool IntoIDE();

// Local time minus UTC, in whole hours (halves to the even number).
int GetGMT();
// Local time minus UTC in whole minutes: zones of half and quarter hours
// keep them (India +330, Nepal +345, Newfoundland -210).
int GetGMTMinutes();
// A local date-time (days since 30 Dec 1899) as UTC.
double GetGMTDateTime(double localTime);
double SystemTimeToDateTime(const SYSTEMTIME& st);

// An 8-bit text (system code page) as UTF-8.
std::string StringToUtf8(const std::string& text);
// The character set of the user's default ANSI code page.
unsigned UserCharSet();

// The interface answers the query for `id` with success and a non-null
// result (which the caller then owns).
bool SupportsEx(IUnknown* instance, REFIID id, void** result);

// A registry value's bytes without the final zero; "" when missing. A
// leading "\" of the key is dropped.
std::string ReadKey(HKEY root, const std::string& key, const std::string& valueName);
bool CheckKey(HKEY root, const std::string& key);

// The development environment's registry key (see DevelopmentEnvironment.h;
// this process's arguments after the program name) and its folder: the
// value "RootDir" under that key, local machine first, then current user,
// without a final "\". Nothing in this system calls them.
std::string RADRegistryKey();
std::string RADDir();

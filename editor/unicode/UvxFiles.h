#pragma once
// Files, folders and modules by wide name.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Exceptions.h"

TQ_EXCEPTION_CLASS(EPackageError, Exception)

struct TSearchRecW {
    int32_t Time = 0;  // packed DOS date (high word) and time (low word), local time
    int64_t Size = 0;
    uint32_t Attr = 0;
    std::u16string Name;
    uint32_t ExcludeAttr = 0;
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW FindData{};
};

// The file modes of the framework: access in bits 0-1, sharing in bits 4-7.
HANDLE WideFileCreate(const std::u16string& fileName);
HANDLE WideFileOpen(const std::u16string& fileName, uint32_t mode);
// Modification time as a DOS date and time; -1 when missing, a folder or not convertible.
int32_t WideFileAge(const std::u16string& fileName);
// Local modification time as days since 30 December 1899.
bool WideFileAge(const std::u16string& fileName, double& dateTime);
bool WideFileExists(const std::u16string& fileName);
bool WideDirectoryExists(const std::u16string& name);
DWORD WideFileGetAttr(const std::u16string& fileName);
bool WideFileSetAttr(const std::u16string& fileName, DWORD attr);
// True also for a name that does not exist (its attributes have every bit set).
bool WideFileIsReadOnly(const std::u16string& fileName);
bool WideFileSetReadOnly(const std::u16string& fileName, bool readOnly);
// Creates the folder and its parents; true only when the folder exists afterwards.
// An empty name raises EUvxGeneralError.
bool WideForceDirectories(std::u16string dir);
// name, or name in the first folder of the ';'-separated list that has it; empty when none.
std::u16string WideFileSearch(const std::u16string& name, const std::u16string& dirList);
bool WideRenameFile(const std::u16string& oldName, const std::u16string& newName);
bool WideDeleteFile(const std::u16string& fileName);
bool WideCopyFile(const std::u16string& fromFile, const std::u16string& toFile, bool failIfExists);
bool WideCreateDir(const std::u16string& dir);
bool WideRemoveDir(const std::u16string& dir);
// Whole however long it is.
std::u16string WideGetCurrentDir();
bool WideSetCurrentDir(const std::u16string& dir);
// 0 or the Win32 error code.
int WideFindFirst(const std::u16string& path, uint32_t attr, TSearchRecW& f);
int WideFindNext(TSearchRecW& f);
void WideFindClose(TSearchRecW& f);
// Whole however long it is; raises EOSError when the call fails.
std::u16string WideGetModuleFileName(HMODULE instance);
std::u16string WideExpandFileName(const std::u16string& fileName);
std::u16string WideExtractShortPathName(const std::u16string& fileName);
HMODULE WideSafeLoadLibrary(const std::u16string& fileName, UINT errorMode = SEM_NOOPENFILEERRORBOX);
// Loads the library and runs its "Initialize" export, when it has one.
HMODULE WideLoadPackage(const std::u16string& name);

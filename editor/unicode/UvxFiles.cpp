#include "editor/unicode/UvxFiles.h"

#include <vector>

#include "editor/unicode/UvxErrorMessages.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxPaths.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/WinStreams.h"
#include "framework/WinText.h"

HANDLE WideFileCreate(const std::u16string& fileName) {
    return Uvx_CreateFileW(WC(fileName), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE WideFileOpen(const std::u16string& fileName, uint32_t mode) {
    static const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    static const DWORD kShare[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    uint32_t access = mode & 3, share = (mode >> 4) & 0xF;
    if (access > 2 || share > 4) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return Uvx_CreateFileW(WC(fileName), kAccess[access], kShare[share], nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
}

namespace {
bool FindOne(const std::u16string& fileName, WIN32_FIND_DATAW& data) {
    HANDLE h = Uvx_FindFirstFileW(WC(fileName), &data);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

bool LocalDosTime(const FILETIME& utc, int32_t& dos) {
    FILETIME local;
    WORD date, time;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return false;
    dos = static_cast<int32_t>((static_cast<uint32_t>(date) << 16) | time);
    return true;
}
}  // namespace

int32_t WideFileAge(const std::u16string& fileName) {
    WIN32_FIND_DATAW data;
    int32_t dos;
    if (!FindOne(fileName, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
    return LocalDosTime(data.ftLastWriteTime, dos) ? dos : -1;
}

bool WideFileAge(const std::u16string& fileName, double& dateTime) {
    WIN32_FIND_DATAW data;
    FILETIME local;
    if (!FindOne(fileName, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) return false;
    uint64_t ticks = (static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    // 100-ns ticks since 1 January 1601; day 0 of the framework is 30 December 1899.
    dateTime = static_cast<double>(ticks) / 864000000000.0 - 109205.0;
    return true;
}

bool WideFileExists(const std::u16string& fileName) {
    WIN32_FIND_DATAW data;
    return FindOne(fileName, data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WideDirectoryExists(const std::u16string& name) {
    DWORD attr = Uvx_GetFileAttributesW(WC(name));
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD WideFileGetAttr(const std::u16string& fileName) { return Uvx_GetFileAttributesW(WC(fileName)); }
bool WideFileSetAttr(const std::u16string& fileName, DWORD attr) {
    return Uvx_SetFileAttributesW(WC(fileName), attr) != FALSE;
}

bool WideFileIsReadOnly(const std::u16string& fileName) {
    return (Uvx_GetFileAttributesW(WC(fileName)) & FILE_ATTRIBUTE_READONLY) != 0;
}

bool WideFileSetReadOnly(const std::u16string& fileName, bool readOnly) {
    DWORD attr = Uvx_GetFileAttributesW(WC(fileName));
    if (attr == INVALID_FILE_ATTRIBUTES) return false;
    attr = readOnly ? (attr | FILE_ATTRIBUTE_READONLY) : (attr & ~DWORD{FILE_ATTRIBUTE_READONLY});
    return Uvx_SetFileAttributesW(WC(fileName), attr) != FALSE;
}

bool WideForceDirectories(std::u16string dir) {
    if (dir.empty()) throw EUvxGeneralError("Unable to create directory");
    dir = WideExcludeTrailingBackslash(dir);
    const std::u16string parent = WideExtractFilePath(dir);
    // A plain name ("newdir") has no parent to force: it lies in the current folder.
    if (parent.empty() && !dir.empty()) {
        if (!WideDirectoryExists(dir)) Uvx_CreateDirectoryW(WC(dir), nullptr);
        return WideDirectoryExists(dir);
    }
    if (dir.size() < 3 || WideDirectoryExists(dir) || parent == dir)
        return WideDirectoryExists(WideIncludeTrailingBackslash(dir));
    if (WideForceDirectories(parent)) Uvx_CreateDirectoryW(WC(dir), nullptr);
    // A folder that another program made meanwhile counts; a failed parent does not.
    return WideDirectoryExists(dir);
}

std::u16string WideFileSearch(const std::u16string& name, const std::u16string& dirList) {
    std::u16string result = name;
    size_t p = 0;
    while (!WideFileExists(result)) {
        while (p < dirList.size() && dirList[p] == u';') ++p;
        if (p >= dirList.size()) return {};
        size_t end = dirList.find(u';', p);
        if (end == std::u16string::npos) end = dirList.size();
        std::u16string dir = dirList.substr(p, end - p);
        p = end;
        if (!dir.empty() && dir.back() != u':' && dir.back() != u'\\') dir += u'\\';
        result = dir + name;
    }
    return result;
}

bool WideRenameFile(const std::u16string& oldName, const std::u16string& newName) {
    return Uvx_MoveFileW(WC(oldName), WC(newName)) != FALSE;
}
bool WideDeleteFile(const std::u16string& fileName) { return Uvx_DeleteFileW(WC(fileName)) != FALSE; }
bool WideCopyFile(const std::u16string& fromFile, const std::u16string& toFile, bool failIfExists) {
    return Uvx_CopyFileW(WC(fromFile), WC(toFile), failIfExists) != FALSE;
}
bool WideCreateDir(const std::u16string& dir) { return Uvx_CreateDirectoryW(WC(dir), nullptr) != FALSE; }
bool WideRemoveDir(const std::u16string& dir) { return Uvx_RemoveDirectoryW(WC(dir)) != FALSE; }
bool WideSetCurrentDir(const std::u16string& dir) { return Uvx_SetCurrentDirectoryW(WC(dir)) != FALSE; }

namespace {
// Calls fill(buffer, size) until the answer fits: a result of size or more is
// the size needed (or, for module names, a sign of truncation).
template <class Fill>
std::u16string GrowingCall(DWORD start, bool truncatesSilently, Fill fill) {
    std::vector<wchar_t> buffer(start);
    for (int attempt = 0; attempt < 16; ++attempt) {
        DWORD n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return U16(buffer.data(), n);
        buffer.assign(truncatesSilently ? buffer.size() * 2 : n + 1, L'\0');
    }
    return {};
}
}  // namespace

std::u16string WideGetCurrentDir() {
    return GrowingCall(MAX_PATH, false, [](wchar_t* b, DWORD n) { return Uvx_GetCurrentDirectoryW(n, b); });
}

std::u16string WideGetModuleFileName(HMODULE instance) {
    SetLastError(0);
    std::u16string name =
        GrowingCall(MAX_PATH, true, [instance](wchar_t* b, DWORD n) { return Uvx_GetModuleFileNameW(instance, b, n); });
    if (name.empty()) RaiseLastOSError();
    return name;
}

std::u16string WideExpandFileName(const std::u16string& fileName) {
    return GrowingCall(MAX_PATH, false,
                       [&](wchar_t* b, DWORD n) { return Uvx_GetFullPathNameW(WC(fileName), n, b, nullptr); });
}

std::u16string WideExtractShortPathName(const std::u16string& fileName) {
    return GrowingCall(MAX_PATH, false, [&](wchar_t* b, DWORD n) { return Uvx_GetShortPathNameW(WC(fileName), b, n); });
}

namespace {
int ReadSearchRecW(TSearchRecW& f) {
    while (f.FindData.dwFileAttributes & f.ExcludeAttr)
        if (!Uvx_FindNextFileW(f.FindHandle, &f.FindData)) return static_cast<int>(GetLastError());
    LocalDosTime(f.FindData.ftLastWriteTime, f.Time);
    f.Size = (static_cast<int64_t>(f.FindData.nFileSizeHigh) << 32) | f.FindData.nFileSizeLow;
    f.Attr = f.FindData.dwFileAttributes;
    f.Name = U16(f.FindData.cFileName);
    return 0;
}
}  // namespace

int WideFindFirst(const std::u16string& path, uint32_t attr, TSearchRecW& f) {
    const uint32_t kSpecial = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    f.ExcludeAttr = ~attr & kSpecial;
    f.FindHandle = Uvx_FindFirstFileW(WC(path), &f.FindData);
    if (f.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    int result = ReadSearchRecW(f);
    if (result != 0) WideFindClose(f);
    return result;
}

int WideFindNext(TSearchRecW& f) {
    if (!Uvx_FindNextFileW(f.FindHandle, &f.FindData)) return static_cast<int>(GetLastError());
    return ReadSearchRecW(f);
}

void WideFindClose(TSearchRecW& f) {
    if (f.FindHandle != INVALID_HANDLE_VALUE) {
        FindClose(f.FindHandle);
        f.FindHandle = INVALID_HANDLE_VALUE;
    }
}

HMODULE WideSafeLoadLibrary(const std::u16string& fileName, UINT errorMode) {
    UINT old = SetErrorMode(errorMode);
    struct Restore {
        UINT mode;
        ~Restore() { SetErrorMode(mode); }
    } restore{old};
    return Uvx_LoadLibraryW(WC(fileName));
}

HMODULE WideLoadPackage(const std::u16string& name) {
    HMODULE module = WideSafeLoadLibrary(name, SEM_NOOPENFILEERRORBOX);
    if (!module) {
        DWORD error = GetLastError();
        throw EPackageError("Can't load package " + WideToAnsiSys(name) + ".\r\n" +
                            WideToAnsiSys(WideSysErrorMessage(error)));
    }
    if (auto init = reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module, "Initialize")))) {
        try {
            init();
        } catch (...) {
            FreeLibrary(module);
            throw;
        }
    }
    return module;
}

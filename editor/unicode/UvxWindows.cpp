#include "editor/unicode/UvxWindows.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxStringUtils.h"
#include "editor/unicode/UvxSysUtils.h"
#include "framework/Exceptions.h"
#include "framework/WinStreams.h"
#include "framework/WinText.h"

namespace {
// 8-bit form of a wide text: an empty or missing text stays an empty string.
std::string A(LPCWSTR s) { return s ? WideToAnsiSys(U16(s)) : std::string(); }
std::u16string W(const char* s, size_t n) { return AnsiToWideSys(std::string(s, n)); }
std::u16string W(const char* s) { return AnsiToWideSys(std::string(s)); }
// For arguments where an empty text is passed as null.
const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

void CopyWide(LPWSTR dest, const std::u16string& s, size_t maxChars) {
    if (!dest || maxChars == 0) return;
    size_t n = std::min(s.size(), maxChars - 1);
    std::memcpy(dest, s.data(), n * sizeof(char16_t));
    dest[n] = 0;
}

// Characters of s up to, and including, the last '\' that fits in bufSize - 1.
void CopyLeadingDirectories(LPWSTR buffer, DWORD bufSize, const std::u16string& s) {
    if (bufSize < 4) return;
    size_t limit = std::min<size_t>(bufSize - 1, s.size());
    size_t lastSlash = std::u16string::npos;
    for (size_t i = 0; i < limit; ++i)
        if (s[i] == u'\\') lastSlash = i;
    if (lastSlash == std::u16string::npos) return;
    std::memcpy(buffer, s.data(), (lastSlash + 1) * sizeof(char16_t));
}

// The four shell entries, looked up on first use on the wide platform.
struct ShellEntries {
    HMODULE module = nullptr;
    decltype(&SHFileOperationW) fileOperation = nullptr;
    decltype(&SHBrowseForFolderW) browseForFolder = nullptr;
    decltype(&SHGetPathFromIDListW) getPathFromIDList = nullptr;
    decltype(&SHGetFileInfoW) getFileInfo = nullptr;
    ~ShellEntries() {
        if (module) FreeLibrary(module);
    }
};
ShellEntries gShell;

template <class F>
F WinCheckEntry(FARPROC p) {
    if (!p) RaiseLastOSError();
    return reinterpret_cast<F>(reinterpret_cast<void*>(p));
}

ShellEntries& ShellWideEntries() {
    if (!gShell.module) {
        HMODULE module = Uvx_LoadLibraryW(L"shell32.dll");
        if (!module) RaiseLastOSError();
        static const char* const kNames[] = {"SHFileOperationW", "SHBrowseForFolderW", "SHGetPathFromIDListW"};
        gShell.fileOperation = WinCheckEntry<decltype(gShell.fileOperation)>(GetProcAddress(module, kNames[0]));
        gShell.browseForFolder = WinCheckEntry<decltype(gShell.browseForFolder)>(GetProcAddress(module, kNames[1]));
        gShell.getPathFromIDList =
            WinCheckEntry<decltype(gShell.getPathFromIDList)>(GetProcAddress(module, kNames[2]));
        gShell.getFileInfo = WinCheckEntry<decltype(gShell.getFileInfo)>(GetProcAddress(module, "SHGetFileInfoW"));
        gShell.module = module;
    }
    return gShell;
}

// The text that the last 8-bit Uvx_VerQueryValueW handed out.
std::u16string gVersionValue;
}  // namespace

DWORD CopyAnsiResultToWide(LPWSTR buffer, DWORD bufSize, const char* ansi, DWORD ansiLen, int mode) {
    std::u16string s = W(ansi, ansiLen);
    DWORD len = static_cast<DWORD>(s.size());
    if (bufSize > len) {
        std::memcpy(buffer, s.c_str(), (len + 1) * sizeof(char16_t));
        return len;
    }
    if (mode & 4) {
        std::memcpy(buffer, s.data(), bufSize * sizeof(char16_t));
        return bufSize;
    }
    if ((mode & 1) && bufSize == len && bufSize > 0) {
        std::memcpy(buffer, s.data(), (bufSize - 1) * sizeof(char16_t));
        buffer[bufSize - 1] = 0;
        return len + 1;
    }
    if (bufSize > 0) {
        if (mode & 2) buffer[0] = 0;
        else if (mode & 8) CopyLeadingDirectories(buffer, bufSize, s);
    }
    return len + 1;
}

namespace {
// Runs an 8-bit call that fills a buffer of Size bytes and copies its text
// back by mode; a failure, or a text too long for the buffer, answers what the
// call answered.
template <size_t Size = MAX_PATH, class Call>
DWORD AnsiTextResult(LPWSTR buffer, DWORD bufSize, int mode, Call call) {
    char ansi[Size];
    DWORD n = call(ansi, static_cast<DWORD>(Size));
    if (n == 0 || n >= Size) return n;
    return CopyAnsiResultToWide(buffer, bufSize, ansi, n, mode);
}
}  // namespace

HANDLE WINAPI Uvx_CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                              LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                              DWORD flagsAndAttributes, HANDLE templateFile) {
    if (Win32PlatformIsUnicode)
        return CreateFileW(fileName, desiredAccess, shareMode, securityAttributes, creationDisposition,
                           flagsAndAttributes, templateFile);
    return CreateFileA(A(fileName).c_str(), desiredAccess, shareMode, securityAttributes, creationDisposition,
                       flagsAndAttributes, templateFile);
}

BOOL WINAPI Uvx_SetWindowTextW(HWND wnd, LPCWSTR text) {
    if (Win32PlatformIsUnicode) return SetWindowTextW(wnd, text);
    return SetWindowTextA(wnd, A(text).c_str());
}

BOOL WINAPI Uvx_RemoveDirectoryW(LPCWSTR pathName) {
    if (Win32PlatformIsUnicode) return RemoveDirectoryW(pathName);
    return RemoveDirectoryA(A(pathName).c_str());
}

BOOL WINAPI Uvx_CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES securityAttributes) {
    if (Win32PlatformIsUnicode) return CreateDirectoryW(pathName, securityAttributes);
    return CreateDirectoryA(A(pathName).c_str(), securityAttributes);
}

BOOL WINAPI Uvx_SetCurrentDirectoryW(LPCWSTR pathName) {
    if (Win32PlatformIsUnicode) return SetCurrentDirectoryW(pathName);
    return SetCurrentDirectoryA(A(pathName).c_str());
}

BOOL WINAPI Uvx_DeleteFileW(LPCWSTR fileName) {
    if (Win32PlatformIsUnicode) return DeleteFileW(fileName);
    return DeleteFileA(A(fileName).c_str());
}

BOOL WINAPI Uvx_MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName) {
    if (Win32PlatformIsUnicode) return MoveFileW(existingFileName, newFileName);
    return MoveFileA(A(existingFileName).c_str(), A(newFileName).c_str());
}

BOOL WINAPI Uvx_CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists) {
    if (Win32PlatformIsUnicode) return CopyFileW(existingFileName, newFileName, failIfExists);
    return CopyFileA(A(existingFileName).c_str(), A(newFileName).c_str(), failIfExists);
}

DWORD WINAPI Uvx_GetFileAttributesW(LPCWSTR fileName) {
    if (Win32PlatformIsUnicode) return GetFileAttributesW(fileName);
    return GetFileAttributesA(A(fileName).c_str());
}

BOOL WINAPI Uvx_SetFileAttributesW(LPCWSTR fileName, DWORD fileAttributes) {
    if (Win32PlatformIsUnicode) return SetFileAttributesW(fileName, fileAttributes);
    return SetFileAttributesA(A(fileName).c_str(), fileAttributes);
}

namespace {
void FindDataToWide(const WIN32_FIND_DATAA& a, WIN32_FIND_DATAW& w) {
    static_assert(offsetof(WIN32_FIND_DATAA, cFileName) == 44, "the fixed part of the find data is 44 bytes");
    std::memcpy(&w, &a, 44);
    CopyWide(w.cFileName, W(a.cFileName), MAX_PATH);
    CopyWide(w.cAlternateFileName, W(a.cAlternateFileName), 14);
}
}  // namespace

HANDLE WINAPI Uvx_FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData) {
    if (Win32PlatformIsUnicode) return FindFirstFileW(fileName, findData);
    WIN32_FIND_DATAA a{};
    HANDLE h = FindFirstFileA(A(fileName).c_str(), &a);
    if (h != INVALID_HANDLE_VALUE) FindDataToWide(a, *findData);
    return h;
}

BOOL WINAPI Uvx_FindNextFileW(HANDLE findFile, LPWIN32_FIND_DATAW findData) {
    if (Win32PlatformIsUnicode) return FindNextFileW(findFile, findData);
    WIN32_FIND_DATAA a{};
    BOOL ok = FindNextFileA(findFile, &a);
    if (ok) FindDataToWide(a, *findData);
    return ok;
}

BOOL WINAPI Uvx_GetDiskFreeSpaceW(LPCWSTR rootPathName, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                                  LPDWORD numberOfFreeClusters, LPDWORD totalNumberOfClusters) {
    if (Win32PlatformIsUnicode)
        return GetDiskFreeSpaceW(rootPathName, sectorsPerCluster, bytesPerSector, numberOfFreeClusters,
                                 totalNumberOfClusters);
    std::string root = A(rootPathName);
    return GetDiskFreeSpaceA(rootPathName ? root.c_str() : nullptr, sectorsPerCluster, bytesPerSector,
                             numberOfFreeClusters, totalNumberOfClusters);
}

// The 8-bit path asks with buffers of MAX_PATH + 1 and cuts the names to the
// caller's sizes, so a long volume name or a small file-system-name buffer
// does not fail a call that the wide platform would answer.
BOOL WINAPI Uvx_GetVolumeInformationW(LPCWSTR rootPathName, LPWSTR volumeNameBuffer, DWORD volumeNameSize,
                                      LPDWORD volumeSerialNumber, LPDWORD maximumComponentLength,
                                      LPDWORD fileSystemFlags, LPWSTR fileSystemNameBuffer, DWORD fileSystemNameSize) {
    if (Win32PlatformIsUnicode)
        return GetVolumeInformationW(rootPathName, volumeNameBuffer, volumeNameSize, volumeSerialNumber,
                                     maximumComponentLength, fileSystemFlags, fileSystemNameBuffer,
                                     fileSystemNameSize);
    char volume[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
    std::string root = A(rootPathName);
    if (!GetVolumeInformationA(rootPathName ? root.c_str() : nullptr, volume, sizeof volume, volumeSerialNumber,
                               maximumComponentLength, fileSystemFlags, fileSystem, sizeof fileSystem))
        return FALSE;
    CopyWide(volumeNameBuffer, W(volume), volumeNameSize);
    CopyWide(fileSystemNameBuffer, W(fileSystem), fileSystemNameSize);
    return TRUE;
}

DWORD WINAPI Uvx_GetShortPathNameW(LPCWSTR longPath, LPWSTR shortPath, DWORD bufferSize) {
    if (Win32PlatformIsUnicode) return GetShortPathNameW(longPath, shortPath, bufferSize);
    std::string name = A(longPath);
    return AnsiTextResult<520>(shortPath, bufferSize, 8,
                               [&](char* b, DWORD n) { return GetShortPathNameA(name.c_str(), b, n); });
}

DWORD WINAPI Uvx_GetFullPathNameW(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart) {
    if (Win32PlatformIsUnicode) return GetFullPathNameW(fileName, bufferLength, buffer, filePart);
    char ansi[520];
    char* ansiPart = nullptr;
    DWORD n = GetFullPathNameA(A(fileName).c_str(), sizeof ansi, ansi, &ansiPart);
    if (filePart) *filePart = nullptr;
    if (n == 0 || n >= sizeof ansi) return n;
    DWORD result = CopyAnsiResultToWide(buffer, bufferLength, ansi, n, 2);
    if (filePart && ansiPart && bufferLength >= result)
        *filePart = buffer + W(ansi, static_cast<size_t>(ansiPart - ansi)).size();
    return result;
}

DWORD WINAPI Uvx_GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    if (Win32PlatformIsUnicode) return GetModuleFileNameW(module, fileName, size);
    char buffer[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, buffer, sizeof buffer);
    if (n == 0) return 0;
    return CopyAnsiResultToWide(fileName, size, buffer, std::min<DWORD>(n, sizeof buffer), 4);
}

DWORD WINAPI Uvx_GetTempPathW(DWORD bufferLength, LPWSTR buffer) {
    if (Win32PlatformIsUnicode) return GetTempPathW(bufferLength, buffer);
    return AnsiTextResult(buffer, bufferLength, 3, [](char* b, DWORD n) { return GetTempPathA(n, b); });
}

DWORD WINAPI Uvx_GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer) {
    if (Win32PlatformIsUnicode) return GetCurrentDirectoryW(bufferLength, buffer);
    return AnsiTextResult(buffer, bufferLength, 3, [](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); });
}

UINT WINAPI Uvx_GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
    if (Win32PlatformIsUnicode) return GetWindowsDirectoryW(buffer, size);
    return AnsiTextResult(buffer, size, 0, [](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); });
}

UINT WINAPI Uvx_GetSystemDirectoryW(LPWSTR buffer, UINT size) {
    if (Win32PlatformIsUnicode) return GetSystemDirectoryW(buffer, size);
    return AnsiTextResult(buffer, size, 0, [](char* b, DWORD n) { return GetSystemDirectoryA(b, n); });
}

UINT WINAPI Uvx_GetTempFileNameW(LPCWSTR pathName, LPCWSTR prefixString, UINT unique, LPWSTR tempFileName) {
    if (Win32PlatformIsUnicode) return GetTempFileNameW(pathName, prefixString, unique, tempFileName);
    char ansi[MAX_PATH] = {};
    UINT result = GetTempFileNameA(A(pathName).c_str(), A(prefixString).c_str(), unique, ansi);
    if (result) CopyAnsiResultToWide(tempFileName, MAX_PATH, ansi, static_cast<DWORD>(std::strlen(ansi)), 2);
    return result;
}

namespace {
BOOL NameToWide(const char* name, LPWSTR buffer, LPDWORD size) {
    std::u16string s = W(name);
    if (s.empty() || s.size() >= *size) {
        *size = static_cast<DWORD>(s.size() + 1);
        return FALSE;
    }
    CopyWide(buffer, s, *size);
    *size = static_cast<DWORD>(s.size());
    return TRUE;
}
}  // namespace

BOOL WINAPI Uvx_GetComputerNameW(LPWSTR buffer, LPDWORD size) {
    if (Win32PlatformIsUnicode) return GetComputerNameW(buffer, size);
    char name[16] = {};
    DWORD n = sizeof name;
    if (!GetComputerNameA(name, &n)) return FALSE;
    return NameToWide(name, buffer, size);
}

BOOL WINAPI Uvx_GetUserNameW(LPWSTR buffer, LPDWORD size) {
    if (Win32PlatformIsUnicode) return GetUserNameW(buffer, size);
    char name[255] = {};
    DWORD n = sizeof name;
    if (!GetUserNameA(name, &n)) return FALSE;
    return NameToWide(name, buffer, size);
}

HINSTANCE WINAPI Uvx_ShellExecuteW(HWND wnd, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                   LPCWSTR directory, INT showCmd) {
    if (Win32PlatformIsUnicode)
        return ShellExecuteW(wnd, operation && *operation ? operation : nullptr, file, parameters, directory, showCmd);
    std::string op = A(operation), f = A(file), p = A(parameters), d = A(directory);
    return ShellExecuteA(wnd, OrNull(op), OrNull(f), OrNull(p), OrNull(d), showCmd);
}

HMODULE WINAPI Uvx_LoadLibraryW(LPCWSTR libFileName) {
    if (Win32PlatformIsUnicode) return LoadLibraryW(libFileName);
    return LoadLibraryA(A(libFileName).c_str());
}

HMODULE WINAPI Uvx_LoadLibraryExW(LPCWSTR libFileName, HANDLE file, DWORD flags) {
    if (Win32PlatformIsUnicode) return LoadLibraryExW(libFileName, file, flags);
    return LoadLibraryExA(A(libFileName).c_str(), file, flags);
}

BOOL WINAPI Uvx_CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                               LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                               LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                               LPPROCESS_INFORMATION processInformation) {
    if (Win32PlatformIsUnicode)
        return CreateProcessW(applicationName, commandLine, processAttributes, threadAttributes, inheritHandles,
                              creationFlags, environment, currentDirectory, startupInfo, processInformation);
    std::string app = A(applicationName), dir = A(currentDirectory);
    std::string cmd = A(commandLine);
    std::vector<char> cmdBuffer(cmd.begin(), cmd.end());
    cmdBuffer.push_back('\0');
    STARTUPINFOA si{};
    std::string desktop, title, reserved;
    if (startupInfo) {
        static_assert(sizeof(STARTUPINFOA) == sizeof(STARTUPINFOW), "the two start-up records match");
        std::memcpy(&si, startupInfo, sizeof si);
        desktop = A(startupInfo->lpDesktop);
        title = A(startupInfo->lpTitle);
        reserved = A(startupInfo->lpReserved);
        si.lpDesktop = const_cast<char*>(OrNull(desktop));
        si.lpTitle = const_cast<char*>(OrNull(title));
        si.lpReserved = const_cast<char*>(OrNull(reserved));
    }
    return CreateProcessA(OrNull(app), cmd.empty() ? nullptr : cmdBuffer.data(), processAttributes, threadAttributes,
                          inheritHandles, creationFlags, environment, OrNull(dir), startupInfo ? &si : nullptr,
                          processInformation);
}

// The 8-bit path answers like the wide call: the characters written with the
// terminator, or with size 0 the size needed.
int WINAPI Uvx_GetCurrencyFormatW(LCID locale, DWORD flags, LPCWSTR value, const CURRENCYFMTW* format,
                                  LPWSTR currencyStr, int size) {
    if (Win32PlatformIsUnicode) return GetCurrencyFormatW(locale, flags, value, format, currencyStr, size);
    CURRENCYFMTA fmt{};
    std::string decimalSep, thousandSep, symbol;
    if (format) {
        fmt.NumDigits = format->NumDigits;
        fmt.LeadingZero = format->LeadingZero;
        fmt.Grouping = format->Grouping;
        fmt.NegativeOrder = format->NegativeOrder;
        fmt.PositiveOrder = format->PositiveOrder;
        decimalSep = A(format->lpDecimalSep);
        thousandSep = A(format->lpThousandSep);
        symbol = A(format->lpCurrencySymbol);
        fmt.lpDecimalSep = decimalSep.data();
        fmt.lpThousandSep = thousandSep.data();
        fmt.lpCurrencySymbol = symbol.data();
    }
    char ansi[64];
    int n = GetCurrencyFormatA(locale, flags, A(value).c_str(), format ? &fmt : nullptr, ansi, sizeof ansi);
    if (n == 0) return 0;
    std::u16string s = W(ansi);
    int needed = static_cast<int>(s.size()) + 1;
    if (size == 0) return needed;
    if (size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    CopyWide(currencyStr, s, static_cast<size_t>(size));
    return needed;
}

int WINAPI Uvx_CompareStringW(LCID locale, DWORD cmpFlags, LPCWSTR string1, int count1, LPCWSTR string2, int count2) {
    if (Win32PlatformIsUnicode) return CompareStringW(locale, cmpFlags, string1, count1, string2, count2);
    std::u16string s1 = count1 < 0 ? U16(string1) : U16(string1, static_cast<size_t>(count1));
    std::u16string s2 = count2 < 0 ? U16(string2) : U16(string2, static_cast<size_t>(count2));
    if (cmpFlags == 0) {
        int c = s1.compare(s2);
        return c < 0 ? CSTR_LESS_THAN : c == 0 ? CSTR_EQUAL : CSTR_GREATER_THAN;
    }
    return CompareStringA(locale, cmpFlags, WideToAnsiSys(s1).c_str(), -1, WideToAnsiSys(s2).c_str(), -1);
}

namespace {
using CharMap = LPSTR(WINAPI*)(LPSTR);

char16_t MapOneChar(char16_t c, CharMap map) {
    if (!IsWideCharMappableToAnsi(c)) return c;
    std::string a = WideToAnsiSys(std::u16string(1, c));
    std::vector<char> buf(a.begin(), a.end());
    buf.push_back('\0');
    map(buf.data());
    std::u16string back = AnsiToWideSys(std::string(buf.data()));
    return back.size() == 1 ? back[0] : c;
}

LPWSTR MapText(LPWSTR text, CharMap map) {
    auto value = reinterpret_cast<uintptr_t>(text);
    if (value <= 0xFFFF) return reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(MapOneChar(static_cast<char16_t>(value), map)));
    for (LPWSTR p = text; *p; ++p) *p = static_cast<wchar_t>(MapOneChar(static_cast<char16_t>(*p), map));
    return text;
}
}  // namespace

LPWSTR WINAPI Uvx_CharUpperW(LPWSTR text) {
    if (Win32PlatformIsUnicode) return CharUpperW(text);
    return MapText(text, CharUpperA);
}

LPWSTR WINAPI Uvx_CharLowerW(LPWSTR text) {
    if (Win32PlatformIsUnicode) return CharLowerW(text);
    return MapText(text, CharLowerA);
}

DWORD WINAPI Uvx_CharUpperBuffW(LPWSTR text, DWORD length) {
    if (Win32PlatformIsUnicode) return CharUpperBuffW(text, length);
    for (DWORD i = 0; i < length; ++i)
        text[i] = static_cast<wchar_t>(reinterpret_cast<uintptr_t>(Uvx_CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(text[i])))));
    return length;
}

DWORD WINAPI Uvx_CharLowerBuffW(LPWSTR text, DWORD length) {
    if (Win32PlatformIsUnicode) return CharLowerBuffW(text, length);
    for (DWORD i = 0; i < length; ++i)
        text[i] = static_cast<wchar_t>(reinterpret_cast<uintptr_t>(Uvx_CharLowerW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(text[i])))));
    return length;
}

BOOL WINAPI Uvx_GetStringTypeExW(LCID locale, DWORD infoType, LPCWSTR srcStr, int count, LPWORD charType) {
    if (Win32PlatformIsUnicode) return GetStringTypeExW(locale, infoType, srcStr, count, charType);
    std::u16string s = count < 0 ? U16(srcStr) : U16(srcStr, static_cast<size_t>(count));
    // The caller's array holds one type per wide character it gave (with the
    // terminator's when the count is -1), no more: a double-byte code page
    // gives up to two bytes a character. The types land in a buffer of the
    // converted length and only as many as the caller gave go back.
    std::string a = WideToAnsiSys(s);
    size_t withEnd = count < 0 ? 1 : 0;
    std::vector<WORD> types(a.size() + withEnd);
    if (!GetStringTypeExA(locale, infoType, a.c_str(), static_cast<int>(types.size()), types.data())) return FALSE;
    std::copy_n(types.begin(), std::min(types.size(), s.size() + withEnd), charType);
    return TRUE;
}

int WINAPI Uvx_DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    if (Win32PlatformIsUnicode) return DrawTextW(dc, text, count, rect, format);
    std::u16string s = count < 0 ? U16(text) : U16(text, static_cast<size_t>(count));
    std::vector<char> buf;  // DT_MODIFYSTRING may write into the text
    std::string a = WideToAnsiSys(s);
    buf.assign(a.begin(), a.end());
    buf.resize(buf.size() + 5, '\0');
    return DrawTextA(dc, buf.data(), -1, rect, format);
}

namespace {
int LoadStringFromTable(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    if ((id >> 16) == 0xFFFF) id = 0u - id;
    HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(((id >> 4) & 0xFFFF) + 1), MAKEINTRESOURCEW(6));
    if (!res) return 0;
    HGLOBAL global = LoadResource(instance, res);
    if (!global) return 0;
    auto* p = static_cast<const WORD*>(LockResource(global));
    if (!p) return 0;
    const WORD* end = p + SizeofResource(instance, res) / 2;
    for (UINT i = 0; i < (id & 15); ++i) {
        if (p >= end) return 0;
        p += 1 + *p;
    }
    if (p >= end) return 0;
    int length = std::min<int>(*p, static_cast<int>(end - p - 1));
    if (!buffer || bufferMax <= 0) return length;
    int n = std::min(bufferMax - 1, length);
    std::memcpy(buffer, p + 1, static_cast<size_t>(n) * 2);
    buffer[n] = 0;
    return n;
}
}  // namespace

int WINAPI Uvx_LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    if (Win32PlatformIsUnicode && bufferMax > 0) return LoadStringW(instance, id, buffer, bufferMax);
    // Size 0 asks LoadStringW for a pointer into the resource; the table reader
    // answers the length instead, on both platforms.
    return LoadStringFromTable(instance, id, buffer, bufferMax);
}

// Only a string item's type data is text; bitmaps and owner-drawn data pass as they are.
BOOL WINAPI Uvx_InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
    if (Win32PlatformIsUnicode) return InsertMenuItemW(menu, item, byPosition, info);
    static_assert(sizeof(MENUITEMINFOA) == sizeof(MENUITEMINFOW), "the two menu item records match");
    MENUITEMINFOA a;
    std::memcpy(&a, info, sizeof a);
    bool isString = ((info->fMask & MIIM_STRING) ||
                     ((info->fMask & MIIM_TYPE) && !(info->fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)))) &&
                    info->dwTypeData;
    std::string text;
    if (isString) {
        text = A(info->dwTypeData);
        a.dwTypeData = text.data();
        a.cch = static_cast<UINT>(text.size());
    }
    return InsertMenuItemA(menu, item, byPosition, &a);
}

UINT WINAPI Uvx_ExtractIconExW(LPCWSTR file, int iconIndex, HICON* large, HICON* small, UINT icons) {
    if (Win32PlatformIsUnicode) return ExtractIconExW(file, iconIndex, large, small, icons);
    return ExtractIconExA(A(file).c_str(), iconIndex, large, small, icons);
}

HICON WINAPI Uvx_ExtractAssociatedIconW(HINSTANCE instance, LPWSTR iconPath, LPWORD icon) {
    if (Win32PlatformIsUnicode) return ExtractAssociatedIconW(instance, iconPath, icon);
    char path[MAX_PATH] = {};
    std::string a = A(iconPath);
    std::strncpy(path, a.c_str(), MAX_PATH - 1);
    return ExtractAssociatedIconA(instance, path, icon);
}

DWORD WINAPI Uvx_GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle) {
    if (Win32PlatformIsUnicode) return GetFileVersionInfoSizeW(fileName, handle);
    return GetFileVersionInfoSizeA(A(fileName).c_str(), handle);
}

BOOL WINAPI Uvx_GetFileVersionInfoW(LPCWSTR fileName, DWORD handle, DWORD len, LPVOID data) {
    if (Win32PlatformIsUnicode) return GetFileVersionInfoW(fileName, handle, len, data);
    return GetFileVersionInfoA(A(fileName).c_str(), handle, len, data);
}

BOOL WINAPI Uvx_VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT len) {
    if (Win32PlatformIsUnicode) return VerQueryValueW(block, subBlock, buffer, len);
    BOOL ok = VerQueryValueA(block, A(subBlock).c_str(), buffer, len);
    if (ok && WideTextPos(u"\\StringFileInfo", U16(subBlock)) == 1) {
        std::string value(static_cast<const char*>(*buffer), *len);
        value = value.c_str();  // the length counts the terminator
        gVersionValue = AnsiToWideSys(value);
        *buffer = gVersionValue.data();
        *len = static_cast<UINT>(gVersionValue.size());
    }
    return ok;
}

namespace {
// A list of names, each ended by 0, the list by an empty name.
std::string ListToAnsi(LPCWSTR list) {
    if (!list) return {};
    std::string out;
    for (LPCWSTR p = list; *p; p += wcslen(p) + 1) {
        out += A(p);
        out += '\0';
    }
    out += '\0';
    return out;
}
}  // namespace

int WINAPI Uvx_SHFileOperationW(LPSHFILEOPSTRUCTW fileOp) {
    if (Win32PlatformIsUnicode) return ShellWideEntries().fileOperation(fileOp);
    SHFILEOPSTRUCTA a{};
    a.hwnd = fileOp->hwnd;
    a.wFunc = fileOp->wFunc;
    a.fFlags = fileOp->fFlags;
    std::string from = ListToAnsi(fileOp->pFrom), to = ListToAnsi(fileOp->pTo), title = A(fileOp->lpszProgressTitle);
    a.pFrom = fileOp->pFrom ? from.c_str() : nullptr;
    a.pTo = fileOp->pTo ? to.c_str() : nullptr;
    a.lpszProgressTitle = fileOp->lpszProgressTitle ? title.c_str() : nullptr;
    int result = SHFileOperationA(&a);
    fileOp->fAnyOperationsAborted = a.fAnyOperationsAborted;
    fileOp->hNameMappings = nullptr;
    if (a.hNameMappings && (fileOp->fFlags & FOF_WANTMAPPINGHANDLE)) {
        struct AnsiMappings {
            UINT count;
            SHNAMEMAPPINGA* mappings;
        };
        auto* src = static_cast<AnsiMappings*>(a.hNameMappings);
        auto* list = new TUvxNameMappings{src->count, new SHNAMEMAPPINGW[src->count]};
        for (UINT i = 0; i < src->count; ++i) {
            const SHNAMEMAPPINGA& m = src->mappings[i];
            std::u16string oldPath = W(m.pszOldPath, static_cast<size_t>(std::max(m.cchOldPath, 0)));
            std::u16string newPath = W(m.pszNewPath, static_cast<size_t>(std::max(m.cchNewPath, 0)));
            auto* o = new wchar_t[oldPath.size() + 1];
            auto* n = new wchar_t[newPath.size() + 1];
            CopyWide(reinterpret_cast<LPWSTR>(o), oldPath, oldPath.size() + 1);
            CopyWide(reinterpret_cast<LPWSTR>(n), newPath, newPath.size() + 1);
            list->Mappings[i] = SHNAMEMAPPINGW{o, n, static_cast<int>(oldPath.size()), static_cast<int>(newPath.size())};
        }
        SHFreeNameMappings(a.hNameMappings);
        fileOp->hNameMappings = list;
    }
    return result;
}

void WINAPI Uvx_SHFreeNameMappings(HANDLE nameMappings) {
    if (Win32PlatformIsUnicode) {
        SHFreeNameMappings(nameMappings);
        return;
    }
    auto* list = static_cast<TUvxNameMappings*>(nameMappings);
    if (!list) return;
    for (UINT i = 0; i < list->Count; ++i) {
        delete[] list->Mappings[i].pszOldPath;
        delete[] list->Mappings[i].pszNewPath;
    }
    delete[] list->Mappings;
    delete list;
}

LPITEMIDLIST WINAPI Uvx_SHBrowseForFolderW(LPBROWSEINFOW bi) {
    if (Win32PlatformIsUnicode) return ShellWideEntries().browseForFolder(bi);
    BROWSEINFOA a{};
    a.hwndOwner = bi->hwndOwner;
    a.pidlRoot = bi->pidlRoot;
    a.ulFlags = bi->ulFlags;
    a.lpfn = bi->lpfn;
    a.lParam = bi->lParam;
    std::string title = A(bi->lpszTitle);
    a.lpszTitle = bi->lpszTitle ? title.c_str() : nullptr;
    char displayName[MAX_PATH] = {};
    if (bi->pszDisplayName) a.pszDisplayName = displayName;
    LPITEMIDLIST result = SHBrowseForFolderA(&a);
    if (bi->pszDisplayName) CopyWide(bi->pszDisplayName, W(displayName), MAX_PATH);
    bi->iImage = a.iImage;
    return result;
}

BOOL WINAPI Uvx_SHGetPathFromIDListW(LPCITEMIDLIST pidl, LPWSTR path) {
    if (Win32PlatformIsUnicode) return ShellWideEntries().getPathFromIDList(pidl, path);
    char ansi[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListA(pidl, ansi);
    if (ok) CopyWide(path, W(ansi), MAX_PATH);
    return ok;
}

// With SHGFI_PIDL the "path" is an item list, passed on as it is.
DWORD_PTR WINAPI Uvx_SHGetFileInfoW(LPCWSTR path, DWORD fileAttributes, SHFILEINFOW* sfi, UINT fileInfoSize,
                                    UINT flags) {
    if (Win32PlatformIsUnicode) return ShellWideEntries().getFileInfo(path, fileAttributes, sfi, fileInfoSize, flags);
    SHFILEINFOA a{};
    std::string name = (flags & SHGFI_PIDL) ? std::string() : A(path);
    LPCSTR arg = (flags & SHGFI_PIDL) ? reinterpret_cast<LPCSTR>(path) : name.c_str();
    DWORD_PTR result = SHGetFileInfoA(arg, fileAttributes, sfi ? &a : nullptr, sfi ? sizeof a : 0, flags);
    if (sfi) {
        std::memset(sfi, 0, sizeof *sfi);
        sfi->hIcon = a.hIcon;
        sfi->iIcon = a.iIcon;
        sfi->dwAttributes = a.dwAttributes;
        CopyWide(sfi->szDisplayName, W(a.szDisplayName), MAX_PATH);
        CopyWide(sfi->szTypeName, W(a.szTypeName), 80);
    }
    return result;
}

bool Uvx_Is_IntResource(LPCWSTR name) { return (reinterpret_cast<uintptr_t>(name) >> 16) == 0; }

#pragma once
// Wrappers of the wide system calls: the wide call where the platform has it,
// the 8-bit call with converted texts where it does not. They never raise
// (except the four shell entries, when shell32 lacks them); they return the
// call's result and leave its last-error code.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

HANDLE WINAPI Uvx_CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                              LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                              DWORD flagsAndAttributes, HANDLE templateFile);
BOOL WINAPI Uvx_SetWindowTextW(HWND wnd, LPCWSTR text);
BOOL WINAPI Uvx_RemoveDirectoryW(LPCWSTR pathName);
BOOL WINAPI Uvx_CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES securityAttributes);
BOOL WINAPI Uvx_SetCurrentDirectoryW(LPCWSTR pathName);
BOOL WINAPI Uvx_DeleteFileW(LPCWSTR fileName);
BOOL WINAPI Uvx_MoveFileW(LPCWSTR existingFileName, LPCWSTR newFileName);
BOOL WINAPI Uvx_CopyFileW(LPCWSTR existingFileName, LPCWSTR newFileName, BOOL failIfExists);
DWORD WINAPI Uvx_GetFileAttributesW(LPCWSTR fileName);
BOOL WINAPI Uvx_SetFileAttributesW(LPCWSTR fileName, DWORD fileAttributes);
HANDLE WINAPI Uvx_FindFirstFileW(LPCWSTR fileName, LPWIN32_FIND_DATAW findData);
BOOL WINAPI Uvx_FindNextFileW(HANDLE findFile, LPWIN32_FIND_DATAW findData);
BOOL WINAPI Uvx_GetDiskFreeSpaceW(LPCWSTR rootPathName, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                                  LPDWORD numberOfFreeClusters, LPDWORD totalNumberOfClusters);
BOOL WINAPI Uvx_GetVolumeInformationW(LPCWSTR rootPathName, LPWSTR volumeNameBuffer, DWORD volumeNameSize,
                                      LPDWORD volumeSerialNumber, LPDWORD maximumComponentLength,
                                      LPDWORD fileSystemFlags, LPWSTR fileSystemNameBuffer, DWORD fileSystemNameSize);
DWORD WINAPI Uvx_GetShortPathNameW(LPCWSTR longPath, LPWSTR shortPath, DWORD bufferSize);
DWORD WINAPI Uvx_GetFullPathNameW(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart);
DWORD WINAPI Uvx_GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
DWORD WINAPI Uvx_GetTempPathW(DWORD bufferLength, LPWSTR buffer);
DWORD WINAPI Uvx_GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer);
UINT WINAPI Uvx_GetWindowsDirectoryW(LPWSTR buffer, UINT size);
UINT WINAPI Uvx_GetSystemDirectoryW(LPWSTR buffer, UINT size);
UINT WINAPI Uvx_GetTempFileNameW(LPCWSTR pathName, LPCWSTR prefixString, UINT unique, LPWSTR tempFileName);
BOOL WINAPI Uvx_GetComputerNameW(LPWSTR buffer, LPDWORD size);
BOOL WINAPI Uvx_GetUserNameW(LPWSTR buffer, LPDWORD size);
HINSTANCE WINAPI Uvx_ShellExecuteW(HWND wnd, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                   LPCWSTR directory, INT showCmd);
HMODULE WINAPI Uvx_LoadLibraryW(LPCWSTR libFileName);
HMODULE WINAPI Uvx_LoadLibraryExW(LPCWSTR libFileName, HANDLE file, DWORD flags);
BOOL WINAPI Uvx_CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                               LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                               LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                               LPPROCESS_INFORMATION processInformation);
int WINAPI Uvx_GetCurrencyFormatW(LCID locale, DWORD flags, LPCWSTR value, const CURRENCYFMTW* format,
                                  LPWSTR currencyStr, int size);
int WINAPI Uvx_CompareStringW(LCID locale, DWORD cmpFlags, LPCWSTR string1, int count1, LPCWSTR string2, int count2);
LPWSTR WINAPI Uvx_CharUpperW(LPWSTR text);
LPWSTR WINAPI Uvx_CharLowerW(LPWSTR text);
DWORD WINAPI Uvx_CharUpperBuffW(LPWSTR text, DWORD length);
DWORD WINAPI Uvx_CharLowerBuffW(LPWSTR text, DWORD length);
BOOL WINAPI Uvx_GetStringTypeExW(LCID locale, DWORD infoType, LPCWSTR srcStr, int count, LPWORD charType);
int WINAPI Uvx_DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);
int WINAPI Uvx_LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
BOOL WINAPI Uvx_InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info);
UINT WINAPI Uvx_ExtractIconExW(LPCWSTR file, int iconIndex, HICON* large, HICON* small, UINT icons);
HICON WINAPI Uvx_ExtractAssociatedIconW(HINSTANCE instance, LPWSTR iconPath, LPWORD icon);
DWORD WINAPI Uvx_GetFileVersionInfoSizeW(LPCWSTR fileName, LPDWORD handle);
BOOL WINAPI Uvx_GetFileVersionInfoW(LPCWSTR fileName, DWORD handle, DWORD len, LPVOID data);
BOOL WINAPI Uvx_VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT len);
int WINAPI Uvx_SHFileOperationW(LPSHFILEOPSTRUCTW fileOp);
void WINAPI Uvx_SHFreeNameMappings(HANDLE nameMappings);
LPITEMIDLIST WINAPI Uvx_SHBrowseForFolderW(LPBROWSEINFOW bi);
BOOL WINAPI Uvx_SHGetPathFromIDListW(LPCITEMIDLIST pidl, LPWSTR path);
DWORD_PTR WINAPI Uvx_SHGetFileInfoW(LPCWSTR path, DWORD fileAttributes, SHFILEINFOW* sfi, UINT fileInfoSize,
                                    UINT flags);

// True for an integer resource identifier (high 16 bits zero).
bool Uvx_Is_IntResource(LPCWSTR name);

// The wide name-mapping list that the 8-bit path of Uvx_SHFileOperationW
// builds, laid out like the shell's own.
struct TUvxNameMappings {
    UINT Count;
    SHNAMEMAPPINGW* Mappings;
};

// Copies an 8-bit result into a wide buffer by the rules of the mode bits:
// 4 truncates silently, 1 cuts an exact fit by one, 2 empties a buffer that is
// too small, 8 leaves the leading directories in it.
DWORD CopyAnsiResultToWide(LPWSTR buffer, DWORD bufSize, const char* ansi, DWORD ansiLen, int mode);

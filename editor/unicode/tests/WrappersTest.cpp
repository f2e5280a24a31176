#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/unicode/UvxStringUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "editor/unicode/tests/TempFolder.h"
#include "framework/WinText.h"

TEST(Wrappers, OnTheWidePlatformTheyPassThrough) {
    ASSERT_TRUE(Win32PlatformIsUnicode);
    wchar_t a[MAX_PATH], b[MAX_PATH];
    EXPECT_EQ(Uvx_GetCurrentDirectoryW(MAX_PATH, a), GetCurrentDirectoryW(MAX_PATH, b));
    EXPECT_EQ(U16(a), U16(b));
    EXPECT_EQ(Uvx_GetModuleFileNameW(nullptr, a, 5), GetModuleFileNameW(nullptr, b, 5));
    SetLastError(0);
    EXPECT_EQ(Uvx_GetFileAttributesW(L"Z:\\no\\such\\thing"), INVALID_FILE_ATTRIBUTES);
    DWORD mine = GetLastError();
    GetFileAttributesW(L"Z:\\no\\such\\thing");
    EXPECT_EQ(mine, GetLastError());
}

TEST(Wrappers, EightBitModuleNameTruncatesWithoutTerminator) {
    EightBitPlatform eightBit;
    wchar_t full[MAX_PATH], cut[8];
    DWORD n = Uvx_GetModuleFileNameW(nullptr, full, MAX_PATH);
    ASSERT_GT(n, 5u);
    EXPECT_EQ(n, wcslen(full));
    std::fill(std::begin(cut), std::end(cut), L'#');
    EXPECT_EQ(Uvx_GetModuleFileNameW(nullptr, cut, 5), 5u);
    EXPECT_EQ(U16(cut, 5), U16(full, 5));
    EXPECT_EQ(cut[5], L'#');
}

TEST(Wrappers, EightBitCopyBackRules) {
    TempFolder folder(u"tq_copyback");
    ASSERT_TRUE(SetCurrentDirectoryW(WC(folder.Path())));
    EightBitPlatform eightBit;
    wchar_t dir[MAX_PATH];
    DWORD len = Uvx_GetCurrentDirectoryW(MAX_PATH, dir);
    ASSERT_EQ(len, wcslen(dir));
    std::vector<wchar_t> exact(len, L'#');
    EXPECT_EQ(Uvx_GetCurrentDirectoryW(len, exact.data()), len + 1);  // cut by one, with terminator
    EXPECT_EQ(U16(exact.data()), U16(dir, len - 1));
    std::vector<wchar_t> small(4, L'#');
    EXPECT_EQ(Uvx_GetCurrentDirectoryW(4, small.data()), len + 1);
    EXPECT_EQ(small[0], 0);  // mode 2: an empty string
    SetCurrentDirectoryW(L"C:\\");

    std::u16string file = folder / u"a.txt";
    CloseHandle(CreateFileW(WC(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    wchar_t shortName[MAX_PATH];
    DWORD shortLen = Uvx_GetShortPathNameW(WC(file), shortName, MAX_PATH);
    ASSERT_GT(shortLen, 10u);
    wchar_t three[3] = {L'#', L'#', L'#'};
    EXPECT_EQ(Uvx_GetShortPathNameW(WC(file), three, 3), shortLen + 1);
    EXPECT_EQ(three[0], L'#');  // too small for anything: nothing written
    std::vector<wchar_t> part(shortLen - 2, L'#');
    EXPECT_EQ(Uvx_GetShortPathNameW(WC(file), part.data(), static_cast<DWORD>(part.size())), shortLen + 1);
    std::u16string lead = U16(shortName).substr(0, U16(shortName).rfind(u'\\') + 1);
    EXPECT_EQ(U16(part.data(), lead.size()), lead);  // mode 8: the leading folders
    EXPECT_EQ(part[lead.size()], L'#');

    wchar_t full[MAX_PATH];
    LPWSTR filePart = nullptr;
    DWORD fullLen = Uvx_GetFullPathNameW(WC(file), MAX_PATH, full, &filePart);
    EXPECT_EQ(U16(full, fullLen), file);
    ASSERT_NE(filePart, nullptr);
    EXPECT_EQ(U16(filePart), u"a.txt");
}

TEST(Wrappers, StringTableWithoutTheWideCall) {
    HINSTANCE self = GetModuleHandleW(nullptr);
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        wchar_t buf[32];
        EXPECT_EQ(Uvx_LoadStringW(self, 17, buf, 32), 9);
        EXPECT_EQ(U16(buf), u"seventeen");
        EXPECT_EQ(Uvx_LoadStringW(self, 18, buf, 32), 6);
        EXPECT_EQ(U16(buf), u"\u0416 wide");
        EXPECT_EQ(Uvx_LoadStringW(self, 17, buf, 5), 4);
        EXPECT_EQ(U16(buf), u"seve");
        wchar_t untouched = L'#';
        EXPECT_EQ(Uvx_LoadStringW(self, 5, &untouched, 0), 4);  // the length, nothing written
        EXPECT_EQ(untouched, L'#');
        EXPECT_EQ(Uvx_LoadStringW(self, 999, buf, 32), 0);
    }
}

TEST(Wrappers, EightBitComparisonAndCaseMapping) {
    EightBitPlatform eightBit;
    EXPECT_EQ(Uvx_CompareStringW(LOCALE_USER_DEFAULT, 0, L"a", -1, L"b", -1), CSTR_LESS_THAN);
    EXPECT_EQ(Uvx_CompareStringW(LOCALE_USER_DEFAULT, 0, L"A", -1, L"a", -1), CSTR_LESS_THAN);
    EXPECT_EQ(Uvx_CompareStringW(LOCALE_USER_DEFAULT, 0, L"abX", 2, L"abY", 2), CSTR_EQUAL);
    EXPECT_EQ(Uvx_CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, L"A", -1, L"a", -1), CSTR_EQUAL);
    auto upper = [](wchar_t c) {
        return static_cast<wchar_t>(
            reinterpret_cast<uintptr_t>(Uvx_CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(c)))));
    };
    EXPECT_EQ(upper(L'\u0436'), L'\u0436');  // outside code page 1252: unchanged
    // Letters that code page 1252 lacks but the system would write as a
    // look-alike: still outside it, so unchanged, not the look-alike's capital.
    EXPECT_FALSE(IsWideCharMappableToAnsi(u'\u0107'));
    EXPECT_EQ(upper(L'\u0107'), L'\u0107');
    EXPECT_EQ(upper(L'\u0161'), L'\u0160');  // in code page 1252 (0x9A, 0x8A)
    wchar_t lookAlikes[] = L"\u0107\u0142\u0119";
    Uvx_CharUpperBuffW(lookAlikes, 3);
    EXPECT_EQ(U16(lookAlikes), u"\u0107\u0142\u0119");
    EXPECT_EQ(upper(L'\u00E9'), L'\u00C9');
    wchar_t text[] = L"ab\u00E9\u0436";
    EXPECT_EQ(Uvx_CharUpperW(text), text);
    EXPECT_EQ(U16(text), u"AB\u00C9\u0436");
    EXPECT_EQ(Uvx_CharLowerBuffW(text, 2), 2u);
    EXPECT_EQ(U16(text), u"ab\u00C9\u0436");
}

// The types go into the caller's array, one per character given, and not a
// word past it; with a count of -1 the terminator has its type too.
TEST(Wrappers, StringTypesFillExactlyTheCallersArray) {
    constexpr WORD kGuard = 0xBEEF;
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        WORD types[4] = {0, kGuard, kGuard, kGuard};
        EXPECT_TRUE(Uvx_GetStringTypeExW(LOCALE_USER_DEFAULT, CT_CTYPE1, L"7a", 1, types)) << wide;
        EXPECT_TRUE(types[0] & C1_DIGIT) << wide;
        EXPECT_EQ(types[1], kGuard) << wide;

        std::fill(std::begin(types), std::end(types), kGuard);
        EXPECT_TRUE(Uvx_GetStringTypeExW(LOCALE_USER_DEFAULT, CT_CTYPE1, L"a\u00E9", -1, types)) << wide;
        EXPECT_TRUE(types[0] & C1_LOWER) << wide;
        EXPECT_TRUE(types[1] & C1_ALPHA) << wide;
        EXPECT_NE(types[2], kGuard) << wide;  // the terminator's
        EXPECT_EQ(types[3], kGuard) << wide;

        std::fill(std::begin(types), std::end(types), kGuard);
        EXPECT_TRUE(Uvx_GetStringTypeExW(LOCALE_USER_DEFAULT, CT_CTYPE1, L"\u0436 7", 3, types)) << wide;
        EXPECT_TRUE(types[1] & C1_SPACE) << wide;
        EXPECT_TRUE(types[2] & C1_DIGIT) << wide;
        EXPECT_EQ(types[3], kGuard) << wide;
    }
}

TEST(Wrappers, FilesFoldersAndSearchesOnBothPlatforms) {
    for (bool wide : kBothPlatforms) {
        TempFolder folder(u"tq_wrappers");
        Platform platform(wide);
        std::u16string sub = folder / u"sub", a = folder / u"a.txt", b = folder / u"b.txt";
        EXPECT_TRUE(Uvx_CreateDirectoryW(WC(sub), nullptr));
        HANDLE h = Uvx_CreateFileW(WC(a), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n;
        WriteFile(h, "12345", 5, &n, nullptr);
        CloseHandle(h);
        EXPECT_TRUE(Uvx_CopyFileW(WC(a), WC(b), TRUE));
        EXPECT_FALSE(Uvx_CopyFileW(WC(a), WC(b), TRUE));
        EXPECT_TRUE(Uvx_SetFileAttributesW(WC(b), FILE_ATTRIBUTE_READONLY));
        EXPECT_TRUE(Uvx_GetFileAttributesW(WC(b)) & FILE_ATTRIBUTE_READONLY);
        EXPECT_TRUE(Uvx_SetFileAttributesW(WC(b), FILE_ATTRIBUTE_NORMAL));
        WIN32_FIND_DATAW data;
        HANDLE find = Uvx_FindFirstFileW(WC(folder / u"*.txt"), &data);
        ASSERT_NE(find, INVALID_HANDLE_VALUE);
        std::vector<std::u16string> names{U16(data.cFileName)};
        EXPECT_EQ(data.nFileSizeLow, 5u);
        while (Uvx_FindNextFileW(find, &data)) names.push_back(U16(data.cFileName));
        FindClose(find);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::u16string>{u"a.txt", u"b.txt"}));
        EXPECT_TRUE(Uvx_MoveFileW(WC(b), WC(sub + u"\\c.txt")));
        EXPECT_TRUE(Uvx_DeleteFileW(WC(sub + u"\\c.txt")));
        EXPECT_TRUE(Uvx_RemoveDirectoryW(WC(sub)));
        wchar_t temp[MAX_PATH];
        UINT unique = Uvx_GetTempFileNameW(WC(folder.Path()), L"tq", 0, temp);
        EXPECT_NE(unique, 0u);
        EXPECT_EQ(U16(temp).substr(0, folder.Path().size()), folder.Path());
        DWORD spc, bps, freeClusters, total;
        EXPECT_TRUE(Uvx_GetDiskFreeSpaceW(L"C:\\", &spc, &bps, &freeClusters, &total));
    }
}

TEST(Wrappers, NamesVolumesAndFormatsAgree) {
    wchar_t wideName[64], eightBitName[64];
    DWORD wideSize = 64, eightBitSize = 64;
    ASSERT_TRUE(Uvx_GetComputerNameW(wideName, &wideSize));
    wchar_t wideVolume[MAX_PATH + 1], wideFs[MAX_PATH + 1];
    ASSERT_TRUE(Uvx_GetVolumeInformationW(L"C:\\", wideVolume, MAX_PATH + 1, nullptr, nullptr, nullptr, wideFs,
                                          MAX_PATH + 1));
    wchar_t wideMoney[64];
    int wideLen = Uvx_GetCurrencyFormatW(0x409, 0, L"1234.5", nullptr, wideMoney, 64);

    EightBitPlatform eightBit;
    ASSERT_TRUE(Uvx_GetComputerNameW(eightBitName, &eightBitSize));
    EXPECT_EQ(U16(eightBitName), U16(wideName));
    EXPECT_EQ(eightBitSize, wideSize);
    DWORD tiny = 1;
    EXPECT_FALSE(Uvx_GetComputerNameW(eightBitName, &tiny));
    EXPECT_EQ(tiny, wideSize + 1);
    wchar_t volume[MAX_PATH + 1], fs[4];
    ASSERT_TRUE(Uvx_GetVolumeInformationW(L"C:\\", volume, MAX_PATH + 1, nullptr, nullptr, nullptr, fs, 4));
    EXPECT_EQ(U16(volume), U16(wideVolume));
    EXPECT_EQ(U16(fs), U16(wideFs).substr(0, 3));  // cut to the caller's size
    wchar_t money[64];
    EXPECT_EQ(Uvx_GetCurrencyFormatW(0x409, 0, L"1234.5", nullptr, money, 64), wideLen);
    EXPECT_EQ(U16(money), U16(wideMoney));
    EXPECT_EQ(Uvx_GetCurrencyFormatW(0x409, 0, L"1234.5", nullptr, nullptr, 0), wideLen);
}

TEST(Wrappers, MenusTextAndShellOnTheEightBitPath) {
    EightBitPlatform eightBit;
    HMENU menu = CreatePopupMenu();
    wchar_t caption[] = L"Caf\u00E9";
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID;
    info.wID = 7;
    info.dwTypeData = caption;
    EXPECT_TRUE(Uvx_InsertMenuItemW(menu, 0, TRUE, &info));
    wchar_t back[16];
    GetMenuStringW(menu, 7, back, 16, MF_BYCOMMAND);
    EXPECT_EQ(U16(back), u"Caf\u00E9");
    DestroyMenu(menu);

    HDC dc = CreateCompatibleDC(nullptr);
    RECT r{0, 0, 0, 0};
    EXPECT_GT(Uvx_DrawTextW(dc, L"Hello\u0416", 5, &r, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_GT(r.right, 0);
    DeleteDC(dc);

    TempFolder folder(u"tq_shell");
    std::u16string a = folder / u"a.txt";
    CloseHandle(CreateFileW(WC(a), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::u16string from = a + u'\0', to = folder / u"b.txt" + u'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_COPY;
    op.pFrom = WC(from);
    op.pTo = WC(to);
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    EXPECT_EQ(Uvx_SHFileOperationW(&op), 0);
    EXPECT_EQ(op.hNameMappings, nullptr);
    EXPECT_NE(GetFileAttributesW(WC(folder / u"b.txt")), INVALID_FILE_ATTRIBUTES);
    SHFILEINFOW sfi;
    EXPECT_NE(Uvx_SHGetFileInfoW(WC(a), 0, &sfi, sizeof sfi, SHGFI_DISPLAYNAME), 0u);
    EXPECT_EQ(U16(sfi.szDisplayName).substr(0, 1), u"a");
    EXPECT_TRUE(Uvx_Is_IntResource(MAKEINTRESOURCEW(5)));
    EXPECT_FALSE(Uvx_Is_IntResource(L"NAME"));
}

TEST(Wrappers, VersionValuesOnBothPlatforms) {
    wchar_t kernel[MAX_PATH];
    GetSystemDirectoryW(kernel, MAX_PATH);
    std::u16string file = U16(kernel) + u"\\kernel32.dll";
    std::u16string seen[2];
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        DWORD handle = 0, size = Uvx_GetFileVersionInfoSizeW(WC(file), &handle);
        ASSERT_GT(size, 0u);
        std::vector<char> block(size);
        ASSERT_TRUE(Uvx_GetFileVersionInfoW(WC(file), 0, size, block.data()));
        WORD* translation = nullptr;
        UINT len = 0;
        ASSERT_TRUE(Uvx_VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                       reinterpret_cast<void**>(&translation), &len));
        ASSERT_GE(len, 4u);
        wchar_t path[64];
        swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
        wchar_t* value = nullptr;
        if (Uvx_VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &len))
            seen[wide ? 0 : 1] = U16(value);
    }
    EXPECT_FALSE(seen[0].empty());
    EXPECT_EQ(seen[0], seen[1]);
}

TEST(Wrappers, ProcessesIconsAndPlatformFlags) {
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        wchar_t commandLine[] = L"cmd.exe /c exit 3";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.lpTitle = const_cast<LPWSTR>(L"");
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(Uvx_CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                       nullptr, &si, &pi));
        WaitForSingleObject(pi.hProcess, 30000);
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        EXPECT_EQ(code, 3u);
        EXPECT_GT(Uvx_ExtractIconExW(L"shell32.dll", -1, nullptr, nullptr, 0), 0u);
        HMODULE module = Uvx_LoadLibraryExW(L"version.dll", nullptr, 0);
        EXPECT_NE(module, nullptr);
        FreeLibrary(module);
    }
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExW(&info);
    EXPECT_EQ(Win32PlatformIsVista, info.dwMajorVersion >= 6);
    EXPECT_EQ(Win32PlatformIsXP, info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1));
    EXPECT_TRUE(Win32PlatformIsXP || !Win32PlatformIs2003);
}

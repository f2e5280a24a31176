#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxFiles.h"
#include "editor/unicode/UvxWindows.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "editor/unicode/tests/TempFolder.h"
#include "framework/WinText.h"

namespace {
void WriteFileOf(const std::u16string& name, const char* text) {
    HANDLE h = CreateFileW(WC(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(h, text, static_cast<DWORD>(strlen(text)), &n, nullptr);
    CloseHandle(h);
}
}  // namespace

TEST(WideFiles, ForceDirectoriesIsTrueOnlyWhenTheFolderExists) {
    TempFolder folder(u"tq_force_\u0416");
    std::u16string deep = folder / u"\u4E2D\\b\\c\\";
    EXPECT_TRUE(WideForceDirectories(deep));
    EXPECT_TRUE(WideDirectoryExists(deep));
    EXPECT_TRUE(WideForceDirectories(deep));  // already there
    WriteFileOf(folder / u"file", "x");
    EXPECT_FALSE(WideForceDirectories(folder / u"file\\sub"));  // a file stands in the way
    EXPECT_FALSE(WideDirectoryExists(folder / u"file\\sub"));
    EXPECT_FALSE(WideForceDirectories(u"Q:\\no\\drive\\here"));
    try {
        WideForceDirectories(u"");
        ADD_FAILURE();
    } catch (const EUvxGeneralError& e) {
        EXPECT_STREQ(e.what(), "Unable to create directory");
    }
}

// Names without a drive or a leading backslash lie in the current folder.
TEST(WideFiles, ForceDirectoriesMakesRelativeFolders) {
    for (bool wide : kBothPlatforms) {
        TempFolder folder(u"tq_force_relative");
        ASSERT_TRUE(SetCurrentDirectoryW(WC(folder.Path())));
        Platform platform(wide);
        for (const char16_t* name : {u"newdir", u"ab", u"x", u"nested\\inner", u"trailing\\"}) {
            EXPECT_TRUE(WideForceDirectories(name)) << wide << " " << WideToAnsi(name);
            EXPECT_TRUE(WideDirectoryExists(folder / name)) << wide << " " << WideToAnsi(name);
            EXPECT_TRUE(WideForceDirectories(name)) << "already there";
        }
        WriteFileOf(folder / u"plainfile", "x");
        EXPECT_FALSE(WideForceDirectories(u"plainfile"));  // a file of that name stands in the way
        SetCurrentDirectoryW(L"C:\\");
    }
}

TEST(WideFiles, LongPathsComeBackWhole) {
    std::u16string name = u"C:\\";
    while (name.size() < 400) name += u"folder_\u0416\u4E2D\\";
    name += u"leaf.txt";
    EXPECT_EQ(WideExpandFileName(name), name);

    TempFolder folder(u"tq_long");
    std::u16string deep = u"\\\\?\\" + folder.Path();
    while (deep.size() < 330) {
        deep += u"\\long_folder_name_\u0416";
        CreateDirectoryW(WC(deep), nullptr);
    }
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    if (!SetCurrentDirectoryW(WC(deep))) GTEST_SKIP() << "this system keeps the current folder short";
    std::u16string current = WideGetCurrentDir();
    SetCurrentDirectoryW(saved);
    EXPECT_GT(current.size(), 300u);
    EXPECT_EQ(current.substr(current.size() - 19), u"\\long_folder_name_\u0416");
}

TEST(WideFiles, AttributesAgesAndExistence) {
    TempFolder folder(u"tq_attr");
    std::u16string file = folder / u"caf\u00E9 \u0416.txt";
    EXPECT_TRUE(WideFileIsReadOnly(folder / u"missing"));  // every attribute bit set
    EXPECT_FALSE(WideFileExists(file));
    EXPECT_EQ(WideFileAge(file), -1);
    WriteFileOf(file, "abc");
    EXPECT_TRUE(WideFileExists(file));
    EXPECT_FALSE(WideFileExists(folder.Path()));
    EXPECT_TRUE(WideDirectoryExists(folder.Path()));
    EXPECT_FALSE(WideDirectoryExists(file));
    EXPECT_EQ(WideFileAge(folder.Path()), -1);
    EXPECT_NE(WideFileAge(file), -1);
    double when = 0;
    ASSERT_TRUE(WideFileAge(file, when));
    EXPECT_GT(when, 46000.0);  // after 2025
    EXPECT_FALSE(WideFileIsReadOnly(file));
    EXPECT_TRUE(WideFileSetReadOnly(file, true));
    EXPECT_TRUE(WideFileIsReadOnly(file));
    EXPECT_TRUE(WideFileSetReadOnly(file, false));
    EXPECT_FALSE(WideFileSetReadOnly(folder / u"missing", true));
    EXPECT_TRUE(WideCopyFile(file, folder / u"copy.txt", true));
    EXPECT_TRUE(WideRenameFile(folder / u"copy.txt", folder / u"moved.txt"));
    EXPECT_EQ(WideFileSearch(u"moved.txt", u";;C:\\nowhere;" + folder.Path()), folder / u"moved.txt");
    EXPECT_EQ(WideFileSearch(u"moved.txt", u"C:\\nowhere"), u"");
    EXPECT_TRUE(WideDeleteFile(folder / u"moved.txt"));
    EXPECT_TRUE(WideCreateDir(folder / u"d"));
    EXPECT_TRUE(WideRemoveDir(folder / u"d"));
}

TEST(WideFiles, DirectorySearchSkipsWhatIsNotAsked) {
    TempFolder folder(u"tq_find");
    WriteFileOf(folder / u"one.bin", "1");
    WriteFileOf(folder / u"two.bin", "22");
    CreateDirectoryW(WC(folder / u"sub.bin"), nullptr);
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        TSearchRecW f;
        std::vector<std::u16string> files;
        int64_t total = 0;
        for (int r = WideFindFirst(folder / u"*.bin", 0, f); r == 0; r = WideFindNext(f)) {
            files.push_back(f.Name);
            total += f.Size;
        }
        WideFindClose(f);
        WideFindClose(f);  // twice does nothing
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::u16string>{u"one.bin", u"two.bin"}));
        EXPECT_EQ(total, 3);
        int withDirs = 0;
        for (int r = WideFindFirst(folder / u"*.bin", FILE_ATTRIBUTE_DIRECTORY, f); r == 0; r = WideFindNext(f))
            ++withDirs;
        WideFindClose(f);
        EXPECT_EQ(withDirs, 3);
        EXPECT_EQ(WideFindFirst(folder / u"*.none", 0, f), ERROR_FILE_NOT_FOUND);
    }
}

TEST(WideFiles, OpenModesShareAsTheFrameworkSays) {
    TempFolder folder(u"tq_modes");
    std::u16string file = folder / u"m.bin";
    HANDLE created = WideFileCreate(file);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);
    HANDLE denyWrite = WideFileOpen(file, 0x20);  // read, others may not write
    ASSERT_NE(denyWrite, INVALID_HANDLE_VALUE);
    HANDLE reader = WideFileOpen(file, 0x40);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WideFileOpen(file, 0x41), INVALID_HANDLE_VALUE);  // writing is refused
    CloseHandle(reader);
    CloseHandle(denyWrite);
    HANDLE writer = WideFileOpen(file, 0x12);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WideFileOpen(file, 0x40), INVALID_HANDLE_VALUE);  // exclusive
    CloseHandle(writer);
}

TEST(WideFiles, ModuleNameAndLibraries) {
    std::u16string self = WideGetModuleFileName(nullptr);
    EXPECT_EQ(self.substr(self.size() - 4), u".exe");
    HMODULE module = WideSafeLoadLibrary(u"version.dll");
    EXPECT_NE(module, nullptr);
    FreeLibrary(module);
    try {
        WideLoadPackage(u"no_such_package.bpl");
        ADD_FAILURE();
    } catch (const EPackageError& e) {
        EXPECT_EQ(std::string(e.what()).substr(0, 37), "Can't load package no_such_package.bp");
    }
}

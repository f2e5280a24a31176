#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "viewer/PageText.h"
#include "viewer/Win32FolderReader.h"
#include "viewer/Win32PageStamps.h"
#include "viewer/XmlParser.h"

namespace {

std::string TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

TEST(ListFilesOnDisk, HiddenFilesAndSubFolders) {
    std::string folder = TempFolder("tq_listfiles");
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    WriteFile(folder + "\\a.htm", "a");
    WriteFile(folder + "\\hidden.htm", "h");
    SetFileAttributesA((folder + "\\hidden.htm").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFile(folder + "\\sub\\inner.htm", "i");

    std::vector<std::string> flat = ListFiles(folder, false);
    EXPECT_EQ(flat, (std::vector<std::string>{folder + "\\a.htm"}));

    std::vector<std::string> deep = ListFiles(folder + "\\", true);
    std::sort(deep.begin(), deep.end());
    EXPECT_EQ(deep, (std::vector<std::string>{folder + "\\a.htm", folder + "\\sub\\inner.htm"}));

    EXPECT_TRUE(ListFiles(folder + "\\no such folder", true).empty());

    SetFileAttributesA((folder + "\\hidden.htm").c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + "\\hidden.htm").c_str());
    DeleteFileA((folder + "\\a.htm").c_str());
    DeleteFileA((folder + "\\sub\\inner.htm").c_str());
    RemoveDirectoryA((folder + "\\sub").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(PageFilesOnDisk, ReadsPagesByWindowsPaths) {
    std::string folder = TempFolder("tq_pages");
    std::string page = folder + "\\p.htm";
    WriteFile(page, "<title>T</title><body>b&amp;c</body>");
    HtmlInfo info = ExtractPageText(page);
    EXPECT_EQ(info.Title, "T");
    EXPECT_EQ(info.Body, "b&amp;c");

    xml_parser parser;
    EXPECT_EQ(parser.ReadFile(folder), -1);  // a folder is no page
    EXPECT_EQ(parser.ReadFile(folder + "\\none.htm"), -1);
    DeleteFileA(page.c_str());
    RemoveDirectoryA(folder.c_str());
}

// The stamp the search's text cache compares: size and times without
// opening the file, on the clock of Now; a new write time shows.
TEST(PageFilesOnDisk, StampsOfPageFiles) {
    std::string folder = TempFolder("tq_stamps");
    std::string page = folder + "\\p.htm";
    WriteFile(page, "<body>12345</body>");
    Win32PageStamps stamps;
    PageStamp stamp;
    ASSERT_TRUE(stamps.Stamp(page, stamp));
    EXPECT_EQ(stamp.Size, 18);
    const int64_t minute = 600000000;
    EXPECT_LT(stamp.WriteTime, stamps.Now() + minute);
    EXPECT_GT(stamp.WriteTime, stamps.Now() - minute);

    HANDLE h = CreateFileA(page.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME older;
    const int64_t hourAgo = stamp.WriteTime - 60 * minute;
    older.dwLowDateTime = static_cast<DWORD>(hourAgo);
    older.dwHighDateTime = static_cast<DWORD>(hourAgo >> 32);
    SetFileTime(h, nullptr, nullptr, &older);
    CloseHandle(h);
    PageStamp again;
    ASSERT_TRUE(stamps.Stamp(page, again));
    EXPECT_EQ(again.WriteTime, hourAgo);
    EXPECT_EQ(again.Size, 18);

    EXPECT_FALSE(stamps.Stamp(folder, stamp)) << "a folder is no page";
    EXPECT_FALSE(stamps.Stamp(folder + "\\none.htm", stamp));
    DeleteFileA(page.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

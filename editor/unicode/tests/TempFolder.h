#pragma once
// A fresh folder under the temporary path, removed with its files at the end.
#include <windows.h>

#include <string>

#include "framework/WinText.h"

class TempFolder {
public:
    explicit TempFolder(const std::u16string& leaf) {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        FPath = U16(dir) + leaf + u"_" + std::u16string(1, static_cast<char16_t>(u'a' + GetCurrentProcessId() % 26));
        Remove();
        CreateDirectoryW(WC(FPath), nullptr);
    }
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::u16string& Path() const { return FPath; }
    std::u16string operator/(const std::u16string& leaf) const { return FPath + u"\\" + leaf; }

private:
    // By hand, with "\\?\" names: the shell's own delete loses its way in
    // trees deeper than MAX_PATH and then empties the current folder instead.
    static void RemoveTree(const std::u16string& path) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(WC(path + u"\\*"), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::u16string name = U16(data.cFileName);
                if (name == u"." || name == u"..") continue;
                std::u16string child = path + u"\\" + name;
                SetFileAttributesW(WC(child), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
                else DeleteFileW(WC(child));
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(WC(path));
    }
    void Remove() {
        if (FPath.size() > 10) RemoveTree(u"\\\\?\\" + FPath);
    }
    std::u16string FPath;
};

#pragma once
// A fresh folder under the temporary path, removed with its files at the end.
#include <windows.h>
#include <shellapi.h>

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
    void Remove() {
        std::u16string from = FPath + u'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = WC(from);
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        SHFileOperationW(&op);
    }
    std::u16string FPath;
};

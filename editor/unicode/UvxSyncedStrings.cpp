#include "editor/unicode/UvxSyncedStrings.h"

#include "editor/unicode/UvxCodePage.h"

std::u16string GetSyncedWideString(std::u16string& wideStr, const std::string& ansiStr) {
    if (WideToAnsiSys(wideStr) != ansiStr) wideStr = AnsiToWideSys(ansiStr);
    return wideStr;
}

void SetSyncedWideString(const std::u16string& value, std::u16string& wideStr, const std::string& ansiStr,
                         const std::function<void(const std::string&)>& setAnsiStr) {
    if (value == GetSyncedWideString(wideStr, ansiStr)) return;
    std::string ansi = WideToAnsiSys(value);
    // A lossy form equal to the current 8-bit text would not register as a
    // change with the framework: empty it first.
    if (AnsiToWideSys(ansi) != value && ansi == ansiStr) setAnsiStr(std::string());
    wideStr = value;
    setAnsiStr(ansi);
}

#include "editor/unicode/UvxSystem.h"

#include <cstring>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxCommandLine.h"
#include "editor/unicode/UvxFiles.h"
#include "editor/unicode/UvxTextConversions.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/SysUtils.h"
#include "framework/WinStreams.h"
#include "framework/WinText.h"

int WideParamCount() { return WideParamCountOf(U16(GetCommandLineW())); }

std::u16string WideParamStr(int index) {
    if (index == 0) return WideGetModuleFileName(nullptr);
    return WideParamStrOf(U16(GetCommandLineW()), index);
}

uint32_t CharSetToCodePage(DWORD charSet) {
    CHARSETINFO info{};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(charSet)), &info, TCI_SRCCHARSET))
        RaiseLastOSError();
    return info.ciACP;
}

uint32_t LCIDToCodePage(LCID locale) {
    char buffer[6] = {};
    GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof buffer);
    int32_t cp;
    if (TryStrToInt(std::string(buffer), cp)) return static_cast<uint32_t>(cp);
    return GetACP();
}

uint32_t KeyboardCodePage() {
    return LCIDToCodePage(static_cast<LCID>(reinterpret_cast<uintptr_t>(GetKeyboardLayout(0)) & 0xFFFF));
}

char16_t KeyUnicode(uint32_t charCode) {
    if (charCode > 255) return static_cast<char16_t>(charCode);
    char byte = static_cast<char>(charCode);
    wchar_t wide = 0;
    MultiByteToWideChar(KeyboardCodePage(), MB_USEGLYPHCHARS, &byte, 1, &wide, 1);
    return static_cast<char16_t>(wide);
}

bool (*WideCustomLoadResString)(const TResStringRec*, std::u16string&) = nullptr;

std::u16string WideLoadResString(const TResStringRec* rec) {
    std::u16string value;
    if (WideCustomLoadResString && WideCustomLoadResString(rec, value)) return value;
    if (!rec) return {};
    if (rec->Identifier < 0x10000) {
        wchar_t buffer[4097 + 1];
        int n = Uvx_LoadStringW(rec->Module ? *rec->Module : nullptr, static_cast<UINT>(rec->Identifier), buffer,
                                4097 + 1);
        return U16(buffer, static_cast<size_t>(n > 0 ? n : 0));
    }
    const char* text = reinterpret_cast<const char*>(rec->Identifier);
    size_t length = std::strlen(text);
    if (length >= 4 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) return UTF8ToWideString(std::string(text + 3));
    return AnsiToWideSys(std::string(text, length));
}

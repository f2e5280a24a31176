#include "editor/unicode/UvxErrorMessages.h"

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxSysUtils.h"
#include "framework/WinStreams.h"
#include "framework/WinText.h"

std::u16string WideSysErrorMessage(DWORD errorCode) { return WideLibraryErrorMessage(u"system", nullptr, errorCode); }

std::u16string WideLibraryErrorMessage(const std::u16string& libName, HMODULE dll, DWORD errorCode) {
    DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY;
    if (dll) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    std::u16string text;
    if (Win32PlatformIsUnicode) {
        wchar_t buffer[256] = {};
        DWORD n = FormatMessageW(flags, dll, errorCode, 0, buffer, 256, nullptr);
        text = U16(buffer, n);
    } else {
        char buffer[256] = {};
        DWORD n = FormatMessageA(flags, dll, errorCode, 0, buffer, 256, nullptr);
        text = AnsiToWideSys(std::string(buffer, n));
    }
    size_t b = 0, e = text.size();
    while (b < e && text[b] <= u' ') ++b;
    while (e > b && text[e - 1] <= u' ') --e;
    text = text.substr(b, e - b);
    if (text.empty())
        text = u"Unspecified error (" + AnsiToWideSys(std::to_string(static_cast<int>(errorCode))) + u") from " +
               libName + u".";
    return text;
}

HANDLE WinCheckH(HANDLE handle) {
    if (!handle) RaiseLastOSError();
    return handle;
}

HANDLE WinCheckFileH(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) RaiseLastOSError();
    return handle;
}

void* WinCheckP(void* p) {
    if (!p) RaiseLastOSError();
    return p;
}

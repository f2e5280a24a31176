#include "editor/crashreport/support/web/WinInetLibrary.h"

#include <algorithm>

#include "editor/crashreport/support/web/HttpBodies.h"
#include "editor/crashreport/support/web/WebSettings.h"

namespace {

template <typename Entry>
bool Resolve(HMODULE module, const char* name, Entry& entry) {
    entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return entry != nullptr;
}

std::string SystemMessage(uint32_t code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n > 0 && text != nullptr ? std::string(text, n) : std::string();
    if (text != nullptr)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

}  // namespace

TWinInetLibrary::TWinInetLibrary() {
    HMODULE module = LoadLibraryA("wininet.dll");
    if (module == nullptr) {
        FLoadError = GetLastError();
        return;
    }
    const bool all = Resolve(module, "InternetOpenA", InternetOpenA) &&
                     Resolve(module, "InternetConnectA", InternetConnectA) &&
                     Resolve(module, "HttpOpenRequestA", HttpOpenRequestA) &&
                     Resolve(module, "HttpAddRequestHeadersA", HttpAddRequestHeadersA) &&
                     Resolve(module, "HttpSendRequestA", HttpSendRequestA) &&
                     Resolve(module, "HttpSendRequestExA", HttpSendRequestExA) &&
                     Resolve(module, "InternetWriteFile", InternetWriteFile) &&
                     Resolve(module, "HttpEndRequestA", HttpEndRequestA) &&
                     Resolve(module, "HttpQueryInfoA", HttpQueryInfoA) &&
                     Resolve(module, "InternetCloseHandle", InternetCloseHandle) &&
                     Resolve(module, "InternetQueryOptionA", InternetQueryOptionA) &&
                     Resolve(module, "InternetSetOptionA", InternetSetOptionA) &&
                     Resolve(module, "FtpOpenFileA", FtpOpenFileA) &&
                     Resolve(module, "InternetGetLastResponseInfoA", InternetGetLastResponseInfoA) &&
                     Resolve(module, "InternetOpenUrlA", InternetOpenUrlA) &&
                     Resolve(module, "InternetReadFile", InternetReadFile) &&
                     Resolve(module, "InternetGetConnectedState", InternetGetConnectedState);
    if (!all) {
        FLoadError = ERROR_PROC_NOT_FOUND;
        FreeLibrary(module);
        return;
    }
    FModule = module;
    // Once loaded, the library stays for the life of the process: its own
    // threads and connection pool outlive our handles, and a library taken
    // out and loaded again under them hangs the next request.
    HMODULE pinned = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, "wininet.dll", &pinned);
}

TWinInetLibrary::~TWinInetLibrary() {
    if (FModule != nullptr)
        FreeLibrary(FModule);
}

std::string TWinInetLibrary::ErrorText(uint32_t code) const {
    // The server's last answer is kept per thread across sessions: it tells
    // why a call failed only when the call says so (the extended error);
    // otherwise it may be the answer of an earlier, unrelated session.
    if (Loaded() && code == ERROR_INTERNET_EXTENDED_ERROR) {
        DWORD error = 0;
        DWORD length = 3000;
        std::string buffer(length + 1, '\0');
        if (InternetGetLastResponseInfoA(&error, buffer.data(), &length) && length > 0) {
            buffer.resize(std::min<DWORD>(length, 3000));
            while (!buffer.empty() && (buffer.back() == '\0' || buffer.back() == '\r' || buffer.back() == '\n'))
                buffer.pop_back();
            if (!buffer.empty())
                return buffer;
        }
    }
    const std::string text = WinInetErrorText(static_cast<int32_t>(code));
    return text.empty() ? SystemMessage(code) : text;
}

std::string MissingWinInetText() {
    return "Cannot find the \"wininet.dll\" library.";
}

HINTERNET OpenUploadInternetHandle(const TWinInetLibrary& wininet) {
    if (UploadProxyInUse())
        return wininet.InternetOpenA(WebUserAgent, INTERNET_OPEN_TYPE_PROXY, CurrentProxyServer.c_str(), ProxyBypass, 0);
    return wininet.InternetOpenA(WebUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
}

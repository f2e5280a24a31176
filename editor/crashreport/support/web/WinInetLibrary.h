#pragma once
// The system's WinInet, loaded by name for as long as one of these lives:
// the library and all 17 entries the web roads use, or nothing at all.
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <string>

class TWinInetLibrary {
public:
    TWinInetLibrary();
    ~TWinInetLibrary();
    TWinInetLibrary(const TWinInetLibrary&) = delete;
    TWinInetLibrary& operator=(const TWinInetLibrary&) = delete;

    // True when the library and every entry were found.
    bool Loaded() const { return FModule != nullptr; }
    // Why it could not be loaded (the system's error code).
    uint32_t LoadError() const { return FLoadError; }

    // The best text for a failed WinInet call: the server's last response
    // text when the call failed with the extended error and there is one,
    // else WinInet's own text for the code, else the system's message.
    std::string ErrorText(uint32_t code) const;

    decltype(&::InternetOpenA) InternetOpenA = nullptr;
    decltype(&::InternetConnectA) InternetConnectA = nullptr;
    decltype(&::HttpOpenRequestA) HttpOpenRequestA = nullptr;
    decltype(&::HttpAddRequestHeadersA) HttpAddRequestHeadersA = nullptr;
    decltype(&::HttpSendRequestA) HttpSendRequestA = nullptr;
    decltype(&::HttpSendRequestExA) HttpSendRequestExA = nullptr;
    decltype(&::InternetWriteFile) InternetWriteFile = nullptr;
    decltype(&::HttpEndRequestA) HttpEndRequestA = nullptr;
    decltype(&::HttpQueryInfoA) HttpQueryInfoA = nullptr;
    decltype(&::InternetCloseHandle) InternetCloseHandle = nullptr;
    decltype(&::InternetQueryOptionA) InternetQueryOptionA = nullptr;
    decltype(&::InternetSetOptionA) InternetSetOptionA = nullptr;
    decltype(&::FtpOpenFileA) FtpOpenFileA = nullptr;
    decltype(&::InternetGetLastResponseInfoA) InternetGetLastResponseInfoA = nullptr;
    decltype(&::InternetOpenUrlA) InternetOpenUrlA = nullptr;
    decltype(&::InternetReadFile) InternetReadFile = nullptr;
    decltype(&::InternetGetConnectedState) InternetGetConnectedState = nullptr;

private:
    HMODULE FModule = nullptr;
    uint32_t FLoadError = 0;
};

// The text of the missing library, as the component reports it.
std::string MissingWinInetText();

// An Internet handle for the uploads and page reads: through the proxy of
// the web settings when its host is set, else as the system is configured.
HINTERNET OpenUploadInternetHandle(const TWinInetLibrary& wininet);

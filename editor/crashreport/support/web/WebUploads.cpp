#include "editor/crashreport/support/web/WebUploads.h"

#include <algorithm>

#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/web/HttpBodies.h"
#include "editor/crashreport/support/web/HttpUrl.h"
#include "editor/crashreport/support/web/WebSettings.h"
#include "editor/crashreport/support/web/WinInetLibrary.h"
#include "framework/StringList.h"

namespace {

constexpr DWORD UploadPiece = 1024;
constexpr uint32_t NoWinInet = 0xFFFFFFFFu;

// Handles closed last opened first, whichever way an upload ends.
class THandles {
public:
    explicit THandles(const TWinInetLibrary& library) : FLibrary(library) {}
    ~THandles() {
        for (auto h = FHandles.rbegin(); h != FHandles.rend(); ++h)
            FLibrary.InternetCloseHandle(*h);
    }
    THandles(const THandles&) = delete;
    THandles& operator=(const THandles&) = delete;
    HINTERNET Keep(HINTERNET handle) {
        if (handle != nullptr)
            FHandles.push_back(handle);
        return handle;
    }

private:
    const TWinInetLibrary& FLibrary;
    std::vector<HINTERNET> FHandles;
};

void Tell(const TUploadProgress& progress, TConnectionType stage, int64_t total, int64_t done) {
    if (progress)
        progress(stage, total, done);
}

// The failed call's code, with WinInet's text when no text is there yet.
uint32_t Failed(const TWinInetLibrary& wininet, std::string& errorText, DWORD code = GetLastError()) {
    if (code == 0)
        code = ERROR_WRITE_FAULT;
    if (errorText.empty())
        errorText = wininet.ErrorText(code);
    return code;
}

// Writes all bytes in pieces; a failed or short write is a failure.
bool WriteAll(const TWinInetLibrary& wininet, HINTERNET handle, const std::string& bytes,
              const std::function<void(int64_t)>& afterPiece) {
    for (size_t done = 0; done < bytes.size();) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(UploadPiece, bytes.size() - done));
        DWORD written = 0;
        if (!wininet.InternetWriteFile(handle, bytes.data() + done, piece, &written))
            return false;
        if (written != piece) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
        afterPiece(static_cast<int64_t>(done));
    }
    return true;
}

std::string QueryText(const TWinInetLibrary& wininet, HINTERNET request, DWORD info, bool& ok) {
    char small[64];
    DWORD size = sizeof(small);
    if (wininet.HttpQueryInfoA(request, info, small, &size, nullptr)) {
        ok = true;
        return std::string(small, size);
    }
    if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        std::string buffer(size + 1, '\0');
        size = static_cast<DWORD>(buffer.size());
        if (wininet.HttpQueryInfoA(request, info, buffer.data(), &size, nullptr)) {
            ok = true;
            return buffer.substr(0, size);
        }
    }
    ok = false;
    return "";
}

}  // namespace

uint32_t HTTPUploadFiles(const std::string& host, const std::string& path, const std::string& user,
                         const std::string& password, uint16_t port, bool secure,
                         const std::vector<std::string>& files, const std::vector<std::string>& names,
                         const TStrings& fields, const TUploadProgress& progress, std::string& errorText) {
    errorText.clear();
    TWinInetLibrary wininet;
    if (!wininet.Loaded())
        return NoWinInet;
    const std::string boundary = NewMultipartBoundary();
    const std::string header = MultipartContentType(boundary);
    const std::string body = UploadBody(fields, files, names, boundary, ReadLocalFile);
    const int64_t total = static_cast<int64_t>(body.size());

    THandles handles(wininet);
    Tell(progress, TConnectionType::ctConnection, total, 0);
    HINTERNET internet = handles.Keep(OpenUploadInternetHandle(wininet));
    if (internet == nullptr)
        return Failed(wininet, errorText);
    HINTERNET connection = handles.Keep(
        wininet.InternetConnectA(internet, host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (connection == nullptr)
        return Failed(wininet, errorText);
    Tell(progress, TConnectionType::ctConnected, total, 0);

    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                  INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP |
                  INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
    if (secure)
        flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_IGNORE_CERT_CN_INVALID | INTERNET_FLAG_IGNORE_CERT_DATE_INVALID;
    const std::string target = RequestTarget(SplitRequestPath(path));
    HINTERNET request = handles.Keep(
        wininet.HttpOpenRequestA(connection, "POST", target.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (request == nullptr)
        return Failed(wininet, errorText);
    if (secure) {
        DWORD security = 0;
        DWORD length = sizeof(security);
        if (!wininet.InternetQueryOptionA(request, INTERNET_OPTION_SECURITY_FLAGS, &security, &length))
            return Failed(wininet, errorText);
        security |= SECURITY_FLAG_IGNORE_UNKNOWN_CA;
        if (!wininet.InternetSetOptionA(request, INTERNET_OPTION_SECURITY_FLAGS, &security, sizeof(security)))
            return Failed(wininet, errorText);
    }
    if (!wininet.HttpAddRequestHeadersA(request, header.c_str(), static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD))
        return Failed(wininet, errorText);
    if (!user.empty() || !password.empty()) {
        const std::string authorization = "Authorization: Basic " + Base64EncodeString(user + ":" + password);
        if (!wininet.HttpAddRequestHeadersA(request, authorization.c_str(), static_cast<DWORD>(-1),
                                            HTTP_ADDREQ_FLAG_ADD))
            return Failed(wininet, errorText);
    }
    if (!CurrentProxyUser.empty() || !CurrentProxyPassword.empty()) {
        std::string proxyUser = CurrentProxyUser, proxyPassword = CurrentProxyPassword;
        if (!wininet.InternetSetOptionA(request, INTERNET_OPTION_PROXY_USERNAME, proxyUser.data(),
                                        static_cast<DWORD>(proxyUser.size() + 1)) ||
            !wininet.InternetSetOptionA(request, INTERNET_OPTION_PROXY_PASSWORD, proxyPassword.data(),
                                        static_cast<DWORD>(proxyPassword.size() + 1)))
            return Failed(wininet, errorText);
    }

    INTERNET_BUFFERSA buffers{};
    buffers.dwStructSize = sizeof(buffers);
    buffers.dwBufferTotal = static_cast<DWORD>(body.size());
    if (!wininet.HttpSendRequestExA(request, &buffers, nullptr, 0, 0))
        return Failed(wininet, errorText);
    if (!WriteAll(wininet, request, body, [&](int64_t done) {
            Tell(progress, TConnectionType::ctSending, total, std::min(total, done));
        }))
        return Failed(wininet, errorText);
    if (!wininet.HttpEndRequestA(request, nullptr, 0, 0))
        return Failed(wininet, errorText);

    bool ok = false;
    const uint32_t result = UploadStatusResult(QueryText(wininet, request, HTTP_QUERY_STATUS_CODE, ok));
    if (result != 0)
        errorText = QueryText(wininet, request, HTTP_QUERY_STATUS_TEXT, ok);
    return result;
}

uint32_t FTPUploadFiles(const std::string& host, const std::string& folder, const std::string& user,
                        const std::string& password, uint16_t port, const std::vector<std::string>& files,
                        const std::vector<std::string>& names, const TUploadProgress& progress,
                        std::string& errorText) {
    errorText.clear();
    if (files.empty())
        return 0;
    TWinInetLibrary wininet;
    if (!wininet.Loaded())
        return NoWinInet;
    // Every existing file, read now: the total counts what will be sent.
    std::vector<std::pair<size_t, std::string>> contents;
    int64_t total = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        std::string bytes;
        if (ReadLocalFile(files[i], bytes)) {
            total += static_cast<int64_t>(bytes.size());
            contents.emplace_back(i, std::move(bytes));
        }
    }
    Tell(progress, TConnectionType::ctConnection, total, 0);

    THandles handles(wininet);
    HINTERNET internet = handles.Keep(OpenUploadInternetHandle(wininet));
    if (internet == nullptr)
        return Failed(wininet, errorText);
    HINTERNET connection = handles.Keep(wininet.InternetConnectA(internet, host.c_str(), port, user.c_str(),
                                                                 password.c_str(), INTERNET_SERVICE_FTP,
                                                                 FTPPassiveFlag, 0));
    if (connection == nullptr)
        return Failed(wininet, errorText);
    Tell(progress, TConnectionType::ctConnected, total, 0);

    for (const auto& [index, bytes] : contents) {
        const std::string announced = index < names.size() ? names[index] : files[index];
        const std::string remote = FtpRemoteName(folder, announced);
        HINTERNET file = wininet.FtpOpenFileA(connection, remote.c_str(), GENERIC_WRITE, FTP_TRANSFER_TYPE_BINARY, 0);
        if (file == nullptr)
            return Failed(wininet, errorText);
        const bool written = WriteAll(wininet, file, bytes, [&](int64_t done) {
            Tell(progress, TConnectionType::ctSending, total, done);
        });
        const DWORD writeError = written ? 0 : GetLastError();
        // Closing the remote file ends its transfer: a refusal there is a
        // failure too.
        const bool closed = wininet.InternetCloseHandle(file) != FALSE;
        if (!written)
            return Failed(wininet, errorText, writeError);
        if (!closed)
            return Failed(wininet, errorText);
    }
    return 0;
}

bool CheckInternetConnection() {
    TWinInetLibrary wininet;
    if (!wininet.Loaded())
        return false;
    DWORD flags = 0;
    return wininet.InternetGetConnectedState(&flags, 0) && (flags & 7) != 0;
}

bool GetHTMLPage(const std::string& url, std::string& text) {
    text.clear();
    TWinInetLibrary wininet;
    if (!wininet.Loaded())
        return false;
    THandles handles(wininet);
    HINTERNET internet = handles.Keep(OpenUploadInternetHandle(wininet));
    if (internet == nullptr)
        return false;
    HINTERNET page = handles.Keep(wininet.InternetOpenUrlA(internet, url.c_str(), nullptr, 0, 0, 0));
    if (page == nullptr)
        return false;
    char buffer[1024];
    DWORD read = 0;
    while (wininet.InternetReadFile(page, buffer, sizeof(buffer), &read) && read > 0) {
        if (read > MaxAnswerBodySize - text.size()) {
            // No page is that long: the answer is not one, and none is kept.
            std::string().swap(text);
            return false;
        }
        text.append(buffer, read);
    }
    return true;
}

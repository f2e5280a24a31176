#include "editor/crashreport/support/web/WinInetChannel.h"

#include <algorithm>

#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/web/WebSettings.h"
#include "editor/crashreport/support/web/WinInetLibrary.h"

namespace {

constexpr DWORD PieceSize = 4096;

class TWinInetChannel : public THttpChannel {
public:
    ~TWinInetChannel() override { Disconnect(); }

    bool Available(THttpFailure& error) override {
        if (FLibrary.Loaded())
            return true;
        error.Code = static_cast<int32_t>(FLibrary.LoadError());
        error.Message = MissingWinInetText();
        return false;
    }

    bool Connect(const THttpEndpoint& endpoint) override {
        Disconnect();
        FEndpoint = endpoint;
        if (endpoint.UseProxy) {
            const std::string proxy = endpoint.ProxyHost + ":" + std::to_string(endpoint.ProxyPort);
            FInternet = FLibrary.InternetOpenA(WebUserAgent, INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), ProxyBypass, 0);
        } else {
            FInternet = FLibrary.InternetOpenA(WebUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        }
        if (FInternet == nullptr)
            return false;
        FConnect = FLibrary.InternetConnectA(FInternet, endpoint.Host.c_str(), endpoint.Port, Text(endpoint.UserName),
                                             Text(endpoint.Password), INTERNET_SERVICE_HTTP,
                                             INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION, 0);
        if (FConnect == nullptr) {
            Disconnect();
            return false;
        }
        return true;
    }

    bool Disconnect() override {
        bool closed = true;
        if (FConnect != nullptr)
            closed = FLibrary.InternetCloseHandle(FConnect) != FALSE;
        if (FInternet != nullptr)
            closed = FLibrary.InternetCloseHandle(FInternet) != FALSE && closed;
        FConnect = FInternet = nullptr;
        return closed;
    }

    bool Connected() const override { return FConnect != nullptr; }

    bool Send(const THttpWireRequest& request, THttpWireAnswer& answer, const THttpTransferEvents& events,
              THttpFailure& failure) override;

    std::string Utf8Text(const std::string& text) override { return StringToUtf8(text); }

private:
    static const char* Text(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

    bool Fail(THttpFailure& failure) const {
        const DWORD code = GetLastError();
        failure.Code = static_cast<int32_t>(code);
        failure.Message = FLibrary.ErrorText(code);
        return false;
    }

    // One header of the answer as text; false when the answer has none
    // (`missing` then tells whether that was the only trouble).
    bool Query(HINTERNET request, DWORD info, std::string& value, bool& missing) const {
        std::string buffer(10, '\0');
        DWORD size = static_cast<DWORD>(buffer.size());
        missing = false;
        if (!FLibrary.HttpQueryInfoA(request, info, buffer.data(), &size, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HTTP_HEADER_NOT_FOUND) {
                missing = true;
                return false;
            }
            if (error != ERROR_INSUFFICIENT_BUFFER)
                return false;
            buffer.assign(size + 1, '\0');
            size = static_cast<DWORD>(buffer.size());
            if (!FLibrary.HttpQueryInfoA(request, info, buffer.data(), &size, nullptr))
                return false;
        }
        value.assign(buffer.data(), std::min<size_t>(size, buffer.size()));
        return true;
    }

    TWinInetLibrary FLibrary;
    THttpEndpoint FEndpoint;
    HINTERNET FInternet = nullptr;
    HINTERNET FConnect = nullptr;
};

// The request handle is closed whichever way a request ends.
class TRequestHandle {
public:
    TRequestHandle(const TWinInetLibrary& library, HINTERNET handle) : FLibrary(library), Handle(handle) {}
    ~TRequestHandle() {
        if (Handle != nullptr)
            FLibrary.InternetCloseHandle(Handle);
    }
    TRequestHandle(const TRequestHandle&) = delete;
    TRequestHandle& operator=(const TRequestHandle&) = delete;
    const TWinInetLibrary& FLibrary;
    HINTERNET Handle;
};

bool TWinInetChannel::Send(const THttpWireRequest& request, THttpWireAnswer& answer,
                           const THttpTransferEvents& events, THttpFailure& failure) {
    if (FConnect == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return Fail(failure);
    }
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                  INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP |
                  INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS | INTERNET_FLAG_NO_UI;
    if (FEndpoint.UseHTTPS)
        flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_IGNORE_CERT_CN_INVALID | INTERNET_FLAG_IGNORE_CERT_DATE_INVALID;
    TRequestHandle handle(FLibrary, FLibrary.HttpOpenRequestA(FConnect, request.Verb.c_str(), request.Target.c_str(),
                                                              nullptr, nullptr, nullptr, flags,
                                                              reinterpret_cast<DWORD_PTR>(this)));
    HINTERNET h = handle.Handle;
    if (h == nullptr)
        return Fail(failure);

    if (FEndpoint.UseHTTPS) {
        DWORD security = 0;
        DWORD length = sizeof(security);
        if (!FLibrary.InternetQueryOptionA(h, INTERNET_OPTION_SECURITY_FLAGS, &security, &length))
            return Fail(failure);
        security |= SECURITY_FLAG_IGNORE_UNKNOWN_CA;
        if (!FLibrary.InternetSetOptionA(h, INTERNET_OPTION_SECURITY_FLAGS, &security, sizeof(security)))
            return Fail(failure);
    }
    for (const std::string& header : request.Headers)
        if (!FLibrary.HttpAddRequestHeadersA(h, header.c_str(), static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD))
            return Fail(failure);
    if (FEndpoint.UseProxy) {
        std::string user = FEndpoint.ProxyUserName, password = FEndpoint.ProxyPassword;
        if (!FLibrary.InternetSetOptionA(h, INTERNET_OPTION_PROXY_USERNAME, user.data(),
                                         static_cast<DWORD>(user.size() + 1)) ||
            !FLibrary.InternetSetOptionA(h, INTERNET_OPTION_PROXY_PASSWORD, password.data(),
                                         static_cast<DWORD>(password.size() + 1)))
            return Fail(failure);
    }

    INTERNET_BUFFERSA buffers{};
    buffers.dwStructSize = sizeof(buffers);
    buffers.dwBufferTotal = static_cast<DWORD>(request.Body.size());
    if (!FLibrary.HttpSendRequestExA(h, &buffers, nullptr, 0, 0))
        return Fail(failure);
    const int64_t total = static_cast<int64_t>(request.Body.size());
    for (int64_t done = 0; done < total;) {
        const DWORD piece = static_cast<DWORD>(std::min<int64_t>(PieceSize, total - done));
        DWORD written = 0;
        if (!FLibrary.InternetWriteFile(h, request.Body.data() + done, piece, &written))
            return Fail(failure);
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return Fail(failure);
        }
        done += written;
        if (events.Written)
            events.Written(done, total);
    }
    if (!FLibrary.HttpEndRequestA(h, nullptr, 0, 0))
        return Fail(failure);
    if (events.Sent)
        events.Sent();

    std::string status;
    bool missing = false;
    if (!Query(h, HTTP_QUERY_STATUS_CODE, status, missing))
        return Fail(failure);
    answer.StatusCode = std::atoi(status.c_str());
    if (!Query(h, HTTP_QUERY_STATUS_TEXT, answer.StatusText, missing) && !missing)
        return Fail(failure);
    if (!Query(h, HTTP_QUERY_RAW_HEADERS_CRLF, answer.Headers, missing) && !missing)
        return Fail(failure);
    std::string length;
    if (Query(h, HTTP_QUERY_CONTENT_LENGTH, length, missing))
        answer.ContentLength = std::atoll(length.c_str());
    else if (!missing)
        return Fail(failure);
    // Refresh and Location are read from the raw headers: not every WinInet
    // knows the Refresh header by its number.
    answer.HasRefresh = HeaderValue(answer.Headers, "Refresh", answer.Refresh);
    answer.HasLocation = HeaderValue(answer.Headers, "Location", answer.Location);

    char buffer[PieceSize];
    for (;;) {
        DWORD read = 0;
        if (!FLibrary.InternetReadFile(h, buffer, PieceSize, &read))
            return Fail(failure);
        if (read == 0)
            break;
        if (read > MaxAnswerBodySize - answer.Body.size()) {
            answer.Body.clear();
            failure.Code = ERROR_FILE_TOO_LARGE;
            failure.Message = AnswerTooLongText();
            return false;
        }
        answer.Body.append(buffer, read);
        if (events.Received)
            events.Received(static_cast<int64_t>(answer.Body.size()), answer.ContentLength);
    }
    return true;
}

}  // namespace

std::unique_ptr<THttpChannel> NewWinInetChannel() {
    return std::make_unique<TWinInetChannel>();
}

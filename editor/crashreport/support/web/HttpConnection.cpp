#include "editor/crashreport/support/web/HttpConnection.h"

#include <algorithm>
#include <cmath>

#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/web/HtmlForms.h"
#include "editor/crashreport/support/web/HttpUrl.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

void THTTPResponse::Assign(const THTTPResponse& source) {
    StatusCode = source.StatusCode;
    StatusText = source.StatusText;
    Headers = source.Headers;
    Body = source.Body;
    Page = source.Page;
    ErrorCode = source.ErrorCode;
    ErrorMessage = source.ErrorMessage;
}

void THTTPResponse::Clear() {
    StatusCode = 0;
    StatusText.clear();
    Headers.clear();
    Body.clear();
    Page.clear();
    ErrorCode = 0;
    ErrorMessage.clear();
}

THTTPConnectionBase::THTTPConnectionBase(const std::string& url, const std::string& proxyUrl,
                                         std::unique_ptr<THttpChannel> channel)
    : FChannel(std::move(channel)) {
    FLoaded = FChannel && FChannel->Available(FLoadFailure);
    std::string protocol, path;
    int32_t port = 0;
    if (ElaborateURL(url, protocol, UserName, Password, Host, path, port)) {
        BasePath = path.substr(0, path.find('?'));
        if (BasePath.empty() || BasePath.back() != '/')
            BasePath += '/';
    }
    UseHTTPS = SameText(protocol, "https");
    Port = static_cast<uint16_t>(port != 0 ? port : (UseHTTPS ? 443 : 80));
    if (!proxyUrl.empty() && proxyUrl[0] != ':') {
        std::string proxyProtocol, proxyPath;
        int32_t proxyPort = 0;
        ElaborateURL(proxyUrl, proxyProtocol, ProxyUserName, ProxyPassword, ProxyHost, proxyPath, proxyPort);
        ProxyPort = static_cast<uint16_t>(proxyPort != 0 ? proxyPort : 8080);
        UseProxy = true;
    }
}

THTTPConnectionBase::~THTTPConnectionBase() {
    if (FChannel && FChannel->Connected())
        FChannel->Disconnect();
}

bool THTTPConnectionBase::Open() {
    SetSendState(TSendState::ssConnecting, 0);
    if (!FLoaded)
        return false;
    THttpEndpoint endpoint;
    endpoint.Host = Host;
    endpoint.Port = Port;
    endpoint.UseHTTPS = UseHTTPS;
    endpoint.UserName = UserName;
    endpoint.Password = Password;
    endpoint.UseProxy = UseProxy;
    endpoint.ProxyHost = ProxyHost;
    endpoint.ProxyPort = ProxyPort;
    endpoint.ProxyUserName = ProxyUserName;
    endpoint.ProxyPassword = ProxyPassword;
    if (!FChannel->Connect(endpoint))
        throw Exception("Cannot create an HTTP connection with the host: " + Host);
    SetSendState(TSendState::ssConnected, 0);
    return true;
}

void THTTPConnectionBase::Close() {
    if (!FLoaded || !FChannel->Connected())
        return;
    SetSendState(TSendState::ssDisconnecting, 0);
    if (!FChannel->Disconnect())
        throw Exception("Cannot close the HTTP connection with the host: " + Host);
    SetSendState(TSendState::ssDisconnected, 0);
}

void THTTPConnectionBase::SetRequest(const std::string& page, TRequestMethod method) {
    Path = BasePath + page;
    RequestMethod = method;
    Fields.Clear();
    Files.Clear();
}

void THTTPConnectionBase::AddField(const std::string& name, const std::string& value) {
    Fields.Add(name + "=" + value);
}

void THTTPConnectionBase::AddFile(const std::string& name, const std::string& path) {
    Files.Add(name + "=" + path);
}

THttpWireRequest THTTPConnectionBase::BuildRequest(const std::string& target, const std::string& query) {
    THttpWireRequest request;
    switch (RequestMethod) {
    case TRequestMethod::rmGET: {
        request.Verb = "GET";
        std::string q = query;
        for (int i = 0; i < Fields.Count(); ++i) {
            q += q.empty() ? "?" : "&";
            q += URLEncode(Fields.Names(i)) + "=" + URLEncode(Fields.ValueFromIndex(i));
        }
        request.Target = target + q;
        break;
    }
    case TRequestMethod::rmPOST:
        request.Verb = "POST";
        request.Target = target + query;
        request.Headers.push_back("Content-Type: application/x-www-form-urlencoded");
        request.Body = EncodedFields(Fields, false);
        break;
    case TRequestMethod::rmBinaryPOST: {
        request.Verb = "POST";
        request.Target = target + query;
        const std::string boundary = BoundaryMaker ? BoundaryMaker() : NewMultipartBoundary();
        request.Headers.push_back(MultipartContentType(boundary));
        request.Body = MultipartBody(Fields, Files, boundary, FileReader);
        break;
    }
    }
    if (!UserName.empty() || !Password.empty())
        request.Headers.push_back("Authorization: Basic " + Base64EncodeString(UserName + ":" + Password));
    return request;
}

bool THTTPConnectionBase::SendRequest(THTTPResponse& response, bool reportProgress) {
    response.Clear();
    if (!FLoaded) {
        response.ErrorCode = FLoadFailure.Code;
        response.ErrorMessage = FLoadFailure.Message;
        return false;
    }
    TRequestPath parts = SplitRequestPath(Path);
    response.Page = parts.Document;

    THttpTransferEvents events;
    if (reportProgress) {
        events.Written = [this](int64_t written, int64_t total) {
            if (total > 0)
                SetSendState(TSendState::ssSending,
                             static_cast<int32_t>(std::min<double>(50, std::round(written * 100.0 / total))));
        };
        events.Sent = [this] { SetSendState(TSendState::ssSending, 50); };
        events.Received = [this](int64_t received, int64_t expected) {
            // Without a length the answer counts as one byte long: the
            // position stops at 100.
            const double share = std::round(static_cast<double>(received) / std::max<int64_t>(expected, 1) * 50 + 50);
            SetSendState(TSendState::ssSending, static_cast<int32_t>(std::min(100.0, share)));
        };
    }

    for (int redirects = 0;; ++redirects) {
        // The query of the path goes apart from the directory and document,
        // so that the fields of a GET join it.
        const THttpWireRequest request =
            BuildRequest(RequestTarget(TRequestPath{parts.Directory, parts.Document, ""}), parts.Query);
        THttpWireAnswer answer;
        THttpFailure failure;
        if (!FChannel->Send(request, answer, events, failure)) {
            response.ErrorCode = failure.Code;
            response.ErrorMessage = failure.Message;
            return false;
        }
        response.StatusCode = answer.StatusCode;
        response.StatusText = answer.StatusText;
        response.Headers = answer.Headers;
        response.Body = answer.Body;

        std::string location;
        bool redirected = false;
        if (answer.StatusCode == 200 && answer.HasRefresh) {
            location = RefreshTarget(answer.Refresh);
            response.StatusCode = 302;
            redirected = true;
        } else if ((answer.StatusCode == 301 || answer.StatusCode == 302 || answer.StatusCode == 303) &&
                   answer.HasLocation) {
            location = answer.Location;
            redirected = true;
        }
        std::string next;
        if (redirected && ResolveRedirect(location, parts, Host, next)) {
            Path = next;
            parts = SplitRequestPath(Path);
            response.Page = parts.Document;
            RequestMethod = TRequestMethod::rmGET;
            Fields.Clear();
            Files.Clear();
            // A page that keeps sending us on ends the chase after a while.
            if (response.StatusCode == 302 && redirects < MaxRedirects)
                continue;
        }
        break;
    }

    if (reportProgress)
        SetSendState(TSendState::ssSent, 0);
    CleanBody(response.Body);
    Response.Assign(response);
    return true;
}

void THTTPConnectionBase::AddFieldValue(const std::string& name) {
    std::string value;
    if (FindInputValue(Response.Body, name, value))
        AddField(name, value);
}

void THTTPConnectionBase::AddFieldByTextArea(const std::string& name) {
    std::string text;
    if (FindTextAreaText(Response.Body, name, text))
        AddField(name, text);
}

void THTTPConnectionBase::AddFieldByDefaultList(const std::string& name) {
    std::string value;
    if (FindSelectedListValue(Response.Body, name, value))
        AddField(name, value);
    else
        AddFieldValue(name);
}

void THTTPConnectionBase::AddFieldByListTitle(const std::string& name, const std::string& title) {
    std::string value;
    if (FindListValueByTitle(Response.Body, name, title, value))
        AddField(name, value);
}

void THTTPConnectionBase::AddCustomFields(const TStrings& lines) {
    for (int i = 0; i < lines.Count() - 4; ++i) {
        const std::string name = lines.Names(i);
        const int existing = Fields.IndexOfName(name);
        if (existing >= 0)
            Fields.Delete(existing);
        AddField(name, lines.ValueFromIndex(i));
    }
}

void THTTPConnectionBase::AddBugSummary(const std::string& name, const std::string& version,
                                        const std::string& className, const std::string& identifier) {
    AddField(name, BugSummaryText(version, className, identifier));
}

void THTTPConnectionBase::AddSearchText(const std::string& name, const std::string& ignored,
                                        const std::string& className, const std::string& identifier) {
    AddField(name, BugSearchText(className, identifier));
}

std::string THTTPConnectionBase::AddOptionalField(const std::string& text, const std::string& extra) {
    return ::AddOptionalField(text, extra);
}

bool THTTPConnectionBase::GetBugCountField(const std::string& name) {
    std::string value, raised;
    FindInputValue(Response.Body, name, value);
    if (!RaiseBugCount(value, raised))
        return false;
    AddField(name, raised);
    return true;
}

bool THTTPConnectionBase::IsSuccessfulSend(const std::string& page, const std::string& mustContain,
                                           const std::string& mustNotContain) const {
    return IsExpectedAnswer(Response.Page, Response.Body, page, mustContain, mustNotContain);
}

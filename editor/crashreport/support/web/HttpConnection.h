#pragma once
// One connection to a web server for the tracker drivers and the core's web
// sending: form fields and files collected per request, GET, form-encoded
// POST and multipart POST, redirects followed, progress reported, the last
// answer kept for the form scraping. The wire work goes through a channel
// (WinInet in the program), so that everything here is the same everywhere.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/crashreport/support/web/HttpBodies.h"
#include "framework/Classes.h"
#include "framework/StringList.h"

enum class TSendState {
    ssConnecting,
    ssConnected,
    ssLogin,
    ssSelectProject,
    ssSearching,
    ssModifying,
    ssSending,
    ssSent,
    ssDisconnecting,
    ssDisconnected
};

enum class TRequestMethod { rmGET, rmPOST, rmBinaryPOST };

class THTTPResponse : public TObject {
public:
    std::string ClassName() const override { return "THTTPResponse"; }
    virtual void Assign(const THTTPResponse& source);
    virtual void Clear();

    int32_t StatusCode = 0;
    std::string StatusText;
    std::string Headers;     // raw, CR LF separated
    std::string Body;        // characters below 32 turned into blanks
    std::string Page;        // document name of the requested or redirected-to path
    int32_t ErrorCode = 0;   // of the failed call; 0 when none
    std::string ErrorMessage;
};

// Where a connection goes: the server and, when used, the proxy.
struct THttpEndpoint {
    std::string Host;
    uint16_t Port = 80;
    bool UseHTTPS = false;
    std::string UserName, Password;
    bool UseProxy = false;
    std::string ProxyHost;
    uint16_t ProxyPort = 8080;
    std::string ProxyUserName, ProxyPassword;
};

// One request as it goes on the wire; the target always begins with "/".
struct THttpWireRequest {
    std::string Verb;
    std::string Target;
    std::vector<std::string> Headers;  // "Name: value"
    std::string Body;
};

// What came back. ContentLength is 0 when the answer named none.
struct THttpWireAnswer {
    int32_t StatusCode = 0;
    std::string StatusText;
    std::string Headers;
    int64_t ContentLength = 0;
    bool HasRefresh = false;
    std::string Refresh;
    bool HasLocation = false;
    std::string Location;
    std::string Body;
};

// The call that failed: its error code and the best text for it.
struct THttpFailure {
    int32_t Code = 0;
    std::string Message;
};

// What a channel tells while a request travels: bytes of the body written
// so far (in pieces), the end of the writing, bytes of the answer read.
struct THttpTransferEvents {
    std::function<void(int64_t written, int64_t total)> Written;
    std::function<void()> Sent;
    std::function<void(int64_t received, int64_t expected)> Received;
};

// The wire under a connection.
class THttpChannel {
public:
    virtual ~THttpChannel() = default;
    // The system's web library is there; else `error` is why not.
    virtual bool Available(THttpFailure& error) = 0;
    // Opens the session and the server connection; false on failure.
    virtual bool Connect(const THttpEndpoint& endpoint) = 0;
    // Closes what Connect opened; false when a close fails.
    virtual bool Disconnect() = 0;
    virtual bool Connected() const = 0;
    // One request and its whole answer; false with the failure otherwise.
    virtual bool Send(const THttpWireRequest& request, THttpWireAnswer& answer, const THttpTransferEvents& events,
                      THttpFailure& failure) = 0;
    // An 8-bit text of this system as UTF-8, for servers that expect it.
    virtual std::string Utf8Text(const std::string& text) = 0;
};

class THTTPConnectionBase : public TObject {
public:
    // At most this many redirects are followed for one request.
    static constexpr int MaxRedirects = 10;

    // Reads the site and proxy addresses; Open connects.
    THTTPConnectionBase(const std::string& url, const std::string& proxyUrl, std::unique_ptr<THttpChannel> channel);
    // Closes quietly when still open.
    ~THTTPConnectionBase() override;
    std::string ClassName() const override { return "THTTPConnectionBase"; }

    // False when the system's web library is missing; raises Exception when
    // the connection cannot be made.
    virtual bool Open();
    // Raises Exception when a close fails; nothing to close is no failure.
    virtual void Close();
    virtual void SetSendState(TSendState state, int32_t value) = 0;

    // The system's web library was found; else LoadFailure says why.
    bool Loaded() const { return FLoaded; }
    const THttpFailure& LoadFailure() const { return FLoadFailure; }

    void SetRequest(const std::string& page, TRequestMethod method);
    void AddField(const std::string& name, const std::string& value);
    void AddFile(const std::string& name, const std::string& path);
    bool SendRequest(THTTPResponse& response, bool reportProgress);

    // Field additions from the last page.
    void AddFieldValue(const std::string& name);
    void AddFieldByTextArea(const std::string& name);
    void AddFieldByDefaultList(const std::string& name);
    void AddFieldByListTitle(const std::string& name, const std::string& title);
    void AddCustomFields(const TStrings& lines);
    void AddBugSummary(const std::string& name, const std::string& version, const std::string& className,
                       const std::string& identifier);
    void AddSearchText(const std::string& name, const std::string& ignored, const std::string& className,
                       const std::string& identifier);
    static std::string AddOptionalField(const std::string& text, const std::string& extra);
    bool GetBugCountField(const std::string& name);
    bool IsSuccessfulSend(const std::string& page, const std::string& mustContain,
                          const std::string& mustNotContain = "") const;
    std::string Utf8Text(const std::string& text) { return FChannel->Utf8Text(text); }

    std::string BasePath;
    THTTPResponse Response;
    std::string Host;
    uint16_t Port = 80;
    std::string Path;
    bool UseHTTPS = false;
    std::string UserName, Password;
    TRequestMethod RequestMethod = TRequestMethod::rmGET;
    TStringList Files;
    TStringList Fields;
    bool UseProxy = false;
    std::string ProxyHost;
    uint16_t ProxyPort = 8080;
    std::string ProxyUserName, ProxyPassword;

    // The boundary of the next multipart body, and how files are read.
    std::function<std::string()> BoundaryMaker = NewMultipartBoundary;
    TFileReader FileReader = ReadLocalFile;

private:
    THttpWireRequest BuildRequest(const std::string& target, const std::string& query);
    std::unique_ptr<THttpChannel> FChannel;
    bool FLoaded = false;
    THttpFailure FLoadFailure;
};

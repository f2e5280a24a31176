#pragma once
// The web road of a send: the report archive uploaded over HTTP or HTTPS, to
// an FTP folder, or filed in a bug tracker. Each sets the context's send flag
// to 1 on success and reports a failure through the internal error reporter.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/support/web/HttpConnection.h"

// The core's HTTP connection: the send states drive the send dialog.
class THTTPConnection : public THTTPConnectionBase {
public:
    THTTPConnection(TSendContext& ctx, const std::string& url, const std::string& proxyUrl,
                    std::unique_ptr<THttpChannel> channel);
    std::string ClassName() const override { return "THTTPConnection"; }
    void SetSendState(TSendState state, int32_t value) override;

private:
    TSendContext& FContext;
};

// The wire under the trackers' connections (WinInet unless a test says else).
extern std::function<std::unique_ptr<THttpChannel>()> WebChannelMaker;

bool SendByHTTP(TSendContext& ctx, const std::string& host, const std::string& path, const std::string& user,
                const std::string& password, uint16_t port);
bool SendByFTP(TSendContext& ctx, const std::string& host, const std::string& path, const std::string& user,
               const std::string& password, uint16_t port);
// Errors of the tracker's connection are reported as tracker errors, never
// passed on.
bool SendToTracker(TSendContext& ctx);

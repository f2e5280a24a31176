#pragma once
// An in-process stand-in for the wire under a connection: it answers from
// a site script or a function, keeps every request as the server saw it and
// can fail on purpose.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/support/web/HttpConnection.h"
#include "editor/crashreport/support/web/tests/SiteScripts.h"

struct TFakeWire {
    // Answers a request; by default from the script.
    std::function<THttpWireAnswer(const TRecordedRequest&)> Server;
    std::vector<TRecordedRequest> Requests;
    std::vector<THttpWireRequest> WireRequests;
    bool Missing = false;          // the web library cannot be loaded
    bool RefuseConnect = false;
    bool RefuseDisconnect = false;
    int FailRequest = -1;          // 0-based request that fails on the wire
    bool OmitContentLength = false;
    int Connects = 0, Disconnects = 0;
    THttpEndpoint Endpoint;
};

// A server function answering from a site script.
std::function<THttpWireAnswer(const TRecordedRequest&)> ScriptServer(const std::string& scriptFile);
// A wire answer from status, headers and body.
THttpWireAnswer WireAnswer(int status, const std::string& reason, const std::string& body,
                           const std::vector<std::pair<std::string, std::string>>& headers = {});

std::unique_ptr<THttpChannel> NewFakeChannel(std::shared_ptr<TFakeWire> wire);

// A connection whose progress states are kept.
class TRecordingConnection : public THTTPConnectionBase {
public:
    using THTTPConnectionBase::THTTPConnectionBase;
    void SetSendState(TSendState state, int32_t value) override {
        States.emplace_back(state, value);
        if (Shared != nullptr)
            Shared->emplace_back(state, value);
    }
    std::vector<std::pair<TSendState, int32_t>> States;
    // Also told every state, for a caller that outlives the connection.
    std::vector<std::pair<TSendState, int32_t>>* Shared = nullptr;
};

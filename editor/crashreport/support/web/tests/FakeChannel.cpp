#include "editor/crashreport/support/web/tests/FakeChannel.h"

#include <algorithm>

#include "framework/SysUtils.h"

namespace {

class TFakeChannel : public THttpChannel {
public:
    explicit TFakeChannel(std::shared_ptr<TFakeWire> wire) : FWire(std::move(wire)) {}

    bool Available(THttpFailure& error) override {
        if (!FWire->Missing)
            return true;
        error.Code = 126;
        error.Message = "Cannot find the \"wininet.dll\" library.";
        return false;
    }
    bool Connect(const THttpEndpoint& endpoint) override {
        ++FWire->Connects;
        FWire->Endpoint = endpoint;
        FConnected = !FWire->RefuseConnect;
        return FConnected;
    }
    bool Disconnect() override {
        ++FWire->Disconnects;
        FConnected = false;
        return !FWire->RefuseDisconnect;
    }
    bool Connected() const override { return FConnected; }

    bool Send(const THttpWireRequest& request, THttpWireAnswer& answer, const THttpTransferEvents& events,
              THttpFailure& failure) override {
        const int index = static_cast<int>(FWire->WireRequests.size());
        FWire->WireRequests.push_back(request);
        std::vector<std::string> headers = request.Headers;
        headers.push_back("Host: " + FWire->Endpoint.Host);
        const TRecordedRequest seen = RecordedRequest(request.Verb, request.Target, headers, request.Body);
        FWire->Requests.push_back(seen);
        if (index == FWire->FailRequest) {
            failure.Code = 12029;
            failure.Message = "The attempt to connect to the server failed.";
            return false;
        }
        const int64_t total = static_cast<int64_t>(request.Body.size());
        for (int64_t done = 0; done < total;) {
            done = std::min<int64_t>(total, done + 4096);
            if (events.Written)
                events.Written(done, total);
        }
        if (events.Sent)
            events.Sent();
        answer = FWire->Server ? FWire->Server(seen) : WireAnswer(404, "Not Found", "");
        if (FWire->OmitContentLength)
            answer.ContentLength = 0;
        for (int64_t received = 0; received < static_cast<int64_t>(answer.Body.size());) {
            received = std::min<int64_t>(static_cast<int64_t>(answer.Body.size()), received + 4096);
            if (events.Received)
                events.Received(received, answer.ContentLength);
        }
        return true;
    }

    std::string Utf8Text(const std::string& text) override {
        std::string out;
        for (char ch : text) {
            const unsigned char c = static_cast<unsigned char>(ch);
            if (c < 0x80) {
                out += ch;
            } else {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    }

private:
    std::shared_ptr<TFakeWire> FWire;
    bool FConnected = false;
};

}  // namespace

THttpWireAnswer WireAnswer(int status, const std::string& reason, const std::string& body,
                           const std::vector<std::pair<std::string, std::string>>& headers) {
    THttpWireAnswer a;
    a.StatusCode = status;
    a.StatusText = reason;
    a.Body = body;
    a.ContentLength = static_cast<int64_t>(body.size());
    a.Headers = "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\n";
    for (const auto& [name, value] : headers) {
        a.Headers += name + ": " + value + "\r\n";
        if (SameText(name, "Refresh")) {
            a.HasRefresh = true;
            a.Refresh = value;
        } else if (SameText(name, "Location")) {
            a.HasLocation = true;
            a.Location = value;
        }
    }
    a.Headers += "\r\n";
    return a;
}

std::function<THttpWireAnswer(const TRecordedRequest&)> ScriptServer(const std::string& scriptFile) {
    auto script = std::make_shared<TSiteScript>(WebDataFile(scriptFile));
    return [script](const TRecordedRequest& request) {
        const TScriptAnswer a = script->Answer(request);
        return WireAnswer(a.Status, a.Reason, a.Body, a.Headers);
    };
}

std::unique_ptr<THttpChannel> NewFakeChannel(std::shared_ptr<TFakeWire> wire) {
    return std::make_unique<TFakeChannel>(std::move(wire));
}

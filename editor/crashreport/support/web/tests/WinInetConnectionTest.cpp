#include <gtest/gtest.h>

#include "editor/crashreport/support/testing/LoopbackPeers.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "editor/crashreport/support/web/WebSettings.h"
#include "editor/crashreport/support/web/WebUploads.h"
#include "editor/crashreport/support/web/WinInetChannel.h"
#include "editor/crashreport/support/web/tests/FakeChannel.h"
#include "editor/crashreport/support/web/tests/LocalServers.h"

// Through Wine's WinInet against the tests' own web server on 127.0.0.1.

namespace {

std::unique_ptr<TRecordingConnection> Connect(const std::string& url) {
    auto c = std::make_unique<TRecordingConnection>(url, "", NewWinInetChannel());
    EXPECT_TRUE(c->Loaded());
    EXPECT_TRUE(c->Open());
    return c;
}

std::string Site(const TLocalServer& server, const std::string& scheme = "http", const std::string& credentials = "") {
    return scheme + "://" + credentials + "127.0.0.1:" + std::to_string(server.Port) + "/bugs";
}

#define START_SERVER(server)                          \
    if ((server)->Port == 0)                          \
        GTEST_SKIP() << (server)->Problem;

}  // namespace

TEST(WinInetConnection, FormFieldsAuthenticationAndTargets) {
    auto server = TLocalServer::Web("connection.txt");
    START_SERVER(server);
    auto c = Connect(Site(*server, "http", "joe:secret@"));
    THTTPResponse response;
    c->SetRequest("note.php", TRequestMethod::rmPOST);
    c->AddField("comment", "a b&c");
    c->AddField("letter", "\xC4");
    ASSERT_TRUE(c->SendRequest(response, false)) << response.ErrorCode << " " << response.ErrorMessage;
    EXPECT_EQ(response.StatusCode, 200);
    EXPECT_EQ(response.StatusText, "OK");
    EXPECT_EQ(response.Body, "noted");
    EXPECT_NE(response.Headers.find("HTTP/1.1 200 OK\r\n"), std::string::npos) << response.Headers;

    c->SetRequest("next.php", TRequestMethod::rmGET);
    c->AddField("q", "x y");
    ASSERT_TRUE(c->SendRequest(response, false));
    c->Close();

    const std::vector<TRecordedRequest> seen = server->Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Method, "POST");
    EXPECT_EQ(seen[0].Target, "/bugs/note.php");
    EXPECT_EQ(seen[0].Body, "comment=a%20b%26c&letter=%C4");
    EXPECT_EQ(seen[0].Header("Authorization"), "Basic am9lOnNlY3JldA==");
    EXPECT_EQ(seen[0].Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(seen[0].Header("User-Agent"), "ZorvikLog");
    EXPECT_EQ(seen[1].Target, "/bugs/next.php?q=x%20y");
}

TEST(WinInetConnection, RedirectsRefreshesAndBodies) {
    auto server = TLocalServer::Web("connection.txt");
    START_SERVER(server);
    auto c = Connect(Site(*server));
    THTTPResponse response;

    c->SetRequest("login.php", TRequestMethod::rmPOST);
    c->AddField("user", "joe");
    ASSERT_TRUE(c->SendRequest(response, false)) << response.ErrorMessage;
    EXPECT_EQ(response.StatusCode, 200);
    EXPECT_EQ(response.Page, "next.php");
    EXPECT_EQ(response.Body, "next page");

    c->SetRequest("moved.php", TRequestMethod::rmGET);
    ASSERT_TRUE(c->SendRequest(response, false));
    EXPECT_EQ(response.StatusCode, 301);
    EXPECT_EQ(response.Page, "elsewhere.php");

    c->SetRequest("refresh.php", TRequestMethod::rmGET);
    ASSERT_TRUE(c->SendRequest(response, true));
    EXPECT_EQ(response.StatusCode, 200);
    EXPECT_EQ(response.Page, "done.php");
    EXPECT_EQ(response.Body, "a  b c");

    c->SetRequest("loop.php", TRequestMethod::rmGET);
    ASSERT_TRUE(c->SendRequest(response, false));
    EXPECT_EQ(response.StatusCode, 302);
    c->Close();

    std::vector<std::string> steps;
    for (const TRecordedRequest& r : server->Requests())
        steps.push_back(r.Method + " " + r.Target + (r.Body.empty() ? "" : " " + r.Body));
    std::vector<std::string> expected = {"POST /bugs/login.php user=joe", "GET /bugs/next.php", "GET /bugs/moved.php",
                                         "GET /bugs/refresh.php", "GET /bugs/done.php"};
    for (int i = 0; i < 11; ++i)
        expected.push_back("GET /bugs/loop.php");
    EXPECT_EQ(steps, expected);

    // Progress of the refreshed request stayed within 0 to 100 and ended sent.
    bool sent = false;
    for (const auto& [state, value] : c->States) {
        if (state == TSendState::ssSending) {
            EXPECT_GE(value, 0);
            EXPECT_LE(value, 100);
        }
        sent = sent || state == TSendState::ssSent;
    }
    EXPECT_TRUE(sent);
}

TEST(WinInetConnection, MultipartWithAFile) {
    auto server = TLocalServer::Web("connection.txt");
    START_SERVER(server);
    const std::string folder = TestFolder("web_multipart");
    std::string bytes;
    for (int i = 0; i < 9000; ++i)
        bytes += static_cast<char>(i * 7);
    WriteTestFile(folder + "r.zip", bytes);
    auto c = Connect(Site(*server));
    c->SetRequest("note.php", TRequestMethod::rmBinaryPOST);
    c->AddField("bugid", "77");
    c->AddFile("data", folder + "r.zip");
    c->AddFile("missing", folder + "none.zip");
    THTTPResponse response;
    ASSERT_TRUE(c->SendRequest(response, true)) << response.ErrorMessage;
    c->Close();
    const std::vector<TRecordedRequest> seen = server->Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Fields, (std::vector<std::pair<std::string, std::string>>{{"bugid", "77"}}));
    ASSERT_EQ(seen[0].Files.size(), 2u);
    EXPECT_EQ(seen[0].Files[0].FileName, "r.zip");
    EXPECT_TRUE(seen[0].Files[0].Content == bytes);
    EXPECT_EQ(seen[0].Files[1].Name, "missing");
    EXPECT_EQ(seen[0].Files[1].FileName, "");
    EXPECT_EQ(seen[0].Files[1].Content, "");
}

TEST(WinInetConnection, NoServerGivesTheWinInetError) {
    uint16_t port = 0;
    {
        // A port that was free a moment ago: nobody listens there now.
        auto server = TLocalServer::Web("connection.txt");
        START_SERVER(server);
        port = server->Port;
    }
    auto c = Connect("http://127.0.0.1:" + std::to_string(port) + "/bugs");
    THTTPResponse response;
    c->SetRequest("note.php", TRequestMethod::rmGET);
    EXPECT_FALSE(c->SendRequest(response, false));
    EXPECT_EQ(response.ErrorCode, 12029);
    EXPECT_EQ(response.ErrorMessage, "The attempt to connect to the server failed.");
    EXPECT_NO_THROW(c->Close());
}

TEST(WinInetConnection, HttpsWithASelfSignedCertificate) {
    auto server = TLocalServer::Web("connection.txt", true);
    START_SERVER(server);
    auto c = Connect(Site(*server, "https"));
    EXPECT_TRUE(c->UseHTTPS);
    THTTPResponse response;
    c->SetRequest("note.php", TRequestMethod::rmPOST);
    c->AddField("comment", "secure");
    const bool sent = c->SendRequest(response, false);
    c->Close();
    if (!sent && response.ErrorCode >= 12000 && response.ErrorCode < 13000)
        GTEST_SKIP() << "Wine's TLS cannot reach the loopback server here: " << response.ErrorCode << " "
                     << response.ErrorMessage;
    ASSERT_TRUE(sent) << response.ErrorCode << " " << response.ErrorMessage;
    EXPECT_EQ(response.Body, "noted");
    const std::vector<TRecordedRequest> seen = server->Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Body, "comment=secure");
}

TEST(WinInetConnection, PageRead) {
    auto server = TLocalServer::Web("connection.txt");
    START_SERVER(server);
    std::string text;
    EXPECT_TRUE(GetHTMLPage(Site(*server) + "/next.php", text));
    EXPECT_EQ(text, "next page");
}

namespace {

// An answer whose body never ends, sent as fast as the client takes it, up
// to four times the longest body read.
const std::string EndlessAnswerHead = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n";
constexpr int64_t EndlessAnswerLimit = 4 * static_cast<int64_t>(MaxAnswerBodySize);

// The client stopped reading at the limit: the peer got the limit out and
// what the sockets' buffers held, well below what it offered.
void ExpectPeerCutShort(EndlessPeer& peer) {
    for (int i = 0; i < 200 && peer.Sent < EndlessAnswerLimit; ++i)
        Sleep(10);
    EXPECT_LT(peer.Sent, EndlessAnswerLimit * 3 / 4);
}

}  // namespace

TEST(WinInetConnection, EndlessAnswerBodyIsAnError) {
    ClearProxyVariables();
    EndlessPeer peer(EndlessAnswerHead, std::string(64 * 1024, 'x'), 0, EndlessAnswerLimit);
    auto c = Connect("http://127.0.0.1:" + std::to_string(peer.Port) + "/bugs");
    const size_t peakBefore = PeakWorkingSet();
    THTTPResponse response;
    c->SetRequest("view.php", TRequestMethod::rmGET);
    EXPECT_FALSE(c->SendRequest(response, false));
    EXPECT_EQ(response.ErrorCode, 223);  // ERROR_FILE_TOO_LARGE
    EXPECT_EQ(response.ErrorMessage, "The server's answer is longer than 16777216 bytes.");
    EXPECT_TRUE(response.Body.empty()) << response.Body.size() << " bytes kept";
    EXPECT_LT(PeakWorkingSet() - peakBefore, size_t{48} << 20);
    ExpectPeerCutShort(peer);
}

TEST(WinInetConnection, EndlessPageIsNotRead) {
    ClearProxyVariables();
    EndlessPeer peer(EndlessAnswerHead, std::string(64 * 1024, 'x'), 0, EndlessAnswerLimit);
    std::string text = "old";
    EXPECT_FALSE(GetHTMLPage("http://127.0.0.1:" + std::to_string(peer.Port) + "/page.html", text));
    EXPECT_TRUE(text.empty()) << text.size() << " bytes kept";
    ExpectPeerCutShort(peer);
}

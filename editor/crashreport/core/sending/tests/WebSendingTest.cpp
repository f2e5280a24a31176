#include <gtest/gtest.h>

#include <windows.h>

#include "editor/crashreport/core/sending/WebSending.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "editor/crashreport/support/texts/MessageTypes.h"
#include "editor/crashreport/support/web/WebSettings.h"
#include "editor/crashreport/support/web/tests/LocalServers.h"

namespace {

struct WebCase {
    TZorvikModuleOptions options{"Tessaly.exe"};
    TSendContext ctx;
    std::string folder, archive;
    explicit WebCase(const std::string& name, TWebSendMode mode) {
        ClearWebSettings();
        options.DisableSharedDataWrite();
        options.SetWebSendMode(mode);
        ctx.Options = &options;
        folder = TestFolder("web_send_" + name);
        archive = folder + "BugReport.zip";
        WriteTestFile(archive, std::string(3000, 'z'));
        ctx.AttachedFiles = {archive};
    }
};

const TRecordedRequest* FindRequest(const std::vector<TRecordedRequest>& r, const std::string& step) {
    for (const auto& q : r)
        if (q.Step() == step)
            return &q;
    return nullptr;
}

// A wire that never connects: opening the connection raises.
class TDeadChannel : public THttpChannel {
public:
    bool Available(THttpFailure&) override { return true; }
    bool Connect(const THttpEndpoint&) override { return false; }
    bool Disconnect() override { return true; }
    bool Connected() const override { return false; }
    bool Send(const THttpWireRequest&, THttpWireAnswer&, const THttpTransferEvents&, THttpFailure& f) override {
        f.Code = 12029;
        f.Message = "no connection";
        return false;
    }
    std::string Utf8Text(const std::string& t) override { return t; }
};

}  // namespace

TEST(WebSending, HttpUploadOfTheArchive) {
    auto server = TLocalServer::Web("uploads.txt");
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    WebCase w("http", wsmHTTP);
    w.options.SetCommonSendOptions({sndAddComputerNameInFileName});
    w.ctx.ComputerName = "PC1";
    w.ctx.CustomWebFieldsRequest = [](TStrings& fields) { fields.Add("user=joe"); };
    EXPECT_TRUE(SendByHTTP(w.ctx, "127.0.0.1", "in/upload.php", "", "", server->Port));
    EXPECT_EQ(w.ctx.SendFlag, 1);
    const auto requests = server->Requests();
    const TRecordedRequest* r = FindRequest(requests, "POST upload.php");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Field("user"), "joe");
    ASSERT_EQ(r->Files.size(), 1u);
    EXPECT_EQ(r->Files[0].FileName, "BugReport__PC1.zip");
    EXPECT_EQ(r->Files[0].Content, std::string(3000, 'z'));

    // A page that is not there: the status is the error code.
    WebCase missing("http_missing", wsmHTTP);
    EXPECT_FALSE(SendByHTTP(missing.ctx, "127.0.0.1", "in/missing.php", "", "", server->Port));
    EXPECT_EQ(missing.ctx.SendFlag, 0);
    EXPECT_EQ(missing.ctx.LastErrorCode, eeWebHTTPError);
    EXPECT_EQ(missing.ctx.LastErrorMessage.rfind("HTTP error code: 404", 0), 0u) << missing.ctx.LastErrorMessage;

    // Nothing attached: nothing sent, and that counts as success.
    WebCase empty("http_empty", wsmHTTP);
    empty.ctx.AttachedFiles.clear();
    const size_t before = server->Requests().size();
    EXPECT_TRUE(SendByHTTP(empty.ctx, "127.0.0.1", "in/upload.php", "", "", server->Port));
    EXPECT_EQ(server->Requests().size(), before);
}

TEST(WebSending, FtpUploadOfTheArchive) {
    auto server = TLocalServer::Ftp("joe", "secret");
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    CreateDirectoryA((server->Home + "up").c_str(), nullptr);
    WebCase w("ftp", wsmFTP);
    EXPECT_TRUE(SendByFTP(w.ctx, "127.0.0.1", "up", "joe", "secret", server->Port));
    EXPECT_EQ(w.ctx.SendFlag, 1);
    EXPECT_EQ(ReadTestFile(server->Home + "up\\BugReport.zip"), std::string(3000, 'z'));

    WebCase refused("ftp_refused", wsmFTP);
    EXPECT_FALSE(SendByFTP(refused.ctx, "127.0.0.1", "up", "joe", "wrong", server->Port));
    EXPECT_EQ(refused.ctx.LastErrorCode, eeWebFTPError);
    EXPECT_EQ(refused.ctx.LastErrorMessage.rfind("FTP error code: ", 0), 0u);
}

TEST(WebSending, MantisTracker) {
    auto server = TLocalServer::Web("trackers/mantis_new.txt");
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    struct Case {
        const char* password;
        bool ok;
    } cases[] = {{"secret", true}, {"wrong", false}};
    for (const Case& c : cases) {
        WebCase w(std::string("mantis_") + c.password, wsmMantis);
        w.options.SetWebURL("http://127.0.0.1/bugs/tracker");
        w.options.SetWebPort(server->Port);
        w.options.SetTrakerUserID("joe");
        w.options.SetTrakerPassword(c.password);
        w.options.SetTrakerProject("Tessaly");
        w.options.SetTrakerCategory("Crashes");
        w.ctx.Version = "1.0";
        w.ctx.ExceptionClassName = "EAccessViolation";
        w.ctx.ExceptionMessage = "Access violation.";
        w.ctx.BugIdentifier = "1A2B";
        EXPECT_EQ(SendToTracker(w.ctx), c.ok) << c.password;
        EXPECT_EQ(w.ctx.SendFlag, c.ok ? 1 : 0);
        if (c.ok) {
            EXPECT_NE(FindRequest(server->Requests(), "POST bug_report.php"), nullptr);
        } else {
            EXPECT_EQ(w.ctx.LastErrorCode, eeWebTrakerError);
            const std::string expected = DefaultMessageText(mtSend_InvalidLoginMsg) + "\r\n\r\nError Code: 0\r\n";
            EXPECT_EQ(w.ctx.LastErrorMessage.rfind(expected, 0), 0u) << w.ctx.LastErrorMessage;
        }
    }
}

TEST(WebSending, TrackerConnectionErrorStaysInside) {
    auto saved = WebChannelMaker;
    WebChannelMaker = [] { return std::unique_ptr<THttpChannel>(std::make_unique<TDeadChannel>()); };
    WebCase w("tracker_dead", wsmBugZilla);
    w.options.SetWebURL("http://127.0.0.1/bugzilla");
    bool result = true;
    EXPECT_NO_THROW(result = SendToTracker(w.ctx));
    WebChannelMaker = saved;
    EXPECT_FALSE(result);
    EXPECT_EQ(w.ctx.SendFlag, 0);
    EXPECT_EQ(w.ctx.LastErrorCode, eeWebTrakerError);
}

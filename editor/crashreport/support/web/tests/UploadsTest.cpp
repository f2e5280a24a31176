#include <gtest/gtest.h>

#include <windows.h>

#include "editor/crashreport/support/testing/TestFiles.h"
#include "editor/crashreport/support/web/WebSettings.h"
#include "editor/crashreport/support/web/WebUploads.h"
#include "editor/crashreport/support/web/tests/LocalServers.h"
#include "framework/StringList.h"

// The uploads through Wine's WinInet against the tests' own HTTP and FTP
// servers on 127.0.0.1.

namespace {

struct TProgressLog {
    std::vector<TConnectionType> Stages;
    int64_t LastTotal = -1, LastDone = -1;
    TUploadProgress Callback() {
        return [this](TConnectionType stage, int64_t total, int64_t done) {
            if (Stages.empty() || Stages.back() != stage)
                Stages.push_back(stage);
            EXPECT_LE(done, total);
            LastTotal = total;
            LastDone = done;
        };
    }
};

std::string ArchiveBytes(int n) {
    std::string bytes;
    for (int i = 0; i < n; ++i)
        bytes += static_cast<char>(i * 13 + 1);
    return bytes;
}

}  // namespace

TEST(Uploads, HttpPostsTheExistingFilesWithTheFields) {
    ClearWebSettings();
    auto server = TLocalServer::Web("uploads.txt");
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    const std::string folder = TestFolder("web_upload_http");
    const std::string bytes = ArchiveBytes(5000);
    WriteTestFile(folder + "BugReport.zip", bytes);
    TStringList fields;
    fields.Add("user=joe");
    fields.Add("note=a b");
    fields.Add("user=ann");
    TProgressLog progress;
    std::string error = "old";
    const uint32_t result = HTTPUploadFiles("127.0.0.1", "/in/upload.php", "joe", "secret", server->Port, false,
                                            {folder + "missing.zip", folder + "BugReport.zip"},
                                            {"missing.zip", "r.zip"}, fields, progress.Callback(), error);
    EXPECT_EQ(result, 0u) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(progress.Stages, (std::vector<TConnectionType>{TConnectionType::ctConnection,
                                                             TConnectionType::ctConnected, TConnectionType::ctSending}));
    EXPECT_EQ(progress.LastDone, progress.LastTotal);

    const std::vector<TRecordedRequest> seen = server->Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Target, "/in/upload.php");
    EXPECT_EQ(seen[0].Header("Authorization"), "Basic am9lOnNlY3JldA==");
    EXPECT_EQ(seen[0].Header("User-Agent"), "ZorvikLog");
    EXPECT_EQ(seen[0].Header("Content-Type").substr(0, 57),
              "multipart/form-data; boundary=---------------------------");
    EXPECT_EQ(seen[0].Fields,
              (std::vector<std::pair<std::string, std::string>>{{"user", "joe"}, {"note", "a b"}, {"user", "joe"}}));
    ASSERT_EQ(seen[0].Files.size(), 1u);
    EXPECT_EQ(seen[0].Files[0].Name, "zv_upload_file_1");
    EXPECT_EQ(seen[0].Files[0].FileName, "r.zip");
    EXPECT_TRUE(seen[0].Files[0].Content == bytes);
    EXPECT_EQ(static_cast<int64_t>(seen[0].Body.size()), progress.LastTotal);
}

TEST(Uploads, HttpStatusesOtherThan200) {
    auto server = TLocalServer::Web("uploads.txt");
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    const std::string folder = TestFolder("web_upload_status");
    WriteTestFile(folder + "r.zip", "zip");
    TStringList fields;
    std::string error;
    EXPECT_EQ(HTTPUploadFiles("127.0.0.1", "created.php", "", "", server->Port, false, {folder + "r.zip"}, {"r.zip"},
                              fields, nullptr, error),
              201u);
    EXPECT_EQ(error, "Created");
    EXPECT_EQ(HTTPUploadFiles("127.0.0.1", "nowhere.php", "", "", server->Port, false, {folder + "r.zip"}, {"r.zip"},
                              fields, nullptr, error),
              404u);
    EXPECT_EQ(error, "Not Found");
    const std::vector<TRecordedRequest> seen = server->Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Target, "/created.php");
    EXPECT_EQ(seen[0].Header("Authorization"), "");
}

// The text is WinInet's for the code, even right after an FTP server's
// refusal, which WinInet keeps as this thread's last server answer.
TEST(Uploads, HttpWithoutAServer) {
    uint16_t port = 0;
    {
        auto server = TLocalServer::Ftp("joe", "secret");
        if (server->Port == 0)
            GTEST_SKIP() << server->Problem;
        const std::string folder = TestFolder("web_upload_refused");
        WriteTestFile(folder + "r.zip", "zip");
        std::string refusal;
        EXPECT_NE(FTPUploadFiles("127.0.0.1", "", "joe", "wrong", server->Port, {folder + "r.zip"}, {"r.zip"}, nullptr,
                                 refusal),
                  0u);
    }
    {
        auto server = TLocalServer::Web("uploads.txt");
        if (server->Port == 0)
            GTEST_SKIP() << server->Problem;
        port = server->Port;
    }
    TStringList fields;
    std::string error;
    EXPECT_EQ(HTTPUploadFiles("127.0.0.1", "upload.php", "", "", port, false, {}, {}, fields, nullptr, error), 12029u);
    EXPECT_EQ(error, "The attempt to connect to the server failed.");
}

TEST(Uploads, HttpsUpload) {
    auto server = TLocalServer::Web("uploads.txt", true);
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    const std::string folder = TestFolder("web_upload_https");
    WriteTestFile(folder + "r.zip", "zip");
    TStringList fields;
    std::string error;
    const uint32_t result = HTTPUploadFiles("127.0.0.1", "upload.php", "", "", server->Port, true, {folder + "r.zip"},
                                            {"r.zip"}, fields, nullptr, error);
    if (result >= 12000 && result < 13000)
        GTEST_SKIP() << "Wine's TLS cannot reach the loopback server here: " << result << " " << error;
    EXPECT_EQ(result, 0u) << error;
    ASSERT_EQ(server->Requests().size(), 1u);
    EXPECT_EQ(server->Requests()[0].Files.size(), 1u);
}

TEST(Uploads, FtpStoresInTheFolder) {
    for (bool passive : {true, false}) {
        ClearWebSettings();
        SetProxyServer("", 8080);
        SetFTPPassiveMode(passive);
        auto server = TLocalServer::Ftp("joe", "secret");
        if (server->Port == 0)
            GTEST_SKIP() << server->Problem;
        CreateDirectoryA((server->Home + "up").c_str(), nullptr);
        const std::string folder = TestFolder(passive ? "web_upload_ftp_passive" : "web_upload_ftp_active");
        const std::string bytes = ArchiveBytes(3000);
        WriteTestFile(folder + "BugReport.zip", bytes);
        WriteTestFile(folder + "log.xml", "<log/>");
        TProgressLog progress;
        std::string error;
        const uint32_t result = FTPUploadFiles(
            "127.0.0.1", "up", "joe", "secret", server->Port,
            {folder + "BugReport.zip", folder + "missing.txt", folder + "log.xml"},
            {"C:\\x\\r.zip", "missing.txt", "report.xml"}, progress.Callback(), error);
        EXPECT_EQ(result, 0u) << passive << " " << error;
        EXPECT_TRUE(ReadTestFile(server->Home + "up\\r.zip") == bytes) << passive;
        EXPECT_EQ(ReadTestFile(server->Home + "up\\report.xml"), "<log/>");
        EXPECT_FALSE(TestFileExists(server->Home + "up\\missing.txt"));
        EXPECT_EQ(progress.LastTotal, 3006);
        EXPECT_EQ(progress.Stages.front(), TConnectionType::ctConnection);
        EXPECT_EQ(progress.Stages.back(), TConnectionType::ctSending);

        // No folder: the bare name at the top.
        EXPECT_EQ(FTPUploadFiles("127.0.0.1", "", "joe", "secret", server->Port, {folder + "log.xml"},
                                 {"sub\\top.xml"}, nullptr, error),
                  0u)
            << error;
        EXPECT_EQ(ReadTestFile(server->Home + "top.xml"), "<log/>");
    }
    ClearWebSettings();
}

TEST(Uploads, FtpFailuresAreReported) {
    auto server = TLocalServer::Ftp("joe", "secret");
    if (server->Port == 0)
        GTEST_SKIP() << server->Problem;
    SetFTPPassiveMode(true);
    const std::string folder = TestFolder("web_upload_ftp_fail");
    WriteTestFile(folder + "r.zip", "zip");
    std::string error;
    // A folder the server does not have: the store is refused.
    const uint32_t missing = FTPUploadFiles("127.0.0.1", "no/such", "joe", "secret", server->Port, {folder + "r.zip"},
                                            {"r.zip"}, nullptr, error);
    // WinInet's extended error: the text is the server's answer.
    EXPECT_EQ(missing, 12003u);
    EXPECT_EQ(error.substr(0, 4), "550 ") << error;
    // A wrong password: the log-in is refused.
    const uint32_t refused = FTPUploadFiles("127.0.0.1", "", "joe", "wrong", server->Port, {folder + "r.zip"},
                                            {"r.zip"}, nullptr, error);
    EXPECT_EQ(refused, 12015u);
    EXPECT_EQ(error, "Log on request failed.");
    EXPECT_FALSE(TestFileExists(server->Home + "r.zip"));
    ClearWebSettings();
}

// An empty list of files makes no connection at all: not even a host that
// cannot be found is looked up.
TEST(Uploads, FtpWithoutFilesSucceedsAtOnce) {
    std::string error = "old";
    EXPECT_EQ(FTPUploadFiles("no.such.host.invalid", "up", "u", "p", 1, {}, {}, nullptr, error), 0u);
    EXPECT_EQ(error, "");
}

#include <gtest/gtest.h>

#include <map>

#include "editor/crashreport/support/web/HttpBodies.h"
#include "editor/crashreport/support/web/WebSettings.h"
#include "framework/StringList.h"

namespace {

TFileReader FilesOf(std::map<std::string, std::string> files) {
    return [files](const std::string& path, std::string& bytes) {
        const auto f = files.find(path);
        if (f == files.end())
            return false;
        bytes = f->second;
        return true;
    };
}

}  // namespace

TEST(HttpBodies, FormFields) {
    TStringList fields;
    fields.Add("comment=a b&c");
    fields.Add("name x=\xC4");
    fields.Add("empty=");
    fields.Add("eq=a=b");
    EXPECT_EQ(EncodedFields(fields, false), "comment=a%20b%26c&name x=%C4&empty=&eq=a%3Db");
    EXPECT_EQ(EncodedFields(fields, true), "comment=a%20b%26c&name%20x=%C4&empty=&eq=a%3Db");
    TStringList none;
    EXPECT_EQ(EncodedFields(none, false), "");
}

TEST(HttpBodies, Boundaries) {
    EXPECT_EQ(MultipartBoundary(0xABCD, 1, 0xFFFE), "---------------------------ABCD0001FFFE");
    EXPECT_EQ(MultipartContentType("B"), "Content-Type: multipart/form-data; boundary=B");
    const std::string b = NewMultipartBoundary();
    ASSERT_EQ(b.size(), 27u + 12u);
    EXPECT_EQ(b.substr(0, 27), std::string(27, '-'));
    for (char c : b.substr(27))
        EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << b;
}

// The connection's body: fields, then every file line, a missing file with
// an empty name and no content.
TEST(HttpBodies, ConnectionMultipart) {
    TStringList fields, files;
    fields.Add("bugid=77");
    fields.Add("comment=");
    files.Add("data=C:\\reports\\missing.zip");
    files.Add("data2=C:\\reports\\r.zip");
    const std::string body = MultipartBody(fields, files, "B", FilesOf({{"C:\\reports\\r.zip", "PK\x03\x04\r\n"}}));
    EXPECT_EQ(body,
              "--B\r\nContent-Disposition: form-data; name=\"bugid\";\r\n\r\n77\r\n"
              "--B\r\nContent-Disposition: form-data; name=\"comment\";\r\n\r\n\r\n"
              "--B\r\nContent-Disposition: form-data; name=\"data\"; filename=\"\";\r\n"
              "Content-Type: application/octet-stream\r\n\r\n\r\n"
              "--B\r\nContent-Disposition: form-data; name=\"data2\"; filename=\"r.zip\";\r\n"
              "Content-Type: application/octet-stream\r\n\r\nPK\x03\x04\r\n\r\n"
              "--B--\r\n");
    TStringList none;
    EXPECT_EQ(MultipartBody(none, none, "B", nullptr), "--B--\r\n");
}

// The upload's body: a missing first file is skipped, the second keeps its
// index; fields with the value of the first line of their name.
TEST(HttpBodies, UploadMultipart) {
    TStringList fields;
    fields.Add("user=joe");
    fields.Add("user=ann");
    const std::vector<std::string> files = {"Z:\\tmp\\missing.zip", "Z:\\tmp\\r.zip"};
    const std::vector<std::string> names = {"a.zip", "r.zip"};
    const std::string body = UploadBody(fields, files, names, "B", FilesOf({{"Z:\\tmp\\r.zip", "zip"}}));
    EXPECT_EQ(body,
              "--B\r\nContent-Disposition: form-data; name=\"user\";\r\n\r\njoe\r\n"
              "--B\r\nContent-Disposition: form-data; name=\"user\";\r\n\r\njoe\r\n"
              "--B\r\nContent-Disposition: form-data; name=\"zv_upload_file_1\"; filename=\"r.zip\";\r\n"
              "Content-Type: application/octet-stream\r\n\r\nzip\r\n"
              "--B--\r\n");
}

TEST(HttpBodies, SmallTexts) {
    std::string body = "a\r\nb\tc\x01\xC4\x7F";
    CleanBody(body);
    EXPECT_EQ(body, "a  b c \xC4\x7F");

    EXPECT_EQ(RefreshTarget("0; url=done.php"), "done.php");
    EXPECT_EQ(RefreshTarget("5;URL= next.php?a=1 "), "next.php?a=1");
    EXPECT_EQ(RefreshTarget(" done.php "), "done.php");

    std::string value = "kept";
    const std::string raw = "HTTP/1.1 200 OK\r\nrefresh:  0; url=done.php \r\nLocation: a\r\nLocation: b\r\n\r\n";
    EXPECT_TRUE(HeaderValue(raw, "Refresh", value));
    EXPECT_EQ(value, "0; url=done.php");
    EXPECT_TRUE(HeaderValue(raw, "location", value));
    EXPECT_EQ(value, "a");
    EXPECT_FALSE(HeaderValue(raw, "Content-Length", value));
    EXPECT_FALSE(HeaderValue("", "Refresh", value));

    EXPECT_EQ(UploadStatusResult("200"), 0u);
    EXPECT_EQ(UploadStatusResult("201"), 201u);
    EXPECT_EQ(UploadStatusResult("404"), 404u);
    EXPECT_EQ(UploadStatusResult(""), 2147483647u);
    EXPECT_EQ(UploadStatusResult("OK"), 2147483647u);

    EXPECT_EQ(FtpRemoteName("up", "C:\\x\\r.zip"), "up/r.zip");
    EXPECT_EQ(FtpRemoteName("up/", "r.zip"), "up/r.zip");
    EXPECT_EQ(FtpRemoteName("", "C:\\x\\r.zip"), "r.zip");
    EXPECT_EQ(FtpRemoteName("a/b", "sub/r.zip"), "a/b/r.zip");
    EXPECT_EQ(BareFileName("C:r.zip"), "r.zip");
}

TEST(HttpBodies, WinInetErrorTexts) {
    EXPECT_EQ(WinInetErrorText(12002), "The request has timed out.");
    EXPECT_EQ(WinInetErrorText(12029), "The attempt to connect to the server failed.");
    EXPECT_EQ(WinInetErrorText(12045),
              "The function is unfamiliar with the Certificate Authority that generated the server's certificate.");
    EXPECT_EQ(WinInetErrorText(12171), "The function failed due to a security check.");
    int known = 0;
    for (int code = 12000; code < 12200; ++code)
        known += WinInetErrorText(code).empty() ? 0 : 1;
    EXPECT_EQ(known, 46);
    EXPECT_EQ(WinInetErrorText(12001), "");
    EXPECT_EQ(WinInetErrorText(0), "");
}

TEST(HttpBodies, ProxySettings) {
    SetProxyServer("", 8080);
    EXPECT_EQ(CurrentProxyServer, ":8080");
    EXPECT_FALSE(UploadProxyInUse());
    SetProxyServer("proxy.local", 3128);
    EXPECT_EQ(CurrentProxyServer, "proxy.local:3128");
    EXPECT_TRUE(UploadProxyInUse());
    SetProxyAuthenticationData("u", "p");
    EXPECT_EQ(CurrentProxyUser + CurrentProxyPassword, "up");
    SetFTPPassiveMode(true);
    EXPECT_EQ(FTPPassiveFlag, 0x08000000u);
    ClearWebSettings();
    EXPECT_FALSE(UploadProxyInUse());
    EXPECT_EQ(FTPPassiveFlag, 0u);
    EXPECT_EQ(CurrentProxyUser, "");
}

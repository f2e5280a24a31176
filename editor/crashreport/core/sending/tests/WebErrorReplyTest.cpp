#include <gtest/gtest.h>

#include <windows.h>
#include <httpext.h>

#include "editor/crashreport/core/sending/WebErrorPage.h"
#include "editor/crashreport/core/sending/WebErrorReply.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

struct IsapiRecord {
    std::string status, header, page;
} gIsapi;

BOOL WINAPI FakeSupport(HCONN, DWORD request, LPVOID buffer, LPDWORD size, LPDWORD dataType) {
    if (request == HSE_REQ_SEND_RESPONSE_HEADER) {
        gIsapi.status.assign(static_cast<const char*>(buffer), *size);
        gIsapi.header = reinterpret_cast<const char*>(dataType);
    }
    return TRUE;
}

BOOL WINAPI FakeWrite(HCONN, LPVOID buffer, LPDWORD bytes, DWORD) {
    gIsapi.page.assign(static_cast<const char*>(buffer), *bytes);
    return TRUE;
}

std::vector<std::string> gReports;
void Collect(TZorvikLogErrorCode code, const std::string& text) {
    gReports.push_back(ZorvikLogErrorCodeName(code) + " " + text);
}

}  // namespace

TEST(WebErrorReply, ModuleKinds) {
    // The test program is a console program, not a library.
    EXPECT_TRUE(IsConsoleProgram());
    EXPECT_FALSE(IsISAPIModule());
    EXPECT_FALSE(IsGUIModule());
    SetEnvironmentVariableA("REQUEST_METHOD", nullptr);
    EXPECT_FALSE(IsCGIProgram());
    SetEnvironmentVariableA("REQUEST_METHOD", "GET");
    EXPECT_TRUE(IsCGIProgram());
    EXPECT_TRUE(IsWebServerModule());
    SetEnvironmentVariableA("REQUEST_METHOD", nullptr);
    // A console program is never a WinCGI one.
    EXPECT_FALSE(IsWinCGIProgram());
}

TEST(WebErrorReply, IsapiReplyHasNoStatusLine) {
    gReports.clear();
    SetISAPIControlBlock(nullptr);
    EXPECT_FALSE(SendWebErrorReplyAs(TWebReplyKind::ISAPI, "<p>x</p>", "", Collect));
    EXPECT_EQ(gReports, (std::vector<std::string>{"eeShowError ISAPI: ServerECB = nil"}));

    EXTENSION_CONTROL_BLOCK ecb{};
    ecb.ServerSupportFunction = FakeSupport;
    ecb.WriteClient = FakeWrite;
    SetISAPIControlBlock(&ecb);
    EXPECT_TRUE(SendWebErrorReplyAs(TWebReplyKind::ISAPI, "<p>x</p>", "", Collect));
    SetISAPIControlBlock(nullptr);
    EXPECT_EQ(ecb.dwHttpStatusCode, 200u);
    EXPECT_EQ(gIsapi.status, "200 Error");
    EXPECT_EQ(gIsapi.header, "Content-Type: text/html\r\nContent-Length: 8\r\nContent:\r\n\r\n");
    EXPECT_EQ(gIsapi.page, "<p>x</p>");
}

TEST(WebErrorReply, CgiReplyOnStandardOutput) {
    const std::string folder = TestFolder("web_reply_cgi");
    const std::string file = folder + "stdout.txt";
    HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    HANDLE saved = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, out);
    const bool ok = SendWebErrorReplyAs(TWebReplyKind::CGI, "<html/>", "", Collect);
    SetStdHandle(STD_OUTPUT_HANDLE, saved);
    CloseHandle(out);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ReadTestFile(file),
              "Status: 200 Error\r\nContent-Type: text/html\r\nContent-Length: 7\r\nContent:\r\n\r\n<html/>");
}

TEST(WebErrorReply, WinCgiRequestAndOutputFile) {
    const std::string folder = TestFolder("web_reply_wincgi");
    const std::string output = folder + "out.htm";
    const std::string ini = folder + "request.ini";
    WriteTestFile(ini, "[CGI]\r\nRequest Method=POST\r\n[System]\r\nOutput File=" + output + "\r\n");
    std::string found;
    // The output file must exist.
    EXPECT_FALSE(WinCGIRequestOf({ini}, found));
    WriteTestFile(output, "");
    EXPECT_TRUE(WinCGIRequestOf({ini}, found));
    EXPECT_EQ(found, output);
    // The third argument names the output file in place of the request's.
    EXPECT_TRUE(WinCGIRequestOf({ini, "x", ini}, found));
    EXPECT_EQ(found, ini);
    EXPECT_FALSE(WinCGIRequestOf({folder + "*.ini"}, found));
    EXPECT_FALSE(WinCGIRequestOf({folder + "missing.ini"}, found));
    // 102,401 bytes are too many.
    const std::string big = folder + "big.ini";
    std::string text = "[CGI]\r\nRequest Method=GET\r\n[System]\r\nOutput File=" + output + "\r\n;";
    WriteTestFile(big, text + std::string(102400 - text.size(), 'x'));
    EXPECT_TRUE(WinCGIRequestOf({big}, found));
    WriteTestFile(big, text + std::string(102401 - text.size(), 'x'));
    EXPECT_FALSE(WinCGIRequestOf({big}, found));

    EXPECT_TRUE(SendWebErrorReplyAs(TWebReplyKind::WinCGI, "<b>E</b>", output, Collect));
    EXPECT_EQ(ReadTestFile(output),
              "Status: 200 Error\r\nContent-Type: text/html\r\nContent-Length: 8\r\nContent:\r\n\r\n<b>E</b>");
    // An output file that did not exist is created.
    const std::string fresh = folder + "fresh.htm";
    EXPECT_TRUE(SendWebErrorReplyAs(TWebReplyKind::WinCGI, "p", fresh, Collect));
    EXPECT_TRUE(TestFileExists(fresh));
}

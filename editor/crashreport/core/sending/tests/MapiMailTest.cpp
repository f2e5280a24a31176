#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "editor/crashreport/core/sending/MapiMail.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

std::string TestProgram(const std::string& name) {
    std::string path = std::string(std::getenv("TQ_BINARY_DIR")) + "/tests/" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void SetValue(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), ERROR_SUCCESS) << key;
    RegSetValueExA(k, name.empty() ? nullptr : name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
}

// The default mail client's keys, made for one test and removed after it.
struct MailClientKeys {
    MailClientKeys() = default;
    ~MailClientKeys() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteKeyA(root, "SOFTWARE\\Clients\\Mail\\TessalyFake");
            HKEY k = nullptr;
            if (RegOpenKeyExA(root, "SOFTWARE\\Clients\\Mail", 0, KEY_WRITE, &k) == ERROR_SUCCESS) {
                RegDeleteValueA(k, nullptr);
                RegCloseKey(k);
            }
        }
    }
};

struct Record {
    std::string path;
    explicit Record(const std::string& name) {
        path = TestFolder("mapi_" + name) + "record.txt";
        SetEnvironmentVariableA("TQ_FAKE_MAPI_RECORD", path.c_str());
        SetEnvironmentVariableA("TQ_FAKE_MAPI_RESULT", nullptr);
    }
    std::string Text() const { return TestFileExists(path) ? ReadTestFile(path) : ""; }
};

}  // namespace

TEST(MapiMail, MessageRecordReachesTheClientLibrary) {
    MailClientKeys keys;
    SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Clients\\Mail", "", "TessalyFake");
    SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Clients\\Mail\\TessalyFake", "DLLPath", TestProgram("fake_mapi.dll"));
    EXPECT_EQ(MailClientLibraryPath(), TestProgram("fake_mapi.dll"));

    Record record("record");
    const std::string folder = TestFolder("mapi_files");
    WriteTestFile(folder + "BugReport.zip", "zip");
    TZorvikModuleOptions options("Tessaly.exe");
    options.DisableSharedDataWrite();
    options.SetCommonSendOptions({sndShowSendDialog, sndAddComputerNameInFileName});
    TSendContext ctx;
    ctx.Options = &options;
    ctx.ComputerName = "PC1";
    ASSERT_TRUE(SendMAPIMail(ctx, "a@x.test; b@x.test", "Crash\r\nreport", "Body",
                             {folder + "BugReport.zip", folder + "missing.txt"}, {}));
    EXPECT_EQ(record.Text(),
              "logon flags=1\n"
              "send session=77 flags=9\n"
              "subject=Crash report\n"
              "note=Body\n"
              "type=(null) originator=none msgflags=0\n"
              "recip=1|a@x.test|SMTP:a@x.test\n"
              "recip=1|b@x.test|SMTP:b@x.test\n"
              "file=0|4294967295|" + folder + "BugReport.zip|BugReport__PC1.zip\n"
              "logoff session=77\n");
    EXPECT_EQ(ctx.LastErrorCode, eeNone);
}

TEST(MapiMail, MachineLibraryCancelAndRefusal) {
    MailClientKeys keys;
    // No library under the user's key: the machine's is used.
    SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Clients\\Mail", "", "TessalyFake");
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Clients\\Mail", "", "TessalyFake");
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Clients\\Mail\\TessalyFake", "DLLPath", TestProgram("fake_mapi.dll"));
    EXPECT_EQ(MailClientLibraryPath(), TestProgram("fake_mapi.dll"));

    struct Case {
        const char* result;
        bool ok;
    } cases[] = {{"1", true}, {"2", false}};
    for (const Case& c : cases) {
        Record record(std::string("result_") + c.result);
        SetEnvironmentVariableA("TQ_FAKE_MAPI_RESULT", c.result);
        TSendContext ctx;
        // Without options (no send dialog wanted) the flags are MAPI_LOGON_UI alone.
        EXPECT_EQ(SendMAPIMail(ctx, "a@x.test", "S", "B", {}, {}), c.ok) << c.result;
        EXPECT_NE(record.Text().find("send session=77 flags=1\n"), std::string::npos);
        EXPECT_EQ(ctx.LastErrorCode, c.ok ? eeNone : eeEmailMAPIError);
        if (!c.ok) {
            EXPECT_EQ(ctx.LastErrorMessage, "Cannot send the MAPI message.");
        }
    }
    SetEnvironmentVariableA("TQ_FAKE_MAPI_RESULT", nullptr);
}

TEST(MapiMail, LibraryWithoutTheFunctions) {
    MailClientKeys keys;
    SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Clients\\Mail", "", "TessalyFake");
    // A library that is no MAPI library at all.
    SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Clients\\Mail\\TessalyFake", "DLLPath", "%SystemRoot%\\system32\\version.dll");
    EXPECT_EQ(MailClientLibraryPath().find('%'), std::string::npos);
    TSendContext ctx;
    EXPECT_FALSE(SendMAPIMail(ctx, "a@x.test", "S", "B", {}, {}));
    EXPECT_EQ(ctx.LastErrorCode, eeEmailMAPIError);
    EXPECT_EQ(ctx.LastErrorMessage, "Cannot found the MAPI functions.");
}

TEST(MapiMail, MailClientReceivesTheMailtoAddress) {
    const std::string key = "mailto\\shell\\open\\command";
    const std::string saved = MailtoCommand();
    SetValue(HKEY_CLASSES_ROOT, key, "", "\"" + TestProgram("fake_mail_client.exe") + "\" %1");
    const std::string record = TestFolder("mail_client") + "url.txt";
    SetEnvironmentVariableA("TQ_FAKE_MAIL_RECORD", record.c_str());
    TSendContext ctx;
    ctx.ReportText = "Report & more";
    const bool ok = SendByMailClient(ctx, "bugs@example.test", "Crash f\xFCr you", "Hello");
    if (saved.empty())
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    else
        SetValue(HKEY_CLASSES_ROOT, key, "", saved);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ReadTestFile(record),
              "mailto:bugs@example.test?Subject=Crash%20f\xFCr%20you&Body=Hello%0D%0A%0D%0A%0D%0AReport%20%26%20more");
}

TEST(MapiMail, MailClientThatCannotStart) {
    const std::string key = "mailto\\shell\\open\\command";
    const std::string saved = MailtoCommand();
    SetValue(HKEY_CLASSES_ROOT, key, "", "C:\\no\\such\\mailer.exe %1");
    TSendContext ctx;
    const bool ok = SendByMailClient(ctx, "bugs@example.test", "S", "M");
    if (saved.empty())
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    else
        SetValue(HKEY_CLASSES_ROOT, key, "", saved);
    EXPECT_FALSE(ok);
    EXPECT_EQ(ctx.LastErrorCode, eeEmailShellError);
    EXPECT_FALSE(ctx.LastErrorMessage.empty());
}

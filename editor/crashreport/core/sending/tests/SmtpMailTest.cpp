#include <gtest/gtest.h>

#include <winsock2.h>

#include "editor/crashreport/core/sending/SmtpMail.h"
#include "editor/crashreport/core/sending/tests/SmtpPeer.h"
#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/net/ZorvikSockets.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

#define REQUIRE_PEER(peer)                  \
    if ((peer).Port == 0)                   \
        GTEST_SKIP() << (peer).Problem;

std::string HostName() {
    StartSockets();
    char name[256] = "";
    gethostname(name, 250);
    return name;
}

// A report archive stand-in: bytes of every value, long enough for several
// Base64 lines.
std::string ArchiveBytes() {
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i * 31 + i / 7);
    return bytes;
}

struct MailCase {
    TSendContext ctx;
    std::string folder;
    std::string archive;
    explicit MailCase(const std::string& name) {
        folder = TestFolder("smtp_" + name);
        archive = folder + "BugReport.zip";
        WriteTestFile(archive, ArchiveBytes());
    }
    bool Send(uint16_t port, const std::string& recipients, const std::string& from = "tessaly@example.test",
              const std::string& user = "", const std::string& password = "") {
        return SendSMTPMail(ctx, false, from, "127.0.0.1", {archive}, {}, "Body text", "Crash report", recipients,
                            password, user, port);
    }
};

// The part of the mail data holding the attachment's Base64 lines.
std::string AttachmentLines(const std::string& data) {
    const size_t name = data.find("filename=\"BugReport.zip\"\r\n\r\n");
    if (name == std::string::npos)
        return "";
    const size_t start = data.find("\r\n\r\n", name) + 4;
    const size_t end = data.find("\r\n--=_xcjvnxkbhvfkxzhfdbvzldjhfv--", start);
    return data.substr(start, end - start);
}

}  // namespace

TEST(SmtpMail, PlainDialogueAndMessage) {
    TSmtpPeer peer;
    REQUIRE_PEER(peer);
    MailCase m("plain");
    ASSERT_TRUE(m.Send(peer.Port, "bugs@example.test"));
    ASSERT_EQ(peer.Connections(), 1);
    const std::vector<std::string> expected = {"HELO " + HostName(), "RSET", "MAIL FROM:<tessaly@example.test>",
                                               "RCPT TO:<bugs@example.test>", "DATA"};
    // No QUIT: the dialogue ends by closing the connection.
    EXPECT_EQ(peer.Commands(1), expected);
    const std::string data = peer.Data(1);
    ASSERT_GE(data.size(), 5u);
    EXPECT_EQ(data.substr(data.size() - 5), "\r\n.\r\n");
    EXPECT_NE(data.find("\r\nTo: <bugs@example.test>\r\n"), std::string::npos);
    EXPECT_NE(data.find("\r\nContent-Type: multipart/mixed; boundary=\"=_xcjvnxkbhvfkxzhfdbvzldjhfv\";\r\n"),
              std::string::npos);
    EXPECT_NE(data.find("From: \""), std::string::npos);
    EXPECT_NE(data.find("\r\nBody text\r\n"), std::string::npos);
    EXPECT_NE(data.find("        name=\"BugReport.zip\"\r\n"), std::string::npos);

    const std::string lines = AttachmentLines(data);
    ASSERT_FALSE(lines.empty());
    std::string joined;
    size_t at = 0;
    for (size_t end; (end = lines.find("\r\n", at)) != std::string::npos; at = end + 2) {
        EXPECT_EQ(end - at, 80u);
        joined += lines.substr(at, end - at);
    }
    EXPECT_LE(lines.size() - at, 80u);
    joined += lines.substr(at);
    EXPECT_EQ(Base64DecodeString(joined), ArchiveBytes());
    EXPECT_EQ(m.ctx.LastErrorCode, eeNone);
}

TEST(SmtpMail, LoginAndServersWithoutIt) {
    struct Case {
        const char* name;
        std::vector<std::string> rules;
    } cases[] = {{"login", {}}, {"no_auth", {"*:AUTH LOGIN=502"}}};
    for (const Case& c : cases) {
        TSmtpPeer peer(c.rules);
        REQUIRE_PEER(peer);
        MailCase m(c.name);
        EXPECT_TRUE(m.Send(peer.Port, "bugs@example.test", "tessaly@example.test", "u", "p")) << c.name;
        const std::vector<std::string> expected = {"EHLO " + HostName(), "RSET", "AUTH LOGIN", "dQ==", "cA==",
                                                   "MAIL FROM:<tessaly@example.test>", "RCPT TO:<bugs@example.test>",
                                                   "DATA"};
        EXPECT_EQ(peer.Commands(1), expected) << c.name;
        EXPECT_FALSE(peer.Data(1).empty()) << c.name;
    }
}

TEST(SmtpMail, EachRecipientOnItsOwn) {
    TSmtpPeer peer({"1:RCPT=550"});
    REQUIRE_PEER(peer);
    MailCase m("two");
    EXPECT_TRUE(m.Send(peer.Port, "a@x.test;b@x.test"));
    ASSERT_EQ(peer.Connections(), 2);
    EXPECT_EQ(peer.Commands(1).back(), "RCPT TO:<a@x.test>");
    EXPECT_TRUE(peer.Data(1).empty());
    EXPECT_EQ(peer.Commands(2).back(), "DATA");
    EXPECT_NE(peer.Data(2).find("To: <b@x.test>"), std::string::npos);
    // The refused one is still reported.
    EXPECT_EQ(m.ctx.LastErrorCode, eeEmailSMTPError);
}

TEST(SmtpMail, RefusedSenderIsReportedWithTheDialogue) {
    TSmtpPeer peer({"*:MAIL FROM=550"});
    REQUIRE_PEER(peer);
    MailCase m("refused");
    std::vector<std::string> warnings;
    m.ctx.Warning = [&](TZorvikLogErrorCode, const std::string& text) { warnings.push_back(text); };
    EXPECT_FALSE(m.Send(peer.Port, "bugs@example.test"));
    EXPECT_EQ(m.ctx.LastErrorCode, eeEmailSMTPError);
    const std::string prefix = "[SMTP] Connected to 127.0.0.1 port " + std::to_string(peer.Port);
    EXPECT_EQ(m.ctx.LastErrorMessage.rfind(prefix, 0), 0u) << m.ctx.LastErrorMessage;
    EXPECT_NE(m.ctx.LastErrorMessage.find("MAIL FROM:<tessaly@example.test>\r\n550"), std::string::npos);
    EXPECT_EQ(warnings.size(), 1u);
    // Later commands are not sent.
    EXPECT_EQ(peer.Commands(1).back(), "MAIL FROM:<tessaly@example.test>");
}

TEST(SmtpMail, DisplayNameSenderGivesTheBareEnvelope) {
    TSmtpPeer peer;
    REQUIRE_PEER(peer);
    MailCase m("display_name");
    EXPECT_TRUE(m.Send(peer.Port, "bugs@example.test", "Tessaly Crash <tessaly@example.test>"));
    EXPECT_EQ(peer.Commands(1)[2], "MAIL FROM:<tessaly@example.test>");
    EXPECT_NE(peer.Data(1).find("\r\nFrom: Tessaly Crash <tessaly@example.test>\r\n"), std::string::npos);
}

TEST(SmtpMail, NoServerFailsEveryRecipient) {
    // A port nobody listens on: the connection error is reported, no crash.
    uint16_t port = 0;
    {
        TSmtpPeer peer;
        REQUIRE_PEER(peer);
        port = peer.Port;
    }
    MailCase m("no_server");
    EXPECT_FALSE(m.Send(port, "a@x.test,b@x.test"));
    EXPECT_EQ(m.ctx.LastErrorCode, eeEmailSMTPError);
    EXPECT_EQ(m.ctx.LastErrorMessage.rfind("[SMTP] ", 0), 0u);
}

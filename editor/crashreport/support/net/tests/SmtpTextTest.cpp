#include <gtest/gtest.h>

#include "editor/crashreport/support/net/SmtpText.h"

namespace {

TEST(SmtpText, ReplyCodeIsTheLeadingDigits) {
    const struct {
        const char* Reply;
        int Code;
    } cases[] = {
        {"220 mail.example.com ESMTP\r\n", 220},
        {"250-mail.example.com\r\n250-SIZE 1000\r\n250 OK\r\n", 250},
        {"354 Go ahead\r\n", 354},
        {"OK\r\n", -1},
        {"", -1},
        {"99999999999999999999 huge\r\n", -1},
        {"5", 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Code, SmtpReplyCode(c.Reply)) << c.Reply;
    EXPECT_TRUE(SmtpReplyAccepted("250-first\r\n250 last\r\n", {250, 251}));
    EXPECT_FALSE(SmtpReplyAccepted("550 no such user\r\n", {250, 251}));
    EXPECT_FALSE(SmtpReplyAccepted("no code\r\n", {250}));
}

TEST(SmtpText, CommandsEndWithOneLineEnd) {
    EXPECT_EQ("HELO host\r\n", SmtpCommandLine("HELO host"));
    EXPECT_EQ("HELO host\r\n", SmtpCommandLine("HELO host\r\n"));
    EXPECT_EQ("HELO host\n\r\n", SmtpCommandLine("HELO host\n"));
}

TEST(SmtpText, ErrorsCarryTheLogOnce) {
    EXPECT_EQ("Socket timeout.\r\nSocket log:\r\nConnected\r\n", SocketErrorText("Socket timeout.", "Connected\r\n"));
    EXPECT_EQ("Connected\r\n550 no\r\n", SocketErrorText("Connected\r\n550 no\r\n", "Connected\r\n550 no\r\n"));
    EXPECT_EQ("Socket timeout.", SocketErrorText("Socket timeout.", ""));
}

}  // namespace

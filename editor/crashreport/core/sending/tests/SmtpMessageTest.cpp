#include <gtest/gtest.h>

#include "editor/crashreport/core/sending/SmtpMessage.h"
#include "editor/crashreport/support/archive/Base64.h"

TEST(SmtpMessage, FromHeaderAndEnvelopeSender) {
    struct Case {
        const char* sender;
        const char* from;
        const char* envelope;
    } cases[] = {
        // A bare address gets the owner's name in quotes; the envelope stays bare.
        {"tessaly@example.test", "\"Ann Owner\" <tessaly@example.test>", "tessaly@example.test"},
        // A display name without quotes: the header as written, the envelope
        // only the address inside the brackets.
        {"Name <a@b>", "Name <a@b>", "a@b"},
        {"\"Quoted Name\" <q@b>", "\"Quoted Name\" <q@b>", "q@b"},
        // Control runs become one blank.
        {"Two\r\nLines <c@d>", "Two Lines <c@d>", "c@d"},
        // A quote but no brackets: the whole header.
        {"\"odd\" e@f", "\"odd\" e@f", "\"odd\" e@f"},
    };
    for (const Case& c : cases) {
        const std::string from = SmtpFromHeader(c.sender, "Ann Owner");
        EXPECT_EQ(from, c.from) << c.sender;
        EXPECT_EQ(SmtpEnvelopeSender(from), c.envelope) << c.sender;
    }
}

TEST(SmtpMessage, RecipientsSplitAtCommasAndSemicolons) {
    EXPECT_EQ(SmtpRecipients("a@x.test;b@x.test"), (std::vector<std::string>{"a@x.test", "b@x.test"}));
    EXPECT_EQ(SmtpRecipients(" a@x , ; b@y ;"), (std::vector<std::string>{"a@x", "b@y"}));
    EXPECT_TRUE(SmtpRecipients(" ; ,").empty());
}

TEST(SmtpMessage, Base64LinesOfEightyCharacters) {
    // 160 bytes: 216 characters, two lines of 80 with CR LF and one of 56.
    std::string data(160, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    const std::string lines = SmtpBase64Lines(data);
    ASSERT_EQ(lines.size(), 216u + 4u);
    EXPECT_EQ(lines.substr(80, 2), "\r\n");
    EXPECT_EQ(lines.substr(162, 2), "\r\n");
    EXPECT_EQ(lines.find("\r\n", 164), std::string::npos);
    std::string joined = lines;
    joined.erase(162, 2);
    joined.erase(80, 2);
    EXPECT_EQ(Base64DecodeString(joined), data);
    // Exactly one full line still ends with CR LF; nothing gives nothing.
    EXPECT_EQ(SmtpBase64Lines(std::string(60, 'x')).size(), 82u);
    EXPECT_EQ(SmtpBase64Lines(""), "");
}

TEST(SmtpMessage, AttachmentPartLayout) {
    EXPECT_EQ(SmtpAttachmentType("Screenshot.png"), "image/png");
    EXPECT_EQ(SmtpAttachmentType("SHOT.PnG"), "image/png");
    EXPECT_EQ(SmtpAttachmentType("Tessaly.zvf"), "application/octet-stream");
    EXPECT_EQ(SmtpAttachmentType("png"), "application/octet-stream");
    EXPECT_EQ(SmtpAttachmentPart("BugReport.zip", "abc"),
              "\r\n--=_xcjvnxkbhvfkxzhfdbvzldjhfv\r\n"
              "Content-Type: application/octet-stream;\r\n"
              "        name=\"BugReport.zip\"\r\n"
              "Content-Transfer-Encoding: base64\r\n"
              "Content-Disposition: attachment;\r\n"
              "        filename=\"BugReport.zip\"\r\n"
              "\r\n"
              "YWJj\r\n");
}

TEST(SmtpMessage, MessageTextEndsWithTheLoneDot) {
    TSmtpHeaderFacts facts;
    facts.Date = "Thu, 21 Mar 2013 05:56:00 +0100";
    facts.From = "\"O\" <s@x>";
    facts.Subject = "Crash\r\nreport";
    facts.Recipient = "bugs@example.test";
    facts.TickCount = 1234;
    const std::string body = SmtpMessageBody(".leading dot\r\nplain\r\n.", {});
    const std::string text = SmtpMessageText(facts, body);
    EXPECT_EQ(text.rfind("Date: Thu, 21 Mar 2013 05:56:00 +0100\r\nFrom: \"O\" <s@x>\r\nSubject: Crash report\r\n"
                         "To: <bugs@example.test>\r\n"
                         "Content-Type: multipart/mixed; boundary=\"=_xcjvnxkbhvfkxzhfdbvzldjhfv\";\r\n"
                         "MIME-Version: 1.0\r\nMessage-ID: <1234@",
                         0),
              0u);
    EXPECT_NE(text.find("\r\n\r\nThis is a multi-part message in MIME format\r\n"), std::string::npos);
    // Lines of the body that begin with a dot are doubled; the end is "--\r\n.".
    EXPECT_NE(text.find("\r\n..leading dot\r\nplain\r\n..\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 7), "fv--\r\n.");
}

TEST(SmtpMessage, GreetingStepsWithAndWithoutLogin) {
    auto commands = [](const std::vector<TSmtpStep>& steps) {
        std::vector<std::string> c;
        for (const auto& s : steps)
            c.push_back(s.Command);
        return c;
    };
    EXPECT_EQ(commands(SmtpGreetingSteps("pc1", "", "", "a@b")),
              (std::vector<std::string>{"HELO pc1", "RSET", "MAIL FROM:<a@b>"}));
    const auto login = SmtpGreetingSteps("pc1", "u", "p", "a@b");
    EXPECT_EQ(commands(login), (std::vector<std::string>{"EHLO pc1", "RSET", "AUTH LOGIN", "dQ==", "cA==",
                                                         "MAIL FROM:<a@b>"}));
    // A server without login (500 or 502) is passed over.
    EXPECT_EQ(login[2].Accepted, (std::vector<int>{334, 500, 502}));
    EXPECT_EQ(login[4].Accepted, (std::vector<int>{235, 500, 502}));
    const auto rcpt = SmtpRecipientSteps("r@x");
    EXPECT_EQ(rcpt[0].Command, "RCPT TO:<r@x>");
    EXPECT_EQ(rcpt[0].Accepted, (std::vector<int>{250, 251}));
    EXPECT_EQ(rcpt[1].Command, "DATA");
}

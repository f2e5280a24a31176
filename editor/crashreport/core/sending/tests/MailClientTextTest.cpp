#include <gtest/gtest.h>

#include "editor/crashreport/core/sending/MailClientText.h"

TEST(MailClientText, MailtoEncoding) {
    // Blanks become %20, umlaut bytes stay, "-" and alphanumerics stay.
    EXPECT_EQ(MailtoEncode("Crash report f\xFCr Tessaly-1"), "Crash%20report%20f\xFCr%20Tessaly-1");
    EXPECT_EQ(MailtoEncode("a&b=c?\r\n%"), "a%26b%3Dc%3F%0D%0A%25");
    EXPECT_EQ(MailtoAddress("bugs@example.test;b@x", "S 1", "B\r\n"),
              "mailto:bugs@example.test;b@x?Subject=S%201&Body=B%0D%0A");
    EXPECT_EQ(MailClientCommandLine("\"C:\\mail.exe\" -compose \"%1\"", "mailto:x"),
              "\"C:\\mail.exe\" -compose \"mailto:x\"");
    EXPECT_EQ(MailClientCommandLine("mail.exe", "mailto:x"), "mail.exe");
}

TEST(MailClientText, MapiRecord) {
    std::vector<std::string> files;
    for (int i = 0; i < 33; ++i)
        files.push_back("C:\\f" + std::to_string(i) + ".txt");
    files.insert(files.begin(), {" ", "C:\\missing.txt"});
    const auto exists = [](const std::string& p) { return p != "C:\\missing.txt"; };
    const auto name = [](const std::string& p) { return "N" + p.substr(3); };
    const std::string longName(300, 'r');
    const TMapiMailRecord r =
        BuildMapiMailRecord("a@x; b@y," + longName, "Sub\r\n\tject", "Note", files, exists, name);
    EXPECT_EQ(r.Subject, "Sub ject");
    EXPECT_EQ(r.NoteText, "Note");
    ASSERT_EQ(r.Recipients.size(), 3u);
    EXPECT_EQ(r.Recipients[0].Name, "a@x");
    EXPECT_EQ(r.Recipients[0].Address, "SMTP:a@x");
    EXPECT_EQ(r.Recipients[1].Address, "SMTP:b@y");
    EXPECT_EQ(r.Recipients[2].Name.size(), 256u);
    // Thirty-three existing files: the first 32 travel.
    ASSERT_EQ(r.Files.size(), 32u);
    EXPECT_EQ(r.Files[0].PathName, "C:\\f0.txt");
    EXPECT_EQ(r.Files[0].FileName, "Nf0.txt");
    EXPECT_EQ(r.Files[31].PathName, "C:\\f31.txt");
}

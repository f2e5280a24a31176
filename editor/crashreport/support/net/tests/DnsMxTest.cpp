#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/crashreport/support/net/DnsMx.h"

namespace {

std::string Word(int v) { return {static_cast<char>(v >> 8), static_cast<char>(v & 255)}; }

std::string Labels(const std::string& dotted) {
    std::string out;
    size_t start = 0;
    while (start < dotted.size()) {
        size_t dot = dotted.find('.', start);
        if (dot == std::string::npos)
            dot = dotted.size();
        out += static_cast<char>(dot - start);
        out += dotted.substr(start, dot - start);
        start = dot + 1;
    }
    return out + std::string(1, '\0');
}

// A reply to the MX question for example.com (its name at offset 12).
std::string Reply(int answers, const std::string& records) {
    return "AA" + Word(0x8180) + Word(1) + Word(answers) + Word(0) + Word(0) + Labels("example.com") +
           Word(15) + Word(1) + records;
}

std::string Record(int type, const std::string& data, const std::string& owner = "\xC0\x0C") {
    return owner + Word(type) + Word(1) + Word(0) + Word(3600) + Word(static_cast<int>(data.size())) + data;
}

std::string Mx(int preference, const std::string& exchange) { return Record(15, Word(preference) + exchange); }

TEST(DnsMx, DomainIsTheTextAfterTheFirstAt) {
    EXPECT_EQ("example.com", MxDomainOfAddress("user@example.com"));
    EXPECT_EQ("example.com", MxDomainOfAddress("example.com"));
    EXPECT_EQ("b@c", MxDomainOfAddress("a@b@c"));
}

TEST(DnsMx, QueryAsksForMxWithRecursion) {
    const std::string expected = std::string("AA\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00", 12) +
                                 std::string("\x04mail\x07" "example\x03" "com\x00", 18) +
                                 std::string("\x00\x0F\x00\x01", 4);
    EXPECT_EQ(expected, BuildMxQuery("mail.example.com"));
    EXPECT_EQ(std::string("AA\x01\x00\x00\x01\x00\x00\x00\x00\x00\x00", 12) +
                  std::string("\x07" "example\x03" "org\x00\x00\x0F\x00\x01", 17),
              BuildMxQuery(MxDomainOfAddress("joe@example.org")));
    // A trailing dot adds no empty label.
    EXPECT_EQ(BuildMxQuery("mail.example.com"), BuildMxQuery("mail.example.com."));
}

TEST(DnsMx, TriesGrowBy100MsFromAThirdOfTheTimeOut) {
    EXPECT_EQ((std::vector<int32_t>{250, 350, 450}), MxTryTimeouts(600));
    EXPECT_EQ((std::vector<int32_t>{50, 150, 250}), MxTryTimeouts(0));
}

TEST(DnsMx, FirstAnswerWinsWhateverItsPreference) {
    const std::string reply =
        Reply(2, Mx(20, Labels("mx2.example.com")) + Mx(10, Labels("mx1.example.com")));
    EXPECT_EQ("mx2.example.com", ParseMxReply(reply));
}

TEST(DnsMx, CompressedNamesAreFollowed) {
    // "mx" followed by a pointer to the question's example.com.
    EXPECT_EQ("mx.example.com", ParseMxReply(Reply(1, Mx(10, std::string("\x02mx\xC0\x0C", 5)))));
    // The owner written out in full instead of as a pointer.
    EXPECT_EQ("mx.example.com",
              ParseMxReply(Reply(1, Record(15, Word(5) + Labels("mx.example.com"), Labels("example.com")))));
}

TEST(DnsMx, OnlyMxAnswersCount) {
    // A CNAME on the way is passed over.
    const std::string alias = Record(5, Labels("other.example.net"));
    EXPECT_EQ("mx.example.net", ParseMxReply(Reply(2, alias + Mx(1, Labels("mx.example.net")))));
    // No answers: an authority record is never taken for the exchanger.
    const std::string soa = Record(6, Labels("ns.example.com") + Labels("admin.example.com") + std::string(20, '\0'));
    EXPECT_EQ("", ParseMxReply(Reply(0, soa)));
}

TEST(DnsMx, DamagedRepliesGiveNoName) {
    const std::string good = Reply(1, Mx(10, Labels("mx1.example.com")));
    ASSERT_EQ("mx1.example.com", ParseMxReply(good));
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_EQ("", ParseMxReply(good.substr(0, n))) << n;
    // A pointer to itself, and two pointing at each other.
    EXPECT_EQ("", ParseMxReply(Reply(1, Mx(10, std::string("\xC0\x2F", 2)))));
    std::string loop = Reply(1, Mx(10, std::string("\xC0\x31\xC0\x2F", 4)));
    EXPECT_EQ("", ParseMxReply(loop));
    // A label running past the end.
    EXPECT_EQ("", ParseMxReply(Reply(1, Mx(10, std::string("\x3Fmx", 3)))));
    // A data length past the end.
    std::string longData = good;
    longData[longData.size() - 20] = '\x7F';
    EXPECT_EQ("", ParseMxReply(longData));
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "editor/crashreport/support/archive/Base64.h"

// RFC 4648, section 10.
TEST(Base64, RfcVectorsBothWays) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(Base64EncodeString(plain), encoded);
        EXPECT_EQ(Base64DecodeString(encoded), plain);
    }
    EXPECT_EQ(Base64EncodeToString("\xFB\xFF", 2), "+/8=");
    EXPECT_EQ(Base64DecodeString("+/8="), "\xFB\xFF");
}

TEST(Base64, Sizes) {
    const int32_t encoded[] = {0, 4, 4, 4, 8};
    for (int32_t n = 0; n <= 4; ++n)
        EXPECT_EQ(CalcEncodedSize(n), encoded[n]) << n;
    const std::pair<const char*, int32_t> decoded[] = {
        {"", 0}, {"abc", 0}, {"abcde", 0}, {"abcd", 3}, {"abc=", 2}, {"ab==", 1},
        {"AB=C", 1}, {"A===", 1}, {"====", 1}, {"abcdabc=", 5}, {"ab==abcd", 6},
    };
    for (const auto& [text, size] : decoded)
        EXPECT_EQ(CalcDecodedSize(text, int32_t(std::string(text).size())), size) << text;
}

// Whatever the characters, decoding writes exactly the size the rule above
// gives: padding in the middle of the last group ("AB=C"), padding in an
// earlier group, and bytes outside the alphabet.
TEST(Base64, DecodeNeverWritesPastTheComputedSize) {
    std::vector<std::string> inputs = {"AB=C", "A===", "====", "=AB=", "ab==abcd", "Zg==Zg==", "\x80\xFF\x00z"};
    std::mt19937 rng(11);
    for (int i = 0; i < 2000; ++i) {
        std::string s(size_t(4 * (1 + rng() % 4)), '\0');
        for (char& c : s)
            c = char(rng() % 4 == 0 ? '=' : rng());
        inputs.push_back(s);
    }
    for (const std::string& in : inputs) {
        int32_t size = CalcDecodedSize(in.data(), int32_t(in.size()));
        std::vector<uint8_t> out(size_t(size) + 8, 0xCC);
        EXPECT_EQ(Base64Decode(in.data(), int32_t(in.size()), out.data()), size);
        for (size_t k = size_t(size); k < out.size(); ++k)
            ASSERT_EQ(out[k], 0xCC) << "wrote past " << size << " for input of length " << in.size();
        EXPECT_EQ(Base64DecodeString(in).size(), size_t(size));
    }
    EXPECT_EQ(Base64DecodeString("AB=C"), std::string(1, '\0'));
    EXPECT_EQ(Base64DecodeString("Zg=").size(), 0u);
}

TEST(Base64, RoundTripOfEveryByte) {
    std::mt19937 rng(3);
    for (int n = 0; n < 300; ++n) {
        std::string data(size_t(n), '\0');
        for (char& c : data)
            c = char(rng());
        std::string enc = Base64EncodeString(data);
        ASSERT_EQ(enc.size(), size_t(CalcEncodedSize(n)));
        ASSERT_EQ(enc.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
        ASSERT_EQ(Base64DecodeString(enc), data) << n;
    }
}

#ifndef _WIN32
#include <unistd.h>

TEST(Base64, MatchesTheBase64Tool) {
    std::string data(100000, '\0');
    std::mt19937 rng(5);
    for (char& c : data)
        c = char(rng());
    std::string name = ::testing::TempDir() + "base64_input_" + std::to_string(getpid()) + ".bin";
    std::ofstream(name, std::ios::binary) << data;
    FILE* p = popen(("base64 -w0 '" + name + "'").c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string tool;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        tool.append(buf, n);
    pclose(p);
    std::remove(name.c_str());
    EXPECT_EQ(Base64EncodeString(data), tool);
    EXPECT_EQ(Base64DecodeString(tool), data);
}
#endif

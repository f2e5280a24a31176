#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "editor/crashreport/support/archive/Md5.h"

namespace {
std::string Md5Hex(const std::string& s) {
    TMD5Digest d;
    GetMD5(d, s.data(), int32_t(s.size()));
    return MD5ToHex(d);
}
}  // namespace

// The test suite of RFC 1321.
TEST(Md5, RfcVectors) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, hex] : cases)
        EXPECT_EQ(Md5Hex(text), hex) << text;
    TMD5Digest d;
    GetMD5(d, nullptr, 0);
    EXPECT_EQ(MD5ToHex(d), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5, PiecesGiveTheSameDigest) {
    std::string text(1000, '\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char(i * 131 + 3);
    for (size_t piece : {1, 3, 55, 56, 63, 64, 65, 999}) {
        TMD5Context c;
        for (size_t pos = 0; pos < text.size(); pos += piece)
            c.Update(text.data() + pos, std::min(piece, text.size() - pos));
        EXPECT_EQ(MD5ToHex(c.Final()), Md5Hex(text)) << piece;
    }
}

#ifndef _WIN32
#include <unistd.h>

// Every length across the padding boundaries (55, 56, 63, 64, 119, 120...)
// against md5sum.
TEST(Md5, MatchesMd5sumAcrossPaddingBoundaries) {
    std::string dir = ::testing::TempDir() + "md5_lengths_" + std::to_string(getpid());
    ASSERT_EQ(std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str()), 0);
    std::map<std::string, std::string> expected;
    for (int n = 0; n <= 200; ++n) {
        std::string data(size_t(n), '\0');
        for (int i = 0; i < n; ++i)
            data[size_t(i)] = char(i * 7 + n);
        std::string name = dir + "/f" + std::to_string(n);
        std::ofstream(name, std::ios::binary) << data;
        expected[name] = Md5Hex(data);
    }
    FILE* p = popen(("md5sum '" + dir + "'/f*").c_str(), "r");
    ASSERT_NE(p, nullptr);
    char hex[64], name[4096];
    int seen = 0;
    while (std::fscanf(p, "%63s %4095s", hex, name) == 2) {
        EXPECT_EQ(expected[name], hex) << name;
        ++seen;
    }
    pclose(p);
    EXPECT_EQ(seen, 201);
    std::system(("rm -rf '" + dir + "'").c_str());
}
#endif

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "editor/crashreport/support/archive/Crc.h"

TEST(Crc32, KnownValues) {
    EXPECT_EQ(GetCRC32("abc", 3), 0x352441C2u);
    EXPECT_EQ(GetCRC32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(GetCRC32("", 0), 0u);
    EXPECT_EQ(GetCRC32(nullptr, 100), 0u);
}

// Every length around the 16- and 64-byte steps of the fast path, at every
// alignment, against zlib.
TEST(Crc32, MatchesZlibAtEveryLengthAndAlignment) {
    std::mt19937 rng(7);
    std::vector<unsigned char> data(4096 + 16);
    for (auto& b : data)
        b = uint8_t(rng());
    for (int offset = 0; offset < 16; ++offset)
        for (int length = 0; length <= 300; ++length)
            ASSERT_EQ(GetCRC32(data.data() + offset, length),
                      uint32_t(crc32(0, data.data() + offset, uInt(length))))
                << "offset " << offset << " length " << length;
    EXPECT_EQ(GetCRC32(data.data(), 4096), uint32_t(crc32(0, data.data(), 4096)));
}

TEST(Crc32, UpdateContinuesAcrossPieces) {
    std::string text(1000, 'x');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char(i * 31 + 7);
    uint32_t whole = GetCRC32(text.data(), int32_t(text.size()));
    for (int cut : {0, 1, 63, 64, 65, 500, 999, 1000}) {
        uint32_t c = UpdateCRC32(0, text.data(), cut);
        c = UpdateCRC32(c, text.data() + cut, int32_t(text.size()) - cut);
        EXPECT_EQ(c, whole) << cut;
    }
}

TEST(Crc16, XmodemValues) {
    EXPECT_EQ(GetCRC16("abc"), 0x9DD6);
    EXPECT_EQ(GetCRC16("123456789"), 0x31C3);
    EXPECT_EQ(GetCRC16(""), 0);
    EXPECT_EQ(GetCRC16(std::string("\0\0", 2)), 0);
    EXPECT_EQ(GetCRC16("A"), 0x58E5);
}

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "editor/crashreport/support/archive/ZLibBuffer.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<uint8_t> Compressed(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out;
    ZCompress(data.data(), int32_t(data.size()), out);
    return out;
}

std::vector<uint8_t> Decompressed(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out;
    ZDecompress(data.data(), int32_t(data.size()), out);
    return out;
}

std::vector<uint8_t> Random(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

}  // namespace

// Our output inflates with zlib's own uncompress, and zlib's compress2
// output inflates with ours; sizes from empty to data that inflates a
// thousandfold.
TEST(ZLibBuffer, RoundTripsAndAgreesWithZlib) {
    std::vector<std::vector<uint8_t>> inputs = {
        {}, {42}, Bytes("hello hello hello hello"), Random(1 << 20, 1), std::vector<uint8_t>(10 << 20, 0)};
    for (const auto& data : inputs) {
        std::vector<uint8_t> packed = Compressed(data);
        ASSERT_GE(packed.size(), 2u);
        EXPECT_EQ(packed[0], 0x78);
        EXPECT_EQ(packed[1], 0xDA) << "level 9 header";
        EXPECT_EQ(Decompressed(packed), data) << data.size();

        std::vector<uint8_t> back(data.size() + 1);
        uLongf backSize = uLongf(back.size());
        ASSERT_EQ(uncompress(back.data(), &backSize, packed.data(), uLong(packed.size())), Z_OK);
        back.resize(backSize);
        EXPECT_EQ(back, data);

        std::vector<uint8_t> theirs(compressBound(uLong(data.size())));
        uLongf theirSize = uLongf(theirs.size());
        ASSERT_EQ(compress2(theirs.data(), &theirSize, data.data(), uLong(data.size()), 6), Z_OK);
        theirs.resize(theirSize);
        EXPECT_EQ(Decompressed(theirs), data);
    }
}

// A stream cut anywhere short of its end, or damaged, is an error and never
// a shorter success.
TEST(ZLibBuffer, CutOrDamagedStreamsRaise) {
    std::vector<uint8_t> packed = Compressed(Random(5000, 2));
    for (size_t cut = 0; cut < packed.size(); ++cut) {
        std::vector<uint8_t> part(packed.begin(), packed.begin() + ptrdiff_t(cut));
        EXPECT_THROW(Decompressed(part), EZLibError) << "cut at " << cut;
    }
    std::vector<uint8_t> badHeader = packed;
    badHeader[1] ^= 1;
    try {
        Decompressed(badHeader);
        FAIL() << "no error";
    } catch (const EZLibError& e) {
        EXPECT_STREQ(e.what(), "incorrect header check");
    }
    std::vector<uint8_t> badSum = packed;
    badSum.back() ^= 0x55;
    EXPECT_THROW(Decompressed(badSum), EZLibError);
    EXPECT_THROW(Decompressed(Random(300, 3)), EZLibError);
    std::vector<uint8_t> out;
    EXPECT_THROW(ZDecompress(nullptr, 0, out), EZLibError);
    EXPECT_TRUE(out.empty());
}

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editor/document/ByteSearch.h"
#include "editor/document/DataFile.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/document/tests/SearchReference.h"

namespace {
// Random bytes from a small alphabet, so that partial matches are frequent,
// with the pattern planted at both edges and inside.
std::vector<uint8_t> Haystack(std::mt19937& rng, size_t n, const std::vector<uint8_t>& pattern, int alphabet) {
    std::vector<uint8_t> hay(n);
    for (auto& b : hay) b = static_cast<uint8_t>(rng() % alphabet);
    if (n >= pattern.size()) {
        std::copy(pattern.begin(), pattern.end(), hay.begin());
        std::copy(pattern.begin(), pattern.end(), hay.end() - static_cast<ptrdiff_t>(pattern.size()));
        size_t mid = rng() % (n - pattern.size() + 1);
        std::copy(pattern.begin(), pattern.end(), hay.begin() + static_cast<ptrdiff_t>(mid));
    }
    return hay;
}

}  // namespace

TEST(ByteSearch, EqualsAPlainScanOnRandomData) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 400; ++round) {
        const int32_t len = 1 + static_cast<int32_t>(rng() % 9);
        const int alphabet = round % 3 == 0 ? 2 : (round % 3 == 1 ? 4 : 256);
        std::vector<uint8_t> pattern(static_cast<size_t>(len));
        for (auto& b : pattern) b = static_cast<uint8_t>(rng() % alphabet);
        const size_t n = rng() % 300;
        std::vector<uint8_t> hay = Haystack(rng, n, pattern, alphabet);
        const int32_t lastStart = static_cast<int32_t>(n) - len;
        if (lastStart < 0) continue;
        for (int probe = 0; probe < 20; ++probe) {
            int32_t a = static_cast<int32_t>(rng() % (lastStart + 1));
            int32_t b = static_cast<int32_t>(rng() % (lastStart + 1));
            int32_t lo = std::min(a, b), hi = std::max(a, b);
            ASSERT_EQ(FindForward(hay.data(), lo, hi, pattern.data(), len),
                      NaiveForward(hay.data(), lo, hi, pattern.data(), len))
                << "round " << round << " forward " << lo << ".." << hi;
            ASSERT_EQ(FindBackward(hay.data(), hi, lo, pattern.data(), len),
                      NaiveBackward(hay.data(), hi, lo, pattern.data(), len))
                << "round " << round << " backward " << hi << ".." << lo;
        }
        // Whole range, and every occurrence in turn (the count).
        int32_t fast = -1, slow = -1;
        do {
            fast = FindForward(hay.data(), fast + 1, lastStart, pattern.data(), len);
            slow = NaiveForward(hay.data(), slow + 1, lastStart, pattern.data(), len);
            ASSERT_EQ(fast, slow) << "round " << round;
        } while (fast >= 0 && fast < lastStart);
    }
}

TEST(ByteSearch, FindsMatchesAtEveryOffsetOfLongBlocks) {
    // All zero but one planted pattern, at every position of a 200-byte
    // buffer: the hard case for a filter on bytes that occur everywhere, and
    // every block edge. The one differing byte stands at each place of the
    // pattern in turn, and where the pattern's edges are both zero.
    const std::vector<std::vector<uint8_t>> patterns = {
        {0, 0, 0, 1}, {0, 0, 1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 0, 0, 7, 0, 0, 0}, {0, 9}, {9}};
    for (const std::vector<uint8_t>& pattern : patterns) {
        const int32_t len = static_cast<int32_t>(pattern.size());
        for (int32_t at = 0; at + len <= 200; ++at) {
            std::vector<uint8_t> hay(200, 0);
            std::copy(pattern.begin(), pattern.end(), hay.begin() + at);
            const int32_t last = 200 - len;
            ASSERT_EQ(FindForward(hay.data(), 0, last, pattern.data(), len), at) << len;
            ASSERT_EQ(FindBackward(hay.data(), last, 0, pattern.data(), len), at) << len;
            ASSERT_EQ(FindForward(hay.data(), 0, at - 1, pattern.data(), len), -1) << len;
            ASSERT_EQ(FindBackward(hay.data(), last, at + 1, pattern.data(), len), -1) << len;
        }
    }
}

TEST(DataFileSearch, ForwardHonoursStartAndInclusiveLimit) {
    // "abcab" + "xyzab": pattern "ab" at 0, 3 and 8.
    TDataFile doc;
    SetBytes(doc, {'a', 'b', 'c', 'a', 'b', 'x', 'y', 'z', 'a', 'b'});
    const uint8_t ab[] = {'a', 'b'};
    EXPECT_EQ(doc.search(0, ab, 2, true, 9), 0);
    EXPECT_EQ(doc.search(1, ab, 2, true, 9), 3);
    EXPECT_EQ(doc.search(4, ab, 2, true, 9), 8);  // a match that ends on the last byte
    EXPECT_EQ(doc.search(4, ab, 2, true, 8), -1);  // the limit is the last byte a match may cover
    EXPECT_EQ(doc.search(9, ab, 2, true, 9), -1);  // start above size - L
    EXPECT_EQ(doc.search(-1, ab, 2, true, 9), -1);
    EXPECT_EQ(doc.search(0, ab, 2, true, 100), 0);  // a limit past the end reads nothing outside
    EXPECT_EQ(doc.search(5, ab, 2, true, 100), 8);
    const uint8_t whole[] = {'a', 'b', 'c', 'a', 'b', 'x', 'y', 'z', 'a', 'b', '!'};
    EXPECT_EQ(doc.search(0, whole, 11, true, 9), -1);  // longer than the document
    EXPECT_EQ(doc.search(0, whole, 10, true, 9), 0);
    const uint8_t upper[] = {'A', 'B'};
    EXPECT_EQ(doc.search(0, upper, 2, true, 9), -1);  // raw bytes, case-sensitive
}

TEST(DataFileSearch, BackwardStartsAtTheLastPlaceAMatchFits) {
    TDataFile doc;
    SetBytes(doc, {'a', 'b', 'c', 'a', 'b', 'x', 'y', 'z', 'a', 'b'});
    const uint8_t ab[] = {'a', 'b'};
    EXPECT_EQ(doc.search(9, ab, 2, false, 0), 8);  // moved back to size - L
    EXPECT_EQ(doc.search(500, ab, 2, false, 0), 8);
    EXPECT_EQ(doc.search(7, ab, 2, false, 0), 3);
    EXPECT_EQ(doc.search(7, ab, 2, false, 4), -1);  // the limit is the lowest start
    EXPECT_EQ(doc.search(3, ab, 2, false, 3), 3);
    EXPECT_EQ(doc.search(2, ab, 2, false, -50), 0);  // a negative limit reads nothing before the start
    EXPECT_EQ(doc.search(-1, ab, 2, false, 0), -1);
    const uint8_t eleven[11] = {};
    EXPECT_EQ(doc.search(0, eleven, 11, false, 0), -1);
}

TEST(DataFileSearch, LargeRandomDocumentsAgreeWithAPlainScan) {
    std::mt19937 rng(777);
    const std::vector<uint8_t> pattern = {0x12, 0x34, 0x56, 0x78};
    std::vector<uint8_t> bytes = Haystack(rng, 1 << 16, pattern, 256);
    TDataFile doc;
    SetBytes(doc, bytes);
    const int32_t last = doc.size - 4;
    int32_t fwd = doc.search(1, pattern.data(), 4, true, doc.size - 1);
    EXPECT_EQ(fwd, NaiveForward(bytes.data(), 1, last, pattern.data(), 4));
    EXPECT_EQ(doc.search(last - 1, pattern.data(), 4, false, 0), NaiveBackward(bytes.data(), last - 1, 0, pattern.data(), 4));
    EXPECT_EQ(doc.search(0, pattern.data(), 4, true, doc.size - 1), 0);
    EXPECT_EQ(doc.search(doc.size, pattern.data(), 4, false, 0), last);
}

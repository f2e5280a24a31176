#include <gtest/gtest.h>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxEditSelection.h"

namespace {
// A double-byte code page in the manner of the Far-Eastern ones: ASCII in one
// byte, every other character (below U+7E00) in a lead byte (0x81 and up) and
// a trail byte.
class TDoubleByteCodePage : public IUvxCodePages {
public:
    uint32_t SystemCodePage() const override { return 932; }
    std::u16string ToWide(const std::string& s, uint32_t) const override {
        std::u16string out;
        for (size_t i = 0; i < s.size(); ++i) {
            auto lead = static_cast<unsigned char>(s[i]);
            if (lead < 0x81 || i + 1 == s.size()) {
                out += static_cast<char16_t>(lead);
                continue;
            }
            out += static_cast<char16_t>(((lead - 0x81) << 8) | static_cast<unsigned char>(s[++i]));
        }
        return out;
    }
    std::string FromWide(const std::u16string& s, uint32_t, bool* usedDefault) const override {
        if (usedDefault) *usedDefault = false;
        std::string out;
        for (char16_t c : s) {
            if (c < 0x80) {
                out += static_cast<char>(c);
                continue;
            }
            out += static_cast<char>(0x81 + (c >> 8));
            out += static_cast<char>(c & 0xFF);
        }
        return out;
    }
    uint16_t CharType(char16_t) const override { return 0; }
};

struct DoubleByteSystem {
    TDoubleByteCodePage pages;
    DoubleByteSystem() { SetUvxCodePages(&pages); }
    ~DoubleByteSystem() { SetUvxCodePages(nullptr); }
};
}  // namespace

TEST(EditSelection, WidePositionsMapToTheBytesOfDoubleByteCharacters) {
    DoubleByteSystem system;
    const std::u16string wide = u"ab\u65E5\u672Ccd\u5B57";  // a b (2) (2) c d (2)
    const std::string ansi = WideToAnsiSys(wide);
    ASSERT_EQ(ansi.size(), 10u);
    struct Case { int wideStart, byteStart; };
    const Case cases[] = {{0, 0}, {2, 2}, {3, 4}, {4, 6}, {5, 7}, {6, 8}, {7, 10}};
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiSelStartFromWide(wide, c.wideStart), c.byteStart) << c.wideStart;
        EXPECT_EQ(WideSelStartFromAnsi(ansi, c.byteStart), c.wideStart) << c.byteStart;
    }
    // Lengths count the bytes of the characters from the wide start.
    EXPECT_EQ(AnsiSelLengthFromWide(wide, 2, 2), 4);
    EXPECT_EQ(AnsiSelLengthFromWide(wide, 1, 3), 5);
    EXPECT_EQ(AnsiSelLengthFromWide(wide, 6, 1), 2);
    EXPECT_EQ(AnsiSelLengthFromWide(wide, 0, 0), 0);
}

TEST(EditSelection, PositionsBeyondTheTextStopAtItsEnd) {
    DoubleByteSystem system;
    const std::u16string wide = u"x\u65E5";
    EXPECT_EQ(AnsiSelStartFromWide(wide, 99), 3);
    EXPECT_EQ(AnsiSelStartFromWide(wide, -4), 0);
    EXPECT_EQ(AnsiSelLengthFromWide(wide, 1, 99), 2);
    EXPECT_EQ(AnsiSelLengthFromWide(wide, 9, 1), 0);
    EXPECT_EQ(WideSelStartFromAnsi(WideToAnsiSys(wide), 99), 2);
}

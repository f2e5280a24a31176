#include <gtest/gtest.h>

#include "editor/unicode/UvxStringUtils.h"
#include "editor/unicode/UvxWideStrUtils.h"

TEST(WideReplace, WholeWordsCaseAndCount) {
    EXPECT_EQ(Uvx_WideStringReplace(u"concatenate cat, (cat) cat", u"cat", u"dog", rfReplaceAll, true),
              u"concatenate dog, (dog) dog");
    EXPECT_EQ(Uvx_WideStringReplace(u"cat cat", u"cat", u"dog", 0, false), u"dog cat");
    // A skipped match does not end a single replace.
    EXPECT_EQ(Uvx_WideStringReplace(u"cats cat", u"cat", u"dog", 0, true), u"cats dog");
    EXPECT_EQ(Uvx_WideStringReplace(u"Caf\u00C9 caf\u00E9", u"CAF\u00C9", u"x", rfReplaceAll | rfIgnoreCase, false),
              u"x x");
    EXPECT_EQ(Uvx_WideStringReplace(u"", u"a", u"b", rfReplaceAll, false), u"");
}

TEST(WideReplace, AnEmptyPatternLeavesTheTextAlone) {
    EXPECT_EQ(Uvx_WideStringReplace(u"abc", u"", u"x", rfReplaceAll, false), u"abc");
    EXPECT_EQ(Uvx_WideStringReplace(u"abc", u"", u"x", rfReplaceAll | rfIgnoreCase, true), u"abc");
}

TEST(WideText, LineBreaks) {
    std::u16string s = u"a\r\nb\rc\nd\u2028e";
    EXPECT_EQ(UvxAdjustLineBreaks(s, tlbsLF), u"a\nb\nc\nd\ne");
    EXPECT_EQ(UvxAdjustLineBreaks(s, tlbsCRLF), u"a\r\nb\r\nc\r\nd\r\ne");
    EXPECT_EQ(UvxAdjustLineBreaks(s, tlbsCR), u"a\rb\rc\rd\re");
    for (auto style : {tlbsLF, tlbsCRLF, tlbsCR})
        EXPECT_EQ(UvxAdjustLineBreaksLength(s, style), static_cast<int32_t>(UvxAdjustLineBreaks(s, style).size()));
}

TEST(WideText, WrapNeverBreaksInsideQuotes) {
    EXPECT_EQ(WideWrapText(u"aaa bbb ccc", 5), u"aaa \r\nbbb \r\nccc");
    EXPECT_EQ(WideWrapText(u"say 'a b c d e' end", 5), u"say \r\n'a b c d e' \r\nend");
    EXPECT_EQ(WideWrapText(u"short", 20), u"short");
    // No break string after the last piece.
    std::u16string wrapped = WideWrapText(u"aaaa bbbb ", 4);
    EXPECT_NE(wrapped.substr(wrapped.size() - 2), u"\r\n");
}

TEST(WideText, SmallHelpers) {
    EXPECT_EQ(UvxWideLastChar(u""), 0);
    EXPECT_EQ(UvxWideLastChar(u"ab"), u'b');
    EXPECT_EQ(WideTextPos(u"B\u00C9", u"ab\u00E9"), 2);
    EXPECT_EQ(WideTextPos(u"x", u"ab"), 0);
    EXPECT_TRUE(IsRTF(u"{\\rtf1 x}"));
    EXPECT_FALSE(IsRTF(u" {\\rtf1"));
    EXPECT_TRUE(IsWideCharPunct(u','));
    EXPECT_TRUE(IsWideCharSpace(u'\t'));
    EXPECT_TRUE(IsWideCharAlpha(u'\u00E9'));
    EXPECT_TRUE(IsWideStringMappableToAnsi(u"caf\u00E9 \u20AC"));
    EXPECT_FALSE(IsWideCharMappableToAnsi(u'\u0416'));
}

TEST(NullTerminated, ScanCopyCatAndArrays) {
    const char16_t* s = u"a\\b\\c";
    EXPECT_EQ(WStrRScan(s, u'\\'), s + 3);
    EXPECT_EQ(WStrRScan(s, 0), s + 5);
    EXPECT_EQ(WStrRScan(s, u'x'), nullptr);
    EXPECT_EQ(Uvx_WStrPos(s, u"b\\"), s + 2);
    EXPECT_LT(Uvx_WStrComp(u"a", u"b"), 0);
    char16_t buf[8] = u"ab";
    WStrLCat(buf, u"cdefgh", 5);
    EXPECT_EQ(std::u16string(buf), u"abcde");
    EXPECT_EQ(WStrECopy(buf, u"xy"), buf + 2);

    std::u16string list;
    for (int i = 0; i < 300; ++i) list += u"name" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u'\0';
    list += u'\0';
    auto names = ExtractStringsFromStringArray(list.c_str());
    EXPECT_EQ(names.size(), 300u);
    EXPECT_EQ(ExtractStringArrayStr(list.c_str()), list);
    const char16_t* p = u"a,b";
    EXPECT_EQ(ExtractStringFromStringArray(p, u','), u"a");
    EXPECT_EQ(ExtractStringFromStringArray(p, u','), u"b");
    EXPECT_EQ(*p, 0);
}

#include <gtest/gtest.h>

#include "editor/crashreport/support/texts/CommonStrings.h"

using Pieces = std::vector<std::string>;

TEST(CommonStrings, ExtractListPieces)
{
    struct Case { const char* text; bool keep, empty; Pieces expected; };
    const Case cases[] = {
        {"a; ;b;", false, false, {"a", "b"}},
        {"a; ;b;", false, true, {"a", "", "b"}},
        {" a ; b ", false, false, {"a", "b"}},
        {"a;b", true, false, {"a;", "b"}},
        {";;", true, false, {";", ";"}},
        {"", false, true, {}},
    };
    for (const Case& c : cases) {
        Pieces list;
        ExtractList(c.text, list, ";", c.keep, c.empty);
        EXPECT_EQ(list, c.expected) << c.text << c.keep << c.empty;
    }
}

TEST(CommonStrings, ExtractStringsExPieces)
{
    Pieces list;
    ExtractStringsEx(",", ",, a ,,b , ", list);
    EXPECT_EQ(list, (Pieces{"a", "", "b"}));
}

TEST(CommonStrings, SearchReplaceAndCleanUp)
{
    EXPECT_EQ(PosEx("ab", "xxabxab", 1), 3);
    EXPECT_EQ(PosEx("ab", "xxabxab", 4), 6);
    EXPECT_EQ(PosEx("ab", "xxabxab", 7), 0);
    EXPECT_EQ(PosEx("ab", "xxabxab", 0), 0);
    EXPECT_EQ(QuickStringReplace("aaa", "a", "bb"), "bbbbbb");
    EXPECT_EQ(QuickStringReplace("abab", "ab", ""), "");
    EXPECT_EQ(QuickStringReplace("abc", "", "x"), "abc");
    EXPECT_EQ(OneString("a\r\n\tb\x01" "c"), "a b c");
    EXPECT_EQ(DotNetHostedFile("C:\\App\\Editor.vshost.exe"), "C:\\App\\Editor.exe");
    EXPECT_EQ(IncludeLastBackslash(""), "\\");
    EXPECT_EQ(IncludeLastBackslash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(IncludeLastBackslash("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(ExcludeLastBackslash("C:\\a\\\\"), "C:\\a\\");
}

TEST(CommonStrings, SplittingAndPathParts)
{
    EXPECT_EQ(SplitText("a\r\n\r\nb", "\r\n"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(SplitText("", "\r\n"), (Pieces{""}));
    EXPECT_EQ(SplitText("x\r\n", "\r\n"), (Pieces{"x", ""}));
    EXPECT_EQ(ExtractFileFolder("C:\\a.b\\c.txt"), "C:\\a.b\\");
    EXPECT_EQ(ExtractFileNamePart("C:\\a.b\\c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileNamePart("C:c.txt"), "c.txt");
    EXPECT_EQ(WithoutFileExtension("C:\\a.b\\c.txt"), "C:\\a.b\\c");
    EXPECT_EQ(WithoutFileExtension("C:\\a.b\\c"), "C:\\a.b\\c");
}

TEST(CommonStrings, VersionsCompareByPaddedParts)
{
    EXPECT_EQ(NormalizedVersion("6.0.3"), "00006.00000.00003.00000");
    EXPECT_EQ(NormalizedVersion("1.2.3 beta"), "00001.00002.00003 beta.00000");
    EXPECT_FALSE(IsGreaterVersion("6.0.20", "6.0.3"));
    EXPECT_TRUE(IsGreaterVersion("6.0.3", "6.0.20"));
    EXPECT_FALSE(IsGreaterVersion("6.0.3", "6.0.3"));
    EXPECT_TRUE(IsGreaterVersion("6", "6.0.0.1"));
    EXPECT_FALSE(IsGreaterVersion("", "1.0"));
    EXPECT_FALSE(IsGreaterVersion("1.0", ""));
}

TEST(CommonStrings, HtmlEscapesAndLibraryVersions)
{
    EXPECT_EQ(EscapeHTMLText("a<b>"), "a&lt;b&gt;");
    EXPECT_EQ(EscapeHTMLText("x & y"), "x &amp; y");
    EXPECT_EQ(EscapeHTMLText("a   b"), "a&nbsp;&nbsp; b");
    EXPECT_EQ(EscapeHTMLText("\"it's\"\r\nnext"), "&quot;it&#039;s&quot;<br>\r\nnext");
    EXPECT_TRUE(LibraryVersionCompatible(6000));
    EXPECT_TRUE(LibraryVersionCompatible(6100));
    EXPECT_FALSE(LibraryVersionCompatible(5999));
    EXPECT_FALSE(LibraryVersionCompatible(6101));
}

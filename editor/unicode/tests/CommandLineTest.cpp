#include <gtest/gtest.h>

#include "editor/unicode/UvxCommandLine.h"

TEST(CommandLine, QuotesGroupAndAreDropped) {
    std::u16string line = u"Tessaly.exe \"C:\\My Files\\a.bin\" x";
    EXPECT_EQ(WideParamCountOf(line), 2);
    EXPECT_EQ(WideParamStrOf(line, 1), u"C:\\My Files\\a.bin");
    EXPECT_EQ(WideParamStrOf(line, 2), u"x");
    EXPECT_EQ(WideParamStrOf(line, 3), u"");
    EXPECT_EQ(WideParamStrOf(line, 0), u"Tessaly.exe");
}

TEST(CommandLine, BlanksControlsAndEmptyQuotes) {
    struct Case {
        std::u16string line;
        std::vector<std::u16string> args;
    } cases[] = {
        {u"p", {}},
        {u"p   \t  ", {}},
        {u"p \"\" a", {u"a"}},                     // "" standing alone is skipped
        {u"p a\"b c\"d e", {u"ab cd", u"e"}},      // a quote inside a word
        {u"p \"open to the end", {u"open to the end"}},
        {u"\"C:\\Program Files\\t.exe\" \u0416\u4E2D", {u"\u0416\u4E2D"}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(WideParamCountOf(c.line), static_cast<int>(c.args.size()));
        for (size_t i = 0; i < c.args.size(); ++i) EXPECT_EQ(WideParamStrOf(c.line, static_cast<int>(i) + 1), c.args[i]);
    }
}

#include <gtest/gtest.h>

#include "framework/TextSearch.h"

namespace {
// "αβγ ΑΒΓ αβγδ" with the selection before, inside or after the matches.
const std::u16string kGreek = u"\u03B1\u03B2\u03B3 \u0391\u0392\u0393 \u03B1\u03B2\u03B3\u03B4";
const std::u16string kWhat = u"\u03B1\u03B2\u03B3";
}  // namespace

TEST(TextSearch, FindsForwardAfterTheSelectionAndBackwardBeforeIt) {
    struct Case {
        int selStart, selLength;
        TFindOptions options;
        bool fromStart;
        int expected;
        const char* why;
    } cases[] = {
        {0, 0, frDown, false, 0, "at the caret"},
        {0, 3, frDown, false, 4, "after the selected match, another case"},
        {0, 3, frDown | frMatchCase, false, 8, "case matters: the upper-case one is skipped"},
        {8, 3, frDown, false, -1, "nothing after the last"},
        {8, 3, frDown, true, 0, "from the start whatever the selection"},
        {8, 3, 0, false, 4, "backward: the last match that begins before the selection"},
        {8, 3, frMatchCase, false, 0, "backward with case"},
        {0, 0, 0, false, -1, "nothing before the start"},
        {0, 0, frDown | frWholeWord, false, 0, "a whole word at the start"},
        {1, 0, frDown | frWholeWord, false, 4, "the part of a longer word is no whole word"},
        {5, 0, frDown | frWholeWord | frMatchCase, false, -1, "no whole lower-case word after"},
        {50, 0, 0, false, 8, "a selection past the end counts as the end"},
        {-3, 0, frDown, false, 0, "a negative start counts as the start"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchText(kGreek, c.selStart, c.selLength, kWhat, c.options, c.fromStart), c.expected) << c.why;
}

TEST(TextSearch, EmptyOrTooLongTextsMatchNothing) {
    EXPECT_EQ(SearchText(kGreek, 0, 0, u"", frDown), -1);
    EXPECT_EQ(SearchText(u"ab", 0, 0, u"abc", frDown), -1);
    EXPECT_EQ(SearchText(u"", 0, 0, u"a", 0), -1);
    EXPECT_EQ(SearchText(u"abc", 0, 0, u"abc", frDown | frWholeWord), 0);
    EXPECT_EQ(SearchText(u"x-abc.", 0, 0, u"abc", frDown | frWholeWord), 2) << "punctuation separates words";
}

TEST(TextSearch, TheSelectedMatchIsComparedAsTheOptionsSay) {
    EXPECT_TRUE(SameFoundText(u"\u0391\u0392\u0393", kWhat, 0));
    EXPECT_FALSE(SameFoundText(u"\u0391\u0392\u0393", kWhat, frMatchCase));
    EXPECT_TRUE(SameFoundText(kWhat, kWhat, frMatchCase));
    EXPECT_FALSE(SameFoundText(u"", u"", 0)) << "nothing selected is no match";
    EXPECT_FALSE(SameFoundText(u"\u03B1\u03B2", kWhat, 0));
}

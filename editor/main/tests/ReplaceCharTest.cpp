#include <gtest/gtest.h>

#include <string>

#include "editor/main/ReplaceChar.h"

// A filter text's separators become NULs, all of them, in place.
TEST(ReplaceChar, TurnsEverySeparatorIntoNul) {
    char a[] = "All files|*.*|Text|*.txt|";
    EXPECT_EQ(ReplaceCharA(a, '|', '\0'), a);
    EXPECT_EQ(std::string(a, sizeof a), std::string("All files\0*.*\0Text\0*.txt\0\0", sizeof a));

    char16_t w[] = u"B|*.bin|";
    EXPECT_EQ(ReplaceCharW(w, u'|', u'\0'), w);
    EXPECT_EQ(std::u16string(w, 9), std::u16string(u"B\0*.bin\0\0", 9));
}

// Replacing the terminator itself must not run past the end of the text.
TEST(ReplaceChar, StopsAtTheEndOfTheText) {
    char a[8] = "ab";
    a[3] = 'x';
    ReplaceCharA(a, '\0', '-');
    EXPECT_EQ(a[2], '\0');
    EXPECT_EQ(a[3], 'x');
    EXPECT_EQ(ReplaceCharA(nullptr, 'a', 'b'), nullptr);
}

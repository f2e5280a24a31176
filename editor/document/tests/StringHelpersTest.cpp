#include <gtest/gtest.h>

#include "editor/document/StringHelpers.h"

TEST(StringHelpers, StartsWith) {
    struct Case {
        const char* s;
        const char* prefix;
        bool expected;
    } cases[] = {
        {"#define WORD_OK \"Ok\"", "#define", true},
        {"#defin", "#define", false},  // shorter than the prefix
        {"#DEFINE X", "#define", false},  // case-sensitive
        {"anything", "", true},
        {"", "", true},
        {" #define", "#define", false},
    };
    for (const Case& c : cases) EXPECT_EQ(startsWith(c.s, c.prefix), c.expected) << c.s << " / " << c.prefix;
}

TEST(StringHelpers, RightFrom) {
    const std::string line = "#define WORD_OK \"Ok\"";
    EXPECT_EQ(rightFrom(line, 9), "WORD_OK \"Ok\"");
    EXPECT_EQ(rightFrom(line, 1), line);
    EXPECT_EQ(rightFrom(line, static_cast<int32_t>(line.size())), "\"");
    EXPECT_EQ(rightFrom(line, static_cast<int32_t>(line.size()) + 1), "");
    EXPECT_EQ(rightFrom(line, 1000), "");
    EXPECT_EQ(rightFrom("", 1), "");
}

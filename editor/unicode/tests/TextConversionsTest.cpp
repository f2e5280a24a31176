#include <gtest/gtest.h>

#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxTextConversions.h"

TEST(Utf7, EncodesAsTheRfcSays) {
    struct Case {
        std::u16string in;
        std::string out;
    } cases[] = {
        {u"A+B", "A+-B"},
        {u"Hi there 42", "Hi there 42"},
        {u"\u00E9", "+AOk"},
        {u"\u00E9a", "+AOk-a"},
        {u"\u00E9 ", "+AOk "},
        {u"\u00E9-", "+AOk--"},
        {u"a~b\\", "a+AH4-b+AFw"},
        {u"", ""},
        {u"!#", "!#"},  // optional direct characters stay
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WideStringToUTF7(c.in), c.out);
        EXPECT_EQ(UTF7ToWideString(c.out), c.in);
    }
}

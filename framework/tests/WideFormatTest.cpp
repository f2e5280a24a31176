#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/WideFormat.h"

TEST(WideFormat, FormatsTextsAndNumbersAsSpecified) {
    struct Case {
        std::u16string fmt;
        TWideFormatArgs args;
        std::u16string expected;
    } cases[] = {
        {u"Text not found: \"%s\"", {std::u16string(u"\u03B1\u03B2")}, u"Text not found: \"\u03B1\u03B2\""},
        {u"%d|%5d|%-5d|%.3d", {int64_t{-7}, int64_t{42}, int64_t{42}, int64_t{5}}, u"-7|   42|42   |005"},
        {u"%x %u", {int64_t{255}, int64_t{-1}}, u"FF 4294967295"},
        {u"%1:s %0:s %s", {std::u16string(u"a"), std::u16string(u"b")}, u"b a b"},
        {u"%*d %.*s", {int64_t{4}, int64_t{1}, int64_t{2}, std::u16string(u"\u0394\u0395\u0396")}, u"   1 \u0394\u0395"},
        {u"%.2f %n", {3.14159, 1234567.5}, u"3.14 1,234,567.50"},
        {u"100%%", {}, u"100%"},
    };
    for (const Case& c : cases) EXPECT_EQ(WideFormat(c.fmt, c.args), c.expected);
}

TEST(WideFormat, BadSpecifiersAndMissingArgumentsRaise) {
    EXPECT_THROW(WideFormat(u"%d", {std::u16string(u"x")}), EConvertError);
    EXPECT_THROW(WideFormat(u"%s", {int64_t{1}}), EConvertError);
    EXPECT_THROW(WideFormat(u"%q", {int64_t{1}}), EConvertError);
    EXPECT_THROW(WideFormat(u"%", {}), EConvertError);
    try {
        WideFormat(u"%s %s", {std::u16string(u"one")});
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "No argument for format '%s %s'");
    }
}

#include <gtest/gtest.h>

#include "editor/unicode/UvxFormatStrUtils.h"

namespace {
std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EFormatSpecError& e) {
        return e.Message;
    }
    return "(nothing raised)";
}
}  // namespace

TEST(FormatStrings, CanonicalFormNamesEveryIndexWhereItIsNeeded) {
    struct Case { std::u16string fmt, canonical; };
    const Case cases[] = {
        {u"100%% done", u"100%% done"},
        {u"%s", u"%s"},
        {u"%0:s %1:d", u"%0:s %1:d"},
        {u"%s and %d", u"%0:s and %1:d"},
        {u"%s, %5:d and %s", u"%0:s, %5:d and %6:s"},
        {u"%5d", u"%5d"},
        {u"%5d of %s", u"%0:5d of %1:s"},
        {u"%-8.3f %s", u"%0:-8.3f %1:s"},
        {u"no specifier", u"no specifier"},
        {u"", u""},
        {u"% and %s %s", u"% and %0:s %1:s"},  // "% " is no specifier
        {u"%S %X", u"%0:S %1:X"},              // type letters in either case
        {u"%*d %s", u"%0:*d %2:s"},            // a '*' width takes an argument of its own
        {u"%.*f %s", u"%0:.*f %1:s"},          // a '*' precision does not
        {u"trailing %", u"trailing %"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetCanonicalFormatStr(c.fmt), c.canonical);
}

TEST(FormatStrings, BadSpecifiersAreReportedWithTheTextFromTheirStart) {
    struct Case { std::u16string fmt; std::string message; };
    const Case cases[] = {
        // Seven digits seen while looking for an index: the message shows them and the rest.
        {u"%1234567d", "Invalid Format Specifier: 1234567d"},
        {u"%123456d and %s", ""},  // six digits are still a width
        {u"%0:1234567d", "Invalid Format Specifier: %0:1234567d"},
        {u"%q", "Invalid Format Specifier: %0:q"},
        {u"%5", "Invalid Format Specifier: %0:5"},
        {u"%3:", "Invalid Format Specifier: %3:"},
    };
    // The canonical form reports everything consumed, the text before the specifier too.
    EXPECT_EQ(MessageOf([] { GetCanonicalFormatStr(u"a %s %5"); }), "Invalid Format Specifier: a %0:s %1:5");
    EXPECT_EQ(MessageOf([] { CompareFormatStrings(u"a %s %5", u"%s"); }), "Invalid Format Specifier: %1:5");
    for (const auto& c : cases) {
        if (c.message.empty()) {
            EXPECT_NO_THROW(GetCanonicalFormatStr(c.fmt));
            continue;
        }
        EXPECT_EQ(MessageOf([&] { GetCanonicalFormatStr(c.fmt); }), c.message);
        EXPECT_EQ(MessageOf([&] { CompareFormatStrings(c.fmt, u"%s"); }), c.message);
    }
}

TEST(FormatStrings, ComparisonByIndexAndKind) {
    EXPECT_NO_THROW(CompareFormatStrings(u"%s has %d items", u"%1:d items in %0:s"));
    EXPECT_EQ(MessageOf([] { CompareFormatStrings(u"%s", u"%d"); }),
              "Argument types for index 0 do not match. (%0:s <> %0:d)");
    EXPECT_EQ(MessageOf([] { CompareFormatStrings(u"%s", u"%s %s"); }),
              "Number of format specifiers do not match.\r\n\r\n> %s\r\n> %s %s");
    // Kinds go by the last letter: d u x, e f g m n, p, s.
    EXPECT_NO_THROW(CompareFormatStrings(u"%d %e %p %s", u"%3:S %2:P %1:N %0:X"));
    EXPECT_EQ(MessageOf([] { CompareFormatStrings(u"%d %f", u"%u %p"); }),
              "Argument types for index 1 do not match. (%1:f <> %1:p)");
    EXPECT_NO_THROW(CompareFormatStrings(u"100%%", u"100 %% "));
}

TEST(FormatStrings, OneIndexWithTwoKindsInOneStringIsAnErrorEvenForTheBooleanTest) {
    EXPECT_EQ(MessageOf([] { FormatStringsAreCompatible(u"%0:s %0:d", u"%0:s"); }),
              "Argument types for index 0 do not match. (%0:s <> %0:d)");
    EXPECT_NO_THROW(CompareFormatStrings(u"%0:s %0:s", u"%s"));
}

TEST(FormatStrings, CompatibilityCountsAnUnusedIndexAsKindZero) {
    EXPECT_TRUE(FormatStringsAreCompatible(u"%0:s %2:s", u"%0:s %1:d %2:s"));
    EXPECT_FALSE(FormatStringsAreCompatible(u"%0:s %2:s", u"%0:s %1:f %2:s"));
    EXPECT_FALSE(FormatStringsAreCompatible(u"%s", u"%s %s"));
    EXPECT_FALSE(FormatStringsAreCompatible(u"%s", u"%d"));
    EXPECT_TRUE(FormatStringsAreCompatible(u"%s and %d", u"%1:d und %0:s"));
    EXPECT_TRUE(FormatStringsAreCompatible(u"", u"nothing"));
    EXPECT_THROW(FormatStringsAreCompatible(u"%1234567s", u"%s"), EFormatSpecError);
}

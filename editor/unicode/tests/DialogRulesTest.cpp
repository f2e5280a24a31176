#include <gtest/gtest.h>

#include "editor/unicode/UvxDialogRules.h"

using Files = std::vector<std::u16string>;

namespace {
// A literal with its inner NULs, without the closing one.
template <size_t N>
std::u16string Z(const char16_t (&s)[N]) {
    return std::u16string(s, N - 1);
}
}  // namespace

TEST(DialogRules, InitialFolderLosesOneDelimiterExceptAfterADrive) {
    struct Case { std::u16string in, out; };
    const Case cases[] = {
        {u"C:\\", u"C:\\"},
        {u"C:\\dir\\", u"C:\\dir"},
        {u"C:\\dir\\\\", u"C:\\dir\\"},  // only one goes
        {u"C:\\dir", u"C:\\dir"},
        {u"\\", u"\\"},
        {u"", u""},
        {u"\\\\server\\\u03B1\\", u"\\\\server\\\u03B1"},
    };
    for (const Case& c : cases) EXPECT_EQ(UvxDialog_InitialDir(c.in), c.out);
}

TEST(DialogRules, FilterBarsBecomeNulsWithTwoAtTheEnd) {
    EXPECT_EQ(UvxDialog_SystemFilter(u"\u039A|*.txt|All|*.*"),
              Z(u"\u039A\0*.txt\0All\0*.*\0\0"));
    EXPECT_EQ(UvxDialog_SystemFilter(u""), std::u16string(2, u'\0'));
}

TEST(DialogRules, SelectedFilesFromTheReturnedBuffer) {
    const std::u16string three = Z(u"C:\\\u03B4\u03B9\u03C1\0a.txt\0\u03B2.txt\0D:\\x\\c.txt\0\0");
    EXPECT_EQ(UvxDialog_SelectedFiles(three, true, u'\0'),
              (Files{u"C:\\\u03B4\u03B9\u03C1\\a.txt", u"C:\\\u03B4\u03B9\u03C1\\\u03B2.txt", u"D:\\x\\c.txt"}));
    const std::u16string one = Z(u"C:\\dir\\a.txt\0\0");
    EXPECT_EQ(UvxDialog_SelectedFiles(one, true, u'\0'), (Files{u"C:\\dir\\a.txt"}));
    EXPECT_EQ(UvxDialog_SelectedFiles(one, false, u'\0'), (Files{u"C:\\dir\\a.txt"}));
    EXPECT_EQ(UvxDialog_SelectedFiles(std::u16string(2, u'\0'), true, u'\0'), (Files{u""}));
    // The root keeps its one delimiter; a name starting with one is whole.
    EXPECT_EQ(UvxDialog_SelectedFiles(Z(u"C:\\\0a\0\\b\0\0"), true, u'\0'),
              (Files{u"C:\\a", u"\\b"}));
    // Old-style dialogs separate with spaces.
    EXPECT_EQ(UvxDialog_SelectedFiles(Z(u"C:\\d a.txt b.txt\0"), true, u' '),
              (Files{u"C:\\d\\a.txt", u"C:\\d\\b.txt"}));
    EXPECT_EQ(UvxDialog_SelectedFiles(Z(u"C:\\d a.txt b.txt\0"), false, u' '),
              (Files{u"C:\\d a.txt b.txt"}));
}

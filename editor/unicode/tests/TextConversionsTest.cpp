#include <gtest/gtest.h>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxFloatText.h"
#include "framework/SysUtils.h"
#include "editor/unicode/UvxTextConversions.h"

TEST(Utf7, EncodesAndDecodesAsTheRfcSays) {
    struct Case {
        std::u16string text;
        std::string utf7;
    } cases[] = {
        {u"A+B", "A+-B"},
        {u"Hi there 42", "Hi there 42"},
        {u"\u00E9", "+AOk"},         // no closing '-' at the end of the text
        {u"\u00E9a", "+AOk-a"},      // 'a' would join the sequence
        {u"\u00E9 ", "+AOk "},
        {u"\u00E9-", "+AOk--"},
        {u"a~b\\", "a+AH4-b+AFw"},   // tilde and backslash are not direct
        {u"", ""},
        {u"!#;", "!#;"},             // optional direct characters stay
        {u"\u65E5\u672C\u8A9E", "+ZeVnLIqe"},
        {u"\U0001F600", "+2D3eAA"},  // a surrogate pair is two units
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WideStringToUTF7(c.text), c.utf7);
        EXPECT_EQ(UTF7ToWideString(c.utf7), c.text) << c.utf7;
    }
}

TEST(Utf7, APlusRightAfterASequenceStartsTheNextOne) {
    EXPECT_EQ(UTF7ToWideString("+AOk+AOk-"), u"\u00E9\u00E9");
    EXPECT_EQ(UTF7ToWideString("+AOk+-"), u"\u00E9+");
    EXPECT_EQ(UTF7ToWideString("+-"), u"+");
    EXPECT_EQ(UTF7ToWideString("x+AOk-"), u"x\u00E9");
}

TEST(Utf7, MalformedInputIsRefused) {
    for (const char* bad : {"+", "+A-", "++", "ab+", "+AOl", "caf\xE9"}) {
        try {
            UTF7ToWideString(bad);
            ADD_FAILURE() << bad;
        } catch (const EUvxGeneralError& e) {
            EXPECT_STREQ(e.what(), "Invalid UTF7");
        }
    }
}

TEST(Utf8AndUcs2, RoundTripsAndEdges) {
    std::u16string text = u"caf\u00E9 \u20AC \U0001F600";
    EXPECT_EQ(WideStringToUTF8(text), "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(UTF8ToWideString(WideStringToUTF8(text)), text);
    EXPECT_EQ(UTF8ToWideString("a\xC3"), u"a\uFFFD");  // a cut sequence is not dropped silently
    EXPECT_EQ(UTF8ToWideString("\xC0\xAF"), u"\uFFFD");  // overlong
    EXPECT_EQ(UCS2ToWideString(std::string("A\0B", 3)), u"A");  // odd last byte dropped
    EXPECT_EQ(UCS2ToWideString(""), u"");
    EXPECT_EQ(WideStringToUCS2(u"\u20AC"), std::string("\xAC\x20", 2));
    char16_t swapped[] = {0x4100, 0x0042, 0};
    StrSwapByteOrder(swapped);
    EXPECT_EQ(std::u16string(swapped), u"A\u4200");
}

TEST(CodePages, ConversionsChooseByCodePage) {
    EXPECT_EQ(StringToWideStringEx("+AOk-", 65000), u"\u00E9");
    EXPECT_EQ(StringToWideStringEx("\xC3\xA9", 65001), u"\u00E9");
    EXPECT_EQ(StringToWideStringEx("\x80\xE9", 1252), u"\u20AC\u00E9");
    EXPECT_EQ(WideStringToStringEx(u"\u00E9", 65000), "+AOk");
    EXPECT_EQ(WideStringToStringEx(u"\u20AC\u0416", 1252), "\x80?");
    EXPECT_EQ(DefaultSystemCodePage(), 1252u);
}

TEST(Utf7, APlusThatDecodesCleanlyStaysBase64) {
    EXPECT_EQ(WideStringToUTF7(u"\u00E9\u3E00"), "+AOk+AA");
    EXPECT_EQ(UTF7ToWideString("+AOk+AA-"), u"\u00E9\u3E00");
    // Whatever the encoder writes reads back the same.
    for (std::u16string text : {u"\u00E9\u3E00\uF800x", u"\uF8FF\uFBFF\u3EFF+", u"a\u00E9\u00E9\u00E9\uF900-"})
        EXPECT_EQ(UTF7ToWideString(WideStringToUTF7(text)), text);
}

TEST(EnglishNumbers, ThePointWhateverTheLocaleSays) {
    TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(ENG_US_FloatToStr(1.5), "1.5");
    EXPECT_DOUBLE_EQ(ENG_US_StrToFloat("2.25"), 2.25);
    EXPECT_DOUBLE_EQ(ENG_US_StrToFloat("2,5"), 2.5);  // the locale's own form still reads
    EXPECT_THROW(ENG_US_StrToFloat("x"), EConvertError);
    EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
    EXPECT_EQ(EnsureLocaleSettingsUS().DecimalSeparator, '.');
    EXPECT_EQ(EnsureLocaleSettingsUS().ShortDateFormat, "M/d/yyyy");
    FormatSettings = saved;
}

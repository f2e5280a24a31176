#include <gtest/gtest.h>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxErrorMessages.h"
#include "editor/unicode/UvxFiles.h"
#include "editor/unicode/UvxFloatText.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxLocale.h"
#include "editor/unicode/UvxSystem.h"
#include "editor/unicode/UvxWideStrUtils.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/Application.h"
#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"
#include "framework/WinText.h"

TEST(WideSystem, CommandLineAndCodePages) {
    EXPECT_EQ(WideParamStr(0), WideGetModuleFileName(nullptr));
    EXPECT_GE(WideParamCount(), 0);
    EXPECT_EQ(WideParamStr(WideParamCount() + 1), u"");
    EXPECT_EQ(KeyUnicode(0x141), 0x141);
    EXPECT_EQ(KeyUnicode('A'), u'A');
    EXPECT_EQ(LCIDToCodePage(0x409), 1252u);
    EXPECT_EQ(LCIDToCodePage(0x419), 1251u);
    EXPECT_EQ(CharSetToCodePage(ANSI_CHARSET), 1252u);
    EXPECT_EQ(CharSetToCodePage(RUSSIAN_CHARSET), 1251u);
    EXPECT_THROW(CharSetToCodePage(123), EOSError);
    EXPECT_EQ(DefaultSystemCodePage(), GetACP());
}

TEST(WideSystem, ResourceStrings) {
    HMODULE self = GetModuleHandleW(nullptr);
    TResStringRec table{&self, 18};
    EXPECT_EQ(WideLoadResString(&table), u"\u0416 wide");
    TResStringRec utf8{&self, reinterpret_cast<uintptr_t>("\xEF\xBB\xBF\xD0\x96!")};
    EXPECT_EQ(WideLoadResString(&utf8), u"\u0416!");
    TResStringRec ansi{&self, reinterpret_cast<uintptr_t>("caf\xE9")};
    EXPECT_EQ(WideLoadResString(&ansi), u"caf\u00E9");
    EXPECT_EQ(WideLoadResString(nullptr), u"");
    WideCustomLoadResString = [](const TResStringRec*, std::u16string& value) {
        value = u"custom";
        return true;
    };
    EXPECT_EQ(WideLoadResString(&table), u"custom");
    WideCustomLoadResString = nullptr;
}

TEST(WideSystem, ErrorMessages) {
    EXPECT_FALSE(WideSysErrorMessage(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_NE(WideSysErrorMessage(ERROR_FILE_NOT_FOUND).back(), u'\n');
    EXPECT_EQ(WideSysErrorMessage(0x7FFFFF01), u"Unspecified error (2147483393) from system.");
    {
        EightBitPlatform eightBit;
        EXPECT_EQ(WideLibraryErrorMessage(u"mine", nullptr, 0x7FFFFF01), u"Unspecified error (2147483393) from mine.");
        EXPECT_FALSE(WideSysErrorMessage(ERROR_FILE_NOT_FOUND).empty());
    }
    SetLastError(ERROR_ACCESS_DENIED);
    try {
        WinCheckP(nullptr);
        ADD_FAILURE();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    }
    int x;
    EXPECT_EQ(WinCheckP(&x), &x);
    EXPECT_THROW(WinCheckFileH(INVALID_HANDLE_VALUE), EOSError);
}

TEST(WideLocale, DatesAndCurrency) {
    SetThreadLocale(0x409);
    double v = 0;
    EXPECT_TRUE(UvxTryStrToDate(u"12/10/2026", v));
    EXPECT_DOUBLE_EQ(v, 46366.0);
    EXPECT_TRUE(UvxTryStrToTime(u"18:00", v));
    EXPECT_DOUBLE_EQ(v, 0.75);
    EXPECT_FALSE(ValidDateStr(u"no date"));
    EXPECT_DOUBLE_EQ(UvxStrToDateDef(u"no date", -1), -1);
    try {
        UvxStrToDate(u"no date");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        std::string m = e.what();
        EXPECT_EQ(m.substr(m.size() - 31), "\r\n'no date' is not a valid date");
    }
    EXPECT_EQ(UvxStrToCurr(u"12.34"), 123400);
    EXPECT_EQ(UvxStrToCurrDef(u"abc", 7), 7);
    EXPECT_THROW(UvxStrToCurr(u"abc"), EConvertError);
    CURRENCYFMTW fmt = GetDefaultCurrencyFmt();
    EXPECT_EQ(fmt.NumDigits, 2u);
    EXPECT_EQ(U16(fmt.lpCurrencySymbol), u"$");
    EXPECT_EQ(UvxCurrToStr(123400, nullptr), u"$12.34");
    EXPECT_EQ(UvxCurrToStr(-5000, &fmt), u"($0.50)");
    EXPECT_EQ(WideGetLocaleStr(0x409, LOCALE_SCURRENCY, u"x"), u"$");
    EXPECT_EQ(WideGetLocaleStr(0x409, 0xFFFF, u"x"), u"x");
}

TEST(WideLocale, ComparisonsAndCaseOnBothPlatforms) {
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        EXPECT_EQ(WStrLComp(u"abcX", u"abcY", 3), 0);
        EXPECT_LT(WStrLComp(u"abcX", u"abcY", 4), 0);
        EXPECT_EQ(WStrIComp(u"Caf\u00C9", u"caf\u00E9"), 0);
        EXPECT_EQ(WStrLIComp(u"ABx", u"aby", 2), 0);
        char16_t text[] = u"caf\u00E9 \u0436";
        EXPECT_EQ(std::u16string(WStrUpper(text)), wide ? u"CAF\u00C9 \u0416" : u"CAF\u00C9 \u0436");
        EXPECT_EQ(std::u16string(WStrLower(text)), u"caf\u00E9 \u0436");
    }
}

namespace {
// Values of the user's locale for the length of a test, put back afterwards
// (they last beyond the program otherwise).
class TUserLocaleValue {
public:
    explicit TUserLocaleValue(LCTYPE type) : FType(type) {
        char value[16] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, type, value, sizeof value);
        FSaved = value;
    }
    ~TUserLocaleValue() { SetLocaleInfoA(LOCALE_USER_DEFAULT, FType, FSaved.c_str()); }
    bool Set(const char* value) { return SetLocaleInfoA(LOCALE_USER_DEFAULT, FType, value) != 0; }
    char Saved() const { return FSaved.empty() ? 0 : FSaved[0]; }

private:
    LCTYPE FType;
    std::string FSaved;
};

double Encoded(int y, int mo, int d, int h, int mi, int s, int ms) {
    double date = 0, time = 0;
    EXPECT_TRUE(TryEncodeDate(y, mo, d, date));
    EXPECT_TRUE(TryEncodeTime(h, mi, s, ms, time));
    return date + time;
}
}  // namespace

TEST(WideLocale, WhatTheSystemRefusesTheFrameworksParsersMayRead) {
    SetThreadLocale(0x409);
    double v = 0;
    ASSERT_TRUE(UvxTryStrToTime(u"7:05:09.250", v)) << "a fraction of a second";
    EXPECT_DOUBLE_EQ(v, Encoded(1899, 12, 30, 7, 5, 9, 250));
    ASSERT_TRUE(UvxTryStrToDateTime(u"3/15/2024 7:05:09.250 PM", v));
    EXPECT_DOUBLE_EQ(v, Encoded(2024, 3, 15, 19, 5, 9, 250));
    EXPECT_DOUBLE_EQ(UvxStrToTime(u"23:59:59.5"), Encoded(1899, 12, 30, 23, 59, 59, 500));

    // The user's format settings (here German) name the order and separator.
    TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = '.';
    FormatSettings.ShortDateFormat = "dd.MM.yyyy";
    EXPECT_TRUE(ValidDateStr(u"15.03.2024"));
    EXPECT_DOUBLE_EQ(UvxStrToDate(u"15.03.2024"), 45366.0);
    FormatSettings = saved;
    EXPECT_FALSE(ValidDateStr(u"15.03.2024")) << "no date in the English order and separator";

    // Refused by both: the system's reason is the result.
    EXPECT_EQ(StrToDateTimeKind(u"7:05:09.250\u4E2D", 0, v), DISP_E_TYPEMISMATCH);
    EXPECT_DOUBLE_EQ(UvxStrToTimeDef(u"25:00:00.5", -1), -1);
    EXPECT_THROW(UvxStrToDateTime(u"3/15/2024 7:05:09.x"), EConvertError);
}

TEST(WideLocale, EnglishSettingsAreReadAgainAfterTheSystemTellsOfAChange) {
    if (GetUserDefaultLCID() != 0x409)
        GTEST_SKIP() << "the user's locale is not English (United States): changes to it do not reach those settings";
    ASSERT_NE(UvxApplication, nullptr) << "the application companion watches the system's settings";
    TUserLocaleValue list(LOCALE_SLIST), decimal(LOCALE_SDECIMAL);
    EXPECT_EQ(EnsureLocaleSettingsUS().ListSeparator, list.Saved());
    ASSERT_TRUE(list.Set(";"));
    ASSERT_TRUE(decimal.Set(","));
    SendMessageA(Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_EQ(EnsureLocaleSettingsUS().ListSeparator, ';') << "read again after the change";
    EXPECT_EQ(EnsureLocaleSettingsUS().DecimalSeparator, '.') << "whatever the user chose";
    EXPECT_EQ(ENG_US_FloatToStr(1.5), "1.5");
    EXPECT_DOUBLE_EQ(ENG_US_StrToFloat("2.25"), 2.25);
    ASSERT_TRUE(list.Set("|"));
    EXPECT_EQ(EnsureLocaleSettingsUS().ListSeparator, ';') << "kept until the system tells of the next change";
    SendMessageA(Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_EQ(EnsureLocaleSettingsUS().ListSeparator, '|') << "even within the same tick of the clock";
}

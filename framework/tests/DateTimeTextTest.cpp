#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "framework/DateTimeText.h"

namespace {
double Date(int y, int m, int d) {
    double v = 0;
    EXPECT_TRUE(TryEncodeDate(y, m, d, v));
    return v;
}
double Time(int h, int m, int s, int ms) {
    double v = 0;
    EXPECT_TRUE(TryEncodeTime(h, m, s, ms, v));
    return v;
}
int ThisYear() {
    std::time_t now = std::time(nullptr);
    return std::localtime(&now)->tm_year + 1900;
}
TFormatSettings German() {
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.DateSeparator = '.';
    s.ShortDateFormat = "dd.MM.yyyy";
    s.TimeAMString = s.TimePMString = "";
    return s;
}
}  // namespace

TEST(DateTimeText, DaysCountFromTheEndOf1899) {
    EXPECT_EQ(Date(1899, 12, 30), 0);
    EXPECT_EQ(Date(1900, 1, 1), 2);
    EXPECT_EQ(Date(2024, 3, 15), 45366);
    EXPECT_EQ(Date(2000, 2, 29), 36585);
    EXPECT_EQ(Date(1, 1, 1), -693593);
    EXPECT_EQ(Date(9999, 12, 31), 2958465);
    double v = 7;
    for (auto [y, m, d] : {std::tuple{1900, 2, 29}, {2023, 2, 29}, {2024, 4, 31}, {2024, 13, 1}, {0, 1, 1}, {10000, 1, 1},
                           {2024, 0, 1}, {2024, 1, 0}})
        EXPECT_FALSE(TryEncodeDate(y, m, d, v)) << y << "-" << m << "-" << d;
    EXPECT_EQ(v, 7) << "a refused date leaves the value alone";
    EXPECT_DOUBLE_EQ(Time(12, 0, 0, 0), 0.5);
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, v));
    EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, v));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, v));
}

TEST(DateTimeText, ReadsInTheOrderAndWithTheSeparatorsOfTheSettings) {
    const TFormatSettings us, german = German();
    TFormatSettings japanese;
    japanese.ShortDateFormat = "yyyy/MM/dd";
    struct Case {
        const char* text;
        const TFormatSettings* settings;
        double expected;
    } cases[] = {
        {"3/15/2024", &us, Date(2024, 3, 15)},
        {" 03 / 15 / 2024 ", &us, Date(2024, 3, 15)},
        {"15.03.2024", &german, Date(2024, 3, 15)},
        {"2024/3/15", &japanese, Date(2024, 3, 15)},
        {"2/29/2000", &us, Date(2000, 2, 29)},
        {"3/15", &us, Date(ThisYear(), 3, 15)},
        {"15.3", &german, Date(ThisYear(), 3, 15)},
    };
    for (const Case& c : cases) {
        double v = -1;
        EXPECT_TRUE(TryStrToDate(c.text, v, *c.settings)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
    }
    double v = 0;
    for (const char* bad : {"", "3", "3/", "3/15/", "15.03.2024", "2/30/2024", "3/15/2024x", "3/15/2024 7:05", "-3/15/2024",
                            "3/15/12345678901", "a/b/c"})
        EXPECT_FALSE(TryStrToDate(bad, v, us)) << bad;
}

TEST(DateTimeText, TwoDigitYearsFallWithinFiftyYearsOfThisOne) {
    const TFormatSettings us;
    const int year = ThisYear();
    const int past = (year - 10) % 100, future = (year + 10) % 100;
    double v = 0;
    ASSERT_TRUE(TryStrToDate("1/2/" + std::to_string(past), v, us));
    EXPECT_EQ(v, Date(year - 10, 1, 2));
    ASSERT_TRUE(TryStrToDate("1/2/" + std::to_string(future), v, us));
    EXPECT_EQ(v, Date(year + 10, 1, 2));
    ASSERT_TRUE(TryStrToDate("1/2/0024", v, us)) << "four digits are taken as written";
    EXPECT_EQ(v, Date(24, 1, 2));
}

TEST(DateTimeText, TimesWithSecondsFractionsAndMarks) {
    const TFormatSettings us, german = German();
    struct Case {
        const char* text;
        const TFormatSettings* settings;
        double expected;
    } cases[] = {
        {"7:05", &us, Time(7, 5, 0, 0)},
        {"7:05:09", &us, Time(7, 5, 9, 0)},
        {"7:05:09.250", &us, Time(7, 5, 9, 250)},
        {"7:05:09.5", &us, Time(7, 5, 9, 500)},
        {"7:05:09.12345", &us, Time(7, 5, 9, 123)},
        {"7:05:09,25", &german, Time(7, 5, 9, 250)},
        {"12:30 am", &us, Time(0, 30, 0, 0)},
        {"12:30 PM", &us, Time(12, 30, 0, 0)},
        {"7:05pm", &us, Time(19, 5, 0, 0)},
        {"23:59:59.999", &us, Time(23, 59, 59, 999)},
    };
    for (const Case& c : cases) {
        double v = -1;
        EXPECT_TRUE(TryStrToTime(c.text, v, *c.settings)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.expected) << c.text;
    }
    double v = 0;
    for (const char* bad : {"", "7", "7:", "24:00", "7:60", "7:05:60", "13:00 PM", "0:30 AM", "7:05 XM", "7:05:09.",
                            "7:05 PM PM", "7:05:09,25"})
        EXPECT_FALSE(TryStrToTime(bad, v, us)) << bad;
    ASSERT_TRUE(TryStrToTime("7:05 PM", v, german)) << "a locale without marks still knows the English ones";
    EXPECT_DOUBLE_EQ(v, Time(19, 5, 0, 0));
}

TEST(DateTimeText, DateAndTimeTogetherOrATimeAlone) {
    const TFormatSettings us;
    double v = 0;
    ASSERT_TRUE(TryStrToDateTime("3/15/2024 7:05:09.250 PM", v, us));
    EXPECT_DOUBLE_EQ(v, Date(2024, 3, 15) + Time(19, 5, 9, 250));
    ASSERT_TRUE(TryStrToDateTime("3/15/2024", v, us));
    EXPECT_EQ(v, Date(2024, 3, 15));
    ASSERT_TRUE(TryStrToDateTime("6:00", v, us));
    EXPECT_DOUBLE_EQ(v, 0.25);
    ASSERT_TRUE(TryStrToDateTime("12/29/1899 6:00", v, us)) << "before the day count starts";
    EXPECT_DOUBLE_EQ(v, -1.25) << "the time still runs forward within that day";
    for (const char* bad : {"3/15/2024 7", "3/15/2024 7:05 x", "x 7:05", "3/15/2024 3/16/2024"})
        EXPECT_FALSE(TryStrToDateTime(bad, v, us)) << bad;
}

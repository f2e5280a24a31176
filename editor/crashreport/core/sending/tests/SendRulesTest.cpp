#include <gtest/gtest.h>

#include "editor/crashreport/core/sending/SendRules.h"

TEST(SendRules, LogCopyText) {
    EXPECT_EQ(LogCopyText("report\r\n"), "report\r\n\r\n\r\n\r\n");
    EXPECT_EQ(LogCopyText("report\r\n\r\n\r\n"), "report\r\n\r\n\r\n");
    EXPECT_EQ(LogCopyText(""), "\r\n\r\n\r\n");
}

TEST(SendRules, AutoCrashNeedsExactlyTheNumberWithinTheMinutes) {
    const double minute = 1.0 / 1440;
    auto times = [&](int n, double span) {
        std::vector<double> t;
        for (int i = 0; i < n; ++i)
            t.push_back(45000 + span * i / (n > 1 ? n - 1 : 1));
        return t;
    };
    EXPECT_TRUE(AutoCrashDue(times(10, 0.5 * minute), 10, 1));
    EXPECT_FALSE(AutoCrashDue(times(9, 0.5 * minute), 10, 1));
    EXPECT_FALSE(AutoCrashDue(times(11, 0.5 * minute), 10, 1));
    EXPECT_FALSE(AutoCrashDue(times(10, 2 * minute), 10, 1));
    EXPECT_TRUE(AutoCrashDue(times(3, 0.9 * minute), 3, 1));
    EXPECT_FALSE(AutoCrashDue(times(2, 0.1 * minute), 3, 1));
    EXPECT_FALSE(AutoCrashDue({}, 0, 1));
}

#include <gtest/gtest.h>

#include "editor/crashreport/support/log/LogItem.h"

TEST(LogItem, AlignsValuesDrawsRulesAndKeepsItemNumbers)
{
    TLogItem item(0);
    item.AddHeader("General");
    item.AddItem("Date", "today", true);
    item.AddItem("Skipped", "x", false);
    item.AddItem("Long label", "v3", true);
    item.AddHeader("Nothing here");
    item.AddItem("Hidden", "x", false);
    item.AddHeader("Last");
    item.AddItem("A", "b", true);
    EXPECT_EQ(item.GetString(),
              "General:\r\n"
              "-----------------------\r\n"
              "  1.1 Date      : today\r\n"
              "  1.3 Long label: v3\r\n"
              "\r\n"
              "Last:\r\n"
              "----------\r\n"
              "  3.1 A: b\r\n");
}

TEST(LogItem, MultiLineValueKeepsItsColumnAndEmptyLines)
{
    TLogItem item(4);
    item.AddHeader("Exception");
    item.AddItem("Message", "Error: bad\n\nsecond: line", true);
    item.AddItem("Id", "7", true);
    EXPECT_EQ(item.GetString(),
              "Exception:\r\n"
              "---------------------------\r\n"
              "  5.1 Message: Error:_bad\r\n"
              "               .\r\n"
              "               second:_line\r\n"
              "  5.2 Id     : 7\r\n");
}

TEST(LogItem, ClearStartsAgainAndEmptyTextStaysEmpty)
{
    TLogItem item(1);
    EXPECT_EQ(item.GetString(), "");
    item.AddHeader("Only");
    EXPECT_EQ(item.GetString(), "");
    item.AddItem("A", "1", true);
    item.Clear();
    item.AddHeader("Again");
    item.AddItem("B", "2", true);
    EXPECT_EQ(item.GetString(), "Again:\r\n----------\r\n  2.1 B: 2\r\n");
}

TEST(LogItem, LineBreaksAreNormalised)
{
    EXPECT_EQ(NormalizeLineBreaks("a\rb\nc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(NormalizeLineBreaks("plain"), "plain");
}

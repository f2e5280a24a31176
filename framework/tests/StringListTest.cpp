#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/StringList.h"

TEST(StringList, TextSplitsAtEveryLineBreakKind) {
    TStringList l;
    l.SetText("a\r\nb\nc\rd");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[3], "d");
    EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\nd\r\n");
    l.SetText("x\r\n\r\n");
    EXPECT_EQ(l.Count(), 2);
}

TEST(StringList, SortedFindGivesTheFirstOfEqualItems) {
    TStringList l;
    l.Duplicates = TDuplicates::dupAccept;
    l.SetSorted(true);
    for (const char* s : {"pear", "Apple", "apple", "fig", "APPLE"}) l.Add(s);
    int index = -1;
    ASSERT_TRUE(l.Find("apple", index));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(l[0], "Apple");  // equal items keep the order in which they came
    EXPECT_EQ(l[2], "APPLE");
    EXPECT_FALSE(l.Find("banana", index));
    EXPECT_EQ(index, 3);
    EXPECT_THROW(l.Insert(0, "x"), EStringListError);
}

TEST(StringList, DuplicatesIgnoreAndError) {
    TStringList l;
    l.SetSorted(true);
    l.Add("a");
    EXPECT_EQ(l.Add("A"), 0);
    EXPECT_EQ(l.Count(), 1);
    l.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(l.Add("a"), EStringListError);
}

TEST(StringList, NamesValuesAndCommaText) {
    TStringList l;
    l.Add("Lng=NL");
    l.SetValues("Size", "12");
    EXPECT_EQ(l.Values("lng"), "NL");
    EXPECT_EQ(l.Names(1), "Size");
    l.SetValues("Lng", "");
    EXPECT_EQ(l.Count(), 1);
    l.SetCommaText("a, \"b c\",\"d\"\"e\",");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[1], "b c");
    EXPECT_EQ(l[2], "d\"e");
    EXPECT_EQ(l.CommaText(), "a,\"b c\",\"d\"\"e\",\"\"");
}

TEST(StringList, IndexErrorsAndStreams) {
    TStringList l;
    EXPECT_THROW(l.Get(0), EStringListError);
    EXPECT_THROW(l.Delete(-1), EStringListError);
    l.Add("one");
    l.Add("two");
    TMemoryStream m;
    l.SaveToStream(m);
    m.SetPosition(0);
    TStringList back;
    back.LoadFromStream(m);
    EXPECT_EQ(back.Text(), "one\r\ntwo\r\n");
    back.Exchange(0, 1);
    EXPECT_EQ(back[0], "two");
    back.Move(0, 1);
    EXPECT_EQ(back[0], "one");
}

TEST(StringList, NotificationsAndUpdates) {
    TStringList l;
    int changing = 0, changed = 0;
    l.OnChanging = [&](TObject*) { ++changing; };
    l.OnChange = [&](TObject*) { ++changed; };
    l.Add("a");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    l.SetText("x\r\ny\r\nz");  // one update: told once before and once after
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    l.BeginUpdate();
    l.BeginUpdate();
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(changed, 3 - 1);
    l.EndUpdate();
    EXPECT_EQ(changed, 3);
    l.Clear();
    l.Clear();  // an empty list does not change
    EXPECT_EQ(changed, 4);
}

TEST(StringList, DelimitedTextAndNameValueSeparator) {
    TStringList l;
    l.Delimiter = ';';
    l.QuoteChar = '\'';
    l.SetDelimitedText("'a b';'c;d';'it''s'");
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l[0], "a b");
    EXPECT_EQ(l[1], "c;d");
    EXPECT_EQ(l.DelimitedText(), "'a b';'c;d';'it''s'");
    EXPECT_EQ(l.CommaText(), "\"a b\",c;d,it's");
    l.NameValueSeparator = ':';
    l.Add("key:value");
    EXPECT_EQ(l.Values("KEY"), "value");
    EXPECT_EQ(l.ValueFromIndex(3), "value");
    TStringList other;
    other.Assign(&l);
    EXPECT_TRUE(other.Equals(l));
    other.InsertObject(0, "first", &other);
    EXPECT_EQ(other.GetObject(0), &other);
}

#include <gtest/gtest.h>

#include <memory>

#include "editor/unicode/UvxStringLists.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

namespace {
std::unique_ptr<TMemoryStream> StreamOf(const std::string& bytes) {
    auto m = std::make_unique<TMemoryStream>();
    if (!bytes.empty()) m->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    m->SetPosition(0);
    return m;
}

std::string BytesOf(TMemoryStream& m) { return std::string(m.Bytes().begin(), m.Bytes().end()); }

const std::u16string kLines = u"caf\u00E9\r\n\u20AC 5\r\n";
}  // namespace

TEST(UvxStrings, TheByteOrderMarkChoosesTheEncoding) {
    struct Case {
        std::string bytes;
        TextCharSet set;
    } cases[] = {
        {std::string("\xFF\xFE", 2) + std::string("c\0a\0f\0\xE9\0\r\0\n\0\xAC\x20 \0" "5\0", 18), tcsUtf16LE},
        {std::string("\xFE\xFF", 2) + std::string("\0c\0a\0f\0\xE9\0\r\0\n\x20\xAC\0 \0" "5", 18), tcsUtf16BE},
        {"\xEF\xBB\xBF" "caf\xC3\xA9\r\n\xE2\x82\xAC 5", tcsUtf8},
        {"caf\xE9\r\n\x80 5", tcsAnsi},
    };
    for (const auto& c : cases) {
        auto mOwner = StreamOf(c.bytes);
    TMemoryStream& m = *mOwner;
        EXPECT_EQ(AutoDetectCharacterSet(m), c.set);
        m.SetPosition(0);
        TUvxStringList list;
        list.LoadFromStream(m);
        EXPECT_EQ(list.Text(), kLines) << c.set;
    }
}

TEST(UvxStrings, ShortAndEmptyStreams) {
    auto emptyOwner = StreamOf("");
    TMemoryStream& empty = *emptyOwner;
    EXPECT_EQ(AutoDetectCharacterSet(empty), tcsAnsi);
    auto markOwner = StreamOf("\xFF\xFE");
    TMemoryStream& mark = *markOwner;
    EXPECT_EQ(AutoDetectCharacterSet(mark), tcsUtf16LE);
    EXPECT_EQ(mark.Position(), 2);
    auto oneOwner = StreamOf("\xE9");
    TMemoryStream& one = *oneOwner;
    TUvxStringList list;
    list.LoadFromStream(one);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], u"\u00E9");
    auto twoOwner = StreamOf("ab");
    TMemoryStream& two = *twoOwner;  // no mark: the stream stands where it started
    EXPECT_EQ(AutoDetectCharacterSet(two), tcsAnsi);
    EXPECT_EQ(two.Position(), 0);
    auto oddOwner = StreamOf(std::string("a\0b", 3));
    TMemoryStream& odd = *oddOwner;
    list.LoadFromStream_BOM(odd, false);
    EXPECT_EQ(list.Text(), u"a\r\n");
}

TEST(UvxStrings, SavingWritesUtf16WithItsMark) {
    TUvxStringList list;
    list.SetText(u"\u00E9\r\n\u0416");
    TMemoryStream m;
    list.SaveToStream(m);
    EXPECT_EQ(BytesOf(m), std::string("\xFF\xFE\xE9\0\r\0\n\0\x16\x04\r\0\n\0", 14));
    TMemoryStream plain;
    list.SaveToStream_BOM(plain, false);
    EXPECT_EQ(plain.Size(), 12);
}

TEST(UvxStrings, AnEightBitViewThroughACodePage) {
    TUvxStringList list;
    list.Add(u"\u20AC\u0416");
    TAnsiStrings& ansi = list.AnsiStrings();
    EXPECT_EQ(ansi[0], "\x80?");
    ansi.Add("caf\xE9");
    EXPECT_EQ(list[1], u"caf\u00E9");
    TAnsiStringsForWideStringsAdapter utf8(list, 65001);
    EXPECT_EQ(utf8[0], "\xE2\x82\xAC\xD0\x96");
    TMemoryStream m;
    utf8.SaveToStreamEx(m, 65000);
    EXPECT_EQ(BytesOf(m), "+IKwEFg\r\ncaf+AOk\r\n");
    m.SetPosition(0);
    TUvxStringList back;
    TAnsiStringsForWideStringsAdapter(back).LoadFromStreamEx(m, 65000);
    EXPECT_TRUE(back.Equals(list));
}

TEST(UvxStringList, SortedFindGivesTheFirstOfEqualEntries) {
    for (TDuplicates policy : {TDuplicates::dupIgnore, TDuplicates::dupAccept, TDuplicates::dupError}) {
        TUvxStringList list;
        for (const char16_t* s : {u"b", u"A", u"a", u"c", u"a"}) list.Add(s);
        list.SetSorted(true);  // sorting keeps the duplicates that were already there
        list.Duplicates = policy;
        int index = -1;
        ASSERT_TRUE(list.Find(u"a", index));
        EXPECT_EQ(index, 0);
        EXPECT_EQ(list.IndexOf(u"A"), 0);
        EXPECT_FALSE(list.Find(u"bb", index));
        EXPECT_EQ(index, 4);
    }
    TUvxStringList accept;
    accept.SetSorted(true);
    accept.Duplicates = TDuplicates::dupAccept;
    TObject marker;
    for (int i = 0; i < 3; ++i) accept.Add(u"x");
    EXPECT_EQ(accept.AddObject(u"X", &marker), 0);  // in front of the equal ones
    EXPECT_EQ(accept.GetObject(0), &marker);
}

TEST(UvxStringList, DuplicatesPolicyAndErrors) {
    TUvxStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add(u"b"), 0);
    EXPECT_EQ(list.Add(u"a"), 0);
    EXPECT_EQ(list.Add(u"B"), 1);  // ignored: the existing index
    EXPECT_EQ(list.Count(), 2);
    list.Duplicates = TDuplicates::dupError;
    auto message = [](auto&& f) {
        try {
            f();
        } catch (const EStringListError& e) {
            return std::string(e.what());
        }
        return std::string("nothing raised");
    };
    EXPECT_EQ(message([&] { list.Add(u"a"); }), "String list does not allow duplicates");
    EXPECT_EQ(message([&] { list.Insert(0, u"z"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(message([&] { list.Put(0, u"z"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(message([&] { list.Get(2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.Exchange(-1, 5); }), "List index out of bounds (-1)");
    list.SetSorted(false);
    EXPECT_EQ(message([&] { list.Insert(3, u"z"); }), "List index out of bounds (3)");
}

TEST(UvxStringList, CapacityGrowsInTheUsualSteps) {
    TUvxStringList list;
    std::vector<int> seen;
    for (int i = 0; i < 80; ++i) {
        list.Add(u"x");
        if (seen.empty() || seen.back() != list.Capacity()) seen.push_back(list.Capacity());
    }
    EXPECT_EQ(seen, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(UvxStringList, NotificationsSortingAndNames) {
    TUvxStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add(u"pear=3");
    list.Add(u"apple=1");
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    list.BeginUpdate();
    list.Add(u"Fig=2");
    list.Add(u"banana=4");
    EXPECT_EQ(changed, 2);
    list.EndUpdate();
    EXPECT_EQ(changed, 3);
    list.Sort();
    EXPECT_EQ(list.Text(), u"apple=1\r\nbanana=4\r\nFig=2\r\npear=3\r\n");
    list.SetCaseSensitive(true);
    list.SetSorted(true);
    EXPECT_EQ(list[0], u"Fig=2");  // upper case first by code unit
    EXPECT_EQ(list.IndexOfName(u"pear"), 3);
    EXPECT_EQ(list.IndexOfName(u"fig"), -1);
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.IndexOfName(u"FIG"), 2);
    EXPECT_EQ(list.Values(u"banana"), u"4");
    list.SetSorted(false);
    list.CustomSort([](TUvxStringList& l, int a, int b) {
        return static_cast<int>(l[a].back()) - static_cast<int>(l[b].back());
    });
    EXPECT_EQ(list[0], u"apple=1");
    EXPECT_EQ(list[3], u"banana=4");
}

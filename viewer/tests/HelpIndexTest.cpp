// The manual's index files, the page history, the wheel and the search rank.
#include <gtest/gtest.h>

#include <map>

#include "framework/Exceptions.h"
#include "viewer/HelpIndex.h"
#include "viewer/HelpSearch.h"
#include "viewer/PageHistory.h"
#include "viewer/PageLinks.h"
#include "viewer/ViewerInstance.h"

namespace {

std::string Shape(const ContentsTree& t) {
    // title(parent)fold per entry, so a whole tree compares in one string
    std::string s;
    for (size_t i = 0; i < t.Entries.size(); ++i) {
        s += t.Entries[i].Title + "(" + std::to_string(t.Entries[i].Parent) + ")";
        s += t.Folds[i] == FoldState::Expanded ? "+" : t.Folds[i] == FoldState::Collapsed ? "-" : "";
        s += " ";
    }
    return s;
}

TEST(ContentsTreeTest, LevelsFoldsAndOddLines) {
    struct Case {
        std::vector<std::string> lines;
        std::string shape;
    } cases[] = {
        {{"Intro", "intro.htm", "Edit", "edit.htm", "{", "Keys", "keys.htm", "Find", "find.htm", "}", "End", "end.htm"},
         "Intro(-1) Edit(-1)+ Keys(1) Find(1) End(-1) "},
        // "}*" collapses the group's parent
        {{"A", "a.htm", "{", "B", "b.htm", "}*"}, "A(-1)- B(0) "},
        // "{" before any title: what follows stays at the top level
        {{"{", "A", "a.htm", "}"}, "A(-1) "},
        // a blank title line makes an entry with an empty title
        {{"  ", "blank.htm", "B", "b.htm"}, "(-1) B(-1) "},
        // a title on the last line without its page adds nothing
        {{"A", "a.htm", "Orphan"}, "A(-1) "},
        // a closer with nothing open is ignored
        {{"}", "}*", "A", "a.htm"}, "A(-1) "},
        // the line after a title is its page whatever it holds
        {{"A", "{", "B", "b.htm"}, "A(-1) B(-1) "},
        // nested twice, closed twice
        {{"A", "a", "{", "B", "b", "{", "C", "c", "}", "D", "d", "}*"}, "A(-1)- B(0)+ C(1) D(0) "},
    };
    for (const Case& c : cases) EXPECT_EQ(Shape(ParseContentsTree(c.lines)), c.shape) << c.lines.front();
}

TEST(ContentsTreeTest, DeepNestingStaysInsideTheTree) {
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i) {
        lines.push_back("T" + std::to_string(i));
        lines.push_back("p.htm");
        lines.push_back("{");
    }
    lines.push_back("Deep");
    lines.push_back("deep.htm");
    for (int i = 0; i < 12; ++i) lines.push_back("}");
    lines.push_back("Top");
    lines.push_back("top.htm");
    ContentsTree t = ParseContentsTree(lines);
    ASSERT_EQ(t.Entries.size(), 14u);
    // levels beyond the ones held keep adding under the deepest parent
    EXPECT_EQ(t.Entries[8].Parent, 7);
    EXPECT_EQ(t.Entries[9].Parent, 7);
    EXPECT_EQ(t.Entries[12].Parent, 7);
    // the excess closers are eaten first, then the real levels close in turn
    EXPECT_EQ(t.Entries[13].Parent, -1);
    EXPECT_EQ(t.Folds[0], FoldState::Expanded);
}

TEST(ContextMapTest, PairsTrimmedLaterWinsOddLineIgnored) {
    auto m = ParseContextMap({"100", "index.htm", " 5 ", " five.htm ", "5", "again.htm", "7"});
    EXPECT_EQ(m, (std::map<int32_t, std::string>{{5, "again.htm"}, {100, "index.htm"}}));
    // blank lines count as lines of a pair
    EXPECT_THROW(ParseContextMap({"", "x.htm"}), EConvertError);
    EXPECT_THROW(ParseContextMap({"12x", "x.htm"}), EConvertError);
    EXPECT_EQ(ParseContextMap({"-1", "close.htm"}).at(-1), "close.htm");
}

TEST(ContextMapTest, SplitLinesLikeTheStringList) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(PageHistoryTest, BackForwardAndDroppingForwardEntries) {
    PageHistory h;
    EXPECT_FALSE(h.CanGoBack());
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_FALSE(h.Back(0));
    h.Visit("a", 0);
    h.Visit("b", 40);   // a left at 40
    h.Visit("c", 70);   // b left at 70
    EXPECT_TRUE(h.CanGoBack());
    EXPECT_FALSE(h.CanGoForward());
    ASSERT_TRUE(h.Back(5));
    EXPECT_EQ(h.Current().Path, "b");
    EXPECT_EQ(h.Current().Position, 70);
    ASSERT_TRUE(h.Back(71));
    EXPECT_EQ(h.Current().Position, 40);
    EXPECT_TRUE(h.CanGoForward());
    ASSERT_TRUE(h.Forward(41));
    EXPECT_EQ(h.Current().Path, "b");
    EXPECT_EQ(h.Current().Position, 71);
    // a new page after going back drops the forward entries
    h.Visit("d", 72);
    EXPECT_EQ(h.Count(), 3);
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_FALSE(h.Forward(0));
    EXPECT_EQ(h.Current().Path, "d");
}

TEST(WheelRestTest, NotchesTurnIntoLinesAndKeepTheRest) {
    struct Case {
        std::vector<int32_t> deltas;
        int32_t pixels, rest;
    } cases[] = {
        {{-120}, 4 * 18, 20},
        {{60}, -2 * 18, -10},
        {{-120, -120}, 9 * 18, 15},
        {{-10, -10}, 0, 20},
        {{-120, 120}, 0, 0},
    };
    for (const Case& c : cases) {
        WheelRest w;
        int32_t pixels = 0;
        for (int32_t d : c.deltas) pixels += w.Turn(d, 18);
        EXPECT_EQ(pixels, c.pixels);
        EXPECT_EQ(w.Rest(), c.rest);
    }
}

TEST(HelpSearchTest, RanksByScoreThenPathDescending) {
    std::map<std::string, HtmlInfo> pages = {
        {"a.htm", {"the editor edits bytes", "Editing"}},
        {"b.htm", {"nothing to see here, really", "Other"}},       // dropped
        {"c.htm", {"edit", "Title"}},                               // body 1: 20/4 = 5
        {"d.htm", {"edit", "Title"}},                               // same score as c
        {"e.htm", {"", "Edit only in the title"}},                  // empty body ranks first
        {"gone.htm", {"", ""}},                                     // unreadable page: dropped
    };
    auto read = [&](const std::string& p) { return pages.at(p); };
    std::vector<std::string> order = {"a.htm", "b.htm", "c.htm", "d.htm", "e.htm", "gone.htm"};
    auto r = SearchPages(order, QueryWords("EDIT"), read);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].Path, "e.htm");
    EXPECT_EQ(r[1].Path, "a.htm");
    EXPECT_DOUBLE_EQ(r[1].Score, (2 * 20.0 + 1 * 100.0) / 22);  // "editor" and "edits" both hold "edit"
    EXPECT_EQ(r[1].Title, "Editing");
    EXPECT_EQ(r[2].Path, "d.htm");  // equal scores: the higher path first
    EXPECT_EQ(r[3].Path, "c.htm");

    // every word must occur; n divides the sums
    auto two = SearchPages(order, QueryWords("edits bytes"), read);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_DOUBLE_EQ(two[0].Score, ((1 + 1) / 2.0 * 20) / 22);
    EXPECT_TRUE(SearchPages(order, QueryWords("edit zebra"), read).empty());
}

TEST(HelpSearchTest, QueryWordsAndSearchablePages) {
    EXPECT_EQ(QueryWords("  find  next "), (std::vector<std::string>{"find", "next"}));
    EXPECT_TRUE(QueryWords("").empty());
    EXPECT_TRUE(SearchPages({"a.htm"}, {}, [](const std::string&) { return HtmlInfo{"x", "y"}; }).empty());
    EXPECT_EQ(SearchablePages({"C:\\h\\a.htm", "C:\\h\\b.HTM", "C:\\h\\c.html", "C:\\h.htm\\d", "C:\\h\\e.htm"}),
              (std::vector<std::string>{"C:\\h\\a.htm", "C:\\h\\e.htm"}));
}

TEST(ViewerInstanceTest, NameAndArguments) {
    EXPECT_EQ(InstanceName("C:\\Program Files\\Tessaly\\help_en\\Vellumo.exe"),
              "One instance of C:.Program Files.Tessaly.help_en.Vellumo.exe");
    EXPECT_EQ(ContextFromArguments({}), 0);
    EXPECT_EQ(ContextFromArguments({"100"}), 100);
    EXPECT_EQ(ContextFromArguments({"-1"}), -1);
    EXPECT_EQ(ContextFromArguments({"5", "6"}), 0);
    EXPECT_THROW(ContextFromArguments({"12x"}), EConvertError);
}

TEST(PageLinksTest, TargetsRelativeAbsoluteFragmentsAndAddresses) {
    struct Case {
        const char* link;
        LinkKind kind;
        const char* path;
    } cases[] = {
        {"keys.htm", LinkKind::Page, "C:\\help\\keys.htm"},
        {"sub\\page.htm", LinkKind::Page, "C:\\help\\sub\\page.htm"},
        {"keys.htm#f3", LinkKind::Page, "C:\\help\\keys.htm"},
        {"#top", LinkKind::None, ""},
        {"D:\\other\\a.htm", LinkKind::Page, "D:\\other\\a.htm"},
        {"\\\\server\\a.htm", LinkKind::Page, "\\\\server\\a.htm"},
        {"HTTP://example.org/x", LinkKind::External, "HTTP://example.org/x"},
        {"mailto:help@example.org", LinkKind::External, "mailto:help@example.org"},
    };
    for (const Case& c : cases) {
        LinkTarget t = ResolveLink("C:\\help\\", c.link);
        EXPECT_EQ(t.Kind, c.kind) << c.link;
        EXPECT_EQ(t.Path, c.path) << c.link;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "viewer/PageLayout.h"
#include "viewer/tests/LayoutFakes.h"

namespace {

// A page view in miniature: 6 pixels a character at 12 points, lines of 18,
// left margin 10, right edge = width - 30.
struct Page {
    explicit Page(int32_t width = 400) {
        Layout.LayoutWidth = width;
        Layout.PageFolder = "C:\\help\\";
    }
    const PageItems& Run(const std::string& html) {
        Parser.SetBuffer(html);
        Layout.LayoutPage(Parser);
        return Layout.Items();
    }
    std::string Shown() const {
        std::string all;
        for (const PageItem& it : Layout.Items()) all += it.Text();
        return all;
    }
    PageItem Item(const std::string& text) const {
        for (const PageItem& it : Layout.Items())
            if (it.Text() == text) return it;
        ADD_FAILURE() << "no item " << text;
        return PageItem();
    }
    FakeMeasurer Measurer;
    FakePictures Pictures;
    xml_parser Parser;
    disphtml Layout{Measurer, Pictures};
};

TEST(PageLayout, DecodesEntitiesAndFoldsBlanks) {
    Page p;
    p.Run("<body>  \n <p>a &lt;b&gt; &amp;   &nbsp;\n\t AT&T<b>x</b></body>");
    EXPECT_EQ(p.Shown(), "a <b> & &nbsp; AT&Tx");
    EXPECT_EQ(p.Layout.Items().front().X, 10);
}

TEST(PageLayout, TextOutsideTheBodyIsNotShownAndTitleIsRaw) {
    Page p;
    p.Run("<title>A &amp; B</title>before<body>in</body>after");
    EXPECT_EQ(p.Layout.Title(), "A &amp; B");
    EXPECT_EQ(p.Shown(), "in");
}

TEST(PageLayout, WordsWrapAtTheRightEdge) {
    Page p(120);  // right edge 90
    p.Run("<body>aaaa bbbb cccc</body>");
    EXPECT_EQ(p.Item("aaaa ").X, 10);
    EXPECT_EQ(p.Item("bbbb ").X, 40);
    EXPECT_EQ(p.Item("cccc").X, 10);
    EXPECT_EQ(p.Item("cccc").Y, 28);
    EXPECT_TRUE(p.Item("aaaa ").EndsWord);
    EXPECT_FALSE(p.Item("cccc").EndsWord);
    EXPECT_EQ(p.Item("aaaa ").Width, 30);
}

TEST(PageLayout, LongWordAtLineStartOverflows) {
    Page p(120);
    p.Run("<body>abcdefghijklmnopqrstuvwxyz</body>");
    ASSERT_EQ(p.Layout.Items().size(), 1u);
    EXPECT_EQ(p.Item("abcdefghijklmnopqrstuvwxyz").X, 10);
    EXPECT_EQ(p.Item("abcdefghijklmnopqrstuvwxyz").Width, 156);
}

TEST(PageLayout, WordSplitByATagWrapsAsOnePiece) {
    Page p(120);
    p.Run("<body>aaaa bbbb cc<b>cc</b></body>");
    const PageItem& plain = p.Layout.Items()[2];
    const PageItem& bold = p.Layout.Items()[3];
    EXPECT_EQ(plain.Text(), "cc");
    EXPECT_EQ(bold.Kind, pkBold);
    EXPECT_EQ(plain.Y, 28);
    EXPECT_EQ(bold.Y, 28);
    EXPECT_EQ(plain.X, 10);
    EXPECT_EQ(bold.X, 22);
    EXPECT_EQ(p.Item("bbbb ").Y, 10);
}

TEST(PageLayout, HyphenatedWordBreaksAfterItsHyphen) {
    Page p(120);
    p.Run("<body>aaaa bbbb-cccc</body>");
    EXPECT_EQ(p.Item("bbbb-").Y, 10);
    EXPECT_EQ(p.Item("cccc").Y, 28);
    EXPECT_EQ(p.Item("cccc").X, 10);
}

TEST(PageLayout, KindsOfText) {
    Page p;
    p.Run("<body><b><i>bi</i></b> <a href=\"next.htm\"><b>link</b></a> <i>it</i></body>");
    EXPECT_EQ(p.Item("bi").Kind, pkItalic);
    EXPECT_EQ(p.Item("link").Kind, pkLink);
    EXPECT_EQ(p.Item("link").Link(), "next.htm");
    EXPECT_EQ(p.Item("it").Kind, pkItalic);
    EXPECT_EQ(p.Item("it").Link(), "");
}

TEST(PageLayout, HeadingsSetTheSizeUntilTheirEnd) {
    Page p;
    p.Run("<body><h1>Big</h1>small<h2>Mid</h2><h3>Sub</h3></body>");
    EXPECT_EQ(p.Item("Big").Size, 30);
    EXPECT_EQ(p.Item("small").Size, 12);
    EXPECT_EQ(p.Item("small").Y, 10 + 42 + 18);  // heading line (2 + 40) + a base line
    EXPECT_EQ(p.Item("Mid").Size, 20);
    EXPECT_EQ(p.Item("Sub").Size, 14);
}

TEST(PageLayout, HeadingWithoutEndCarriesIntoTheNextLayout) {
    Page p;
    p.Run("<body>first<h1>Big<p>rest</body>");
    EXPECT_EQ(p.Item("rest").Size, 30);
    p.Run("<body>first<h1>Big<p>rest</body>");
    EXPECT_EQ(p.Item("first").Size, 30);
}

TEST(PageLayout, ListsNumberAndIndentPerLevel) {
    Page p;
    p.Run("<body><ol><li>one<li>two<ol><li>x</ol><li>three</ol><ul><li>dot</ul>after</body>");
    std::vector<std::string> markers;
    for (const PageItem& it : p.Layout.Items())
        if (it.Text().size() == 2 && it.Text()[1] == '.') markers.emplace_back(it.Text());
    EXPECT_EQ(markers, (std::vector<std::string>{"1.", "2.", "1.", "3."}));
    // Level 1 starts at 10 + 36; its number stands 1.4 lines left of it.
    EXPECT_EQ(p.Item("one").X, 46);
    EXPECT_EQ(p.Item("1.").X, 20);
    EXPECT_EQ(p.Item("1.").Y, p.Item("one").Y);
    EXPECT_EQ(p.Item("x").X, 82);
    EXPECT_EQ(p.Item("three").X, 46);
    EXPECT_EQ(p.Item("2.").Width, 0);
    std::optional<PageItem> bullet;
    for (const PageItem& it : p.Layout.Items())
        if (it.Kind == pkBullet) bullet = it;
    ASSERT_TRUE(bullet.has_value());
    EXPECT_EQ(bullet->X, 46 - 18);
    EXPECT_EQ(bullet->Y, p.Item("dot").Y + 12);
    EXPECT_EQ(p.Item("after").X, 10);
}

TEST(PageLayout, TableColumnsFromCellWidths) {
    Page p(420);  // 400 pixels shared by the columns
    p.Run("<body><table><tr><td width=30%>a<td>b</table>after</body>");
    EXPECT_EQ(p.Item("a").X, 10);
    EXPECT_EQ(p.Item("b").X, 130);
    EXPECT_EQ(p.Item("after").X, 10);
    EXPECT_GT(p.Item("after").Y, p.Item("a").Y);

    p.Run("<body><table><tr><td width=200>a<td>b</table></body>");  // last character dropped: 20 percent
    EXPECT_EQ(p.Item("b").X, 90);
}

TEST(PageLayout, TextWrapsInsideItsColumn) {
    Page p(420);
    p.Run("<body><table><tr><td width=5%>aaaa bbbb cccc<td>x</table></body>");
    // Column 0 runs from 10 to 10: below the narrowest edge, its text is dropped.
    EXPECT_EQ(p.Shown(), "x");
    p.Run("<body><table><tr><td width=25%>aaaa bbbb cccc dddd eeee<td>x</table></body>");
    // Column 0: 10 to 90.
    EXPECT_EQ(p.Item("aaaa ").Y, p.Item("cccc ").Y - 18);
    EXPECT_EQ(p.Item("cccc ").X, 10);
}

TEST(PageLayout, SearchWordsAreMarkedAndNumbered) {
    Page p;
    p.Layout.SearchWords.Split("beta ALPHA", BlankDelimiters());
    p.Run("<body>Alpha beta alphabet</body>");
    std::vector<std::string> hits;
    for (const PageItem& it : p.Layout.Items())
        if (it.Hit) hits.push_back(std::string(it.Text()) + "#" + std::to_string(it.HitNumber));
    EXPECT_EQ(hits, (std::vector<std::string>{"Alpha#0", "beta#1", "alpha#2"}));
    EXPECT_EQ(p.Layout.HitCount(), 3);
    EXPECT_EQ(p.Layout.HitPositions(), (std::vector<int32_t>{10, 10, 10}));
    EXPECT_EQ(p.Shown(), "Alpha beta alphabet");

    // On equal positions the earlier word of the list wins.
    p.Layout.SearchWords.Split("al alpha", BlankDelimiters());
    p.Run("<body>alphabet</body>");
    EXPECT_EQ(p.Layout.Items().front().Text(), "al");
    EXPECT_TRUE(p.Layout.Items().front().Hit);
}

TEST(PageLayout, PicturesTakeRoomAndRaiseTheLine) {
    Page p;
    p.Pictures.Known["C:\\help\\pic.png"] = {40, 30};
    p.Run("<body>ab<img src=\"pic.png\">cd<br>next</body>");
    const PageItem& pic = p.Layout.Items()[1];
    EXPECT_EQ(pic.Kind, pkPicture);
    ASSERT_NE(pic.Picture(), nullptr);
    EXPECT_EQ(pic.Picture()->Width(), 40);
    EXPECT_EQ(pic.X, 22);
    EXPECT_EQ(p.Item("cd").X, 22 + 42);
    EXPECT_EQ(p.Item("next").Y, 10 + 32);
}

TEST(PageLayout, UnloadablePictureAndBadWidthAreSkipped) {
    Page p(420);
    p.Run("<body>a<img src=missing.png>b<table><tr><td width=abc%>c<td width=\"\">d</table>e</body>");
    // The cell of the empty width falls in a column the table never measured.
    EXPECT_EQ(p.Shown(), "abce");
    EXPECT_EQ(p.Item("b").X, 16);
    EXPECT_EQ(p.Layout.LayoutError(), "Cannot open picture C:\\help\\missing.png");
    EXPECT_EQ(p.Item("c").X, 10);  // the cell keeps its natural width
    p.Run("<body><table><tr><td width=x%>c</table></body>");
    EXPECT_EQ(p.Layout.LayoutError(), "'x' is not a valid integer value");
    p.Run("<body>fine</body>");
    EXPECT_EQ(p.Layout.LayoutError(), "");
}

TEST(PageLayout, LimitsOfTheFormatNeverFault) {
    Page p(420);
    std::string deep = "<body>";
    for (int i = 0; i < 14; ++i) deep += "<ul><li>l" + std::to_string(i);
    for (int i = 0; i < 16; ++i) deep += "</ul>";  // two more than were opened
    deep += "<p>after</body>";
    p.Run(deep);
    EXPECT_EQ(p.Item("l13").X, 10 + 10 * 36);  // deeper levels go on in the tenth
    EXPECT_EQ(p.Item("after").X, 10);

    std::string wide = "<body><table><tr>";
    for (int i = 0; i < 14; ++i) wide += "<td width=5%>c" + std::to_string(i);
    wide += "</table>after</body>";
    p.Run(wide);
    EXPECT_EQ(p.Item("c13").X, p.Item("c9").X);
    EXPECT_EQ(p.Item("after").X, 10);

    // A cell before its row, and cells and rows outside any table.
    p.Run("<body><td>loose<tr>row</tr><table><td width=50%>first<td>second</table></table>end</body>");
    EXPECT_EQ(p.Item("loose").X, 10);
    EXPECT_EQ(p.Item("first").X, 10);
    EXPECT_EQ(p.Item("second").X, 210);
    EXPECT_EQ(p.Item("end").X, 10);
    EXPECT_GT(p.Item("end").Y, p.Item("first").Y);

    // Percentages that do not fit in a number, or add up past 100.
    p.Run("<body><table><tr><td width=99999999999%>a<td width=150%>b<td width=90%>c</table></body>");
    EXPECT_EQ(p.Shown(), "abc");

    // Empty and blank pages.
    p.Run("");
    EXPECT_TRUE(p.Layout.Items().empty());
    EXPECT_EQ(p.Layout.PageHeight(), 10);
    p.Run("<body> \n\t </body>");
    EXPECT_TRUE(p.Layout.Items().empty());
}

TEST(PageLayout, NarrowViewDropsTextSilently) {
    Page p(50);
    p.Run("<body>hello world</body>");
    EXPECT_TRUE(p.Layout.Items().empty());
}

TEST(PageLayout, FixturePageLaysOut) {
    Page p(500);
    p.Pictures.Known["C:\\help\\search.png"] = {64, 48};
    ASSERT_EQ(p.Parser.ReadFile("tests/data/pages/sample.htm"), 0);
    p.Layout.LayoutPage(p.Parser);
    EXPECT_EQ(p.Layout.Title(), "Searching &amp; replacing");
    EXPECT_EQ(p.Layout.LayoutError(), "");
    EXPECT_EQ(p.Item("Searching").Size, 30);
    EXPECT_EQ(p.Item("Replacing ").Kind, pkLink);
    EXPECT_EQ(p.Item("Replacing ").Link(), "replace.htm");
    EXPECT_EQ(p.Item("Kind").Kind, pkBold);
    EXPECT_EQ(p.Item("Meaning ").X, 10 + 144);
    // Every word stays left of the right edge unless it starts its line.
    for (const PageItem& it : p.Layout.Items()) {
        if (it.Kind >= pkBullet || it.Text().find_first_not_of(' ') == std::string_view::npos) continue;
        int32_t trailing = it.EndsWord ? it.Size / 2 : 0;
        bool fits = it.X + it.Width - trailing <= 470;
        EXPECT_TRUE(fits || it.X == 10 || it.X == 46 || it.X == 82) << it.Text() << " at " << it.X;
    }
    // The page's height is the top of its last line.
    EXPECT_EQ(p.Layout.PageHeight(), p.Layout.Items().back().Y);
}

}  // namespace

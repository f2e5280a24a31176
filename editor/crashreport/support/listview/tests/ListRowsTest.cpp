#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/crashreport/support/listview/ListRows.h"

namespace {

const std::string kIndent = "    ";

struct RowSpec {
    std::vector<std::string> Texts;
    bool Parent;
    const char* Caption;
};

// Adds the rows in order; a header's texts are blank.
void Fill(TListRows& rows, const std::vector<RowSpec>& specs)
{
    for (const RowSpec& s : specs)
        rows.AddRowRecord(s.Texts, s.Parent ? -1 : 0, 0, s.Parent, s.Caption, kIndent);
}

RowSpec Header(const char* caption) { return {{"", ""}, true, caption}; }
RowSpec Row(const char* text) { return {{text, "x"}, false, ""}; }
RowSpec Separator() { return {{" ", ""}, false, ""}; }

} // namespace

TEST(ListRows, LevelsDecideIndentationAndHeaders)
{
    TListRows rows;
    Fill(rows, {Header("first"), Row("a"), Header("second"), Row("b"), Separator(), Row("c"), Header("third")});
    const struct {
        bool separator;
        int indented;
        std::string first;
        int parentRow;  // index of the header above, -1 for none
    } expected[] = {
        {false, 0, "", -1},
        {false, 0, "a", 0},
        {false, 1, kIndent, 0},
        {false, 1, kIndent + "b", 2},
        {true, 0, " ", 2},
        {false, 0, "c", -1},
        {false, 0, "", -1},
    };
    ASSERT_EQ(rows.Count(), 7);
    for (int i = 0; i < rows.Count(); ++i) {
        const TListViewItemRec* r = rows.GetItem(i);
        const auto& e = expected[i];
        EXPECT_EQ(r->Separator, e.separator) << i;
        EXPECT_EQ(r->Indented, e.indented) << i;
        EXPECT_EQ(r->Columns[0], e.first) << i;
        EXPECT_EQ(r->ParentRow, e.parentRow < 0 ? nullptr : rows.GetItem(e.parentRow)) << i;
        EXPECT_TRUE(r->Visible && r->Expanded) << i;
    }
    EXPECT_EQ(rows.LastParent(), rows.GetItem(6));
    EXPECT_EQ(rows.Level(), 1);

    // A header with blank texts is no separator; a plain row of blanks is.
    EXPECT_FALSE(rows.GetItem(0)->Separator);
    // Freeing a header clears the references to it.
    rows.Delete(2);
    EXPECT_EQ(rows.GetItem(2)->ParentRow, nullptr);
    rows.Delete(rows.Count() - 1);
    EXPECT_EQ(rows.LastParent(), nullptr);
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(rows.Level(), 0);
}

TEST(ListRows, FoldingStepsKeepTheListInRowOrder)
{
    // 0 H1, 1 a, 2 H2, 3 b, 4 c, 5 separator, 6 H3 (empty group), 7 separator, 8 d
    TListRows rows;
    Fill(rows, {Header("H1"), Row("a"), Header("H2"), Row("b"), Row("c"), Separator(), Header("H3"), Separator(),
                Row("d")});
    using Steps = std::vector<TFoldStep>;
    // The second header folds its rows up to the separator.
    EXPECT_EQ(rows.ToggleHeader(2, 2), (Steps{{false, 3, 3}, {false, 4, 3}}));
    EXPECT_FALSE(rows.GetItem(2)->Expanded);
    // The first then folds what is still shown.
    EXPECT_EQ(rows.ToggleHeader(0, 0), (Steps{{false, 1, 1}, {false, 2, 1}}));
    // Unfolding stops after the folded second header.
    EXPECT_EQ(rows.ToggleHeader(0, 0), (Steps{{true, 1, 1}, {true, 2, 2}}));
    EXPECT_FALSE(rows.GetItem(3)->Visible);
    EXPECT_EQ(rows.ToggleHeader(2, 2), (Steps{{true, 3, 3}, {true, 4, 4}}));
    for (int i = 0; i < rows.Count(); ++i)
        EXPECT_TRUE(rows.GetItem(i)->Visible) << i;

    // A header whose group is empty folds and unfolds without a step.
    EXPECT_EQ(rows.ToggleHeader(6, 6), Steps{});
    EXPECT_FALSE(rows.GetItem(6)->Expanded);
    EXPECT_EQ(rows.ToggleHeader(6, 6), Steps{});
    // A plain row does nothing.
    EXPECT_EQ(rows.ToggleHeader(1, 1), Steps{});
    EXPECT_TRUE(rows.GetItem(1)->Visible);
    // The last header of the list folds to the end.
    TListRows tail;
    Fill(tail, {Row("x"), Header("last"), Row("y"), Row("z")});
    EXPECT_EQ(tail.ToggleHeader(1, 1), (Steps{{false, 2, 2}, {false, 3, 2}}));
}

TEST(ListRows, TheSignAreaMovesWithTheIndent)
{
    const struct {
        int x, y;
        bool underHeader;
        bool hit;
    } cases[] = {
        {2, 2, false, true},   {12, 12, false, true}, {1, 5, false, false}, {13, 5, false, false},
        {5, 1, false, false},  {5, 13, false, false}, {16, 2, true, true},  {26, 12, true, true},
        {15, 5, true, false},  {27, 5, true, false},  {5, 5, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SignAreaHit(c.x, c.y, c.underHeader, 14), c.hit) << c.x << "," << c.y << " " << c.underHeader;
}

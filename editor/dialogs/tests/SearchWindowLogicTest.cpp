#include <gtest/gtest.h>

#include "editor/dialogs/tests/SearchTestSupport.h"

namespace {
class SearchWindowTest : public ::testing::Test, public SearchFixture {
protected:
    TSearchWindowLogic::Input In(const std::string& data, SearchDataKind kind = SearchDataKind::Text,
                                 bool forward = true) {
        TSearchWindowLogic::Input in;
        in.Data = data;
        in.Kind = kind;
        in.Forward = forward;
        in.SelectionBoxChecked = box;
        return in;
    }
    bool box = false;
};

class ReplaceWindowTest : public ::testing::Test, public SearchFixture {
protected:
    TReplaceWindowLogic::Input In(const std::string& data, const std::string& replacement,
                                  SearchDataKind kind = SearchDataKind::Text) {
        TReplaceWindowLogic::Input in;
        in.Data = data;
        in.DataKind = kind;
        in.ReplaceData = replacement;
        in.ReplaceKind = kind;
        return in;
    }
    TReplaceWindowLogic replace{doc, view, state, finder, controls};
};
}  // namespace

TEST_F(SearchWindowTest, CountTellsTheHitsAndMovesNothing) {
    Load("AAAA", 1);
    search.Activate(0);
    search.CountPress(In("AA"));
    EXPECT_EQ(view.LastMessage(), "This data is found 2 times in this file.");
    EXPECT_EQ(view.LastCaption(), "Search");
    EXPECT_EQ(view.Cursor, 1);
    EXPECT_FALSE(view.Selected);

    Load("xAAx");
    search.Activate(0);
    search.CountPress(In("AA"));
    EXPECT_EQ(view.LastMessage(), "This data is found 1 time in this file.");

    view.Select(0, 2);
    EXPECT_EQ(search.Activate(0), "Search selection (0 to 2)");
    EXPECT_EQ(search.Activate(1), "Search selection (1 to 3)");
    box = true;
    search.SelectionBoxClick(true);
    search.CountPress(In("AA"));
    EXPECT_EQ(view.LastMessage(), "This data is found 1 time within this selection.");
    view.Select(0, 1);
    search.Activate(0);
    search.SelectionBoxClick(true);
    search.CountPress(In("AA"));  // the hit 1..2 runs past the selection
    EXPECT_EQ(view.LastMessage(), "This data is found 0 times within this selection.");
}

TEST_F(SearchWindowTest, ForwardRunEndsWithCompleted) {
    Load("xxABxx");
    search.Activate(0);
    search.SearchPress(In("AB"));
    EXPECT_TRUE(view.Selected);
    EXPECT_EQ(view.Start, 2);
    EXPECT_EQ(view.End, 3);
    EXPECT_EQ(view.Cursor, 2);
    EXPECT_TRUE(view.Messages.empty());
    search.SearchPress(In("AB"));
    EXPECT_EQ(view.LastMessage(), "Search completed.");
    EXPECT_EQ(view.LastCaption(), "Search");
    EXPECT_FALSE(view.Selected);
    EXPECT_EQ(view.Cursor, 0);

    search.SearchPress(In("zz"));
    EXPECT_EQ(view.LastMessage(), "Data not found.");
    box = true;
    search.SearchPress(In("zz"));
    EXPECT_EQ(view.LastMessage(), "Data not found in this selection.");
}

TEST_F(SearchWindowTest, AHitAtTheCursorIsFound) {
    Load("ABxAB", 3);
    search.Activate(0);
    search.SearchPress(In("AB"));
    EXPECT_EQ(view.Start, 3);
    search.SearchPress(In("AB"));  // wraps to the start
    EXPECT_EQ(view.Start, 0);
    search.SearchPress(In("AB"));
    EXPECT_EQ(view.LastMessage(), "Search completed.");
    EXPECT_EQ(view.Cursor, 3);
}

TEST_F(SearchWindowTest, BackwardWrapsToTheEnd) {
    Load("AB__AB__AB", 6);
    search.Activate(0);
    std::vector<int32_t> hits;
    for (int i = 0; i < 3; ++i) {
        search.SearchPress(In("AB", SearchDataKind::Text, false));
        ASSERT_TRUE(view.Selected);
        hits.push_back(view.Start);
    }
    EXPECT_EQ(hits, (std::vector<int32_t>{4, 0, 8}));
    search.SearchPress(In("AB", SearchDataKind::Text, false));
    EXPECT_EQ(view.LastMessage(), "Search completed.");
    EXPECT_EQ(view.Cursor, 6);
}

TEST_F(SearchWindowTest, DataKinds) {
    Load("xx:\r\nyy");
    search.Activate(0);
    search.SearchPress(In("3A 0D", SearchDataKind::Hexadecimal));
    EXPECT_EQ(view.Start, 2);
    EXPECT_EQ(view.End, 3);
    search.SearchPress(In("3A0", SearchDataKind::Hexadecimal));
    EXPECT_EQ(view.LastMessage(), "That is not correct. Use hexadecimal numbers, two digits per byte.");
    EXPECT_EQ(view.LastCaption(), "Tessaly");
    search.SearchPress(In("14 256", SearchDataKind::Decimal));
    EXPECT_EQ(view.LastMessage(), "That is not correct. Use 8 bits decimal numbers. Range: 0 to 255");

    Load(std::string("\x12\x34\x56\x78\x90", 5));
    search.Activate(0);
    search.SearchPress(In("12345 67890", SearchDataKind::Hexadecimal));
    EXPECT_EQ(view.Start, 0);
    EXPECT_EQ(view.End, 4);
    search.Activate(0);
    search.SearchPress(In("18 52", SearchDataKind::Decimal));
    EXPECT_EQ(view.End, 1);
}

TEST_F(SearchWindowTest, EmptyDataIsToldNotSearched) {
    Load("  AB  ");
    search.Activate(0);
    search.SearchPress(In(""));
    EXPECT_EQ(view.LastMessage(), "Enter data to search for. (text, decimal numbers or hexadecimal numbers)");
    // Numbers of blanks only are no data either (counting would never end).
    search.CountPress(In("   ", SearchDataKind::Hexadecimal));
    EXPECT_EQ(view.LastMessage(), "Enter data to search for. (text, decimal numbers or hexadecimal numbers)");
    search.CountPress(In("  ", SearchDataKind::Decimal));
    EXPECT_EQ(view.LastMessage(), "Enter data to search for. (text, decimal numbers or hexadecimal numbers)");
    // Blanks as text are real bytes.
    search.CountPress(In(" "));
    EXPECT_EQ(view.LastMessage(), "This data is found 4 times in this file.");

    search.FindNext(In(""));
    EXPECT_EQ(view.LastMessage(),
              "First enter data to search for. Press Ctrl+F to open the \"Search for...\" window.");
}

TEST_F(SearchWindowTest, FindNextSearchesTheWholeDocumentForward) {
    Load("AB..AB..", 2);
    view.Select(4, 7);
    search.Activate(0);
    box = true;
    search.SelectionBoxClick(true);
    search.FindNext(In("AB", SearchDataKind::Text, false));
    EXPECT_EQ(view.Start, 4);
    search.FindNext(In("AB"));  // a new run at the cursor, the selected hit skipped
    EXPECT_EQ(view.Start, 0);
}

TEST_F(SearchWindowTest, SelectionOnlyNeverReportsAHitPastTheSelection) {
    Load("ABAB__ABAB", 9);
    view.Select(1, 8);
    search.Activate(0);
    box = true;
    search.SelectionBoxClick(true);
    // Backward from beyond the range: the hit at 8 runs past its end.
    std::vector<int32_t> hits;
    for (int i = 0; i < 4; ++i) {
        search.SearchPress(In("AB", SearchDataKind::Text, false));
        if (!view.Selected) break;
        EXPECT_LE(view.End, 8);
        EXPECT_GE(view.Start, 1);
        hits.push_back(view.Start);
    }
    EXPECT_EQ(hits, (std::vector<int32_t>{6, 2}));
    EXPECT_EQ(view.LastMessage(), "Search completed.");

    // Forward from before the range.
    Load("ABAB__ABAB", 0);
    view.Select(1, 8);
    search.Activate(0);
    search.SelectionBoxClick(true);
    search.SearchPress(In("AB"));
    EXPECT_EQ(view.Start, 2);
}

TEST_F(ReplaceWindowTest, ReplaceAllGrowsInOneUndoStep) {
    Load("ABABAB");
    replace.Activate();
    replace.ReplaceAllPress(In("AB", "XYZ"));
    EXPECT_EQ(Contents(), "XYZXYZXYZ");
    EXPECT_EQ(controls.Found, "3 times found");
    EXPECT_EQ(controls.Replaced, "3 replacements");
    EXPECT_EQ(view.LastMessage(), "Search completed.");
    EXPECT_EQ(view.LastCaption(), "Replace");
    EXPECT_EQ(controls.AllCaption, "Replace &All");
    EXPECT_TRUE(view.Modified);
    doc.undo();
    EXPECT_EQ(Contents(), "ABABAB");
}

TEST_F(ReplaceWindowTest, ReplaceAllWithNothingDeletes) {
    Load("xABxAB");
    replace.Activate();
    replace.ReplaceAllPress(In("AB", ""));
    EXPECT_EQ(Contents(), "xx");
    EXPECT_EQ(controls.Replaced, "2 replacements");
}

TEST_F(ReplaceWindowTest, ReplaceSelectsThenReplaces) {
    Load("ABxAB");
    replace.Activate();
    replace.ReplacePress(In("AB", "XY"));
    EXPECT_TRUE(view.Selected);
    EXPECT_EQ(view.Start, 0);
    EXPECT_EQ(view.End, 1);
    EXPECT_EQ(controls.Found, "1 time found");
    EXPECT_EQ(controls.Replaced, "0 replacements");
    EXPECT_EQ(Contents(), "ABxAB");

    replace.ReplacePress(In("AB", "XY"));
    EXPECT_EQ(Contents(), "XYxAB");
    EXPECT_EQ(view.Start, 3);
    EXPECT_EQ(view.End, 4);
    EXPECT_EQ(controls.Found, "2 times found");
    EXPECT_EQ(controls.Replaced, "1 replacement");
    EXPECT_EQ(controls.AllCaption, "Replace and &all following");

    replace.ReplacePress(In("AB", "XY"));
    EXPECT_EQ(Contents(), "XYxXY");
    EXPECT_EQ(view.LastMessage(), "Search completed.");
    EXPECT_EQ(view.Cursor, 0);
    doc.undo();
    EXPECT_EQ(Contents(), "XYxAB");
}

TEST_F(ReplaceWindowTest, KeepFileSizeWantsEqualLengths) {
    Load("ABAB");
    view.KeepSize = true;
    replace.Activate();
    replace.ReplaceAllPress(In("AB", "XYZ"));
    EXPECT_EQ(view.LastMessage(),
              "Search data and replace data must have the same length, because the file size is protected. (see "
              "Options menu)");
    EXPECT_EQ(Contents(), "ABAB");
    replace.ReplaceAllPress(In("AB", "XY"));
    EXPECT_EQ(Contents(), "XYXY");
}

TEST_F(ReplaceWindowTest, ReplaceAllFromTheEndOfFileCell) {
    Load("ABAB", 4);
    replace.Activate();
    replace.ReplaceAllPress(In("AB", "X"));
    EXPECT_EQ(Contents(), "XX");
    EXPECT_EQ(view.Cursor, 2);
}

TEST_F(ReplaceWindowTest, InvalidDataStopsEvenSearchNext) {
    Load("ABAB");
    replace.Activate();
    replace.SearchNextPress(In("AB", "300", SearchDataKind::Text) /* both text */);
    EXPECT_TRUE(view.Selected);
    TReplaceWindowLogic::Input in = In("AB", "300");
    in.ReplaceKind = SearchDataKind::Decimal;
    view.Selected = false;
    replace.SearchNextPress(in);
    EXPECT_EQ(view.LastMessage(), "That is not correct. Use 8 bits decimal numbers. Range: 0 to 255");
    EXPECT_FALSE(view.Selected);
    replace.SearchNextPress(In("", "x"));
    EXPECT_EQ(view.LastMessage(), "Enter data to replace. Use text, decimal numbers or hexadecimal numbers.");
    replace.SearchNextPress(In(" ", "x", SearchDataKind::Hexadecimal));
    EXPECT_EQ(view.LastMessage(), "Enter data to replace. Use text, decimal numbers or hexadecimal numbers.");
}

TEST_F(ReplaceWindowTest, ReplaceAllFollowingSkipsWhatWasPassedOver) {
    // Run from 2: Search Next twice visits 3 and 6; Replace All then
    // replaces 6, 9 and (wrapped) 0, and leaves 3 alone.
    Load("AB.AB.AB.AB", 2);
    replace.Activate();
    replace.SearchNextPress(In("AB", "xy"));
    replace.SearchNextPress(In("AB", "xy"));
    EXPECT_EQ(view.Start, 6);
    EXPECT_EQ(controls.AllCaption, "Replace and &all following");
    replace.ReplaceAllPress(In("AB", "xy"));
    EXPECT_EQ(Contents(), "xy.AB.xy.xy");
    EXPECT_EQ(controls.Found, "4 times found");  // the selected hit counted once
    EXPECT_EQ(controls.Replaced, "3 replacements");
}

TEST_F(ReplaceWindowTest, EndReachedLabelWhileWrapped) {
    Load("AB.AB.", 3);
    replace.Activate();
    replace.SearchNextPress(In("AB", "x"));
    EXPECT_EQ(view.Start, 3);
    EXPECT_FALSE(controls.EndReached);
    replace.SearchNextPress(In("AB", "x"));
    EXPECT_EQ(view.Start, 0);
    EXPECT_TRUE(controls.EndReached);
    replace.SearchNextPress(In("AB", "x"));
    EXPECT_FALSE(controls.EndReached);
    EXPECT_EQ(view.LastMessage(), "Search completed.");
}

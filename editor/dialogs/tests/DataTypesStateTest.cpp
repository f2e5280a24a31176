// The data types editor's cells, range caption, write-back rule, sixteen-byte
// steps and moves between grids, on a real document.
#include "editor/dialogs/DataTypesState.h"

#include <gtest/gtest.h>

#include "editor/dialogs/tests/FakeDialogHost.h"

namespace {

std::vector<uint8_t> Count(int n) {
    std::vector<uint8_t> v(n);
    for (int i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i);
    return v;
}

std::string Cell(const DataTypesState& s, int grid, int row, int column) {
    return s.CellTexts[DataTypesState::CellIndex(grid, row, column)];
}

TEST(DataCellText, DecodesLittleEndianValues) {
    struct Case {
        std::vector<uint8_t> bytes;
        int grid, row;
        const char* text;
    };
    const Case cases[] = {
        {{0x07}, 0, 0, "07"},
        {{0xAB}, 0, 0, "AB"},
        {{0xFF}, 0, 1, "255"},
        {{0xFF}, 0, 2, "-1"},
        {{0x80}, 0, 2, "-128"},
        {{0xFF, 0xFF}, 1, 0, "65535"},
        {{0xFF, 0xFF}, 1, 1, "-1"},
        {{0x00, 0x80}, 1, 1, "-32768"},
        {{0x00, 0x00, 0xC0, 0x3F}, 2, 0, "1069547520"},
        {{0x00, 0x00, 0xC0, 0x3F}, 2, 2, "1.5"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 2, 0, "4294967295"},
        {{0x00, 0x00, 0x00, 0x80}, 2, 1, "-2147483648"},
        {{0x00, 0x00, 0x80, 0x7F}, 2, 2, "Not a valid float"},  // infinity
        {{0x00, 0x00, 0xC0, 0x7F}, 2, 2, "Not a valid float"},  // NaN
        {{0, 0, 0, 0, 0, 0, 0xF8, 0xBF}, 3, 0, "-1.5"},
        {{0, 0, 0, 0, 0, 0, 0xF0, 0x7F}, 3, 0, "Not a valid float"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataCellText(c.grid, c.row, 0, c.bytes.data(), int(c.bytes.size()), "Not a valid float"), c.text)
            << c.grid << "/" << c.row;
}

TEST(DataCellText, CellsWhoseBytesPassTheEndAreEmpty) {
    const uint8_t bytes[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(DataCellText(0, 0, 9, bytes, 10, "x"), "0A");
    EXPECT_EQ(DataCellText(0, 0, 10, bytes, 10, "x"), "");
    EXPECT_EQ(DataCellText(1, 0, 4, bytes, 10, "x"), "2569");
    EXPECT_EQ(DataCellText(1, 0, 5, bytes, 10, "x"), "");
    EXPECT_EQ(DataCellText(2, 0, 1, bytes, 10, "x"), "134678021");
    EXPECT_EQ(DataCellText(2, 0, 2, bytes, 10, "x"), "") << "bytes 8 to 11 are not all there";
    EXPECT_NE(DataCellText(3, 0, 0, bytes, 10, "x"), "");
    EXPECT_EQ(DataCellText(3, 0, 1, bytes, 10, "x"), "");
}

TEST(DataTypesState, TenByteDocumentNamesTheFileEnd) {
    FakeDialogHost host;
    host.Load(Count(10));
    DataTypesState s;
    s.FillGrids(host);
    EXPECT_EQ(s.Range, "Byte 0 to 9. Close to file end, some records are empty.");
    EXPECT_EQ(s.LastOffset, 9);
    EXPECT_EQ(Cell(s, 0, 0, 9), "09");
    EXPECT_EQ(Cell(s, 0, 0, 10), "");
    EXPECT_EQ(Cell(s, 3, 0, 1), "");
    EXPECT_FALSE(s.RightEnabled(host));
    EXPECT_FALSE(s.LeftEnabled(host));
    s.Offset = 9;
    s.FillGrids(host);
    EXPECT_EQ(s.Range, "Byte 9. Close to file end, some records are empty.");
    host.Load(Count(16));
    s.Offset = 0;
    s.FillGrids(host);
    EXPECT_EQ(s.Range, "Byte 0 to 15");
    host.firstByteNumber = 1;
    s.FillGrids(host);
    EXPECT_EQ(s.Range, "Byte 1 to 16");
}

TEST(DataTypesState, SignedMinusOneWritesTwoBytesInOneStep) {
    FakeDialogHost host;
    host.Load(Count(16));
    DataTypesState s;
    s.FillGrids(host);
    EXPECT_EQ(s.ApplyCell(host, 1, 1, 0, "-1"), 2);
    EXPECT_EQ(host.doc.getByte(0), 0xFF);
    EXPECT_EQ(host.doc.getByte(1), 0xFF);
    EXPECT_EQ(host.doc.getByte(2), 2);
    EXPECT_EQ(Cell(s, 0, 0, 0), "FF");
    EXPECT_EQ(Cell(s, 0, 2, 1), "-1");
    EXPECT_EQ(Cell(s, 1, 0, 0), "65535");
    EXPECT_EQ(host.modified, 1);
    host.doc.undo();
    EXPECT_EQ(Bytes(host.doc), Count(16));
    EXPECT_FALSE(host.doc.canUndo());
}

TEST(DataTypesState, ApplyCellResults) {
    struct Case {
        const char* name;
        int grid, row, column;
        std::string text;
        bool readOnly;
        int result;
        std::vector<uint8_t> after;  // empty: unchanged
    };
    const std::vector<uint8_t> base = Count(10);
    const Case cases[] = {
        {"hex 7", 0, 0, 1, "7", false, 1, {0, 7, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"u8 300", 0, 1, 0, "300", false, -1, {}},
        {"s16 two numbers", 1, 1, 0, "1 2", false, -2, {}},
        {"same text", 0, 1, 0, "0", false, 0, {}},
        {"emptied hex", 0, 0, 0, "", false, 0, {}},
        {"past the end", 0, 0, 12, "12", false, -3, {}},
        {"u32 partly past the end", 2, 0, 2, "5", false, -3, {}},
        {"read only", 0, 0, 0, "12", true, -4, {}},
        {"f32 1.5", 2, 2, 1, "1.5", false, 4, {0, 1, 2, 3, 0, 0, 0xC0, 0x3F, 8, 9}},
        {"s8 -128", 0, 2, 9, "-128", false, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 0x80}},
    };
    for (const Case& c : cases) {
        FakeDialogHost host;
        host.Load(base);
        host.readOnly = c.readOnly;
        DataTypesState s;
        s.FillGrids(host);
        EXPECT_EQ(s.ApplyCell(host, c.grid, c.row, c.column, c.text), c.result) << c.name;
        EXPECT_EQ(Bytes(host.doc), c.after.empty() ? base : c.after) << c.name;
        EXPECT_EQ(host.doc.canUndo(), !c.after.empty()) << c.name;
    }
}

TEST(DataTypesState, StepBackAsksOnlyWhenTheGroupingWouldChange) {
    struct Case {
        int32_t from;
        int answer;  // -1: no question expected
        int32_t to;
        bool refilled;
    };
    const Case cases[] = {
        {5, 1, 0, true}, {5, 0, 5, true}, {8, -1, 0, true}, {16, -1, 0, true}, {0, -1, 0, false}, {21, -1, 5, true},
    };
    for (const Case& c : cases) {
        FakeDialogHost host;
        host.Load(Count(64));
        DataTypesState s;
        s.Offset = c.from;
        s.FillGrids(host);
        int asked = 0;
        const bool refilled = s.ShiftOffset(host, -16, [&] {
            ++asked;
            // The window may be redrawn while it asks: it still shows its old start.
            EXPECT_EQ(s.Offset, c.from);
            return c.answer == 1;
        });
        EXPECT_EQ(asked, c.answer == -1 ? 0 : 1) << c.from;
        EXPECT_EQ(s.Offset, c.to) << c.from;
        EXPECT_EQ(refilled, c.refilled) << c.from;
        EXPECT_EQ(host.selFirst, c.to);
        EXPECT_EQ(host.selLast, s.LastOffset);
        EXPECT_EQ(host.gotoPositions, std::vector<int32_t>{c.to});
    }
}

TEST(DataTypesState, StepForwardStopsBeforeTheLastSixteen) {
    FakeDialogHost host;
    host.Load(Count(40));
    DataTypesState s;
    s.Offset = 16;
    s.FillGrids(host);
    EXPECT_TRUE(s.RightEnabled(host));
    EXPECT_TRUE(s.ShiftOffset(host, 16, nullptr));
    EXPECT_EQ(s.Offset, 32);
    EXPECT_EQ(Cell(s, 0, 0, 0), "20");
    EXPECT_FALSE(s.RightEnabled(host));
    EXPECT_TRUE(s.LeftEnabled(host));
    EXPECT_EQ(host.fullRepaints, 1);
    s.Offset = 24;
    EXPECT_FALSE(s.ShiftOffset(host, 16, nullptr));
    EXPECT_EQ(s.Offset, 24);
    EXPECT_EQ(host.fullRepaints, 1) << "no change: only the selection is redrawn";
}

TEST(MoveBetweenGrids, UpAndDownAtTheGridEdges) {
    struct Case {
        int grid, row, column;
        bool down;
        bool moves;
        int toGrid, toColumn, toRow;
    };
    const Case cases[] = {
        {0, 2, 15, true, true, 1, 7, 0}, {1, 0, 7, false, true, 0, 14, 2}, {1, 1, 5, true, true, 2, 2, 0},
        {2, 0, 3, false, true, 1, 6, 1}, {2, 2, 3, true, true, 3, 1, 0},   {3, 0, 1, false, true, 2, 2, 2},
        {0, 0, 3, false, false, 0, 0, 0}, {3, 0, 1, true, false, 0, 0, 0}, {0, 1, 3, true, false, 0, 0, 0},
        {2, 1, 0, false, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const GridMove m = MoveBetweenGrids(c.grid, c.row, c.column, c.down);
        EXPECT_EQ(m.moves, c.moves) << c.grid << "/" << c.row << (c.down ? " down" : " up");
        if (!c.moves) continue;
        EXPECT_EQ(m.grid, c.toGrid);
        EXPECT_EQ(m.column, c.toColumn);
        EXPECT_EQ(m.row, c.toRow);
    }
}

}  // namespace

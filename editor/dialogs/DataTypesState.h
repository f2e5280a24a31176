#pragma once
// The data types editor's contents: sixteen bytes from Offset decoded in four
// grids (bytes as hexadecimal and 8-bit numbers; 16-bit numbers; 32-bit
// numbers and floats; 64-bit floats), the rule that writes an edited cell
// back, the step of sixteen bytes to either side, and the way the arrow keys
// pass from one grid to the next.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "editor/dialogs/DialogHost.h"

// Columns, rows and bytes per cell of the four grids.
struct DataGridShape {
    int columns, rows, width;
};
inline constexpr std::array<DataGridShape, 4> DataGridShapes{{{16, 3, 1}, {8, 2, 2}, {4, 3, 4}, {2, 1, 8}}};

// The text of one cell (grid 0..3, row, column) for the bytes at the shown
// range; bytes[0..available) are the document's bytes from Offset. Empty when
// the cell's bytes do not all lie in the document.
std::string DataCellText(int grid, int row, int column, const uint8_t* bytes, int available,
                         const std::string& notValidFloat);

// Where Up on a grid's first row or Down on its last row goes.
struct GridMove {
    bool moves = false;
    int grid = 0, column = 0, row = 0;
};
GridMove MoveBetweenGrids(int grid, int row, int column, bool down);

class DataTypesState {
public:
    enum ApplyResult : int { ReadOnlyOn = -4, PastEnd = -3, MoreThanOne = -2, NotValid = -1, Unchanged = 0 };
    static constexpr int CellCount = 48 + 16 + 12 + 2;

    // Index of a cell in CellTexts.
    static int CellIndex(int grid, int row, int column);

    // The range caption and every cell text from the document.
    void FillGrids(DialogHost& host);
    // Applies the text of a grid's cell. Results: ApplyResult, or the number
    // of bytes written (1, 2, 4 or 8). After PastEnd the column's cells
    // should show their CellTexts again; after NotValid, MoreThanOne or a
    // write all cells have been refilled; other results change nothing.
    int ApplyCell(DialogHost& host, int grid, int row, int column, const std::string& text);
    // One step of -16 or +16 bytes. For a step back that would pass the
    // document's start at a position other than 8 or 16, askRegroup decides
    // (true: go to 0). True when the cells were refilled.
    bool ShiftOffset(DialogHost& host, int delta, const std::function<bool()>& askRegroup);
    // Which scroll buttons are enabled.
    bool LeftEnabled(DialogHost& host) const;
    bool RightEnabled(DialogHost& host) const;

    int32_t Offset = 0;
    int32_t LastOffset = 0;
    std::array<std::string, CellCount> CellTexts;
    std::string Range;
};

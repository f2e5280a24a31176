#pragma once
// What one cell of the byte view looks like: its rectangle, brush and font
// colours, text, the frame or bar that marks special bytes and the end of
// the file, and the underline of the digit being typed. The drawing code
// paints exactly this.
#include <cstdint>
#include <string>

#include "editor/main/ByteViewGeometry.h"
#include "framework/Graphic.h"

// The six colours of the views, in the order of the settings.
struct TViewColors {
    TColor Background = 0x800000;
    TColor Selection = 0xE47E46;
    TColor Data1 = 0xFFFFFF;
    TColor Data2 = 0x00FFFF;
    TColor Cursor = 0xC0C0C0;
    TColor SelectedText = 0xFFFFFF;
};

enum class TCellShape {
    Text,   // text drawn over the brush (Text view: centred)
    Frame,  // Text view byte 0, 10 or 13: a frame in Mark
    Bar,    // end-of-file cell of the Text view: a 3-pixel bar in Mark
    Empty,  // beyond the end: the brush alone
};

struct TCellLook {
    TRect Rect;
    TCellShape Shape = TCellShape::Empty;
    TColor Brush = 0;
    TColor Font = 0;
    TColor Mark = 0;
    std::string Text;
    bool Centred = false;   // Text view: centred in the cell
    std::string Underline;  // drawn over the text with a clear brush, or empty
};

// What the cell needs to know of the window's state.
struct TCellContext {
    TViewWidths Widths;
    TViewColors Colors;
    int32_t TopOffset = 0;
    int32_t CursorOffset = 0;
    int32_t Size = 0;
    int ActiveView = 0;
    int DigitIndex = 1;
    bool SelectionActive = false;
    int32_t SelStart = 0, SelEnd = 0;
};

// The look of screen index `index` in `view`; byte is the document's byte at
// the cell's position (ignored at and past the end).
TCellLook DescribeCell(int view, int index, uint8_t byte, const TCellContext& context);

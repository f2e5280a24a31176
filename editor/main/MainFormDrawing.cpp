// Drawing the byte view: the background with its two separators, every
// cell of the three views, single cells, and the canvas font whose height
// and colour change only when they really differ.
#include "editor/document/DataFile.h"
#include "editor/document/PerformanceCounter.h"
#include "editor/document/PfTimer.h"
#include "editor/main/CellLook.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"

namespace {
void Fill(HDC dc, int left, int top, int right, int bottom, TColor color) {
    RECT r{left, top, right, bottom};
    SetDCBrushColor(dc, ToColorRef(color));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, int left, int top, int right, int bottom, TColor color) {
    RECT r{left, top, right, bottom};
    SetDCBrushColor(dc, ToColorRef(color));
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

RECT ToRect(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
}  // namespace

// Every glyph of the views is drawn without anti-aliasing: the font is made
// again from its own description with that quality.
void TMainForm::ApplyFontQuality() {
    TFont& font = ByteView->Font;
    LOGFONTA description{};
    if (!GetObjectA(font.Handle(), sizeof description, &description)) return;
    description.lfQuality = NONANTIALIASED_QUALITY;
    font.SetHandle(CreateFontIndirectA(&description));
}

void TMainForm::SetFontHeight(int height) {
    if (height == FontHeightInUse) return;
    FontHeightInUse = height;
    ByteView->Font.SetHeight(height);
    ApplyFontQuality();
}

void TMainForm::SetFontColor(TColor color) {
    if (color == FontColorInUse) return;
    FontColorInUse = color;
    ByteView->Font.Color = color;
    ApplyFontQuality();
}

void TMainForm::SetViewFont(int view) {
    TViewWidths widths = SectionWidths();
    CellFontSize = ViewCellFontSize(view, widths);
    SetFontHeight(ViewFontHeight(view, widths));
}

void TMainForm::DrawBackground(HDC dc) {
    RECT client;
    GetClientRect(ByteView->Handle(), &client);
    Fill(dc, 0, 0, client.right, client.bottom, Colors.Background);
    TViewWidths w = SectionWidths();
    SetDCPenColor(dc, ToColorRef(Colors.Data1));
    TSelectGuard pen(dc, GetStockObject(DC_PEN));
    for (int x : {w.W0 - 1, w.W0 - 1 + w.W1}) {
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, client.bottom);
    }
}

void TMainForm::DrawCell(HDC dc, int view, int index) {
    TCellContext context;
    context.Widths = SectionWidths();
    context.Colors = Colors;
    context.TopOffset = TopOffset;
    context.CursorOffset = CursorOffset;
    context.Size = DataFile.size;
    context.ActiveView = ActiveView;
    context.DigitIndex = DigitIndex;
    context.SelectionActive = SelectionActive != 0;
    context.SelStart = SelStart;
    context.SelEnd = SelEnd;
    int64_t position = int64_t{TopOffset} + index;
    uint8_t byte = position < DataFile.size ? DataFile.getByte(static_cast<int32_t>(position)) : 0;
    TCellLook look = DescribeCell(view, index, byte, context);

    if (view == ViewHexadecimal) SetFontHeight(CellFontSize);
    const TRect& r = look.Rect;
    int x = r.Left, y = r.Top, cw = ViewCells(view, context.Widths).CellWidth;
    switch (look.Shape) {
        case TCellShape::Frame:
            Frame(dc, r.Left, r.Top, r.Right, r.Bottom, look.Brush);
            Fill(dc, x + 2, y + 2, x + cw - 2, y + 23, look.Brush);
            Frame(dc, x + 1, y + 1, x + cw - 1, y + 24, look.Mark);
            return;
        case TCellShape::Bar:
            Frame(dc, r.Left, r.Top, r.Right, r.Bottom, look.Brush);
            Fill(dc, x + 4, y + 1, x + cw - 1, y + 24, look.Brush);
            Fill(dc, x + 1, y + 1, x + 4, y + 24, look.Mark);
            return;
        case TCellShape::Empty:
            Fill(dc, r.Left, r.Top, r.Right, r.Bottom, look.Brush);
            return;
        case TCellShape::Text: break;
    }
    if (view == ViewHexadecimal) Fill(dc, r.Left, r.Top, r.Right, r.Bottom, look.Brush);
    SetFontColor(look.Font);
    TSelectGuard font(dc, ByteView->Font.Handle());
    SetTextColor(dc, ToColorRef(look.Font));
    SetBkColor(dc, ToColorRef(look.Brush));
    int offset = 0;
    if (look.Centred) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, look.Text.c_str(), static_cast<int>(look.Text.size()), &extent);
        offset = r.Width() / 2 - extent.cx / 2;
    }
    RECT clip = ToRect(r);
    ExtTextOutA(dc, x + offset, y, ETO_OPAQUE | ETO_CLIPPED, &clip, look.Text.c_str(),
                static_cast<UINT>(look.Text.size()), nullptr);
    if (!look.Underline.empty()) {
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, x, y, look.Underline.c_str(), static_cast<int>(look.Underline.size()));
        SetBkMode(dc, OPAQUE);
    }
}

void TMainForm::DrawAllCells(HDC dc) {
    PfTimer stopwatch("Unnamed", nullptr, &PerformanceCounterTicks());
    stopwatch.start();
    Rows = ByteView->ClientHeight() / RowHeight;
    TViewWidths widths = SectionWidths();
    for (int view : {ViewText, ViewDecimal, ViewHexadecimal}) {
        if (widths.Width(view) < MinDrawnViewWidth) continue;
        SetViewFont(view);
        for (int column = 0; column < 16; ++column)
            for (int row = 0; row < Rows; ++row) DrawCell(dc, view, row * 16 + column);
    }
    stopwatch.stop();
}

void TMainForm::DrawByte(int index, HDC dc) {
    if (index < 0 || index >= Rows * 16) return;
    TViewWidths widths = SectionWidths();
    for (int view : {ViewText, ViewDecimal, ViewHexadecimal}) {
        if (widths.Width(view) < MinDrawnViewWidth) continue;
        SetViewFont(view);
        DrawCell(dc, view, index);
    }
}

void TMainForm::DrawAllCells() {
    TClientDC dc(ByteView->Handle());
    DrawAllCells(dc.Handle());
}

void TMainForm::DrawByte(int index) {
    if (index < 0 || index >= Rows * 16 || !ByteView->HandleAllocated()) return;
    TClientDC dc(ByteView->Handle());
    DrawByte(index, dc.Handle());
}

void TMainForm::RepaintAll() {
    DrawAllCells();
    UpdateStatusBar();
    UpdateScrollBar();
}

void TMainForm::RedrawScreen() {
    TClientDC dc(ByteView->Handle());
    DrawBackground(dc.Handle());
    DrawAllCells(dc.Handle());
}

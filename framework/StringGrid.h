#pragma once
// A grid of text cells with one current cell. Arrow keys and clicks move the
// current cell and raise OnClick after the move; with goEditing, typing or
// Enter or F2 opens an edit box over the current cell, whose keys reach
// OnKeyDown with the grid as sender before the grid acts on them: Enter
// closes it keeping the text, Up and Down close it and move, Escape drops
// the text typed. The window draws its cells through OnDrawCell, or itself.
#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"

class TEdit;

enum : unsigned { goEditing = 1 };

using TDrawCellEvent =
    std::function<void(TObject* sender, int col, int row, HDC dc, const RECT& rect, bool selected, bool focused)>;

class TStringGrid : public TWinControl {
public:
    explicit TStringGrid(TComponent* owner);
    std::string ClassName() const override { return "TStringGrid"; }

    void SetSize(int colCount, int rowCount);
    int ColCount() const { return FCols; }
    int RowCount() const { return FRows; }
    int DefaultColWidth = 64;
    int DefaultRowHeight = 24;
    unsigned Options = goEditing;
    HFONT Font = nullptr;  // not owned; null: the dialog font
    bool Border = true;    // a sunken frame around the cells; set before the window is made

    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    // Moves the current cell without raising OnClick.
    void SetCurrent(int col, int row);
    // The edit box over the current cell: open or closed; closing keeps its
    // text in the cell.
    bool EditorMode() const { return FEditor != nullptr && FEditorOpen; }
    void SetEditorMode(bool open);
    // The edit box's window while it is open, else null.
    HWND EditorHandle() const;
    RECT CellRect(int col, int row) const;

    TDrawCellEvent OnDrawCell;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void Paint();
    void MoveTo(int col, int row);
    void OpenEditor(const std::string& text, bool selectAll);
    void CloseEditor(bool keep);
    bool EditorKey(WORD key, TShiftState shift);
    int FCols = 1, FRows = 1;
    int FCol = 0, FRow = 0;
    std::vector<std::string> FCells{1};
    TEdit* FEditor = nullptr;
    bool FEditorOpen = false;
};

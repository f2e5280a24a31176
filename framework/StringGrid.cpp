#include "framework/StringGrid.h"

#include "framework/StdCtrls.h"

namespace {
const std::string EmptyCell;
}

TStringGrid::TStringGrid(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TStringGrid::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
    if (Border) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::SetSize(int colCount, int rowCount) {
    FCols = colCount < 1 ? 1 : colCount;
    FRows = rowCount < 1 ? 1 : rowCount;
    FCells.assign(static_cast<size_t>(FCols) * FRows, std::string());
    FCol = FRow = 0;
    Invalidate();
}

const std::string& TStringGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= FCols || row >= FRows) return EmptyCell;
    return FCells[static_cast<size_t>(row) * FCols + col];
}

void TStringGrid::SetCell(int col, int row, const std::string& text) {
    if (col < 0 || row < 0 || col >= FCols || row >= FRows) return;
    FCells[static_cast<size_t>(row) * FCols + col] = text;
    if (EditorMode() && col == FCol && row == FRow) SetWindowTextA(FEditor->Handle(), text.c_str());
    if (FHandle) {
        RECT r = CellRect(col, row);
        InvalidateRect(FHandle, &r, FALSE);
    }
}

void TStringGrid::SetCurrent(int col, int row) {
    if (col < 0 || row < 0 || col >= FCols || row >= FRows) return;
    if (EditorMode()) CloseEditor(true);
    FCol = col;
    FRow = row;
    Invalidate();
}

RECT TStringGrid::CellRect(int col, int row) const {
    // Each cell is followed by a one-pixel grid line.
    RECT r;
    r.left = col * (DefaultColWidth + 1);
    r.top = row * (DefaultRowHeight + 1);
    r.right = r.left + DefaultColWidth;
    r.bottom = r.top + DefaultRowHeight;
    return r;
}

HWND TStringGrid::EditorHandle() const { return EditorMode() ? FEditor->Handle() : nullptr; }

void TStringGrid::MoveTo(int col, int row) {
    if (col < 0 || row < 0 || col >= FCols || row >= FRows) return;
    if (EditorMode()) CloseEditor(true);
    if (col == FCol && row == FRow) return;
    FCol = col;
    FRow = row;
    Invalidate();
    if (OnClick) OnClick(this);
}

void TStringGrid::SetEditorMode(bool open) {
    if (open == EditorMode()) return;
    if (open)
        OpenEditor(Cell(FCol, FRow), true);
    else
        CloseEditor(true);
}

void TStringGrid::OpenEditor(const std::string& text, bool selectAll) {
    if (!(Options & goEditing) || !FHandle) return;
    if (!FEditor) {
        FEditor = new TEdit(this);
        FEditor->SetParent(this);
        FEditor->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
            if (EditorKey(key, shift)) key = 0;
        };
        // Enter and Escape would beep in a one-line edit box.
        auto inner = FEditor->WindowProc;
        FEditor->WindowProc = [inner](UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_CHAR && (w == VK_RETURN || w == VK_ESCAPE)) return 0;
            if (m == WM_GETDLGCODE) return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
            return inner(m, w, l);
        };
    }
    const RECT r = CellRect(FCol, FRow);
    FEditor->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    HWND edit = FEditor->Handle();
    SetWindowLongPtrA(edit, GWL_EXSTYLE, GetWindowLongPtrA(edit, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE));
    SetWindowPos(edit, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
    if (Font) SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    SetWindowTextA(edit, text.c_str());
    FEditorOpen = true;
    FEditor->Show();
    SetFocus();
    ::SetFocus(edit);
    if (selectAll)
        SendMessageA(edit, EM_SETSEL, 0, -1);
    else
        SendMessageA(edit, EM_SETSEL, text.size(), text.size());
}

void TStringGrid::CloseEditor(bool keep) {
    if (!EditorMode()) return;
    FEditorOpen = false;
    if (keep) {
        HWND edit = FEditor->Handle();
        const int n = GetWindowTextLengthA(edit);
        std::string text(static_cast<size_t>(n) + 1, '\0');
        GetWindowTextA(edit, text.data(), n + 1);
        text.resize(static_cast<size_t>(n));
        FCells[static_cast<size_t>(FRow) * FCols + FCol] = text;
    }
    const bool hadFocus = GetFocus() == FEditor->Handle();
    FEditor->Hide();
    if (hadFocus) ::SetFocus(FHandle);
    Invalidate();
}

// Keys of the edit box: the grid's OnKeyDown sees them first, then Enter,
// Escape, Up and Down act on the grid; true when the key is used up.
bool TStringGrid::EditorKey(WORD key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) return true;
    }
    if (!EditorMode()) return true;  // the handler closed the editor
    switch (key) {
        case VK_RETURN: CloseEditor(true); return true;
        case VK_ESCAPE: CloseEditor(false); return true;
        case VK_UP: MoveTo(FCol, FRow - 1); return true;
        case VK_DOWN: MoveTo(FCol, FRow + 1); return true;
        default: return false;
    }
}

void TStringGrid::KeyDown(WORD& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    switch (key) {
        case VK_LEFT: MoveTo(FCol - 1, FRow); break;
        case VK_RIGHT: MoveTo(FCol + 1, FRow); break;
        case VK_UP: MoveTo(FCol, FRow - 1); break;
        case VK_DOWN: MoveTo(FCol, FRow + 1); break;
        case VK_HOME: MoveTo(0, FRow); break;
        case VK_END: MoveTo(FCols - 1, FRow); break;
        case VK_RETURN:
        case VK_F2: OpenEditor(Cell(FCol, FRow), key == VK_RETURN); break;
        default: return;
    }
    key = 0;
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    SetFocus();
    TWinControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    const int col = x / (DefaultColWidth + 1), row = y / (DefaultRowHeight + 1);
    MoveTo(col, row);
}

LRESULT TStringGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: Paint(); return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); break;
        case WM_CHAR:
            // A typed character opens the edit box with that character.
            if (wParam >= 32 && (Options & goEditing) && !EditorMode()) {
                OpenEditor(std::string(1, static_cast<char>(wParam)), false);
                return 0;
            }
            break;
        case WM_COMMAND:
            return 0;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

void TStringGrid::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    RECT client;
    GetClientRect(FHandle, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const bool focused = GetFocus() == FHandle;
    HGDIOBJ oldFont = SelectObject(dc, Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (int row = 0; row < FRows; ++row) {
        for (int col = 0; col < FCols; ++col) {
            const RECT r = CellRect(col, row);
            const bool selected = col == FCol && row == FRow;
            if (OnDrawCell) {
                OnDrawCell(this, col, row, dc, r, selected, focused);
            } else {
                const bool hot = selected && focused;
                FillRect(dc, &r, GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_WINDOW));
                SetBkMode(dc, TRANSPARENT);
                SetTextColor(dc, GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
                RECT t = r;
                t.left += 2;
                const std::string& s = Cell(col, row);
                DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            }
            MoveToEx(dc, r.right, r.top, nullptr);
            LineTo(dc, r.right, r.bottom + 1);
            MoveToEx(dc, r.left, r.bottom, nullptr);
            LineTo(dc, r.right + 1, r.bottom);
        }
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, oldFont);
    EndPaint(FHandle, &ps);
}

#include "framework/Shape.h"

#include "framework/Graphics.h"

TShape::TShape(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TShape::SetBrushColor(TColor color) {
    if (color == FBrushColor) return;
    FBrushColor = color;
    Invalidate();
}

LRESULT TShape::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            RECT r;
            GetClientRect(FHandle, &r);
            HBRUSH brush = CreateSolidBrush(ToColorRef(FBrushColor));
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(brush);
            EndPaint(FHandle, &ps);
            return 0;
        }
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

#include "framework/GraphicCtrls.h"

#include "framework/Graphics.h"

void Frame3D(HDC dc, RECT& rect, TColor topColour, TColor bottomColour, int width) {
    HPEN top = CreatePen(PS_SOLID, 1, ToColorRef(topColour));
    HPEN bottom = CreatePen(PS_SOLID, 1, ToColorRef(bottomColour));
    HGDIOBJ old = SelectObject(dc, top);
    for (int i = 0; i < width; ++i) {
        --rect.bottom;
        --rect.right;
        SelectObject(dc, top);
        MoveToEx(dc, rect.left, rect.bottom, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, rect.right, rect.top);
        SelectObject(dc, bottom);
        LineTo(dc, rect.right, rect.bottom);
        LineTo(dc, rect.left - 1, rect.bottom);
        ++rect.left;
        ++rect.top;
    }
    SelectObject(dc, old);
    DeleteObject(top);
    DeleteObject(bottom);
}

TPaintBox::TPaintBox(TComponent* owner) : TCustomControl(owner) {
    FWidth = 105;
    FHeight = 105;
}

void TPaintBox::Paint() {
    if (OnPaint) OnPaint(this);
}

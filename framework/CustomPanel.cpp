#include "framework/CustomPanel.h"

#include "framework/ControlNotify.h"
#include "framework/GraphicCtrls.h"

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    FWidth = 185;
    FHeight = 41;
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::PaintFrame(RECT& rect) {
    HDC dc = Canvas().Handle();
    TColor light = SysColor(COLOR_BTNHIGHLIGHT), dark = SysColor(COLOR_BTNSHADOW);
    GetClientRect(FHandle, &rect);
    if (BevelOuter != bvNoBevel)
        Frame3D(dc, rect, BevelOuter == bvLoweredBevel ? dark : light, BevelOuter == bvLoweredBevel ? light : dark,
                BevelWidth);
    Frame3D(dc, rect, Color, Color, BorderWidth);
    if (BevelInner != bvNoBevel)
        Frame3D(dc, rect, BevelInner == bvLoweredBevel ? dark : light, BevelInner == bvLoweredBevel ? light : dark,
                BevelWidth);
    Canvas().BrushColor = Color;
    Canvas().FillRect(TRect{rect.left, rect.top, rect.right, rect.bottom});
}

void TCustomPanel::Paint() {
    static const UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    RECT rect;
    PaintFrame(rect);
    std::string caption = Caption();
    HDC dc = Canvas().Handle();
    TSelectGuard font(dc, Font.Handle());
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, caption.c_str(), -1, &rect,
              DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | kAlignments[Alignment]));
}

LRESULT TCustomPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (ReflectToControl(msg, wParam, lParam, result)) return result;
            return TCustomControl::WndProc(msg, wParam, lParam);
        }
        case WM_SETTEXT: {
            LRESULT r = TCustomControl::WndProc(msg, wParam, lParam);
            Invalidate();
            return r;
        }
        default: return TCustomControl::WndProc(msg, wParam, lParam);
    }
}

TCustomControlBar::TCustomControlBar(TComponent* owner) : TCustomPanel(owner) {
    BevelOuter = bvLoweredBevel;
    FHeight = 50;
}

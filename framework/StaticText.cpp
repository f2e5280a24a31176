#include "framework/StaticText.h"

#include "framework/CustomLabel.h"

TCustomStaticText::TCustomStaticText(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 65;
    FHeight = 17;
}

void TCustomStaticText::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "STATIC";
    params.Style |= SS_LEFT | SS_NOTIFY | (ShowAccelChar ? 0 : SS_NOPREFIX);
}

void TCustomStaticText::CreateHandleDone() { UseDialogFont(FHandle); }

void TCustomStaticText::SetAutoSize(bool value) {
    FAutoSize = value;
    if (value) AdjustBounds();
}

void TCustomStaticText::Loaded() {
    Loading = false;
    AdjustBounds();
}

void TCustomStaticText::AdjustBounds() {
    if (Loading || !FAutoSize) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    std::string text = Caption();
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    SetBounds(FLeft, FTop, size.cx + 4 * GetSystemMetrics(SM_CXBORDER), size.cy + 4 * GetSystemMetrics(SM_CYBORDER));
}

bool TCustomStaticText::CMDialogChar(WPARAM charCode) {
    if (FocusControl && Enabled() && ShowAccelChar && IsAccel(charCode, Caption()) && FocusControl->Enabled()) {
        FocusControl->SetFocus();
        return true;
    }
    return false;
}

LRESULT TCustomStaticText::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case CM_DIALOGCHAR: return CMDialogChar(wParam) ? 1 : 0;
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            AdjustBounds();
            return 0;
        case WM_SETTEXT: {
            LRESULT r = TWinControl::WndProc(msg, wParam, lParam);
            Perform(CM_TEXTCHANGED, 0, 0);
            return r;
        }
        default: return TWinControl::WndProc(msg, wParam, lParam);
    }
}

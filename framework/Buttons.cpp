#include "framework/Buttons.h"

#include <commctrl.h>

#include "framework/StdCtrls.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TWinControl(owner) { FVisible = true; }

TSpeedButton::~TSpeedButton() {
    DestroyHandle();
    if (Glyph_) ImageList_Destroy(Glyph_);
}

void TSpeedButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassStyle = 0;  // a quick second click is a second click
}

bool TSpeedButton::LoadGlyph(const std::string& resourceName) {
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF clear = GetPixel(dc, 0, info.bmHeight - 1);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (Glyph_) ImageList_Destroy(Glyph_);
    Glyph_ = ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (Glyph_) ImageList_AddMasked(Glyph_, bitmap, clear);
    DeleteObject(bitmap);
    GlyphWidth_ = info.bmWidth;
    GlyphHeight_ = info.bmHeight;
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
    return Glyph_ != nullptr;
}

void TSpeedButton::DoClick() {
    if (FEnabled && OnClick) OnClick(this);
}

// A raised frame, pressed while held; the glyph and the caption side by
// side in the middle, moved one pixel while pressed.
void TSpeedButton::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    RECT r;
    GetClientRect(FHandle, &r);
    bool pressed = Down_ && Inside_;
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    int shift = pressed ? 1 : 0;

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetParent(FHandle), WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ oldFont = SelectObject(dc, font);
    const std::string caption = FCaption;
    SIZE text{};
    if (!caption.empty()) GetTextExtentPoint32A(dc, caption.data(), static_cast<int>(caption.size()), &text);
    int gap = (Glyph_ && !caption.empty()) ? 4 : 0;
    int glyphWidth = Glyph_ ? GlyphWidth_ : 0;
    int total = glyphWidth + gap + text.cx;
    int x = (r.right - total) / 2 + shift;
    if (Glyph_) {
        int y = (r.bottom - GlyphHeight_) / 2 + shift;
        if (FEnabled) {
            ImageList_Draw(Glyph_, 0, dc, x, y, ILD_TRANSPARENT);
        } else {
            HICON icon = ImageList_GetIcon(Glyph_, 0, ILD_TRANSPARENT);
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON | DSS_DISABLED);
            DestroyIcon(icon);
        }
    }
    if (!caption.empty()) {
        SetBkMode(dc, TRANSPARENT);
        RECT t{x + glyphWidth + gap, shift, x + total + 1, r.bottom + shift};
        if (FEnabled) {
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        } else {
            // Greyed as the system greys a disabled button's text: a light
            // copy one pixel down and right under a shadow-coloured one.
            OffsetRect(&t, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            OffsetRect(&t, -1, -1);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
            DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
    }
    SelectObject(dc, oldFont);
    EndPaint(FHandle, &ps);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_ENABLE: InvalidateRect(FHandle, nullptr, TRUE); break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!FEnabled) return 0;
            Down_ = Inside_ = true;
            SetCapture(FHandle);
            InvalidateRect(FHandle, nullptr, TRUE);
            return 0;
        case WM_MOUSEMOVE:
            if (Down_) {
                POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                RECT r;
                GetClientRect(FHandle, &r);
                bool inside = PtInRect(&r, p) != FALSE;
                if (inside != Inside_) {
                    Inside_ = inside;
                    InvalidateRect(FHandle, nullptr, TRUE);
                }
            }
            break;
        case WM_LBUTTONUP:
            if (Down_) {
                bool click = Inside_;
                Down_ = false;
                ReleaseCapture();
                InvalidateRect(FHandle, nullptr, TRUE);
                if (click) DoClick();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (Down_ && reinterpret_cast<HWND>(lParam) != FHandle) {
                Down_ = false;
                InvalidateRect(FHandle, nullptr, TRUE);
            }
            break;
        case WM_SETTEXT: {
            LRESULT r = TWinControl::WndProc(msg, wParam, lParam);
            InvalidateRect(FHandle, nullptr, TRUE);
            return r;
        }
        default: break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

TActionLinkClass TSpeedButton::GetActionLinkClass() { return &TSpeedButtonActionLink::Make; }

TActionLinkClass TBitBtn::GetActionLinkClass() { return &TBitBtnActionLink::Make; }

void TSpeedButtonActionLink::SetImageIndex(int value) {
    if (!IsImageIndexLinked()) return;
    if (auto* button = dynamic_cast<TSpeedButton*>(FClient)) {
        button->ImageIndex = value;
        button->Invalidate();
    }
}

void TBitBtnActionLink::SetImageIndex(int value) {
    if (!IsImageIndexLinked()) return;
    if (auto* button = dynamic_cast<TBitBtn*>(FClient)) button->ImageIndex = value;
}

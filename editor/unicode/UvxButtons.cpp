#include "editor/unicode/UvxButtons.h"

#include <vsstyle.h>

#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxGraphics.h"
#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/ThemeServices.h"
#include "framework/WinText.h"

namespace {
bool CanFocus(TWinControl* c) {
    for (HWND h = c->Handle(); h; h = GetParent(h))
        if (!IsWindowEnabled(h) || !IsWindowVisible(h)) return false;
    return true;
}

bool IsAccelOf(TWinControl* control, WPARAM charCode) {
    return IsWideCharAccel(static_cast<WORD>(charCode), UvxControl_GetText(control)) && CanFocus(control);
}
}  // namespace

bool UvxButton_CMDialogChar(TButton* button, WPARAM charCode) {
    if (!IsAccelOf(button, charCode)) return false;
    button->DoClick();
    return true;
}

void TUvxButton::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, u"BUTTON"); }

LRESULT TUvxButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_DIALOGCHAR) return UvxButton_CMDialogChar(this, wParam) ? 1 : Broadcast(msg, wParam, lParam);
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return TButton::WndProc(msg, wParam, lParam);
}

void TUvxCustomCheckBox::CreateWindowHandle(const TCreateParams& params) {
    CreateUnicodeHandle(this, params, u"BUTTON");
}

LRESULT TUvxCustomCheckBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_DIALOGCHAR) {
        if (!IsAccelOf(this, wParam)) return Broadcast(msg, wParam, lParam);
        SetFocus();
        if (Focused()) Toggle();
        return 1;
    }
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return TCustomCheckBox::WndProc(msg, wParam, lParam);
}

void TUvxRadioButton::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, u"BUTTON"); }

LRESULT TUvxRadioButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_DIALOGCHAR) {
        if (!IsAccelOf(this, wParam)) return Broadcast(msg, wParam, lParam);
        SetFocus();
        return 1;
    }
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return TRadioButton::WndProc(msg, wParam, lParam);
}

void TUvxScrollBar::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, u"SCROLLBAR"); }

LRESULT TUvxScrollBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return TScrollBar::WndProc(msg, wParam, lParam);
}

// ---- group box ----

void TUvxCustomGroupBox::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, u""); }

bool TUvxCustomGroupBox::CMDialogChar(WPARAM charCode) {
    if (!IsAccelOf(this, charCode)) return false;
    SelectFirst();
    return true;
}

LRESULT TUvxCustomGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return TCustomGroupBox::WndProc(msg, wParam, lParam);
}

// With a visual style the style draws the frame and the caption; without,
// the classic frame: a highlight and a shadow line (Ctl3D) or one dark line.
void TUvxCustomGroupBox::Paint() {
    if (!Win32PlatformIsUnicode) return TCustomGroupBox::Paint();
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    TSelectGuard font(dc, Font.Handle());
    std::u16string caption = GetCaption();
    if (ThemeServices().ThemesEnabled()) return PaintThemed(dc, caption);
    int h = WideCanvasTextHeight(canvas, u"0");
    RECT r;
    GetClientRect(FHandle, &r);
    r.top = h / 2 - 1;
    if (Ctl3D) {
        ++r.left;
        ++r.top;
        FrameRectColour(dc, r, SysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&r, -1, -1);
        FrameRectColour(dc, r, SysColor(COLOR_BTNSHADOW));
    } else {
        FrameRectColour(dc, r, SysColor(COLOR_WINDOWFRAME));
    }
    if (caption.empty()) return;
    RECT text{8, 0, 0, h};
    if (UseRightToLeftAlignment()) text.left = r.right - WideCanvasTextWidth(canvas, caption) - 8;
    UINT flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
    Uvx_DrawTextW(dc, WC(caption), -1, &text, flags | DT_CALCRECT);
    HBRUSH brush = CreateSolidBrush(ToColorRef(Color));
    FillRect(dc, &text, brush);
    DeleteObject(brush);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    Uvx_DrawTextW(dc, WC(caption), -1, &text, flags);
    SetBkMode(dc, oldMode);
}

// The caption sits in a gap of the style's frame, 8 pixels from the left
// (right-to-left: from the right) edge; without a caption the frame takes
// the whole client area.
void TUvxCustomGroupBox::PaintThemed(HDC dc, const std::u16string& caption) {
    RECT captionRect{};
    if (!caption.empty()) {
        SIZE size{};
        GetTextExtentPoint32W(dc, WC(caption), static_cast<int>(caption.size()), &size);
        captionRect = RECT{0, 0, size.cx, size.cy};
        OffsetRect(&captionRect, UseRightToLeftAlignment() ? Width() - captionRect.right - 8 : 8, 0);
    }
    RECT outer;
    GetClientRect(FHandle, &outer);
    outer.top = (captionRect.bottom - captionRect.top) / 2;
    const int state = Enabled() ? GBS_NORMAL : GBS_DISABLED;
    ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);
    ThemeServices().DrawElement(FHandle, L"BUTTON", BP_GROUPBOX, state, dc, outer);
    SelectClipRgn(dc, nullptr);
    if (!Caption().empty())
        ThemeServices().DrawText(FHandle, L"BUTTON", BP_GROUPBOX, state, dc, WC(caption), static_cast<int>(caption.size()),
                                 0, captionRect);
}

#include "editor/unicode/UvxHintWindow.h"

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxGraphics.h"
#include "editor/unicode/UvxHotkeys.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/ActnList.h"
#include "framework/Menus.h"
#include "framework/WinText.h"

const THintWindowClassInfo TUvxCustomHintWindow::ClassInfo{
    "TUvxCustomHintWindow", &THintWindow::ClassInfo, [](TComponent* owner) -> THintWindow* {
        return new TUvxCustomHintWindow(owner);
    }};
const THintWindowClassInfo TUvxHintWindow::ClassInfo{
    "TUvxHintWindow", &TUvxCustomHintWindow::ClassInfo,
    [](TComponent* owner) -> THintWindow* { return new TUvxHintWindow(owner); }};

namespace {
// Hint information that ProcessCMHintShowMsg marked: its data is itself.
THintInfo* AsHintInfo(void* data) {
    auto* info = static_cast<THintInfo*>(data);
    if (!info || info->HintData != info || !info->HintWindowClass) return nullptr;
    return info->HintWindowClass->InheritsFrom(&TUvxCustomHintWindow::ClassInfo) ? info : nullptr;
}

// The control's wide short hint where it is what the 8-bit hint shows.
std::u16string WideHintText(const THintInfo& info) {
    std::u16string text = AnsiToWideSys(info.HintStr);
    if (text.empty()) return text;
    std::u16string shortHint = WideGetShortHint(WideGetHint(info.HintControl));
    if (WideToAnsiSys(shortHint) == info.HintStr) return shortHint;
    auto* action = dynamic_cast<TCustomAction*>(info.HintControl->Action());
    if (action && action->ShortCut() &&
        info.HintStr == WideToAnsiSys(shortHint) + " (" + ShortCutToText(action->ShortCut()) + ")")
        return shortHint + u" (" + WideShortCutToText(action->ShortCut()) + u")";
    return text;
}

struct TFlagScope {
    bool& flag;
    bool saved;
    explicit TFlagScope(bool& f) : flag(f), saved(f) { flag = true; }
    ~TFlagScope() { flag = saved; }
};
}  // namespace

void ProcessCMHintShowMsg(LPARAM hintInfo) {
    if (!Win32PlatformIsUnicode) return;
    auto* info = reinterpret_cast<THintInfo*>(hintInfo);
    if (!info || !info->HintWindowClass) return;
    if (info->HintWindowClass == &THintWindow::ClassInfo ||
        info->HintWindowClass->InheritsFrom(&TUvxCustomHintWindow::ClassInfo)) {
        if (info->HintWindowClass == &THintWindow::ClassInfo) info->HintWindowClass = &TUvxCustomHintWindow::ClassInfo;
        info->HintData = info;
        info->HintStr = WideToAnsiSys(WideGetShortHint(WideGetHint(info->HintControl)));
    }
}

void TUvxCustomHintWindow::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, u""); }

std::u16string TUvxCustomHintWindow::GetCaption() { return UvxControl_GetText(this); }
void TUvxCustomHintWindow::SetCaption(const std::u16string& value) { UvxControl_SetText(this, value); }

void TUvxCustomHintWindow::ActivateHint(RECT rect, const std::string& hint) {
    TFlagScope activating(FActivating);
    THintWindow::ActivateHint(rect, hint);
}

void TUvxCustomHintWindow::ActivateHintData(RECT rect, const std::string& hint, void* data) {
    THintInfo* info = Win32PlatformIsUnicode ? AsHintInfo(data) : nullptr;
    if (!info) return THintWindow::ActivateHintData(rect, hint, data);
    {
        TFlagScope blocked(FBlockPaint), activating(FActivating);
        THintWindow::ActivateHintData(rect, hint, data);
        SetCaption(WideHintText(*info));
    }
    Invalidate();
}

RECT TUvxCustomHintWindow::CalcWideHintRect(int maxWidth, const std::u16string& hint) {
    TCanvasScope scope(*this);
    RECT r{0, 0, maxWidth, 0};
    Uvx_DrawTextW(Canvas().Handle(), WC(hint), -1, &r,
                  DrawTextBiDiModeFlags(DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX));
    r.right += 6;
    r.bottom += 2;
    return r;
}

RECT TUvxCustomHintWindow::CalcHintRect(int maxWidth, const std::string& hint, void* data) {
    THintInfo* info = Win32PlatformIsUnicode ? AsHintInfo(data) : nullptr;
    if (!info) return THintWindow::CalcHintRect(maxWidth, hint, data);
    return CalcWideHintRect(maxWidth, WideHintText(*info));
}

void TUvxCustomHintWindow::Paint() {
    if (FBlockPaint) return;
    if (!Win32PlatformIsUnicode) return THintWindow::Paint();
    RECT r;
    GetClientRect(FHandle, &r);
    r.left += 2;
    r.top += 2;
    HDC dc = Canvas().Handle();
    TSelectGuard font(dc, Font.Handle());
    Canvas().BrushColor = Color;
    Canvas().FillRect(TRect{0, 0, ClientWidth(), ClientHeight()});
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    std::u16string text = GetCaption();
    Uvx_DrawTextW(dc, WC(text), -1, &r, DrawTextBiDiModeFlags(DT_LEFT | DT_NOPREFIX | DT_WORDBREAK));
}

LRESULT TUvxCustomHintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_TEXTCHANGED) {
        if (!FActivating) {
            TCanvasScope scope(*this);
            SIZE size = WideCanvasTextExtent(Canvas(), GetCaption());
            SetBounds(Left(), Top(), size.cx + 6, size.cy + 6);
        }
        return 0;
    }
    return THintWindow::WndProc(msg, wParam, lParam);
}

void TUvxHintWindow::ActivateHint(RECT rect, const std::u16string& hint) {
    TFlagScope activating(FActivating);
    SetCaption(hint);
    THintWindow::ActivateHint(rect, WideToAnsiSys(hint));
    SetCaption(hint);
}

void TUvxHintWindow::ActivateHintData(RECT rect, const std::u16string& hint, void* data) {
    {
        TFlagScope blocked(FBlockPaint), activating(FActivating);
        THintWindow::ActivateHintData(rect, WideToAnsiSys(hint), data);
        SetCaption(hint);
    }
    Invalidate();
}

RECT TUvxHintWindow::CalcHintRect(int maxWidth, const std::u16string& hint, void*) {
    return CalcWideHintRect(maxWidth, hint);
}

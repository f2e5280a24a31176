#include "framework/CustomLabel.h"

#include <cctype>

bool IsAccel(WPARAM charCode, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(caption[i + 1])) ==
               std::toupper(static_cast<int>(charCode & 0xFF));
    }
    return false;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TCustomControl(owner) {
    FWidth = 65;
    FHeight = 17;
}

void TCustomLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}
void TCustomLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustBounds();
}
void TCustomLabel::SetEllipsisPosition(TEllipsisPosition value) {
    FEllipsisPosition = value;
    Invalidate();
}
void TCustomLabel::SetShowAccelChar(bool value) {
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}
void TCustomLabel::SetWordWrap(bool value) {
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}
void TCustomLabel::SetLayout(TTextLayout value) {
    FLayout = value;
    Invalidate();
}

void TCustomLabel::DoDrawText(RECT& rect, UINT flags) {
    std::string text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    flags = DrawTextBiDiModeFlags(flags);
    HDC dc = Canvas().Handle();
    if (FEllipsisPosition != epNone && !FAutoSize) {
        flags &= ~static_cast<UINT>(DT_EXPANDTABS | DT_CALCRECT);
        flags |= FEllipsisPosition == epPathEllipsis ? DT_PATH_ELLIPSIS
                 : FEllipsisPosition == epEndEllipsis ? DT_END_ELLIPSIS
                                                      : DT_WORD_ELLIPSIS;
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    if (Enabled() || (flags & DT_CALCRECT)) {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    } else {
        COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&rect, 1, 1);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
        OffsetRect(&rect, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
        SetTextColor(dc, old);
    }
    SetBkMode(dc, oldMode);
}

void TCustomLabel::Paint() {
    static const UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TSelectGuard font(Canvas().Handle(), Font.Handle());
    RECT rect;
    GetClientRect(FHandle, &rect);
    UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | kAlignments[FAlignment];
    if (FLayout != tlTop) {
        RECT calc = rect;
        DoDrawText(calc, flags | DT_CALCRECT);
        int h = calc.bottom - calc.top;
        rect.top = FLayout == tlBottom ? rect.bottom - h : rect.top + (rect.bottom - rect.top - h) / 2;
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::CreateHandleDone() {
    TCustomControl::CreateHandleDone();
    AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize) return;
    TCanvasScope scope(*this);
    RECT rect{0, 0, FWidth, 0};
    if (!FWordWrap) rect.right = 0;
    DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    int width = FWordWrap ? FWidth : rect.right - rect.left;
    int left = FLeft;
    if (!FWordWrap && FAlignment == taRightJustify) left += FWidth - width;
    else if (!FWordWrap && FAlignment == taCenter) left += (FWidth - width) / 2;
    SetBounds(left, FTop, width, rect.bottom - rect.top);
}

bool TCustomLabel::CMDialogChar(WPARAM charCode) {
    if (FocusControl && Enabled() && FShowAccelChar && IsAccel(charCode, Caption()) && FocusControl->Enabled()) {
        FocusControl->SetFocus();
        return true;
    }
    return false;
}

LRESULT TCustomLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case CM_DIALOGCHAR: return CMDialogChar(wParam) ? 1 : 0;
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            AdjustBounds();
            Invalidate();
            return 0;
        case WM_SETTEXT: {
            LRESULT r = TCustomControl::WndProc(msg, wParam, lParam);
            Perform(CM_TEXTCHANGED, 0, 0);
            return r;
        }
        default: return TCustomControl::WndProc(msg, wParam, lParam);
    }
}

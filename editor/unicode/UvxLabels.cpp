#include "editor/unicode/UvxLabels.h"

#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxGraphics.h"
#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/UvxPaths.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/WinText.h"

bool UvxLabel_DoDrawText(TCustomLabel* label, RECT& rect, UINT flags, std::u16string text) {
    if (!Win32PlatformIsUnicode) return false;
    // Measuring nothing (or a lone accelerator mark) still gives one line.
    if ((flags & DT_CALCRECT) && (text.empty() || (label->ShowAccelChar() && text == u"&"))) text += u' ';
    if (!label->ShowAccelChar()) flags |= DT_NOPREFIX;
    flags = label->DrawTextBiDiModeFlags(flags);
    TCustomControl::TCanvasScope scope(*label);
    TCanvas& canvas = label->Canvas();
    HDC dc = canvas.Handle();
    if (label->EllipsisPosition() != epNone && !label->AutoSize()) {
        std::u16string display = text;
        flags &= ~static_cast<UINT>(DT_EXPANDTABS | DT_CALCRECT);
        TEllipsisPosition position = label->EllipsisPosition();
        flags |= position == epPathEllipsis  ? DT_PATH_ELLIPSIS
                 : position == epEndEllipsis ? DT_END_ELLIPSIS
                                             : DT_WORD_ELLIPSIS;
        if (label->WordWrap() && (position == epEndEllipsis || position == epWordEllipsis)) {
            // The font's own height: negative (a character height) unless a
            // cell height was given, so normally only the client height stops.
            int fontHeight = label->Font.Height();
            int clientHeight = label->ClientHeight();
            int dotsWidth = WideCanvasTextWidth(canvas, u"...");
            for (;;) {
                RECT measure = rect;
                measure.right -= dotsWidth;
                Uvx_DrawTextW(dc, WC(display), static_cast<int>(display.size()), &measure, flags | DT_CALCRECT);
                int h = measure.bottom - measure.top;
                if (clientHeight >= h || fontHeight >= h) break;
                // Drop the last word with the blank or tab before it.
                size_t cut = static_cast<size_t>(WideLastDelimiter(u" \t", text));
                if (cut == 0) cut = text.size();
                text.resize(cut > 0 ? cut - 1 : 0);  // an empty text has nothing to drop
                display = text + u"...";
                if (text.empty()) break;
            }
        }
        if (!text.empty()) text = display;
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    int length = static_cast<int>(text.size());
    if (label->Enabled()) {
        Uvx_DrawTextW(dc, WC(text), length, &rect, flags);
    } else {
        COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&rect, 1, 1);
        Uvx_DrawTextW(dc, WC(text), length, &rect, flags);
        OffsetRect(&rect, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        Uvx_DrawTextW(dc, WC(text), length, &rect, flags);
        SetTextColor(dc, old);
    }
    SetBkMode(dc, oldMode);
    return true;
}

bool UvxLabel_CMDialogChar(TCustomLabel* label, WPARAM charCode, const std::u16string& caption) {
    TWinControl* focus = label->FocusControl;
    if (focus && label->Enabled() && label->ShowAccelChar() && IsWideCharAccel(static_cast<WORD>(charCode), caption) &&
        focus->Enabled() && focus->Visible()) {
        focus->SetFocus();
        return true;
    }
    return false;
}

void TUvxCustomLabel::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, u""); }

void TUvxCustomLabel::DoDrawText(RECT& rect, UINT flags) {
    if (!UvxLabel_DoDrawText(this, rect, flags, GetWideLabelText())) TCustomLabel::DoDrawText(rect, flags);
}

bool TUvxCustomLabel::CMDialogChar(WPARAM charCode) { return UvxLabel_CMDialogChar(this, charCode, GetCaption()); }

LRESULT TUvxCustomLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return TCustomLabel::WndProc(msg, wParam, lParam);
}

// ---- static text ----

TUvxCustomStaticText::TUvxCustomStaticText(TComponent* owner) : TUvxWideControl<TCustomStaticText>(owner) {
    AdjustBounds();
}

void TUvxCustomStaticText::CreateWindowHandle(const TCreateParams& params) {
    CreateUnicodeHandle(this, params, u"STATIC");
}

void TUvxCustomStaticText::AdjustBounds() {
    if (Loading || !AutoSize()) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    std::u16string text = GetCaption();
    SIZE size{};
    GetTextExtentPoint32W(dc, WC(text), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    SetBounds(Left(), Top(), size.cx + 4 * GetSystemMetrics(SM_CXBORDER), size.cy + 4 * GetSystemMetrics(SM_CYBORDER));
}

bool TUvxCustomStaticText::CMDialogChar(WPARAM charCode) {
    if (!FocusControl || !Enabled() || !ShowAccelChar) return false;
    if (IsWideCharAccel(static_cast<WORD>(charCode), GetCaption()) && FocusControl->Enabled() &&
        FocusControl->Visible()) {
        FocusControl->SetFocus();
        return true;
    }
    return false;
}

LRESULT TUvxCustomStaticText::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return TCustomStaticText::WndProc(msg, wParam, lParam);
}

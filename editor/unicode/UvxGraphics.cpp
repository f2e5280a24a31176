#include "editor/unicode/UvxGraphics.h"

#include "framework/WinText.h"

namespace {
// Font colour and background mode for one output, undone afterwards.
struct TextStateGuard {
    HDC dc;
    int mode;
    COLORREF colour;
    TextStateGuard(TCanvas& c, bool clear)
        : dc(c.Handle()), mode(SetBkMode(dc, clear ? TRANSPARENT : OPAQUE)),
          colour(SetTextColor(dc, ToColorRef(c.FontColor))) {}
    ~TextStateGuard() {
        SetTextColor(dc, colour);
        SetBkMode(dc, mode);
    }
};
}  // namespace

SIZE WideDCTextExtent(HDC dc, const std::u16string& text) {
    SIZE size{0, 0};
    if (!GetTextExtentPoint32W(dc, WC(text), static_cast<int>(text.size()), &size)) return SIZE{0, 0};
    return size;
}

SIZE WideCanvasTextExtent(TCanvas& canvas, const std::u16string& text) {
    return WideDCTextExtent(canvas.Handle(), text);
}
int WideCanvasTextWidth(TCanvas& canvas, const std::u16string& text) { return WideCanvasTextExtent(canvas, text).cx; }
int WideCanvasTextHeight(TCanvas& canvas, const std::u16string& text) { return WideCanvasTextExtent(canvas, text).cy; }

void WideCanvasTextOut(TCanvas& canvas, int x, int y, const std::u16string& text) {
    TextStateGuard state(canvas, true);
    int width = WideCanvasTextWidth(canvas, text);
    if (canvas.TextFlags & ETO_RTLREADING) x += width + 1;
    ExtTextOutW(canvas.Handle(), x, y, canvas.TextFlags, nullptr, WC(text), static_cast<UINT>(text.size()), nullptr);
    canvas.PenPos = POINT{x + width, y};
}

void WideCanvasTextRect(TCanvas& canvas, const RECT& rect, int x, int y, const std::u16string& text,
                        bool brushClear) {
    TextStateGuard state(canvas, brushClear);
    COLORREF oldBk = SetBkColor(canvas.Handle(), ToColorRef(canvas.BrushColor));
    UINT options = canvas.TextFlags | ETO_CLIPPED;
    if (!brushClear) options |= ETO_OPAQUE;
    if (canvas.TextFlags & ETO_RTLREADING) x += WideCanvasTextWidth(canvas, text) + 1;
    ExtTextOutW(canvas.Handle(), x, y, options, &rect, WC(text), static_cast<UINT>(text.size()), nullptr);
    SetBkColor(canvas.Handle(), oldBk);
}

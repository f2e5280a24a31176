#include "editor/unicode/UvxExtCtrls.h"

#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/WinText.h"

template <class Base>
LRESULT TUvxHintedControl<Base>::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CM_HINTSHOW) ProcessCMHintShowMsg(lParam);
    return Base::WndProc(msg, wParam, lParam);
}

template class TUvxHintedControl<TShape>;
template class TUvxHintedControl<TPaintBox>;
template class TUvxHintedControl<TImage>;
template class TUvxHintedControl<TBevel>;
template class TUvxHintedControl<TSplitter>;
template class TUvxHintedControl<TCustomPanel>;
template class TUvxHintedControl<TCustomControlBar>;

TUvxImage::TUvxImage(TComponent* owner) : TUvxHintedControl<TImage>(owner) { ReplacePicture(new TUvxPicture); }

void TUvxCustomPanel::Paint() {
    if (!Win32PlatformIsUnicode) return TCustomPanel::Paint();
    static const UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    RECT rect;
    PaintFrame(rect);
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    TSelectGuard font(dc, Font.Handle());
    SetBkMode(dc, TRANSPARENT);
    int lineHeight = WideCanvasTextHeight(canvas, u"W");
    rect.top += (rect.bottom - rect.top - lineHeight) / 2;
    rect.bottom = rect.top + lineHeight;
    std::u16string caption = GetCaption();
    Uvx_DrawTextW(dc, WC(caption), -1, &rect, DrawTextBiDiModeFlags(kAlignments[Alignment] | DT_EXPANDTABS | DT_VCENTER));
}

#include "editor/main/DataScreen.h"

#include "editor/main/MainForm.h"
#include "editor/main/ScrollMath.h"

DataScreen::DataScreen(TComponent* owner, TMainForm* form) : TCustomControl(owner), FForm(form) {
    Opaque = true;
    TabStop = true;
}

void DataScreen::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_VSCROLL;
}

void DataScreen::Paint() {
    FForm->DrawBackground(Canvas().Handle());
    FForm->DrawAllCells(Canvas().Handle());
    FForm->UpdateStatusBar();
}

LRESULT DataScreen::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        case WM_VSCROLL: WMVScroll(wParam); return 0;
        case WM_MOUSEWHEEL: WMMouseWheel(wParam); return 0;
        case WM_DROPFILES: FForm->DropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
        // A drag goes on above and below the view.
        case WM_LBUTTONDOWN: SetCapture(FHandle); return TCustomControl::WndProc(msg, wParam, lParam);
        case WM_LBUTTONUP: ReleaseCapture(); return TCustomControl::WndProc(msg, wParam, lParam);
        default: return TCustomControl::WndProc(msg, wParam, lParam);
    }
}

void DataScreen::WMVScroll(WPARAM wParam) {
    FForm->VScroll(LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam)));
}

void DataScreen::WMMouseWheel(WPARAM wParam) {
    FForm->WheelScroll(WheelRows(WheelRemainder, static_cast<int16_t>(HIWORD(wParam))));
}

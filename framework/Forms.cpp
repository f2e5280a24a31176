#include "framework/Forms.h"

#include <vector>

#include "framework/Application.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    FLeft = CW_USEDEFAULT;
    FTop = CW_USEDEFAULT;
    FWidth = 640;
    FHeight = 480;
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.WndParent = nullptr;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE: Close(); return 0;
        case WM_SHOWWINDOW:
            if (wParam && OnShow) OnShow(this);
            if (!wParam && OnHide) OnHide(this);
            return DefWndProc(msg, wParam, lParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                if (OnActivate) OnActivate(this);
            } else if (OnDeactivate) {
                OnDeactivate(this);
            }
            return DefWndProc(msg, wParam, lParam);
        default: return TWinControl::WndProc(msg, wParam, lParam);
    }
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (FInModal) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
        if (!CloseQuery()) {
            ModalResult = mrNone;
            return;
        }
        TCloseAction action = caHide;
        DoClose(action);
        if (action == caNone) ModalResult = mrNone;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = Application->MainForm() == this ? caFree : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        Hide();
    } else if (action == caMinimize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Hide();
    }
}

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND h, LPARAM p) {
    auto* list = reinterpret_cast<std::vector<HWND>*>(p);
    if (IsWindowVisible(h) && IsWindowEnabled(h)) list->push_back(h);
    return TRUE;
}
}  // namespace

int TForm::ShowModal() {
    // Disable the other top-level windows of this thread while we run.
    HWND self = Handle();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND h : disabled)
        if (h != self) EnableWindow(h, FALSE);
    FInModal = true;
    ModalResult = mrNone;
    Show();
    SetForegroundWindow(self);
    while (ModalResult == mrNone && !Application->Terminated()) Application->HandleMessage();
    FInModal = false;
    for (HWND h : disabled)
        if (h != self && IsWindow(h)) EnableWindow(h, TRUE);
    Hide();
    return ModalResult;
}

void TForm::BringToFront() { SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

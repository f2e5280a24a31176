#include "framework/PageControl.h"

#include <commctrl.h>

#include "framework/StdCtrls.h"

TTabSheet::TTabSheet(TComponent* owner, TPageControl* pages, const std::string& caption) : TPanel(owner) {
    FCaption = caption;
    FVisible = false;
    SetParent(pages);
    pages->AddPage(this);
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_TABCONTROLA;
    params.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TPageControl::CreateHandleDone() { UseDialogFont(FHandle); }

void TPageControl::AddPage(TTabSheet* page) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string caption = page->Caption();
    item.pszText = caption.data();
    SendMessageA(Handle(), TCM_INSERTITEMA, FPages.size(), reinterpret_cast<LPARAM>(&item));
    FPages.push_back(page);
    if (FActive < 0) SetActivePage(page);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    for (size_t i = 0; i < FPages.size(); ++i) {
        if (FPages[i] != page) continue;
        FActive = static_cast<int>(i);
        TabCtrl_SetCurSel(Handle(), FActive);
        ShowActive();
        return;
    }
}

void TPageControl::ShowActive() {
    RECT r;
    GetClientRect(Handle(), &r);
    TabCtrl_AdjustRect(FHandle, FALSE, &r);
    for (size_t i = 0; i < FPages.size(); ++i) {
        TTabSheet* p = FPages[i];
        if (static_cast<int>(i) == FActive) {
            p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
            p->Show();
        } else {
            p->Hide();
        }
    }
    if (TTabSheet* p = ActivePage(); p && p->OnShow) p->OnShow(p);
}

void TPageControl::Resize() {
    if (TTabSheet* p = ActivePage()) {
        RECT r;
        GetClientRect(Handle(), &r);
        TabCtrl_AdjustRect(FHandle, FALSE, &r);
        p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    TWinControl::Resize();
}

bool TPageControl::Notified(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TCN_SELCHANGE) return false;
    int sel = TabCtrl_GetCurSel(FHandle);
    if (sel >= 0 && sel < PageCount()) {
        FActive = sel;
        ShowActive();
    }
    result = 0;
    return true;
}

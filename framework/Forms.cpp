#include "framework/Forms.h"

#include <vector>

#include "framework/Application.h"
#include "framework/ControlNotify.h"
#include "framework/Menus.h"

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
    if (FFormStyle == fsMDIChild) params.Style |= WS_VISIBLE;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE: Close(); return 0;
        case CM_RELEASE: delete this; return 0;
        case WM_SIZE:
            if (FClientHandle) SizeClientWindow();
            return TWinControl::WndProc(msg, wParam, lParam);
        case WM_SHOWWINDOW:
            if (wParam && OnShow) OnShow(this);
            if (!wParam && OnHide) OnHide(this);
            return DefWndProc(msg, wParam, lParam);
        case WM_ACTIVATE: {
            // The system gives the focus to the window itself first; where
            // OnActivate puts it, it stays.
            const LRESULT r = DefWndProc(msg, wParam, lParam);
            if (LOWORD(wParam) != WA_INACTIVE) {
                if (OnActivate) OnActivate(this);
            } else if (OnDeactivate) {
                OnDeactivate(this);
            }
            return r;
        }
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) <= 1 && FMenu && FMenu->DispatchCommand(LOWORD(wParam))) return 0;
            return ReflectOrDefault(msg, wParam, lParam);
        case WM_NOTIFY: return ReflectOrDefault(msg, wParam, lParam);
        case WM_INITMENUPOPUP:
            if (FMenu) FMenu->DispatchPopup(reinterpret_cast<HMENU>(wParam));
            return DefWndProc(msg, wParam, lParam);
        case WM_MENUSELECT: WMMenuSelect(wParam, lParam); return 0;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            if (wParam == 0 && MenuOwnerDrawMessage(msg, lParam)) return TRUE;
            return ReflectOrDefault(msg, wParam, lParam);
        // Every top-level window of the program hears that the program as a
        // whole became active or lost the focus; the application tells once.
        case WM_ACTIVATEAPP:
            Application->SetActive(wParam != 0);
            return DefWndProc(msg, wParam, lParam);
        case WM_HELP: return WMHelp(reinterpret_cast<const HELPINFO*>(lParam)) ? TRUE : DefWndProc(msg, wParam, lParam);
        case WM_DESTROY:
            // The menu outlives the window: take it off before Windows frees it.
            if (FMenu) ::SetMenu(FHandle, nullptr);
            return TWinControl::WndProc(msg, wParam, lParam);
        default: return TWinControl::WndProc(msg, wParam, lParam);
    }
}

// A control's report to the form goes back to the control's own object.
LRESULT TForm::ReflectOrDefault(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToControl(msg, wParam, lParam, result)) return result;
    return TWinControl::WndProc(msg, wParam, lParam);
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
    // A child of a frame keeps its place among the others: it is minimized
    // unless the handler frees it.
    TCloseAction action = Application->MainForm() == this ? caFree : FFormStyle == fsMDIChild ? caMinimize : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        Hide();
    } else if (action == caFree && FFormStyle == fsMDIChild) {
        Release();  // (other forms of the program live on the stack or in members)
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

TWindowState TForm::WindowState() {
    if (FHandle && IsWindowVisible(FHandle)) {
        if (IsZoomed(FHandle)) return wsMaximized;
        if (IsIconic(FHandle)) return wsMinimized;
        return wsNormal;
    }
    return FWindowState;
}

void TForm::SetWindowState(TWindowState value) {
    FWindowState = value;
    if (!FHandle || !IsWindowVisible(FHandle)) return;
    ShowWindow(FHandle, value == wsMaximized ? SW_MAXIMIZE : value == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TForm::Show() {
    if (!FHandle || !IsWindowVisible(FHandle)) {
        if (FWindowState == wsMaximized) ShowWindow(Handle(), SW_SHOWMAXIMIZED);
        else if (FWindowState == wsMinimized) ShowWindow(Handle(), SW_SHOWMINIMIZED);
    }
    TWinControl::Show();
}

// F1 on a highlighted menu item asks for the item's help context.
bool TForm::WMHelp(const HELPINFO* info) {
    if (!info || info->iContextType != HELPINFO_MENUITEM || !FMenu) return false;
    TMenuItem* item = FMenu->Items()->FindByCommand(static_cast<UINT>(info->iCtrlId));
    if (!item || item->HelpContext == 0) return false;
    Application->HelpContext(item->HelpContext);
    return true;
}

void TForm::SetMenu(TMainMenu* menu) {
    FMenu = menu;
    if (FHandle) {
        if (menu) menu->SetWindowHandle(FHandle);
        else ::SetMenu(FHandle, nullptr);
    }
}

void TForm::CreateHandleDone() {
    if (FMenu) FMenu->SetWindowHandle(FHandle);
    if (FFormStyle == fsMDIForm) CreateClientWindow();
}

bool TForm::IsShortCut(WORD key, TShiftState shift) {
    return FMenu && FMenu->IsShortCut(ShortCut(key, shift));
}

void TForm::UpdateActions() {
    // The actions of the controls the form owns, then those of its menu.
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TWinControl*>(Components(i)))
            if (TBasicAction* action = control->Action()) action->Update();
    if (!FMenu) return;
    for (int i = 0; i < FMenu->Items()->Count(); ++i) FMenu->Items()->Items(i)->InitiateAction();
}

void TForm::WMMenuSelect(WPARAM wParam, LPARAM lParam) {
    if (!FMenu) return;
    UINT flags = HIWORD(wParam);
    TMenuItem* item = nullptr;
    if (!(flags == 0xFFFF && lParam == 0)) {
        if (flags & MF_POPUP) item = FMenu->Items()->FindByHandle(GetSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam)));
        else item = FMenu->Items()->FindByCommand(LOWORD(wParam));
    }
    Application->SetHint(item ? GetLongHint(item->Hint) : std::string());
}

void TForm::BringToFront() { SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

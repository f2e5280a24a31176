#pragma once
// A top-level window: caption, bounds, show, close with close query, modal
// showing with a modal result.
#include "framework/Controls.h"

class TMainMenu;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    std::string ClassName() const override { return "TForm"; }

    // Asks OnCloseQuery, then runs OnClose; hides the form (ending a modal
    // loop), or ends the application when it is the main form.
    void Close();
    virtual bool CloseQuery();
    int ShowModal();
    int ModalResult = mrNone;
    void BringToFront();
    // Normal, minimized or maximized; a form that is not shown yet takes the
    // state when it shows.
    TWindowState WindowState();
    void SetWindowState(TWindowState value);
    void Show();
    // The menu bar (not owned); its commands and shortcuts run on this form.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    // Runs the menu item whose shortcut the key is; true when one ran.
    virtual bool IsShortCut(WORD key, TShiftState shift);
    // Lets the actions of the form's menu items update their state.
    virtual void UpdateActions();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void DoClose(TCloseAction& action);
    void CreateHandleDone() override;
    // WM_MENUSELECT: the selected item's long hint becomes the application's.
    virtual void WMMenuSelect(WPARAM wParam, LPARAM lParam);
    bool WMHelp(const HELPINFO* info);
    TMainMenu* FMenu = nullptr;

private:
    LRESULT ReflectOrDefault(UINT msg, WPARAM wParam, LPARAM lParam);
    bool FInModal = false;
    TWindowState FWindowState = wsNormal;
};

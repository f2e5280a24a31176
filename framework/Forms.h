#pragma once
// A top-level window: caption, bounds, show, close with close query, modal
// showing with a modal result.
#include "framework/Controls.h"

class TMainMenu;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// A form of its own, the frame of a multiple-document window (its children
// live in its client window), or one of those children.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm };
enum TTileMode { tbHorizontal, tbVertical };
// Posted by Release: the form frees itself.
enum : UINT { CM_RELEASE = 0xB021 };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    // A child leaves its frame through the client window.
    ~TForm() override;
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

    // Set before the window exists. A child needs the application's main
    // form to be a frame (EInvalidOperation otherwise); it shows at once.
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    // The frame's client window, which holds the children; null otherwise.
    HWND ClientHandle() const { return FClientHandle; }
    // The frame's active child, the number of children and each of them
    // (the active one first, then down the stacking order).
    TForm* ActiveMDIChild();
    int MDIChildCount();
    TForm* MDIChildren(int index);
    TTileMode TileMode = tbHorizontal;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    // Activates the next (previous) child.
    void Next();
    void Previous();
    // Frees the form once the messages already queued for it are handled.
    void Release();
    // The help file of this form's help, when not the program's (see
    // TApplication::CurrentHelpFile).
    std::string HelpFile;

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
    void CreateWindowHandle(const TCreateParams& params) override;
    // The frame's default is the system's frame procedure (its own sizing
    // of the client aside), a child's the system's child procedure.
    LRESULT DefWndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The application's main form when it is a frame with a client window;
    // else EInvalidOperation "Cannot create form. No MDI forms are currently active".
    static TForm* MDIFrameForChild();
    // Makes the frame's client window (the form's own window exists).
    void CreateClientWindow();
    // The client window fills the frame's client area.
    void SizeClientWindow();
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
    TFormStyle FFormStyle = fsNormal;
    HWND FClientHandle = nullptr;
    TWindowState FWindowState = wsNormal;
};

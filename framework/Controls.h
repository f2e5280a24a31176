#pragma once
// Windowed controls. Every control owns its HWND; one static window procedure
// finds the object through a window property and calls its virtual WndProc.
// No exception ever leaves a window procedure: it is handed to
// TApplication::HandleException instead.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

class TBasicAction;
class TBasicActionLink;
class TWinControl;
// Makes the action link a control uses for its action (see ActnList.h).
using TActionLinkClass = TBasicActionLink* (*)(TObject* client);

// The framework's own notifications, performed on controls.
enum : UINT { CM_TEXTCHANGED = 0xB012, CM_HINTSHOW = 0xB030, CM_ACTIONEXECUTE = 0xB040 };
// An accelerator typed on a form (wParam the character), asked of every
// control until one answers 1; a control's enabled state or font changed.
enum : UINT { CM_DIALOGCHAR = 0xB006, CM_ENABLEDCHANGED = 0xB003, CM_FONTCHANGED = 0xB014 };

using TShiftState = unsigned;  // ssShift | ssAlt | ssCtrl | mouse buttons
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Right to left: texts read from the right and align to the right.
enum TBiDiMode { bdLeftToRight, bdRightToLeft };

using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

struct TCreateParams {
    std::string Caption;
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    std::string WinClassName;      // the class registered for this control
    std::string SystemClassName;   // when set, a system class to subclass
    UINT ClassStyle = CS_DBLCLKS;
};

// A hidden 8-bit window of its own class; data is the creation parameter,
// which proc takes at WM_NCCREATE.
HWND AllocateHWnd(const char* className, WNDPROC proc, void* data, const char* title = "", DWORD style = WS_POPUP);

// The shift state of the keyboard now, for the key events.
TShiftState KeyboardShiftState();

class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    std::string ClassName() const override { return "TWinControl"; }

    HWND Handle();                       // created on first use
    bool HandleAllocated() const { return FHandle != nullptr; }
    void DestroyHandle();
    TWinControl* Parent() const { return FParent; }
    // The control goes into the parent's list of children, whose windows the
    // parent creates when it is shown.
    void SetParent(TWinControl* parent);
    // The windows of the visible children, and theirs, that do not exist yet.
    void CreateChildHandles();

    std::string Caption() const;
    void SetCaption(const std::string& text);
    // The hint: a short part, "|", and a long part (either may be alone).
    std::string Hint;
    // The help context the help key and the help-context action ask for; 0: none.
    int HelpContext = 0;
    // The action whose caption, hint and state the control takes over.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* action);
    TBasicActionLink* ActionLink() const { return FActionLink; }
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int left, int top, int width, int height);
    int ClientWidth();
    int ClientHeight();
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    void SetFocus();
    bool Focused();
    void Invalidate();
    void Update();
    void Repaint() { Invalidate(); Update(); }
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    // Performs the message on each child control in turn until one returns
    // non-zero; that result, or 0.
    LRESULT Broadcast(UINT msg, WPARAM wParam, LPARAM lParam);

    // The procedure messages go through; replaceable, and by default WndProc.
    std::function<LRESULT(UINT, WPARAM, LPARAM)> WindowProc;
    // Where DefWndProc hands messages on; empty: the window class's own
    // procedure. The Unicode layer puts its default procedure here.
    std::function<LRESULT(UINT, WPARAM, LPARAM)> DefaultProc;
    // The procedure the window had before the framework's (system classes), or null.
    WNDPROC ClassDefWndProc() const { return FDefWndProc; }
    // True while the control's window is being destroyed for good.
    bool Destroying() const { return FFreeing; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // The object behind a window of the framework, or nullptr.
    static TWinControl* FromHandle(HWND hwnd);
    // The window procedure of every framework window: at WM_NCCREATE it ties
    // the window to the object passed as the creation parameter.
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Gives the control its creation parameters (used by re-creation).
    void GetCreateParams(TCreateParams& params) { CreateParams(params); }
    void RecreateWnd();
    // Makes the window from the parameters (8-bit class of the framework, with
    // StaticWndProc, or the system class the parameters name, subclassed);
    // the window ties itself to the control as it is created.
    virtual void CreateWindowHandle(const TCreateParams& params);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    virtual TActionLinkClass GetActionLinkClass();
    // To an action: its caption, hint, enabled and visible state.
    void AssignTo(TPersistent* dest) const override;
    friend class TBasicActionLink;
    // Called once the window exists, before it is shown.
    virtual void CreateHandleDone() {}
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Default processing: DefaultProc, the system class's procedure, or the
    // system's default; forms of a multiple-document window choose their own.
    virtual LRESULT DefWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Click();
    virtual void Resize();

    HWND FHandle = nullptr;
    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 100, FHeight = 100;
    bool FVisible = false;
    bool FEnabled = true;
    std::string FCaption;

private:
    LRESULT MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::vector<TWinControl*> FControls;  // the children, in the order they came
    WNDPROC FDefWndProc = nullptr;
    bool FDestroying = false;
    bool FFreeing = false;
    TBasicActionLink* FActionLink = nullptr;
};

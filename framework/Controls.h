#pragma once
// Windowed controls. Every control owns its HWND; one static window procedure
// finds the object through a window property and calls its virtual WndProc.
// No exception ever leaves a window procedure: it is handed to
// TApplication::HandleException instead.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Classes.h"

using TShiftState = unsigned;  // ssShift | ssAlt | ssCtrl | mouse buttons
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

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
    void SetParent(TWinControl* parent);

    std::string Caption() const;
    void SetCaption(const std::string& text);
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

    // The procedure messages go through; replaceable, and by default WndProc.
    std::function<LRESULT(UINT, WPARAM, LPARAM)> WindowProc;

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

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Called once the window exists, before it is shown.
    virtual void CreateHandleDone() {}
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

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
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    WNDPROC FDefWndProc = nullptr;
    bool FDestroying = false;
};

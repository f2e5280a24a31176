#include "framework/HintTimer.h"

#include "framework/Application.h"
#include "framework/HintWindow.h"

namespace {
// The control the mouse rests on, and the one timer running: the pause
// before showing, or the time the hint stays.
TWinControl* g_control = nullptr;
UINT_PTR g_timer = 0;
bool g_hiding = false;

void StopTimer() {
    if (g_timer) KillTimer(nullptr, g_timer);
    g_timer = 0;
}

void CALLBACK HintTimerFired(HWND, UINT, UINT_PTR id, DWORD);

void StartTimer(int ms, bool hiding) {
    StopTimer();
    g_hiding = hiding;
    g_timer = SetTimer(nullptr, 0, static_cast<UINT>(ms > 0 ? ms : 1), &HintTimerFired);
}

// The framework control of a window, or of the nearest window above it
// (the edit window inside a combo box belongs to the combo box).
TWinControl* ControlOf(HWND h) {
    for (; h; h = GetParent(h))
        if (TWinControl* c = TWinControl::FromHandle(h)) return c;
    return nullptr;
}

void CALLBACK HintTimerFired(HWND, UINT, UINT_PTR id, DWORD) {
    if (id != g_timer) return;
    StopTimer();
    if (g_hiding) {
        CancelHintWindow();
        return;
    }
    POINT p;
    // The mouse left the control without a move the loop saw (another
    // program's window, the desktop): no hint.
    if (!g_control || !GetCursorPos(&p) || ControlOf(WindowFromPoint(p)) != g_control) return;
    try {
        if (ActivateHintAt(p)) StartTimer(Application->HintHidePause, true);
    } catch (...) {
        Application->HandleException(g_control);
    }
}

// A freed control is forgotten: the next move starts over.
class TControlWatch : public TComponent {
public:
    TControlWatch() : TComponent(nullptr) {}
    void Watch(TWinControl* c) {
        if (g_control) g_control->RemoveFreeNotification(this);
        g_control = c;
        if (c) c->FreeNotification(this);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove && component == g_control) {
            g_control = nullptr;
            CancelHintTimer();
        }
    }
};

TControlWatch& Watch() {
    static TControlWatch* watch = new TControlWatch;  // lives to the end of the process
    return *watch;
}
}  // namespace

void CancelHintTimer() {
    StopTimer();
    CancelHintWindow();
}

void HintTimerMessage(const MSG& msg) {
    switch (msg.message) {
        case WM_MOUSEMOVE: {
            if (!Application->ShowHint) return;
            TWinControl* c = ControlOf(msg.hwnd);
            if (c == g_control) return;
            // While a hint shows, the next control's follows almost at once.
            bool showing = CurrentHintWindow() != nullptr;
            CancelHintTimer();
            Watch().Watch(c);
            if (c) StartTimer(showing ? Application->HintShortPause : Application->HintPause, false);
            return;
        }
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_MOUSEWHEEL:
            CancelHintTimer();
            return;
    }
}

bool InstallHintTimer() {
    ApplicationHintMessageHook = &HintTimerMessage;
    ApplicationCancelHintHook = &CancelHintTimer;
    return true;
}

#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

namespace {
const char* const kObjectProp = "TessalyFrameworkObject";

// Registers a window class for a framework control once per class name.
void RegisterFrameworkClass(const TCreateParams& params, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), params.WinClassName.c_str(), &wc)) return;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = params.ClassStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExA(&wc)) throw EOSError("Cannot register window class " + params.WinClassName, GetLastError());
}
}  // namespace

HWND AllocateHWnd(const char* className, WNDPROC proc, void* data, const char* title, DWORD style) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);  // fails harmlessly once it exists
    HWND h = CreateWindowExA(0, className, title, style, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, data);
    if (!h) throw EOSError(std::string("Cannot create the window ") + className, GetLastError());
    return h;
}

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](UINT m, WPARAM w, LPARAM l) { return WndProc(m, w, l); };
}

TWinControl::~TWinControl() {
    FFreeing = true;
    FDestroying = true;
    delete FActionLink;
    FActionLink = nullptr;
    // Children freed later (by their owner) must not reach back to us.
    for (TWinControl* child : FControls) child->FParent = nullptr;
    FControls.clear();
    if (FParent) std::erase(FParent->FControls, this);
    FParent = nullptr;
    if (FHandle) DestroyWindow(FHandle);
    FHandle = nullptr;
}

TBasicAction* TWinControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TWinControl::SetAction(TBasicAction* action) {
    if (LinkClientToAction(FActionLink, GetActionLinkClass(), this, action)) ActionChange(action, false);
}

void TWinControl::AssignTo(TPersistent* dest) const {
    auto* action = dynamic_cast<TCustomAction*>(dest);
    if (!action) return TComponent::AssignTo(dest);
    action->SetCaption(Caption());
    action->SetHint(Hint);
    action->SetEnabled(FEnabled);
    action->SetVisible(FVisible);
}

TActionLinkClass TWinControl::GetActionLinkClass() { return &TWinControlActionLink::Make; }

// Takes over what the action carries; with checkDefaults only where the
// control still has its default value.
void TWinControl::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || Caption().empty() || Caption() == Name()) SetCaption(action->Caption());
    if (!checkDefaults || Hint.empty()) Hint = action->Hint();
    if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!checkDefaults || Visible()) SetVisible(action->Visible());
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TWinControl*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

HWND TWinControl::Handle() {
    if (!FHandle) CreateWnd();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = FCaption;
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    if (FParent) params.WndParent = FParent->Handle();
    params.WinClassName = ClassName();
    if (!FEnabled) params.Style |= WS_DISABLED;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    // Making the parent's window made the parent's visible children, this one
    // among them.
    if (FHandle) return;
    CreateWindowHandle(params);
    if (!FHandle) throw EOSError("Error creating window " + params.WinClassName, GetLastError());
    CreateHandleDone();
    if (!FVisible) return;
    CreateChildHandles();
    ShowWindow(FHandle, SW_SHOW);
}

// A control made before its parent had a window gets its own when the parent
// is shown; hidden children wait until they are shown themselves.
void TWinControl::CreateChildHandles() {
    if (!FHandle) return;
    const std::vector<TWinControl*> children = FControls;  // creation may add more
    for (TWinControl* child : children) {
        if (!child->FVisible || std::find(FControls.begin(), FControls.end(), child) == FControls.end()) continue;
        child->Handle();
        child->CreateChildHandles();
    }
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    if (!params.SystemClassName.empty()) {
        // A system control: create it, then route its messages through us.
        FHandle = CreateWindowExA(params.ExStyle, params.SystemClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        if (FHandle) {
            SetPropA(FHandle, kObjectProp, this);
            FDefWndProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
        }
        return;
    }
    RegisterFrameworkClass(params, StaticWndProc);
    FHandle = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                              params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                              GetModuleHandleA(nullptr), this);
}

// A new window for the control, with its text, focus and visibility kept.
void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    bool focused = Focused();
    DestroyHandle();
    Handle();
    if (focused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::DestroyHandle() {
    if (!FHandle || FDestroying) return;
    FDestroying = true;
    FCaption = Caption();  // the text outlives the window
    HWND h = FHandle;
    DestroyWindow(h);
    FHandle = nullptr;
    FDestroying = false;
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (FParent) std::erase(FParent->FControls, this);
    FParent = parent;
    if (parent) parent->FControls.push_back(this);
    if (FHandle) ::SetParent(FHandle, parent ? parent->Handle() : nullptr);
}

std::string TWinControl::Caption() const {
    if (!FHandle) return FCaption;
    int n = GetWindowTextLengthA(FHandle);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(FHandle, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void TWinControl::SetCaption(const std::string& text) {
    if (text == Caption()) return;  // unchanged: a wider text in the window stays
    FCaption = text;
    if (FHandle) SetWindowTextA(FHandle, text.c_str());
    else Perform(CM_TEXTCHANGED, 0, 0);  // with a window, WM_SETTEXT tells it
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle) MoveWindow(FHandle, left, top, width, height, TRUE);
}

int TWinControl::ClientWidth() {
    RECT r;
    GetClientRect(Handle(), &r);
    return r.right;
}

int TWinControl::ClientHeight() {
    RECT r;
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TWinControl::SetVisible(bool value) {
    FVisible = value;
    if (value) {
        HWND h = Handle();
        CreateChildHandles();
        ShowWindow(h, SW_SHOW);
    }
    else if (FHandle) ShowWindow(FHandle, SW_HIDE);
}

void TWinControl::SetEnabled(bool value) {
    FEnabled = value;
    if (FHandle) EnableWindow(FHandle, value);
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }
bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }
void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}
void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) { return WindowProc(msg, wParam, lParam); }

LRESULT TWinControl::Broadcast(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!FHandle) return 0;
    for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        TWinControl* control = FromHandle(child);
        if (!control) continue;
        if (LRESULT r = control->Perform(msg, wParam, lParam)) return r;
    }
    return 0;
}

LRESULT TWinControl::DefWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (DefaultProc) return DefaultProc(msg, wParam, lParam);
    if (FDefWndProc) return CallWindowProcA(FDefWndProc, FHandle, msg, wParam, lParam);
    return DefWindowProcA(FHandle, msg, wParam, lParam);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        void* param = cs->lpCreateParams;
        // A child of a multiple-document client gets the client's record,
        // which carries the creation parameter in turn.
        if ((cs->dwExStyle & WS_EX_MDICHILD) && param) param = reinterpret_cast<void*>(static_cast<MDICREATESTRUCTA*>(param)->lParam);
        if (auto* self = static_cast<TWinControl*>(param)) {
            SetPropA(hwnd, kObjectProp, self);
            self->FHandle = hwnd;
        }
    }
    TWinControl* self = FromHandle(hwnd);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        LRESULT r = self->DefWndProc(msg, wParam, lParam);
        RemovePropA(hwnd, kObjectProp);
        if (self->FHandle == hwnd) self->FHandle = nullptr;
        return r;
    }
    try {
        return self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        Application->HandleException(self);
        return 0;
    }
}

LRESULT TWinControl::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    TShiftState shift = KeyboardShiftState();
    if (wParam & MK_LBUTTON) shift |= ssLeft;
    if (wParam & MK_RBUTTON) shift |= ssRight;
    if (wParam & MK_MBUTTON) shift |= ssMiddle;
    switch (msg) {
        case WM_LBUTTONDOWN: MouseDown(mbLeft, shift, x, y); break;
        case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
        case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
        case WM_LBUTTONDBLCLK:
            MouseDown(mbLeft, shift | ssDouble, x, y);
            if (OnDblClick) OnDblClick(this);
            break;
        case WM_LBUTTONUP:
            MouseUp(mbLeft, shift, x, y);
            Click();
            break;
        case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
        case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
        case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    }
    return DefWndProc(msg, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(wParam);
            KeyDown(key, KeyboardShiftState());
            if (key == 0) return 0;
            return DefWndProc(msg, key, lParam);
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WORD key = static_cast<WORD>(wParam);
            KeyUp(key, KeyboardShiftState());
            if (key == 0) return 0;
            return DefWndProc(msg, key, lParam);
        }
        case WM_CHAR: {
            char key = static_cast<char>(wParam);
            KeyPress(key);
            if (key == 0) return 0;
            // An unchanged key goes on whole: its upper bits may carry a
            // character the 8-bit key cannot hold.
            if (key == static_cast<char>(wParam)) return DefWndProc(msg, wParam, lParam);
            return DefWndProc(msg, static_cast<unsigned char>(key), lParam);
        }
        case WM_SYSCHAR:
            // Alt and a letter: the controls of the window answer it as an accelerator.
            if (TWinControl* top = FromHandle(GetAncestor(FHandle, GA_ROOT)))
                if (top->Perform(CM_DIALOGCHAR, wParam, lParam)) return 0;
            return DefWndProc(msg, wParam, lParam);
        case CM_DIALOGCHAR: return Broadcast(msg, wParam, lParam);
        case CM_TEXTCHANGED: return 0;
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_MOUSEMOVE:
            return MouseMessage(msg, wParam, lParam);
        case WM_SIZE: {
            LRESULT r = DefWndProc(msg, wParam, lParam);
            RECT rc;
            GetWindowRect(FHandle, &rc);
            FWidth = rc.right - rc.left;
            FHeight = rc.bottom - rc.top;
            Resize();
            return r;
        }
        case WM_MOVE: {
            RECT rc;
            GetWindowRect(FHandle, &rc);
            POINT p{rc.left, rc.top};
            if (HWND parent = GetParent(FHandle); parent && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD))
                ScreenToClient(parent, &p);
            FLeft = p.x;
            FTop = p.y;
            return DefWndProc(msg, wParam, lParam);
        }
        default:
            return DefWndProc(msg, wParam, lParam);
    }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}
void TWinControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}
void TWinControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}
void TWinControl::MouseMove(TShiftState s, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, s, x, y);
}
void TWinControl::Click() {
    if (OnClick) OnClick(this);
}
void TWinControl::Resize() {
    if (OnResize) OnResize(this);
}

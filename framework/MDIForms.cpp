// The multiple-document side of a form: the frame with its client window,
// and the children that live in it, over the system's own MDI windows.
#include <windows.h>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"

namespace {
// The first command number the client gives the children's entries in a window menu.
constexpr UINT kFirstChildId = 0xFF00;

void RegisterChildClass(const TCreateParams& params) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(inst, params.WinClassName.c_str(), &wc)) return;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = params.ClassStyle;
    wc.lpfnWndProc = &TWinControl::StaticWndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(inst, "MAINICON");
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExA(&wc)) throw EOSError("Cannot register window class " + params.WinClassName, GetLastError());
}
}  // namespace

TForm::~TForm() {
    // The client takes its child off its list and activates the next one.
    if (FFormStyle == fsMDIChild && FHandle)
        if (HWND client = GetParent(FHandle); client && IsWindow(client))
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
}

void TForm::SetFormStyle(TFormStyle value) {
    if (value == FFormStyle) return;
    if (FHandle) throw EInvalidOperation("Cannot change the form style of a form that has a window");
    FFormStyle = value;
    if (value == fsMDIChild) FVisible = true;
}

TForm* TForm::MDIFrameForChild() {
    TForm* main = Application->MainForm();
    if (!main || !main->FClientHandle) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    return main;
}

void TForm::CreateWindowHandle(const TCreateParams& params) {
    if (FFormStyle != fsMDIChild) return TWinControl::CreateWindowHandle(params);
    TForm* frame = MDIFrameForChild();
    RegisterChildClass(params);
    HWND h = CreateMDIWindowA(params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X, params.Y,
                              params.Width, params.Height, frame->FClientHandle, GetModuleHandleA(nullptr),
                              reinterpret_cast<LPARAM>(static_cast<TWinControl*>(this)));
    if (!h) throw EOSError("Error creating window " + params.WinClassName, GetLastError());
    FHandle = h;
}

void TForm::CreateClientWindow() {
    if (FClientHandle) return;
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = nullptr;
    ccs.idFirstChild = kFirstChildId;
    RECT r;
    GetClientRect(FHandle, &r);
    FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, r.right,
                                    r.bottom, FHandle, nullptr, GetModuleHandleA(nullptr), &ccs);
    if (!FClientHandle) throw EOSError("Cannot create the MDI client window", GetLastError());
}

void TForm::SizeClientWindow() {
    RECT r;
    GetClientRect(FHandle, &r);
    MoveWindow(FClientHandle, 0, 0, r.right, r.bottom, TRUE);
}

LRESULT TForm::DefWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) FClientHandle = nullptr;  // it went with its children
    if (!DefaultProc && FHandle) {
        // WM_SIZE: the form sizes its client window itself.
        if (FClientHandle && msg != WM_SIZE) return DefFrameProcA(FHandle, FClientHandle, msg, wParam, lParam);
        if (FFormStyle == fsMDIChild) return DefMDIChildProcA(FHandle, msg, wParam, lParam);
    }
    return TWinControl::DefWndProc(msg, wParam, lParam);
}

TForm* TForm::ActiveMDIChild() {
    if (!FClientHandle) return nullptr;
    auto h = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TForm*>(FromHandle(h));
}

int TForm::MDIChildCount() {
    int n = 0;
    if (FClientHandle)
        for (HWND h = GetWindow(FClientHandle, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (auto* f = dynamic_cast<TForm*>(FromHandle(h)); f && f->FFormStyle == fsMDIChild) ++n;
    return n;
}

TForm* TForm::MDIChildren(int index) {
    if (FClientHandle)
        for (HWND h = GetWindow(FClientHandle, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (auto* f = dynamic_cast<TForm*>(FromHandle(h)); f && f->FFormStyle == fsMDIChild && index-- == 0) return f;
    return nullptr;
}

void TForm::Cascade() {
    if (FClientHandle) SendMessageA(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TForm::Tile() {
    if (FClientHandle)
        SendMessageA(FClientHandle, WM_MDITILE, TileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TForm::ArrangeIcons() {
    if (FClientHandle) SendMessageA(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next() {
    if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 0);
}

void TForm::Previous() {
    if (FClientHandle) SendMessageA(FClientHandle, WM_MDINEXT, 0, 1);
}

void TForm::Release() {
    if (FHandle) PostMessageA(FHandle, CM_RELEASE, 0, 0);
}

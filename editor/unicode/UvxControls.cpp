#include "editor/unicode/UvxControls.h"

#include "editor/unicode/UvxCharMessages.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxComponentHelper.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/ActnList.h"
#include "framework/Exceptions.h"
#include "framework/List.h"
#include "framework/StdCtrls.h"
#include "framework/WinText.h"

UINT UVX_WM_DESTROY = RegisterWindowMessageA("UvxUnicodeVcl.DestroyWindow");

namespace {
// The wide caption and hint of one control.
class TWideControlHelper : public TWideComponentHelper {
public:
    TWideControlHelper(TComponent* control, TList& list) : TWideComponentHelper(control, list) {}
    std::string ClassName() const override { return "TWideControlHelper"; }
    std::u16string WideCaption;
    std::u16string WideHint;
};

TList& Helpers() {
    static TList list;
    return list;
}

TWideControlHelper* FindHelper(TWinControl* control, bool create) {
    auto* h = static_cast<TWideControlHelper*>(FindWideComponentHelper(Helpers(), control));
    if (!h && create) h = new TWideControlHelper(control, Helpers());
    return h;
}

// The control whose window is being made (for WM_NOTIFYFORMAT).
TWinControl* g_creating = nullptr;
const char* const kTrapProp = "UvxWinControlTrap";

// One per trapped window: its window procedure records which messages came
// from Windows; the control's window method and default procedure pass
// through it so that the framework sees 8-bit-safe characters and texts.
class TWinControlTrap {
public:
    TWinControlTrap(TWinControl* control, WNDPROC defProc) : FControl(control), FDefProcW(defProc) {}

    void Attach(const std::string& caption) {
        FHandle = FControl->Handle();
        SetPropA(FHandle, kTrapProp, this);
        FPrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FHandle, GWLP_WNDPROC));
        SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrapWndProc));
        FPrevDefault = FControl->DefaultProc;
        FControl->DefaultProc = [this](UINT m, WPARAM w, LPARAM l) { return DefaultProcedure(m, w, l); };
        FPrevWindowMethod = FControl->WindowProc;
        FControl->WindowProc = [this](UINT m, WPARAM w, LPARAM l) { return WindowMethod(m, w, l); };
        // A wide caption stored while there was no window reappears.
        UvxControl_SetText(FControl, UvxControl_GetStoredText(FControl, AnsiToWideSys(caption)));
    }

private:
    void Detach() {
        if (FDetached) return;
        FDetached = true;
        if (!FControl->Destroying()) UvxControl_SetStoredText(FControl, UvxControl_GetText(FControl));
        FControl->WindowProc = FPrevWindowMethod;
        FControl->DefaultProc = FPrevDefault;
        SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevWndProc));
        RemovePropA(FHandle, kTrapProp);
        if (FDepth > 0) FDestroyPending = true;
        else delete this;
    }

    static LRESULT CALLBACK TrapWndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        auto* trap = static_cast<TWinControlTrap*>(GetPropA(h, kTrapProp));
        if (!trap) return DefWindowProcW(h, msg, w, l);
        WNDPROC prev = trap->FPrevWndProc;
        ++trap->FDepth;
        trap->FLastMsg = msg;
        LRESULT r = CallWindowProcW(prev, h, msg, w, l);
        if (--trap->FDepth == 0 && trap->FDestroyPending) delete trap;
        return r;
    }

    LRESULT WindowMethod(UINT msg, WPARAM w, LPARAM l) {
        UINT last = FLastMsg;
        FLastMsg = 0;
        if (!FControl->HandleAllocated()) return FPrevWindowMethod(msg, w, l);
        LRESULT r;
        if (IsTextMessage(msg) && last != msg) {
            // The framework asking itself with 8-bit text: let Windows convert.
            r = SendMessageA(FHandle, msg, w, l);
        } else if (msg == WM_CHAR && !IsWMCharMsgUnpackable(static_cast<uint32_t>(w))) {
            // Another program's message in a form the layer never makes:
            // the window's own default handling, not the framework's keys.
            r = CallDefault(msg, w, l);
        } else if (msg == WM_CHAR) {
            uint32_t packed = static_cast<uint32_t>(w);
            MakeWMCharMsgSafeForAnsi(packed);
            auto method = FPrevWindowMethod;
            r = method(msg, packed, l);
        } else {
            auto method = FPrevWindowMethod;  // Detach may free this trap
            r = method(msg, w, l);
            // A window whose default processing passes the trap's by (a
            // multiple-document frame) says so after its WM_DESTROY.
            if (msg == UVX_WM_DESTROY) Detach();
        }
        return r;
    }

    LRESULT DefaultProcedure(UINT msg, WPARAM w, LPARAM l) {
        switch (msg) {
            case WM_NOTIFYFORMAT: {
                HWND other = reinterpret_cast<HWND>(w);
                bool wide = Win32PlatformIsUnicode &&
                            (IsWindowUnicode(other) || (g_creating && g_creating->HandleAllocated() &&
                                                        g_creating->Handle() == other));
                return wide ? NFR_UNICODE : NFR_ANSI;
            }
            case WM_CHAR: {
                uint32_t packed = static_cast<uint32_t>(w);
                RestoreWMCharMsg(packed);
                return CallDefault(msg, packed, l);
            }
            case WM_IME_CHAR:
                if (!Win32PlatformIsXP) return SendMessageW(FHandle, WM_CHAR, w, l);
                return CallDefault(msg, w, l);
            case WM_DESTROY: {
                WNDPROC def = FDefProcW;
                auto prevDefault = FPrevDefault;
                HWND h = FHandle;
                Detach();
                if (prevDefault) return prevDefault(msg, w, l);
                return CallWindowProcW(def, h, msg, w, l);
            }
            default: return CallDefault(msg, w, l);
        }
    }

    LRESULT CallDefault(UINT msg, WPARAM w, LPARAM l) {
        if (FPrevDefault) return FPrevDefault(msg, w, l);
        return CallWindowProcW(FDefProcW, FHandle, msg, w, l);
    }

    TWinControl* FControl;
    WNDPROC FDefProcW;
    HWND FHandle = nullptr;
    WNDPROC FPrevWndProc = nullptr;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> FPrevDefault;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> FPrevWindowMethod;
    UINT FLastMsg = 0;
    int FDepth = 0;
    bool FDestroyPending = false;
    bool FDetached = false;
};

// The wide default procedure of a control's window: its class's procedure.
struct TWideDefault {
    TWinControl* Control;
    WNDPROC Proc;
    LRESULT operator()(UINT m, WPARAM w, LPARAM l) const {
        if (!Control->HandleAllocated()) return 0;
        return CallWindowProcW(Proc, Control->Handle(), m, w, l);
    }
};

void SubClass(TWinControl* control, const std::string& caption, WNDPROC defProc) {
    if (!IsWindowUnicode(control->Handle()))
        throw EUvxInternalError("Internal Error: SubClassUnicodeControl.Control is not Unicode.");
    (new TWinControlTrap(control, defProc))->Attach(caption);
}
}  // namespace

bool UvxControl_IsCaptionStored(TWinControl* control) {
    auto* link = control->ActionLink();
    return !(link && link->IsCaptionLinked());
}

bool UvxControl_IsHintStored(TWinControl* control) {
    auto* link = control->ActionLink();
    return !(link && link->IsHintLinked());
}

// The stored caption counts only while its 8-bit form is still the
// framework's caption (def): a change made through the framework wins.
std::u16string UvxControl_GetStoredText(TWinControl* control, const std::u16string& def) {
    auto* h = FindHelper(control, false);
    if (h && WideToAnsiSys(h->WideCaption) == WideToAnsiSys(def)) return h->WideCaption;
    return def;
}

void UvxControl_SetStoredText(TWinControl* control, const std::u16string& text) {
    FindHelper(control, true)->WideCaption = text;
    control->SetCaption(WideToAnsiSys(text));
}

std::u16string UvxControl_GetText(TWinControl* control) {
    if (!Win32PlatformIsUnicode || (control->HandleAllocated() && !IsWindowUnicode(control->Handle())))
        return AnsiToWideSys(control->Caption());
    if (control->HandleAllocated()) {
        HWND h = control->Handle();
        int n = GetWindowTextLengthW(h);
        std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
        n = GetWindowTextW(h, buf.data(), n + 1);
        return U16(buf.c_str(), static_cast<size_t>(std::max(n, 0)));
    }
    return UvxControl_GetStoredText(control, AnsiToWideSys(control->Caption()));
}

void UvxControl_SetText(TWinControl* control, const std::u16string& text) {
    if (!Win32PlatformIsUnicode || (control->HandleAllocated() && !IsWindowUnicode(control->Handle()))) {
        control->SetCaption(WideToAnsiSys(text));
    } else if (control->HandleAllocated()) {
        if (UvxControl_GetText(control) != text) {
            Uvx_SetWindowTextW(control->Handle(), WC(text));
            control->Perform(CM_TEXTCHANGED, 0, 0);
        }
    } else {
        UvxControl_SetStoredText(control, text);
    }
}

std::u16string UvxControl_GetHint(TWinControl* control) {
    if (Win32PlatformIsUnicode)
        if (auto* h = FindHelper(control, false)) return GetSyncedWideString(h->WideHint, control->Hint);
    return AnsiToWideSys(control->Hint);
}

void UvxControl_SetHint(TWinControl* control, const std::u16string& text) {
    if (!Win32PlatformIsUnicode) {
        control->Hint = WideToAnsiSys(text);
        return;
    }
    auto* h = FindHelper(control, true);
    SetSyncedWideString(text, h->WideHint, control->Hint, [control](const std::string& s) { control->Hint = s; });
}

std::u16string WideGetHint(TWinControl* control) {
    for (TWinControl* c = control; c; c = c->Parent()) {
        std::u16string hint = UvxControl_GetHint(c);
        if (!hint.empty()) return hint;
    }
    return {};
}

void RegisterUnicodeClass(const TCreateParams& params, std::u16string& className) {
    className = AnsiToWideSys(params.WinClassName.substr(0, 64)) + u".UnicodeClass";
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (GetClassInfoW(inst, WC(className), &wc)) {
        if (wc.lpfnWndProc == &TWinControl::StaticWndProc) return;
        if (!UnregisterClassW(WC(className), inst)) throw EOSError("Cannot unregister " + params.WinClassName, GetLastError());
    }
    // A system control's twin keeps the system class's window bytes, where
    // the system procedure holds the control's state.
    WNDCLASSW base{};
    bool system = !params.SystemClassName.empty() &&
                  GetClassInfoW(nullptr, WC(AnsiToWideSys(params.SystemClassName)), &base);
    wc = WNDCLASSW{};
    wc.style = system ? base.style & ~CS_GLOBALCLASS : params.ClassStyle;
    wc.cbWndExtra = system ? base.cbWndExtra : 0;
    wc.lpfnWndProc = &TWinControl::StaticWndProc;
    wc.hInstance = inst;
    wc.hCursor = system ? base.hCursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = system ? base.hbrBackground : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(inst, L"MAINICON");
    wc.lpszClassName = WC(className);
    if (!RegisterClassW(&wc)) throw EOSError("Cannot register window class " + params.WinClassName, GetLastError());
}

void CreateUnicodeHandle(TWinControl* control, const TCreateParams& params, const std::u16string& baseClassName) {
    if (!Win32PlatformIsUnicode) {
        control->DefaultProc = nullptr;  // a wide default of an earlier window does not fit an 8-bit one
        control->TWinControl::CreateWindowHandle(params);
        return;
    }
    WNDPROC defProc = DefWindowProcW;
    WNDCLASSW base{};
    if (!baseClassName.empty() && GetClassInfoW(GetModuleHandleW(nullptr), WC(baseClassName), &base))
        defProc = base.lpfnWndProc;
    CreateUnicodeWindow(control, params, defProc, [&](const std::u16string& className) {
        return CreateWindowExW(params.ExStyle, WC(className), nullptr, params.Style, params.X, params.Y, params.Width,
                               params.Height, params.WndParent, nullptr, GetModuleHandleW(nullptr), control);
    });
}

// The default procedure stays the control's own for the life of its window,
// under and after the trap: the window's last messages (WM_NCDESTROY above
// all) reach the system class's procedure, which frees what it keeps per
// window only then.
void CreateUnicodeWindow(TWinControl* control, const TCreateParams& params, WNDPROC defProc,
                         const std::function<HWND(const std::u16string& className)>& create) {
    std::u16string className;
    RegisterUnicodeClass(params, className);
    struct CreatingScope {
        TWinControl* saved = g_creating;
        explicit CreatingScope(TWinControl* c) { g_creating = c; }
        ~CreatingScope() { g_creating = saved; }
    } scope(control);
    // A default procedure the program gave the control itself stays under the trap.
    auto given = control->DefaultProc;
    if (!given || given.target<TWideDefault>()) control->DefaultProc = TWideDefault{control, defProc};
    HWND h = create(className);
    if (!h) {
        control->DefaultProc = given;
        throw EOSError("Error creating window " + params.WinClassName, GetLastError());
    }
    SubClass(control, params.Caption, defProc);
}

void SubClassUnicodeControl(TWinControl* control, const std::string& caption, WNDPROC defProc) {
    SubClass(control, caption, defProc);
}

void ReCreateUnicodeWnd(TWinControl* control) {
    // The trap stores the wide caption as the window goes, and puts it back.
    control->RecreateWnd();
}

void WideListControl_AddItem(TListBox* control, const std::u16string& item, TObject* object) {
    if (auto* wide = dynamic_cast<IWideCustomListControl*>(control)) return wide->AddItem(item, object);
    control->Add(WideToAnsiSys(item));
}

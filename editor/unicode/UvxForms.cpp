#include "editor/unicode/UvxForms.h"

#include <cstring>
#include <typeinfo>

#include "editor/unicode/UvxHintWindow.h"
#include "framework/CustomControl.h"

#include "editor/unicode/UvxActnList.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxHotkeys.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxPropertyStreaming.h"
#include "editor/unicode/UvxStdActnsHint.h"
#include "editor/unicode/UvxStreams.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxSystem.h"
#include "editor/unicode/UvxUnitRun.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/TypeInfo.h"
#include "framework/WideCase.h"
#include "framework/WinText.h"

// ---- TUvxForm ----------------------------------------------------------------

TUvxForm::TUvxForm(TComponent* owner) : TForm(owner) {}

std::u16string TUvxForm::GetWideCaption() { return UvxControl_GetText(this); }
void TUvxForm::SetCaption(const std::u16string& value) { UvxControl_SetText(this, value); }
std::u16string TUvxForm::GetHint() { return UvxControl_GetHint(this); }
void TUvxForm::SetHint(const std::u16string& value) { UvxControl_SetHint(this, value); }
bool TUvxForm::IsCaptionStored() { return UvxControl_IsCaptionStored(this); }
bool TUvxForm::IsHintStored() { return UvxControl_IsHintStored(this); }

namespace {
TPropInfo WideProp(const char* name, std::u16string (*get)(TUvxForm&), void (*set)(TUvxForm&, const std::u16string&)) {
    TPropInfo p{name, TTypeKind::tkWString};
    p.GetWStr = [get](const TPersistent& o) { return get(const_cast<TUvxForm&>(static_cast<const TUvxForm&>(o))); };
    p.SetWStr = [set](TPersistent& o, const std::u16string& v) { set(static_cast<TUvxForm&>(o), v); };
    return p;
}

TPropInfo BoundsProp(const char* name, int which) {
    TPropInfo p{name, TTypeKind::tkInteger};
    p.GetOrd = [which](const TPersistent& o) -> int64_t {
        auto& f = static_cast<const TUvxForm&>(o);
        int v[] = {f.Left(), f.Top(), f.Width(), f.Height()};
        return v[which];
    };
    p.SetOrd = [which](TPersistent& o, int64_t value) {
        auto& f = static_cast<TUvxForm&>(o);
        int v[] = {f.Left(), f.Top(), f.Width(), f.Height()};
        v[which] = static_cast<int>(value);
        f.SetBounds(v[0], v[1], v[2], v[3]);
    };
    return p;
}

const TClassInfo& UvxFormInfo() {
    static const TClassInfo info{
        "TUvxForm", nullptr,
        {WideProp("Caption", [](TUvxForm& f) { return f.GetCaption(); },
                  [](TUvxForm& f, const std::u16string& v) { f.SetCaption(v); }),
         WideProp("Hint", [](TUvxForm& f) { return f.GetHint(); },
                  [](TUvxForm& f, const std::u16string& v) { f.SetHint(v); }),
         BoundsProp("Left", 0), BoundsProp("Top", 1), BoundsProp("Width", 2), BoundsProp("Height", 3)}};
    return info;
}
}  // namespace

const TClassInfo* TUvxForm::ClassInfo() const { return &UvxFormInfo(); }

void TUvxForm::DefineProperties(TFiler* filer) {
    TForm::DefineProperties(filer);
    UvxPersistent_AfterInherited_DefineProperties(filer, this);
}

void TUvxForm::ReadLayout(const std::string& resourceName) {
    // TUvxResourceStream raises EResNotFound "Resource %s not found".
    TUvxResourceStream layout(GetModuleHandleW(nullptr), AnsiToWideSys(resourceName), MAKEINTRESOURCEW(10));
    TReader(layout).ReadRootComponent(*this);
}

void TUvxForm::CreateWindowHandle(const TCreateParams& params) {
    if (!Win32PlatformIsUnicode) {
        DefaultProc = nullptr;
        return TForm::CreateWindowHandle(params);
    }
    if (FormStyle() != fsMDIChild) {
        TCreateParams copy = params;
        copy.ExStyle &= ~static_cast<DWORD>(WS_EX_LAYERED);
        return CreateUnicodeHandle(this, copy, u"");
    }
    // A child of the frame's client window, with the system's child procedure as its default.
    TForm* frame = MDIFrameForChild();
    CreateUnicodeWindow(this, params, DefMDIChildProcW, [&](const std::u16string& className) {
        return CreateMDIWindowW(WC(className), nullptr, params.Style, params.X, params.Y, params.Width, params.Height,
                                frame->ClientHandle(), GetModuleHandleW(nullptr),
                                reinterpret_cast<LPARAM>(static_cast<TWinControl*>(this)));
    });
}

// A frame's messages go to the system's wide frame procedure past the trap
// (WM_SIZE aside: the form sizes its client itself); after WM_DESTROY the
// trap is told to let go.
LRESULT TUvxForm::DefWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Win32PlatformIsUnicode || !ClientHandle() || !HandleAllocated() || msg == WM_NCDESTROY)
        return TForm::DefWndProc(msg, wParam, lParam);
    HWND h = Handle();
    LRESULT r = msg == WM_SIZE ? DefWindowProcW(h, msg, wParam, lParam) : DefFrameProcW(h, ClientHandle(), msg, wParam, lParam);
    if (msg == WM_DESTROY) Perform(UVX_WM_DESTROY, 0, 0);
    return r;
}

void TUvxForm::UpdateActions() {
    TForm::UpdateActions();
    if (UvxApplication) UvxApplication->DoIdle();
}

void TUvxForm::ActionChange(TObject* sender, bool checkDefaults) {
    UvxControl_BeforeInherited_ActionChange(this, sender, checkDefaults);
    TForm::ActionChange(sender, checkDefaults);
}

TActionLinkClass TUvxForm::GetActionLinkClass() {
    return UvxControl_GetActionLinkClass(this, TForm::GetActionLinkClass());
}

void TUvxForm::WMMenuSelect(WPARAM wParam, LPARAM lParam) {
    if (!UvxApplication) return TForm::WMMenuSelect(wParam, lParam);  // the unit ended
    if (!FMenu) return;
    UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) {
        UvxApplication->SetHint(u"");  // the menu closed
        return;
    }
    TMenuItem* item;
    if (flags & MF_POPUP) item = FMenu->Items()->FindByHandle(GetSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam)));
    else item = FMenu->Items()->FindByCommand(LOWORD(wParam));
    UvxApplication->SetHint(item ? WideGetLongHint(WideGetMenuItemHint(item)) : std::u16string());
}

LRESULT TUvxForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_WINDOWPOSCHANGING: {
            LRESULT r = TForm::WndProc(msg, wParam, lParam);
            FixMenuBiDiProblem(FMenu);
            return r;
        }
        default: return TForm::WndProc(msg, wParam, lParam);
    }
}

// ---- TUvxApplication -----------------------------------------------------------------

namespace {
int g_manualPeek = 0;
HHOOK g_hook = nullptr;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && wParam == PM_REMOVE && g_manualPeek == 0 && UvxApplication) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        try {
            if (UvxApplication->ProcessMessage(*msg)) msg->message = WM_NULL;
        } catch (...) {
            Application->HandleException(UvxApplication);
            msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// The tick count of a setting change, and of the start: never the stamp of
// the change before, even within the same tick, so that settings cached
// since then are read again.
uint32_t NewSettingChangeTime() {
    uint32_t now = GetTickCount();
    if (now == _SettingChangeTime) ++now;
    _SettingChangeTime = now;
    return now;
}
}  // namespace

TUvxApplication::TUvxApplication(TComponent* owner) : TComponent(owner) {
    FHookId = Application->HookMainWindow(
        [this](UINT m, WPARAM w, LPARAM l, LRESULT& r) { return WndProc(m, w, l, r); });
    FSettingChangeTime = NewSettingChangeTime();
}

TUvxApplication::~TUvxApplication() {
    delete FIdleEventControl;
    Application->UnhookMainWindow(FHookId);
}

std::u16string TUvxApplication::GetExeName() { return WideParamStr(0); }

std::u16string TUvxApplication::GetTitle() {
    if (Application->HandleAllocated() && Win32PlatformIsUnicode) {
        HWND h = Application->Handle();
        auto n = DefWindowProcW(h, WM_GETTEXTLENGTH, 0, 0);
        std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
        n = DefWindowProcW(h, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(buf.data()));
        return U16(buf.c_str(), static_cast<size_t>(n));
    }
    return GetSyncedWideString(FWideTitle, Application->Title());
}

void TUvxApplication::SetTitle(const std::u16string& value) {
    if (Application->HandleAllocated() && Win32PlatformIsUnicode) {
        if (GetTitle() != value || FTitlePending) {
            DefWindowProcW(Application->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WC(value)));
            FTitlePending = false;
        }
        return;
    }
    SetSyncedWideString(value, FWideTitle, Application->Title(),
                        [](const std::string& s) { Application->SetTitle(s); });
    FTitlePending = Win32PlatformIsUnicode;
}

std::u16string TUvxApplication::ApplicationMouseControlHint() {
    TWinControl* c = Application->MouseControl();
    return c ? WideGetLongHint(WideGetHint(c)) : std::u16string();
}

std::u16string TUvxApplication::GetHint() {
    std::u16string mouse = ApplicationMouseControlHint();
    if (WideToAnsiSys(mouse) == Application->Hint()) FWideHint = mouse;
    return GetSyncedWideString(FWideHint, Application->Hint());
}

void TUvxApplication::SetHint(const std::u16string& value) {
    SetSyncedWideString(value, FWideHint, Application->Hint(), [](const std::string& s) { Application->SetHint(s); });
}

void TUvxApplication::DoIdle() {
    std::u16string mouse = ApplicationMouseControlHint();
    if (WideToAnsiSys(mouse) == Application->Hint()) SetHint(mouse);
}

bool TUvxApplication::IsDlgMsg(MSG& msg) {
    HWND dlg = Application->DialogHandle;
    if (!dlg) return false;
    return IsWindowUnicode(dlg) ? IsDialogMessageW(dlg, &msg) != 0 : IsDialogMessageA(dlg, &msg) != 0;
}

bool TUvxApplication::ProcessMessage(MSG& msg) {
    if (!FMainFormChecked && Application->MainForm()) {
        FMainFormChecked = true;
        if (!dynamic_cast<TUvxForm*>(Application->MainForm()))
            FIdleEventControl = new TUvxAppIdleEventControl(Application->MainForm());
    }
    if (msg.message != WM_CHAR || msg.wParam <= 255 || !msg.hwnd || !IsWindowUnicode(msg.hwnd)) return false;
    if (!Win32PlatformIsUnicode) return false;
    HWND dlg = Application->DialogHandle;
    if (dlg && !IsWindowUnicode(dlg)) return false;
    bool handled = false;
    if (Application->OnMessage) handled = Application->OnMessage(msg);
    Application->CancelHint();
    if (!handled && !IsDlgMsg(msg)) DispatchMessageW(&msg);
    return true;
}

bool TUvxApplication::WndProc(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg == WM_WININICHANGE) {
        FSettingChangeTime = NewSettingChangeTime();
    } else if (msg == WM_CREATE && FTitlePending) {
        // The title set before the window existed is shown now.
        SetTitle(FWideTitle);
    } else if (msg == CM_ACTIONEXECUTE) {
        return ExecuteWideHintAction(reinterpret_cast<TBasicAction*>(lParam), result);
    }
    return false;
}

// The framework's own hint action (exactly that class) carrying the 8-bit
// form of the wide hint gives way to a wide one with the whole text.
bool TUvxApplication::ExecuteWideHintAction(TBasicAction* action, LRESULT& result) {
    if (!action || typeid(*action) != typeid(THintAction)) return false;
    std::u16string hint = GetHint();
    if (static_cast<THintAction*>(action)->Hint() != WideToAnsiSys(hint)) return false;
    result = 1;
    TUvxHintAction wide(nullptr);
    wide.SetHint(hint);
    wide.Execute();
    return true;
}

// ---- unit start-up and end -------------------------------------------------------------------

TUvxApplication* UvxApplication = nullptr;

namespace {
TUvxUnitRun g_formsUnit;

void StartUvxFormsUnit() {
    if (!g_formsUnit.Start()) return;
    UvxApplication = new TUvxApplication(nullptr);
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    if (GetVersionExA(&vi) && vi.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        g_hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
        if (!g_hook) throw EOSError("Cannot install the message hook", GetLastError());
    }
}

TUvxUnitScope g_formsUnitScope(StartUvxFormsUnit, EndUvxFormsUnit);
}  // namespace

// The hook goes first, so no message reaches an application object that is gone.
void EndUvxFormsUnit() {
    if (!g_formsUnit.End()) return;
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    delete UvxApplication;
    UvxApplication = nullptr;
}

bool IsWideCharAccel(WORD charCode, const std::u16string& caption) {
    return WideCompareText(std::u16string(1, KeyUnicode(charCode)), WideGetHotkey(caption)) == 0;
}

void EnableManualPeekMessageWithRemove() { ++g_manualPeek; }
void DisableManualPeekMessageWithRemove() {
    if (g_manualPeek > 0) --g_manualPeek;
}

// ---- the idle-event control ---------------------------------------------------------------

TUvxAppIdleEventControl::TUvxAppIdleEventControl(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    if (auto* form = dynamic_cast<TWinControl*>(owner)) SetParent(form);
    auto* action = new TAction(this);
    action->OnUpdate = [](TObject*) {
        if (UvxApplication) UvxApplication->DoIdle();
    };
    action->OnExecute = action->OnUpdate;
    SetAction(action);
}

TUvxAppIdleEventControl::~TUvxAppIdleEventControl() {
    if (UvxApplication && UvxApplication->FIdleEventControl == this) UvxApplication->FIdleEventControl = nullptr;
    SetAction(nullptr);
}

// ---- environment ---------------------------------------------------------------------------------

namespace {
// Host programs that load the layer into a development environment.
const char* const kDevelopmentHosts[] = {"FormDesigner.exe"};

std::string ProfileFontSubstitute(const char* key) {
    char value[32] = {};
    GetProfileStringA("FontSubstitutes", key, "", value, sizeof value);
    return value;
}

void WriteFontSubstitute(const char* key, const std::string& value) {
    try {
        if (!WriteProfileStringA("FontSubstitutes", key, value.c_str()))
            throw EOSError("Cannot write the font substitute " + std::string(key), GetLastError());
        OSVERSIONINFOA vi{};
        vi.dwOSVersionInfoSize = sizeof vi;
        if (GetVersionExA(&vi) && vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) WriteProfileStringA(nullptr, nullptr, nullptr);
        DWORD_PTR result;
        SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("FontSubstitutes"),
                            SMTO_NORMAL, 250, &result);
    } catch (Exception& e) {
        e.Message = "Couldn't create font substitutes.\r\n" + e.Message;
        try {
            throw;
        } catch (...) {
            Application->HandleException(nullptr);
        }
    }
}

int CALLBACK FoundFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool ScreenHasFont(const char* name) {
    bool found = false;
    HDC dc = GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    strncpy(lf.lfFaceName, name, LF_FACESIZE - 1);
    EnumFontFamiliesExA(dc, &lf, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}
}  // namespace

std::string DefaultDialogFontName() {
    std::string shellDlg = ProfileFontSubstitute("MS Shell Dlg");
    if (shellDlg.empty()) {
        shellDlg = "MS Sans Serif";
        WriteFontSubstitute("MS Shell Dlg", shellDlg);
    }
    std::string shellDlg2 = ProfileFontSubstitute("MS Shell Dlg 2");
    if (shellDlg2.empty()) {
        shellDlg2 = ScreenHasFont("Tahoma") ? "Tahoma" : shellDlg;
        WriteFontSubstitute("MS Shell Dlg 2", shellDlg2);
    }
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    exe = exe.substr(exe.find_last_of("\\/") + 1);
    for (const char* host : kDevelopmentHosts)
        if (lstrcmpiA(exe.c_str(), host) == 0) return "MS Shell Dlg 2";
    return shellDlg2;
}

void InitUvxEnvironment() {
    std::string name = DefaultDialogFontName().substr(0, 31);
    std::memset(DefFontData.Name, 0, sizeof DefFontData.Name);
    std::memcpy(DefFontData.Name, name.data(), name.size());
    HintWindowClass = &TUvxHintWindow::ClassInfo;
}

#include "framework/Application.h"

#include <commctrl.h>

#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/HintAction.h"
#include "framework/Menus.h"
#include "framework/SysUtils.h"

TApplication* Application = nullptr;
namespace {
// Made before the other globals, which may use it as they start.
struct ApplicationMaker {
    ApplicationMaker() { Application = new TApplication(nullptr); }
} applicationMaker __attribute__((init_priority(200)));
}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    FTitle = name.substr(0, name.find_last_of('.'));
}

void TApplication::Initialize() {
    FormatSettings = GetLocaleFormatSettings(LOCALE_USER_DEFAULT);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
}

void TApplication::SetTitle(const std::string& title) {
    FTitle = title;
    if (FHandle) SetWindowTextA(FHandle, title.c_str());
}

LRESULT CALLBACK TApplication::AppWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TApplication*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->FHandle = h;
    }
    if (self) {
        try {
            LRESULT result = 0;
            if (self->HandleWindowMessage(msg, wp, lp, result)) return result;
        } catch (...) {
            self->HandleException(self);
            return 0;
        }
    }
    return DefWindowProcA(h, msg, wp, lp);
}

bool TApplication::HandleWindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    auto hooks = FHooks;  // a hook may unhook itself
    for (auto& [id, hook] : hooks) {
        result = 0;
        if (hook(msg, wp, lp, result)) return true;
    }
    if (msg == CM_ACTIONEXECUTE) {
        bool handled = false;
        if (OnActionExecute) OnActionExecute(reinterpret_cast<TBasicAction*>(lp), handled);
        result = handled ? 1 : 0;
        return true;
    }
    return false;
}

LRESULT TApplication::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    HandleWindowMessage(msg, wParam, lParam, result);
    return result;
}

HWND TApplication::Handle() {
    // The window takes its handle at WM_NCCREATE, so hooks see WM_CREATE.
    if (!FHandle)
        AllocateHWnd("TApplication", AppWndProc, this, FTitle.c_str(),
                     WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX);
    return FHandle;
}

int TApplication::HookMainWindow(TWindowHook hook) {
    FHooks.emplace_back(FNextHook, std::move(hook));
    return FNextHook++;
}

void TApplication::UnhookMainWindow(int id) {
    for (auto it = FHooks.begin(); it != FHooks.end(); ++it)
        if (it->first == id) {
            FHooks.erase(it);
            return;
        }
}

void (*ApplicationHintMessageHook)(const MSG& msg) = nullptr;
void (*ApplicationCancelHintHook)() = nullptr;

void TApplication::CancelHint() {
    if (ApplicationCancelHintHook) ApplicationCancelHintHook();
}

void TApplication::SetHint(const std::string& hint) {
    if (hint == FHint) return;
    FHint = hint;
    if (OnHint) {
        OnHint(this);
        return;
    }
    // No handler: the hint travels as an action to whoever shows hints.
    THintAction action(nullptr);
    action.SetHint(hint);
    action.Execute();
}

TWinControl* TApplication::MouseControl() const {
    POINT p;
    if (!GetCursorPos(&p)) return nullptr;
    return TWinControl::FromHandle(WindowFromPoint(p));
}

TForm* TApplication::ActiveForm() const {
    HWND h = GetActiveWindow();
    while (h) {
        if (auto* f = dynamic_cast<TForm*>(TWinControl::FromHandle(h))) return f;
        h = GetParent(h);
    }
    return nullptr;
}

// Keys that are a menu shortcut of the active form run its item instead.
bool TApplication::IsShortCutMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    TForm* form = ActiveForm();
    return form && form->IsShortCut(static_cast<WORD>(msg.wParam), KeyboardShiftState());
}

void TApplication::AddForm(TForm* form) {
    if (!FMainForm) FMainForm = form;
}

void TApplication::Run() {
    FTerminated = false;
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
    FTerminated = false;  // the loop is over; modal loops after it may run
}

void TApplication::Terminate() {
    FTerminated = true;
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (ApplicationHintMessageHook) ApplicationHintMessageHook(msg);
    bool handled = false;
    if (OnMessage) {
        try {
            handled = OnMessage(msg);
        } catch (...) {
            HandleException(this);
            handled = true;
        }
    }
    if (!handled && msg.message != WM_NULL) {
        try {
            handled = IsShortCutMessage(msg);
        } catch (...) {
            HandleException(this);
            handled = true;
        }
    }
    // The keys of a modeless dialog (Tab, Enter, Esc) work its controls.
    if (!handled && DialogHandle && IsWindow(DialogHandle) && IsDialogMessageA(DialogHandle, &msg)) handled = true;
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg) && !FTerminated) {
        Idle();
        WaitMessage();
    }
}

// With the queue empty, the active form's menu items update from their actions.
void TApplication::Idle() {
    try {
        if (TForm* form = ActiveForm()) form->UpdateActions();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

TApplicationExceptionHook ApplicationExceptionHook = nullptr;

TApplicationShowExceptionHook ApplicationShowExceptionHook = nullptr;

void TApplication::HandleException(TObject* sender) {
    if (ApplicationExceptionHook && !ApplicationExceptionHook(sender))
        return;
    ShowHandledException(sender);
}

void TApplication::HandleExceptionUnreported(TObject* sender) { ShowHandledException(sender); }

// The framework's own handling of the exception being handled, in a frame of
// its own: HandleException itself stays as small as it was, so the return
// addresses it leaves on the stack after a report lie where a later fault's
// frames overwrite them, and the same fault twice scans the same stack.
void TApplication::ShowHandledException(TObject* sender) {
    struct TMarker {
        bool& Flag;
        bool Before;
        ~TMarker() { Flag = Before; }
    } marker{FHandlingException, FHandlingException};
    FHandlingException = true;
    try {
        throw;
    } catch (EAbort&) {
        // Silent by design.
    } catch (Exception& e) {
        if (OnException) OnException(sender, e);
        else ShowException(e);
    } catch (std::exception& e) {
        Exception wrapped(e.what());
        if (OnException) OnException(sender, wrapped);
        else ShowException(wrapped);
    } catch (...) {
        Exception wrapped("Unknown exception");
        if (OnException) OnException(sender, wrapped);
        else ShowException(wrapped);
    }
}

void TApplication::ShowException(const Exception& e) {
    if (ApplicationShowExceptionHook && !FHandlingException && !ApplicationShowExceptionHook(e))
        return;
    std::string msg = e.Message;
    if (!msg.empty() && msg.back() > '.') msg += '.';
    MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::SetActive(bool active) {
    if (active == FActive) return;
    FActive = active;
    if (active && OnActivate) OnActivate(this);
    if (!active && OnDeactivate) OnDeactivate(this);
}

std::string TApplication::CurrentHelpFile() const {
    TForm* form = ActiveForm();
    return form && !form->HelpFile.empty() ? form->HelpFile : HelpFile;
}

bool TApplication::HelpContext(int context) { return HelpCommand(HELP_CONTEXT, context); }

bool TApplication::HelpCommand(uint16_t command, int data) {
    bool callHelp = true;
    if (OnHelp) return OnHelp(command, data, callHelp);
    return false;
}

void TApplication::BringToFront() {
    if (!FMainForm || !FMainForm->HandleAllocated()) return;
    HWND h = FMainForm->Handle();
    if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
    SetForegroundWindow(h);
}

#include "framework/Application.h"

#include <commctrl.h>

#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"

TApplication* Application = new TApplication(nullptr);

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    FTitle = name.substr(0, name.find_last_of('.'));
}

void TApplication::Initialize() {
    char sep[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep) > 1) FormatSettings.DecimalSeparator = sep[0];
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
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
    bool handled = false;
    if (OnMessage) {
        try {
            handled = OnMessage(msg);
        } catch (...) {
            HandleException(this);
            handled = true;
        }
    }
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg) && !FTerminated) WaitMessage();
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleException(TObject* sender) {
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
    std::string msg = e.Message;
    if (!msg.empty() && msg.back() > '.') msg += '.';
    MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

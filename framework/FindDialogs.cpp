#include "framework/FindDialogs.h"

#include <algorithm>

#include "framework/Application.h"

namespace {
const char kRedirectorClass[] = "TqFindRedirector";
const char kDialogProp[] = "TqFindDialog";

// The message the dialogs report with (the same for 8-bit and wide ones).
UINT FindMessage() {
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

struct TFlagPair {
    TFindOptions Option;
    DWORD Flag;
};
const TFlagPair kShownFlags[] = {
    {frDown, FR_DOWN},
    {frMatchCase, FR_MATCHCASE},
    {frWholeWord, FR_WHOLEWORD},
    {frHideMatchCase, FR_HIDEMATCHCASE},
    {frHideWholeWord, FR_HIDEWHOLEWORD},
    {frHideUpDown, FR_HIDEUPDOWN},
    {frDisableMatchCase, FR_NOMATCHCASE},
    {frDisableUpDown, FR_NOUPDOWN},
    {frDisableWholeWord, FR_NOWHOLEWORD},
    {frShowHelp, FR_SHOWHELP},
};
const TFlagPair kReportedFlags[] = {
    {frDown, FR_DOWN},           {frMatchCase, FR_MATCHCASE}, {frWholeWord, FR_WHOLEWORD},
    {frFindNext, FR_FINDNEXT},   {frReplace, FR_REPLACE},     {frReplaceAll, FR_REPLACEALL},
};

// A string as the dialog's buffer: the text, cut to the dialog's length,
// in a buffer of that length and its end.
std::string Buffer(const std::string& text) {
    std::string buffer(TFindDialog::kTextLength + 1, '\0');
    std::copy_n(text.begin(), std::min<size_t>(text.size(), TFindDialog::kTextLength), buffer.begin());
    return buffer;
}
}  // namespace

DWORD FindOptionsToFlags(TFindOptions options) {
    DWORD flags = 0;
    for (const TFlagPair& p : kShownFlags)
        if (options & p.Option) flags |= p.Flag;
    return flags;
}

TFindOptions FindFlagsToOptions(DWORD flags, TFindOptions options) {
    for (const TFlagPair& p : kReportedFlags) {
        options &= ~p.Option;
        if (flags & p.Flag) options |= p.Option;
    }
    return options;
}

TFindDialog::TFindDialog(TComponent* owner) : TComponent(owner) {}

TFindDialog::~TFindDialog() {
    CloseDialog();
    if (FRedirector) DestroyWindow(FRedirector);
}

bool TFindDialog::Execute(HWND parent) {
    if (FHandle && IsWindow(FHandle)) {
        ShowWindow(FHandle, SW_SHOW);
        SetForegroundWindow(FHandle);
        return true;
    }
    if (!parent) parent = GetActiveWindow();
    if (!parent && Application) parent = Application->Handle();
    if (!FRedirector) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = RedirectorProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = kRedirectorClass;
            registered = RegisterClassA(&wc) != 0;
        }
        FRedirector = CreateWindowExA(0, kRedirectorClass, "", WS_POPUP, 0, 0, 0, 0, parent, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        if (!FRedirector) return false;
        SetWindowLongPtrA(FRedirector, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    } else {
        // The dialog belongs to the window it was asked from this time.
        SetWindowLongPtrA(FRedirector, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
    }
    FHandle = CreateSystemDialog(FRedirector, FindOptionsToFlags(Options) | FR_ENABLEHOOK, &Hook,
                                 reinterpret_cast<LPARAM>(this));
    if (!FHandle) return false;
    if (OnShow) OnShow(this);
    return true;
}

HWND TFindDialog::CreateSystemDialog(HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data) {
    FFindBuffer = Buffer(FindText);
    FRecord = FINDREPLACEA{};
    FRecord.lStructSize = sizeof FRecord;
    FRecord.hwndOwner = owner;
    FRecord.Flags = flags;
    FRecord.lpstrFindWhat = FFindBuffer.data();
    FRecord.wFindWhatLen = kTextLength + 1;
    FRecord.lpfnHook = hook;
    FRecord.lCustData = data;
    if (!IsReplaceDialog()) return ::FindTextA(&FRecord);
    FReplaceBuffer = Buffer(static_cast<TReplaceDialog*>(this)->ReplaceText);
    FRecord.lpstrReplaceWith = FReplaceBuffer.data();
    FRecord.wReplaceWithLen = kTextLength + 1;
    return ::ReplaceTextA(&FRecord);
}

void TFindDialog::CloseDialog() {
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
    if (Application && Application->DialogHandle == FHandle) Application->DialogHandle = nullptr;
    FHandle = nullptr;
}

void TFindDialog::ReadTexts(const void* record) {
    FindText = static_cast<const FINDREPLACEA*>(record)->lpstrFindWhat;
}

void TReplaceDialog::ReadTexts(const void* record) {
    TFindDialog::ReadTexts(record);
    ReplaceText = static_cast<const FINDREPLACEA*>(record)->lpstrReplaceWith;
}

void TFindDialog::Find() {
    if (OnFind) OnFind(this);
}

void TReplaceDialog::Replace() {
    if (OnReplace) OnReplace(this);
}

// The flags stand at the same place in the 8-bit and the wide record.
void TFindDialog::Report(const FINDREPLACEA& record) {
    const DWORD flags = record.Flags;
    if (flags & FR_DIALOGTERM) {
        if (Application && Application->DialogHandle == FHandle) Application->DialogHandle = nullptr;
        FHandle = nullptr;
        if (OnClose) OnClose(this);
        return;
    }
    Options = FindFlagsToOptions(flags, Options);
    ReadTexts(&record);
    if (flags & FR_FINDNEXT) Find();
    else if (flags & (FR_REPLACE | FR_REPLACEALL)) Replace();
}

// Keys reach the dialog's controls while it is the active window.
UINT_PTR CALLBACK TFindDialog::Hook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<TFindDialog*>(reinterpret_cast<FINDREPLACEA*>(lParam)->lCustData);
        SetPropA(dialog, kDialogProp, self);
        try {
            if (self) self->InitDialog(dialog);
        } catch (...) {
            if (Application) Application->HandleException(self);
        }
        return TRUE;
    }
    if (!Application) return 0;
    if (msg == WM_ACTIVATE) {
        if (LOWORD(wParam) != WA_INACTIVE) Application->DialogHandle = dialog;
        else if (Application->DialogHandle == dialog) Application->DialogHandle = nullptr;
    } else if (msg == WM_DESTROY) {
        if (Application->DialogHandle == dialog) Application->DialogHandle = nullptr;
        RemovePropA(dialog, kDialogProp);
    }
    return 0;
}

LRESULT CALLBACK TFindDialog::RedirectorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TFindDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == FindMessage() && lParam) {
        try {
            self->Report(*reinterpret_cast<const FINDREPLACEA*>(lParam));
        } catch (...) {
            if (Application) Application->HandleException(self);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

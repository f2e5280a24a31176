#include "editor/unicode/UvxDialogs.h"

#include <algorithm>
#include <vector>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxDialogRules.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWideStrUtils.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/WinText.h"

TUvxOpenDialog::TUvxOpenDialog(TComponent* owner) : TOpenDialog(owner), FFiles(std::make_unique<TUvxStringList>()) {}

TUvxOpenDialog::~TUvxOpenDialog() = default;

std::u16string TUvxOpenDialog::GetDefaultExt() { return GetSyncedWideString(FDefaultExt, DefaultExt); }
void TUvxOpenDialog::SetDefaultExt(const std::u16string& value) {
    SetSyncedWideString(value, FDefaultExt, DefaultExt, [this](const std::string& s) { DefaultExt = s; });
}
std::u16string TUvxOpenDialog::GetFilter() { return GetSyncedWideString(FFilter, Filter); }
void TUvxOpenDialog::SetFilter(const std::u16string& value) {
    SetSyncedWideString(value, FFilter, Filter, [this](const std::string& s) { Filter = s; });
}
std::u16string TUvxOpenDialog::GetTitle() { return GetSyncedWideString(FTitle, Title); }
void TUvxOpenDialog::SetTitle(const std::u16string& value) {
    SetSyncedWideString(value, FTitle, Title, [this](const std::string& s) { Title = s; });
}
std::u16string TUvxOpenDialog::GetInitialDir() { return GetSyncedWideString(FInitialDir, InitialDir()); }
void TUvxOpenDialog::SetInitialDir(const std::u16string& value) {
    SetSyncedWideString(UvxDialog_InitialDir(value), FInitialDir, InitialDir(),
                        [this](const std::string& s) { TOpenDialog::SetInitialDir(s); });
}

// While the dialog runs, the name selected in it.
std::u16string TUvxOpenDialog::GetFileName() {
    if (Win32PlatformIsUnicode && FDialog && !(Options & ofOldStyleDialog)) {
        wchar_t path[261] = {};
        SendMessageW(GetParent(FDialog), CDM_GETFILEPATH, 261, reinterpret_cast<LPARAM>(path));
        return U16(path);
    }
    return GetSyncedWideString(FFileName, FileName);
}

void TUvxOpenDialog::SetFileName(const std::u16string& value) {
    FFileName = value;
    FileName = WideToAnsiSys(value);
}

TUvxStrings* TUvxOpenDialog::Files() {
    if (!Win32PlatformIsUnicode) {
        FFiles->Clear();
        for (const std::string& f : TOpenDialog::Files) FFiles->Add(AnsiToWideSys(f));
    }
    return FFiles.get();
}

void TUvxOpenDialog::GetFileNamesW(const OPENFILENAMEW& ofn) {
    bool multi = (Options & ofAllowMultiSelect) != 0;
    char16_t separator = multi && (Options & ofOldStyleDialog) ? u' ' : u'\0';
    std::u16string buffer(reinterpret_cast<const char16_t*>(ofn.lpstrFile), ofn.nMaxFile);
    std::vector<std::u16string> files = UvxDialog_SelectedFiles(buffer, multi, separator);
    FFiles->Clear();
    for (const auto& f : files) FFiles->Add(f);
    SetFileName(files.front());
    TOpenDialog::Files.clear();
    for (const auto& f : files) TOpenDialog::Files.push_back(WideToAnsiSys(f));
}

// The names about to be accepted are in the file lists while the program
// decides; both lists are empty again afterwards.
bool TUvxOpenDialog::CanCloseW(const OPENFILENAMEW& ofn) {
    GetFileNamesW(ofn);
    struct TScope {
        TUvxOpenDialog* D;
        ~TScope() {
            D->FMayDecideClosing = false;
            D->FFiles->Clear();
            D->TOpenDialog::Files.clear();
        }
    } scope{this};
    FMayDecideClosing = true;
    return DoCanClose();
}

// The framework's record and the wide one differ only in their texts.
void TUvxOpenDialog::DoIncludeItem(const OFNOTIFYEXA& ofn, bool& include) {
    if (!Win32PlatformIsUnicode) return TOpenDialog::DoIncludeItem(ofn, include);
    if (OnIncludeItem) OnIncludeItem(reinterpret_cast<const OFNOTIFYEXW&>(ofn), include);
}

// The hook learns the dialog's window (for FileName while it runs), asks the
// program before a name is accepted and about every item listed.
UINT_PTR CALLBACK TUvxOpenDialog::Hook(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<TUvxOpenDialog*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
        SetPropA(dialog, "UvxOpenDialog", self);
        self->FDialog = dialog;
    } else if (msg == WM_NOTIFY) {
        auto* notify = reinterpret_cast<OFNOTIFYW*>(lParam);
        auto* self = static_cast<TUvxOpenDialog*>(GetPropA(dialog, "UvxOpenDialog"));
        if (!self) return 0;
        try {
            if (notify->hdr.code == CDN_FILEOK && Win32PlatformIsUnicode && !self->CanCloseW(*notify->lpOFN)) {
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
                return 1;
            }
            if (notify->hdr.code == CDN_INCLUDEITEM) {
                bool include = true;
                self->DoIncludeItem(*reinterpret_cast<OFNOTIFYEXA*>(lParam), include);
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT, include);
                return include;
            }
        } catch (...) {
            Application->HandleException(self);
        }
    } else if (msg == WM_DESTROY) {
        if (auto* self = static_cast<TUvxOpenDialog*>(GetPropA(dialog, "UvxOpenDialog"))) self->FDialog = nullptr;
        RemovePropA(dialog, "UvxOpenDialog");
    }
    return 0;
}

bool TUvxOpenDialog::DoExecuteW(BOOL(WINAPI* func)(OPENFILENAMEW*), HWND parent) {
    FFiles->Clear();
    OPENFILENAMEA prepared;
    PrepareRecord(prepared, parent);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = prepared.hwndOwner;
    if (!IsWindow(ofn.hwndOwner)) ofn.hwndOwner = parent;
    ofn.nFilterIndex = prepared.nFilterIndex;
    ofn.nMaxFile = prepared.nMaxFile;
    ofn.Flags = prepared.Flags;
    // A template's name in wide text; a resource number passes as it is.
    ofn.hInstance = prepared.hInstance;
    std::u16string templateName;
    if (prepared.Flags & OFN_ENABLETEMPLATE) {
        if (IS_INTRESOURCE(prepared.lpTemplateName)) {
            ofn.lpTemplateName = reinterpret_cast<LPCWSTR>(prepared.lpTemplateName);
        } else {
            templateName = AnsiToWideSys(prepared.lpTemplateName);
            ofn.lpTemplateName = WC(templateName);
        }
    }
    std::u16string filter = UvxDialog_SystemFilter(GetFilter());
    std::u16string buffer(ofn.nMaxFile + 2, u'\0');
    std::u16string name = GetFileName();
    std::copy_n(name.begin(), std::min<size_t>(name.size(), ofn.nMaxFile), buffer.begin());
    std::u16string dir = GetInitialDir();
    if (dir.empty() && (Options & ofForceCurrentDir)) dir = u".";
    std::u16string title = GetTitle();
    std::u16string ext = GetDefaultExt();
    if (ext.empty() && !(ofn.Flags & OFN_EXPLORER)) {
        size_t dot = name.rfind(u'.');
        if (dot != std::u16string::npos && name.find(u'\\', dot) == std::u16string::npos) ext = name.substr(dot + 1);
    }
    if (!GetFilter().empty()) ofn.lpstrFilter = WC(filter);
    ofn.lpstrFile = reinterpret_cast<wchar_t*>(buffer.data());
    if (!dir.empty()) ofn.lpstrInitialDir = WC(dir);
    if (!title.empty()) ofn.lpstrTitle = WC(title);
    if (!ext.empty()) ofn.lpstrDefExt = WC(ext);
    ofn.Flags |= OFN_ENABLEHOOK;
    if (OnIncludeItem || TOpenDialog::OnIncludeItem) ofn.Flags |= OFN_ENABLEINCLUDENOTIFY;
    ofn.lpfnHook = &Hook;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    BOOL ok = TaskModal(func, ofn);
    FDialog = nullptr;
    if (!ok) return false;
    GetFileNamesW(ofn);
    Options = (Options & ~(ofExtensionDifferent | ofReadOnly)) |
              ((ofn.Flags & OFN_EXTENSIONDIFFERENT) ? ofExtensionDifferent : 0) |
              ((ofn.Flags & OFN_READONLY) ? ofReadOnly : 0);
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

HWND GetModalParentWnd() {
    if (!Application) return nullptr;
    if (Application->ModalPopupMode != pmNone)
        if (TForm* form = Application->ActiveForm()) return form->Handle();
    return Application->Handle();
}

namespace {
BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
}  // namespace

// Modal for the whole program: the other windows of the thread take no
// input while the dialog runs, whoever owns it.
BOOL TUvxOpenDialog::TaskModal(BOOL(WINAPI* func)(OPENFILENAMEW*), OPENFILENAMEW& ofn) {
    HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
    for (HWND h : disabled) EnableWindow(h, FALSE);
    BOOL ok = func(&ofn);
    for (HWND h : disabled)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    if (active && IsWindow(active)) SetActiveWindow(active);
    return ok;
}

bool TUvxOpenDialog::Execute(HWND parent) {
    if (!Win32PlatformIsUnicode) return TOpenDialog::Execute(parent);
    return DoExecuteW(GetOpenFileNameW, parent ? parent : GetModalParentWnd());
}

bool TUvxSaveDialog::Execute(HWND parent) {
    if (!Win32PlatformIsUnicode) return ExecuteA(GetSaveFileNameA, parent);
    return DoExecuteW(GetSaveFileNameW, parent ? parent : GetModalParentWnd());
}

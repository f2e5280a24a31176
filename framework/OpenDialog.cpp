#include "framework/OpenDialog.h"

#include <algorithm>

#include "framework/Application.h"

void TOpenDialog::PrepareRecord(OPENFILENAMEA& ofn, HWND parent) const {
    ofn = OPENFILENAMEA{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parent;
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.nMaxFile = (Options & ofAllowMultiSelect) ? kMaxFileBuffer : MAX_PATH;
    ofn.Flags = OFN_ENABLESIZING | OFN_HIDEREADONLY;
    if (!(Options & ofOldStyleDialog)) ofn.Flags |= OFN_EXPLORER;
    if (Options & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (Options & ofNoChangeDir) ofn.Flags |= OFN_NOCHANGEDIR;
    if (Options & ofAllowMultiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
    if (Options & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (Options & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (Options & ofNoValidate) ofn.Flags |= OFN_NOVALIDATE;
    if (Template) {
        ofn.Flags |= OFN_ENABLETEMPLATE;
        ofn.hInstance = TemplateModule ? TemplateModule : GetModuleHandleA(nullptr);
        ofn.lpTemplateName = Template;
    }
}

bool TOpenDialog::ExecuteA(BOOL(WINAPI* func)(OPENFILENAMEA*), HWND parent) {
    OPENFILENAMEA ofn;
    PrepareRecord(ofn, parent);
    std::string filter = Filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.append(2, '\0');
    std::string buffer(ofn.nMaxFile + 2, '\0');
    std::copy_n(FileName.begin(), std::min<size_t>(FileName.size(), ofn.nMaxFile), buffer.begin());
    std::string dir = FInitialDir.empty() && (Options & ofForceCurrentDir) ? "." : FInitialDir;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    if (OnIncludeItem) {
        ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLEINCLUDENOTIFY;
        ofn.lpfnHook = &IncludeHook;
        ofn.lCustData = reinterpret_cast<LPARAM>(this);
    }
    Files.clear();
    if (!func(&ofn)) return false;
    const char sep = (Options & ofAllowMultiSelect) && (Options & ofOldStyleDialog) ? ' ' : '\0';
    std::vector<std::string> parts;
    for (size_t i = 0; i < buffer.size() && buffer[i];) {
        size_t end = buffer.find(sep, i);
        if (end == std::string::npos) end = buffer.find('\0', i);
        parts.push_back(buffer.substr(i, end - i));
        i = end + 1;
    }
    if (!(Options & ofAllowMultiSelect) || parts.size() <= 1) {
        FileName = parts.empty() ? std::string() : parts[0];
        Files.push_back(FileName);
    } else {
        std::string folder = parts[0];
        if (folder.empty() || folder.back() != '\\') folder += '\\';
        for (size_t i = 1; i < parts.size(); ++i) Files.push_back(folder + parts[i]);
        FileName = Files.front();
    }
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    Options = (Options & ~(ofExtensionDifferent | ofReadOnly)) |
              ((ofn.Flags & OFN_EXTENSIONDIFFERENT) ? ofExtensionDifferent : 0) |
              ((ofn.Flags & OFN_READONLY) ? ofReadOnly : 0);
    return true;
}

// The dialog asks about each item it would list.
UINT_PTR CALLBACK TOpenDialog::IncludeHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetPropA(dialog, "TqOpenDialog", reinterpret_cast<HANDLE>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData));
    } else if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INCLUDEITEM) {
        auto* self = static_cast<TOpenDialog*>(GetPropA(dialog, "TqOpenDialog"));
        bool include = true;
        try {
            if (self) self->DoIncludeItem(*reinterpret_cast<OFNOTIFYEXA*>(lParam), include);
        } catch (...) {
            Application->HandleException(self);
        }
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, include);
        return include;
    } else if (msg == WM_DESTROY) {
        RemovePropA(dialog, "TqOpenDialog");
    }
    return 0;
}

bool TOpenDialog::Execute(HWND parent) { return ExecuteA(GetOpenFileNameA, parent); }
bool TSaveDialog::Execute(HWND parent) { return ExecuteA(GetSaveFileNameA, parent); }

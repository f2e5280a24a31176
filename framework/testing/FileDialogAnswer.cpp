#include "framework/testing/FileDialogAnswer.h"

#include "framework/testing/GuiTest.h"

namespace guitest {

std::u16string& FileDialogAnswer::Text() {
    static std::u16string text;
    return text;
}

int& FileDialogAnswer::Ticks() {
    static int ticks = 0;
    return ticks;
}

std::string& FileDialogAnswer::Shot() {
    static std::string shot;
    return shot;
}

std::function<void(HWND)>& FileDialogAnswer::Seen() {
    static std::function<void(HWND)> seen;
    return seen;
}

void FileDialogAnswer::Plan(const std::u16string& text) {
    Text() = text;
    Ticks() = 0;
    SetTimer(nullptr, 0, 100, Tick);
}

void CALLBACK FileDialogAnswer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindThreadWindow("#32770");
    HWND name = dialog ? FindChildWindow(dialog, "Edit") : nullptr;
    if (!name && ++Ticks() <= 50) return;  // not there yet
    KillTimer(nullptr, id);
    if (dialog && Seen()) {
        Seen()(dialog);
        Seen() = nullptr;
    }
    if (!name || Text().empty()) {
        if (dialog) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    SetWindowTextW(name, reinterpret_cast<const wchar_t*>(Text().c_str()));
    if (!Shot().empty()) {
        SaveScreenshot(dialog, Shot());
        Shot().clear();
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace guitest

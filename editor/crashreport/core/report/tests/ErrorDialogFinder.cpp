#include "ErrorDialogFinder.h"

#include "framework/testing/GuiTest.h"

namespace {

struct TDialogSearch {
    DWORD Process = 0;
    std::string Caption;
    HWND Dialog = nullptr;
};

// A plain callback: the 32-bit build needs the system's calling convention.
BOOL CALLBACK LookAtWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<TDialogSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == search->Process && IsWindowVisible(window) && std::string(className) == "#32770" &&
        guitest::WindowText(window) == search->Caption)
        search->Dialog = window;
    return TRUE;
}

}  // namespace

HWND FindProcessDialog(DWORD processId, const std::string& caption)
{
    TDialogSearch search;
    search.Process = processId;
    search.Caption = caption;
    EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&search));
    return search.Dialog;
}

HWND FindErrorDialog(DWORD processId) { return FindProcessDialog(processId, "Error occurred"); }

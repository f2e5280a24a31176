#include "ErrorDialogFinder.h"

#include "framework/testing/GuiTest.h"

namespace {

struct TErrorDialogSearch {
    DWORD Process = 0;
    HWND Dialog = nullptr;
};

// A plain callback: the 32-bit build needs the system's calling convention.
BOOL CALLBACK LookAtWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<TErrorDialogSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->Process && IsWindowVisible(window) && guitest::WindowText(window) == "Error occurred")
        search->Dialog = window;
    return TRUE;
}

}  // namespace

HWND FindErrorDialog(DWORD processId)
{
    TErrorDialogSearch search;
    search.Process = processId;
    EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&search));
    return search.Dialog;
}

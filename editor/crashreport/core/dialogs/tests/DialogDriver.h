#pragma once
// Driving the crash dialogs from a test: the dialog runs on a thread of its
// own (as on the processing thread), the test finds its window and works it
// through its controls.
#include <windows.h>

#include <functional>
#include <string>

class TDialogRun {
public:
    explicit TDialogRun(std::function<void()> body);
    ~TDialogRun();
    TDialogRun(const TDialogRun&) = delete;
    TDialogRun& operator=(const TDialogRun&) = delete;

    // The first dialog window of the run's thread with this caption.
    HWND WaitForWindow(const std::string& caption, DWORD maxMs = 10000);
    // True when the body returned within maxMs.
    bool WaitEnd(DWORD maxMs = 10000);
    DWORD ThreadId() const { return FThreadId; }

private:
    static DWORD WINAPI Run(void* self);
    std::function<void()> FBody;
    HANDLE FThread = nullptr;
    DWORD FThreadId = 0;
};

std::string ItemText(HWND dialog, int id);
bool ItemVisible(HWND dialog, int id);
// The control's rectangle in the dialog's client coordinates.
RECT ItemRect(HWND dialog, int id);
// A click on a button, as the mouse gives it.
void ClickItem(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
// The text of a message box's message.
std::string MessageBoxText(HWND box);

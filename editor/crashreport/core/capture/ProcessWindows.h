#pragma once
// The windows of processes as the core sees them: the main window of a
// program, the development environment's window, the rectangle a program's
// windows cover, the snapshot of this process's windows; and the process's
// own services on them: text to the clipboard, restart and termination.
#include <windows.h>

#include <string>
#include <vector>

// Visible, of positive size, and neither owned by another window of the
// program nor a tool window without the application-window style.
bool IsMainWindow(HWND window);
// The first top-level window of the process (EnumWindows order) that is a
// main window; null when none is.
HWND MainWindowOfProcess(DWORD processId);
// Some top-level window of the process is of the class "TAppBuilder".
bool IsDevelopmentEnvironmentProcess(DWORD processId);
// The union of the process's visible top-level windows of positive width;
// (-1, -1, -1, -1) when there is none.
RECT ProcessWindowsRect(DWORD processId);

// Refills the snapshot with every top-level window of this process.
void TakeProcessWindowsSnapshot();
const std::vector<HWND>& ProcessWindowsSnapshot();
// The window is not in the snapshot.
bool IsNewWindow(HWND window);
bool IsThisProcessWindow(HWND window);

// Puts the text on the clipboard as CF_TEXT; false when the clipboard
// cannot be had.
bool CopyTextToClipboard(const std::string& text);

// Starts this program again (its command line, in the folder it started
// in, a new process group) when asked, then ends this process at once with
// exit code 1.
[[noreturn]] void TerminateApplication(bool restart);

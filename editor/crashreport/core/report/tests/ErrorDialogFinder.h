#pragma once
// The component's error dialog ("Error occurred") of another process, found
// among the visible top-level windows by its process and caption, and any
// other dialog or message box of that process by its caption.
#include <windows.h>

#include <string>

// The dialog of the process; nullptr while it shows none.
HWND FindErrorDialog(DWORD processId);
// A visible dialog or message box (class "#32770") of the process with the
// caption; nullptr while there is none.
HWND FindProcessDialog(DWORD processId, const std::string& caption);

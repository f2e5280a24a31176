#pragma once
// The component's error dialog ("Error occurred") of another process, found
// among the visible top-level windows by its process and caption.
#include <windows.h>

// The dialog of the process; nullptr while it shows none.
HWND FindErrorDialog(DWORD processId);

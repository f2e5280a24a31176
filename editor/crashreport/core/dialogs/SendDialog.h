#pragma once
// The send-progress dialog (template "ZV_Server", picture "ZV_Send"): a
// status line and a progress bar while the report is sent. It runs modally
// in a thread of its own, or, when the processing runs in the faulting
// thread, as a modeless window that the senders pump.
#include <windows.h>

// The window message that ends the dialog (WM_USER + 1234).
constexpr UINT SendDialogCloseMessage = 2258;

// Starts the dialog and returns once it has the focus, or once its thread
// has ended or failed, or after 5 seconds: the sender then goes on without
// it (the caller holds the processing lock). Nothing is shown when the
// options want no send dialog, no send mode is set, the program is not
// interactive or the error dialog could not be shown.
void StartSendDialog(bool centred);
// The dialog's window; null while there is none.
HWND SendDialogWindow();

INT_PTR CALLBACK SendDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// How long the starter waits for the dialog at most.
constexpr DWORD SendDialogStartLimitMs = 5000;

#pragma once
// The request dialog (template "ZV_Request"): after the detailed error
// dialog it asks how to reproduce the error; the answer becomes the
// ReproduceText option.
#include <windows.h>

// Shows the dialog when the options want the reproduce text, the program is
// interactive, the report is no duplicate, it is to be sent or saved, and
// the error dialog could be shown.
void AskReproduceText();

INT_PTR CALLBACK RequestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

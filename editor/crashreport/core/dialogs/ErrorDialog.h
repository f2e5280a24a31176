#pragma once
// The error dialog display: the processing hands over the options, the
// message and the report texts; the user sees the kind of dialog the options
// (or a filter) chose, and the choices come back in the dialog flags of
// DialogState().
#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/crashreport/core/dialogs/DialogState.h"

class TZorvikModuleOptions;

// What the processing gives the display of one exception.
struct TErrorDialogInput {
    TZorvikModuleOptions* Options = nullptr;
    std::string Message;             // the exception's message
    TDialogReportTexts Report;       // the general text and the full report's copies
    int32_t ErrorsCount = 1;         // processed exceptions, this one included
    uint8_t DialogType = edtNone;    // the options' kind, or the filter's
    bool Duplicate = false;          // the same error already stands in the log
    bool GuiProgram = true;
};

// The processing's display: fills the state from the input, sets the send,
// screenshot and cancel flags, shows the dialog (again, detailed, while a
// dialog leaves another kind to show) and then, when the first kind was the
// detailed dialog, asks how to reproduce the error. The choices are in
// DialogState() afterwards; the report texts there carry the user's e-mail.
void DisplayErrorDialogs(const TErrorDialogInput& input);

// Shows the state's current dialog type once (the display of one round).
void ShowErrorDialog(bool beep);
// Replaces the message shown (event handlers use it during processing).
void SetCustomErrorMessage(const std::string& text);
// The custom message when there is one, else the exception's message.
std::string MessageShown();
// The system message box with the message shown.
void ShowErrorMessageBox();
// Restores the program's main window when it is minimised (run on the main
// thread); the main window is the first unowned visible top-level window of
// this process when none is given.
void RestoreMainWindow(HWND mainWindow = nullptr);

// The classic dialog's procedure (template "ZV_MS_Dialog").
INT_PTR CALLBACK ClassicDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The module whose resources hold the dialogs' templates and pictures.
HINSTANCE DialogResourceModule();

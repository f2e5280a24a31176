#pragma once
// The detailed error dialog (template ZV_DIALOG): the message with the error
// picture, OK, Terminate or Restart, Details and the custom button, the send,
// screenshot and copy check boxes, the support link, and in detailed mode the
// report pages in a tab control. Compact mode is sized to the message.
#include <windows.h>

#include <string>

#include "editor/crashreport/core/dialogs/DetailedPageRows.h"

// Control ids of the template.
enum TDetailedDialogControl {
    ddcMessage = 101,
    ddcOK = 102,
    ddcTerminate = 103,
    ddcDetails = 104,
    ddcCustom = 105,
    ddcTabs = 1000,
    ddcSeparator = 2000,
    ddcSend = 3000,
    ddcScreenshot = 4000,
    ddcCopy = 5000,
};

// The report the next detailed dialog shows (not owned; it must live while
// the dialog is up). The message and the options come from the dialog state.
void SetDetailedReportInput(const TDetailedReportPages* pages);
// Makes the display show this dialog for the detailed kind.
void InstallDetailedDialog();
// Keeps the pages of the report being processed for the detailed dialog and
// installs it: what the processing calls before the display.
void PrepareDetailedDialog(TDetailedReportPages pages);

INT_PTR CALLBACK DetailedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Shows the detailed dialog modally with no owner (the rich-edit library
// loaded while it is up). The user's choices land in the dialog state.
void RunDetailedDialog();

// The dialog window while it is up, and whether it is in detailed mode.
HWND DetailedDialogWindow();
bool DetailedDialogInDetailedMode();

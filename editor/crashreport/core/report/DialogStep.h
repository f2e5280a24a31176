#pragma once
// The dialog step of the exception processing: the report being processed
// goes to the error dialog display (classic, detailed or message box, as the
// options or a filter chose), and the user's choices come back into the
// processing's state.

// Puts the step into the processing's steps and makes the detailed dialog
// available to the display.
void InstallDialogStep();

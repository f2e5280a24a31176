#pragma once
// The display of one error: the loop that shows the chosen kind of dialog,
// falls back to the message box when a dialog could not be shown, and asks
// the program whether it may terminate when the user asked for it.
#include <string>

#include "editor/crashreport/core/dialogs/DialogFlags.h"

// What the display needs of the system.
class TErrorDisplayPlatform {
public:
    virtual ~TErrorDisplayPlatform() = default;
    virtual void LoadRichEdit() = 0;
    virtual void UnloadRichEdit() = 0;
    virtual void RememberForeground() = 0;
    virtual void RestoreForeground() = 0;
    virtual void Beep() = 0;
    virtual void RunDetailedDialog() = 0;
    virtual void RunClassicDialog() = 0;
    virtual void ShowMessageBox() = 0;
    virtual bool WindowsNT() = 0;
    virtual void ClearLibraryError() = 0;
    // ExceptionActionNotify with atTerminating; a handler may clear execute.
    virtual void NotifyTerminating(bool& execute) = 0;
    virtual void RecordShowError(const std::string& message) = 0;
};

extern const char* const CannotShowDialogMessage;  // "Cannot show the DialogBox window."

// Shows flags.DialogType once (with its repeats for a vetoed termination).
void RunErrorDisplay(TDialogFlags& flags, TErrorDisplayPlatform& platform, bool beep);

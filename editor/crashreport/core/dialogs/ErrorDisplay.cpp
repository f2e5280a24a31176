#include "editor/crashreport/core/dialogs/ErrorDisplay.h"

const char* const CannotShowDialogMessage = "Cannot show the DialogBox window.";

void RunErrorDisplay(TDialogFlags& flags, TErrorDisplayPlatform& platform, bool beep)
{
    flags.DialogFailed = false;
    platform.LoadRichEdit();
    platform.RememberForeground();
    if (beep && flags.DialogType != edtMessageBox)
        platform.Beep();
    bool goOn = true;
    do {
        flags.Painted = false;
        const uint8_t shown = flags.DialogType;
        switch (flags.DialogType) {
        case edtZorvikLog:
            platform.RunDetailedDialog();
            break;
        case edtMSClassic:
            platform.RunClassicDialog();
            break;
        case edtMessageBox:
            flags.Painted = true;
            platform.ShowMessageBox();
            flags.DialogType = edtNone;
            break;
        default:
            flags.Painted = true;
            break;
        }
        if (!flags.Painted && platform.WindowsNT())
            platform.ShowMessageBox();
        goOn = true;
        if (flags.TerminateFlag) {
            platform.ClearLibraryError();
            bool execute = flags.TerminateFlag;
            platform.NotifyTerminating(execute);
            flags.TerminateFlag = execute;
            goOn = flags.TerminateFlag;
            // A veto shows the same dialog again.
            if (!goOn)
                flags.DialogType = shown;
        }
        if (!flags.Painted) {
            platform.RecordShowError(CannotShowDialogMessage);
            flags.DialogType = edtNone;
            flags.DialogFailed = true;
            // A dialog that cannot be shown cannot be vetoed into showing again.
            goOn = true;
        }
    } while (!goOn);
    flags.Painted = false;
    platform.UnloadRichEdit();
    platform.RestoreForeground();
}

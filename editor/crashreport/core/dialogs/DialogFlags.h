#pragma once
// The flags through which the error dialogs and the processing talk: which
// dialog comes next, what the user chose, and whether a dialog could be
// shown at all.
#include <atomic>
#include <cstdint>
#include <string>

#include "editor/crashreport/support/options/OptionTypes.h"

struct TDialogFlags {
    uint8_t DialogType = edtNone;  // the display repeats while it is not edtNone
    bool SendCheck = false;
    bool ScreenshotCheck = false;
    bool CancelFlag = false;
    bool CopyCheck = false;
    bool TerminateFlag = false;
    bool DuplicateFlag = false;
    bool DetailsForced = false;    // a repeat: the detailed dialog starts detailed
    std::atomic<bool> Painted{false};  // set by a dialog's first WM_PAINT
    bool DialogFailed = false;
    bool SendOptionShown = false;
    bool CloseDialog = false;      // set by a custom-button handler
    std::string UserEmail;
};

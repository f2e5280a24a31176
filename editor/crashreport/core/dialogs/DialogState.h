#pragma once
// The dialogs' part of the crash-report core's process-wide state: what the
// processing hands to the error dialogs (options, message, report texts),
// the flags through which the user's choices go back, and what the window
// services and the send-progress dialog keep. Only one crash dialog (and at
// most the send-progress dialog beside it) is alive at a time; the fields
// are written by one thread at a time under the processing lock.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/dialogs/DialogFlags.h"
#include "editor/crashreport/support/options/OptionTypes.h"

class TZorvikModuleOptions;

// The report texts the processing holds: the general section, the full
// report, its working copy and its second copy.
struct TDialogReportTexts {
    std::string General;
    std::string Full;
    std::string FullWork;
    std::string FullSecond;
};

// The seven dialog fonts.
enum TDialogFont { dfCaption, dfMessage, dfLink, dfPlainLink, dfBold, dfFixed, dfList, DialogFontCount };

struct TDialogState : TDialogFlags {
    // --- Set by the processing before a dialog ---
    TZorvikModuleOptions* Options = nullptr;
    std::string ExceptionMessage;
    std::string CustomErrorMessage;  // cleared at the start of each processing
    TDialogReportTexts Report;
    int32_t ErrorsCount = 0;         // this exception included
    bool GuiProgram = true;          // an interactive program (not console, not a web module)
    bool InlineProcessing = false;   // processing runs in the faulting thread (a library)

    // --- The display (the flags of TDialogFlags, and:) ---
    HWND PreviousForeground = nullptr;

    // --- Links to the processing and the events (empty: nothing happens) ---
    // ExceptionActionNotify with atTerminating; `execute` may be cleared.
    std::function<void(bool& execute)> TerminatingNotify;
    // CustomButtonClickNotify; a handler may set CloseDialog.
    std::function<void()> CustomButtonClickNotify;
    // Records a library error of the display (eeShowError) with its message.
    std::function<void(const std::string& message)> ShowErrorRecorded;
    // The detailed dialog's procedure (template "ZV_Dialog"); while none is
    // set, the detailed kind shows the message box instead.
    DLGPROC DetailedDialogProc = nullptr;
    // Told when a crash dialog is painted (the waiting thread starts to
    // answer its own messages then).
    std::function<void()> PaintedNotify;

    // --- Window services ---
    HFONT Fonts[DialogFontCount] = {};
    int32_t FontSize = 8;
    std::string BoldFace, FixedFace, ListFace;
    NONCLIENTMETRICSA Metrics{};
    int32_t CaptionMetric = SM_CYCAPTION;
    bool CaptionActive = true;
    bool DetailedMode = false;       // the detailed dialog shows its pages (caption frame)
    int32_t AutoCloseSeconds = 0;
    HWND KeepInFrontWindow = nullptr;
    bool TopmostMode = false;
    std::vector<HWND> OwnWindows;
    RECT WorkArea{};                 // of the window in front when processing began

    // --- The send-progress dialog ---
    std::atomic<HWND> SendDialogWindow{nullptr};
    std::atomic<bool> SendDialogFocused{false};
    HANDLE SendDialogThread = nullptr;
    int32_t SendStep = 0;
    int32_t SendSteps = 0;
    int32_t SendPosition = 0;
    HBITMAP SendBitmap = nullptr;
};

TDialogState& DialogState();
// A crash dialog's WM_PAINT: sets the painted flag and tells the processing.
void NoteDialogPainted();

class TProfileStore;
// The store of the dialogs' state file (the system's profile functions; the
// file lives in the settings folder).
TProfileStore& DialogStateStore();

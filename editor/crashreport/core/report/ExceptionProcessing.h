#pragma once
// The central exception entry and its processing. Every capture of the
// crash-report core comes here in the faulting thread; the entry runs the
// processing sequence in a thread of its own (TExceptionThread) while the
// faulting thread waits, keeps the user interface painted and runs the
// callbacks the processing queues for it (event handlers run there).
//
// The steps of the sequence that other stages do (the report text, the log,
// the screenshot, the dialog, the sending, the end of processing) are
// reached through TProcessingSteps: an empty step is skipped.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/capture/Captures.h"
#include "editor/crashreport/core/report/ProcessingTexts.h"
#include "editor/crashreport/support/options/ExceptionFilters.h"
#include "editor/crashreport/support/options/OptionTypes.h"

class TZorvikModuleOptions;

// What the entry hands to the processing, besides the capture.
struct TExceptNotifyParams {
    bool Handled = false;  // caught by the program, reported as handled
    uint32_t ThreadId = 0;  // the faulting thread (the main one for a freeze)
    std::string FocusedClass;  // window class of the control with the focus
    std::string FocusedText;   // its text ("" for read-only or Unicode controls, "*" for passwords)
};


// The state of the exception being processed (the core's per-exception
// fields). Valid from the entry to the end of the processing.
struct TProcessingState {
    TCapture* Capture = nullptr;
    TExceptNotifyParams Notify;
    TOutputKind OutputKind = TOutputKind::Automatic;
    // The options the report is made with: a copy of the module's.
    TZorvikModuleOptions* Options = nullptr;
    std::string ModuleName;  // of the module whose options are used
    uintptr_t ModuleHandle = 0;
    double ExceptionDate = 0;  // local date-time of the processing's start
    int32_t Step = 0;          // the step under way (the internal error log's section)
    std::string ExceptionId;   // 4 upper-case hexadecimal digits
    // The filter's decisions.
    TFilterHandlerType Handler = fhtZorvikLog;
    TFilterActionType Action = fatNone;
    TExceptionDialogType DialogType = edtNone;
    bool DialogSetByFilter = false;
    std::string CustomErrorMessage;
    bool MustSend = false;
    bool Duplicate = false;          // the log holds a report with the same id
    bool ReportInProgress = false;   // an event handler clears it to stop
    bool SendChecked = false;        // the dialog's "send" box
    bool ScreenshotChecked = false;  // the dialog's "attach screenshot" box
    bool CopyToClipboard = false;    // the dialog asked for the text
    // The user chose Terminate (or Restart) in the dialog and no atTerminating
    // handler vetoed it: the end of processing ends the program.
    bool TerminateRequested = false;
    // The Send step handed the report to a send thread, which then runs the
    // auto-crash rule and the end of processing after its send.
    bool SendThreadStarted = false;
    // The report (the report-building step fills them).
    std::string ReportText;
    std::string TextToSend;
    // The general part at the head of ReportText: sections added later go
    // right after it, and the dialog's General page shows it.
    std::string GeneralText;
    std::string DialogText;
    HWND FocusWindow = nullptr;  // kept for the screenshot
    HCURSOR Cursor = nullptr;
    RECT WorkArea{};  // of the monitor of the active window
    bool ScreenshotTaken = false;
    bool Inline = false;         // processed in the faulting thread itself
    bool DialogPainted = false;  // a dialog of the core has been painted
    bool Result = false;         // the framework's own handling is to run
};

// The steps other stages do. Each gets the state; an empty one is skipped.
struct TProcessingSteps {
    using TStep = std::function<void(TProcessingState& state)>;
    // The text the bug identifier starts with (three pieces of the report).
    std::function<std::string(const TProcessingState& state)> IdentifierPieces;
    TStep BuildReport;  // fills ReportText and TextToSend
    // The duplicate test against the log; count: raise the earlier report's count.
    std::function<void(TProcessingState& state, bool count)> CheckDuplicate;
    // The first filter that matches the exception, -1 for none.
    std::function<int(const TProcessingState& state)> FindFilter;
    TStep TakeScreenshot;
    TStep FinishScreenshot;  // written to its file for sending
    TStep FreeScreenshot;
    TStep AddCustomData;  // the custom data lines as a report section
    TStep AddReproduceText;
    TStep DeleteLogAtVersionChange;
    TStep SaveReportToLog;
    TStep CopyReportToClipboard;
    // The dialog: shown again while it leaves a dialog type other than
    // edtNone in the state; `first` on the first showing.
    std::function<void(TProcessingState& state, bool first)> ShowDialog;
    TStep RequestStep;    // after the detailed dialog
    TStep WriteConsole;   // the report to standard output
    TStep WebErrorPage;
    TStep Send;           // the report by mail or web
    TStep AutoCrash;      // the auto-crash rule
    TStep EndOfProcessing;  // terminate or restart as configured
};
TProcessingSteps& ProcessingSteps();

// Starts the processing: the capture stage's captures go to the central
// entry from now on; the processing's event runner is installed.
void InstallExceptionProcessing();

// The central entry (in the faulting thread, the capture stage holding the
// processing lock). True: the framework's own handling is to run.
bool CentralExceptionEntry(TCapture& capture, TOutputKind kind = TOutputKind::UserInterface, bool handled = false);

// The state of the processing under way, or null.
TProcessingState* CurrentProcessing();
// The options the processing uses, else the core's own.
TZorvikModuleOptions* ProcessingOptions();

// Runs a routine in the thread that waits for the processing and waits
// until it has run (polling every 10 ms); at once when the caller is that
// thread or no processing thread exists. Errors of the routine are swallowed.
void RunOnWaitingThread(const std::function<void()>& routine);

// The faulting thread's wait: at most 11 waiting messages are taken; the
// quit message is dropped, keystrokes and mouse clicks are dropped with a
// beep, every other message is dispatched. False when a dispatch failed.
bool PumpWaitingMessages();

// The number of exceptions processed so far.
int32_t ProcessedErrorsCount();
// The dates and times (local date-times) of the latest processed exceptions,
// at most AutoCrashNumber of them, for the auto-crash rule.
std::vector<double>& CrashTimes();
// Set by ForceApplicationTermination: filter actions do not end the program
// again, and the end of processing ends it with the operation it was given.
bool& TerminationForced();
TTerminateBtnOperation& ForcedTerminationOperation();
// Set: the next processing only builds the report text, keeps it in
// LogTextResult() and ends (no dialog, log or send); it clears the flag.
bool& CallForGetLogText();
std::string& LogTextResult();

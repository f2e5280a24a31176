#include "editor/crashreport/core/report/DialogStep.h"

#include "editor/crashreport/core/capture/InternalErrors.h"
#include "editor/crashreport/core/dialogs/DetailedDialog.h"
#include "editor/crashreport/core/dialogs/DetailedPageRows.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportBuildingStep.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"

namespace {

void ShowDialog(TProcessingState& state, bool first)
{
    TDialogState& dialogs = DialogState();
    if (!first || !state.Options) {
        state.DialogType = edtNone;
        return;
    }
    const TReportTexts& texts = LastReportTexts();
    if (state.DialogType == edtZorvikLog)
        PrepareDetailedDialog(DetailedReportPages(LastReportFacts(), state.GeneralText, texts.Asm, texts.CPU,
                                                  state.Options, false));
    if (!state.CustomErrorMessage.empty())
        dialogs.CustomErrorMessage = state.CustomErrorMessage;
    dialogs.InlineProcessing = state.Inline;
    dialogs.CopyCheck = false;
    dialogs.TerminateFlag = false;

    TErrorDialogInput input;
    input.Options = state.Options;
    input.Message = state.Capture ? state.Capture->Message : std::string();
    input.Report.General = state.GeneralText;
    input.Report.Full = state.DialogText;
    input.Report.FullWork = state.TextToSend;
    input.Report.FullSecond = state.DialogText;
    input.ErrorsCount = ProcessedErrorsCount();
    input.DialogType = static_cast<uint8_t>(state.DialogType);
    input.Duplicate = state.Duplicate;
    input.GuiProgram = true;
    DisplayErrorDialogs(input);
    // An event handler's message holds for this exception only.
    dialogs.CustomErrorMessage.clear();

    // The display repeats its dialogs and asks for the reproduce text
    // itself: the processing does not show it again.
    state.DialogType = edtNone;
    state.SendChecked = dialogs.SendCheck;
    state.ScreenshotChecked = dialogs.ScreenshotCheck;
    state.CopyToClipboard = dialogs.CopyCheck;
    state.TerminateRequested = dialogs.TerminateFlag;
    // The report as the dialog left it: the e-mail the user typed stands in
    // its user section.
    state.GeneralText = dialogs.Report.General;
    state.ReportText = dialogs.Report.Full;
    state.DialogText = dialogs.Report.Full;
    state.TextToSend = dialogs.Report.FullWork;
}

}  // namespace

void InstallDialogStep()
{
    InstallDetailedDialog();
    ProcessingSteps().ShowDialog = ShowDialog;
    TDialogState& dialogs = DialogState();
    // Any crash dialog painted, the send-progress dialog too: the waiting
    // main thread answers its own messages from then on.
    dialogs.PaintedNotify = [] {
        if (TProcessingState* state = CurrentProcessing())
            state->DialogPainted = true;
    };
    // The user's Terminate or Restart goes to the program first; a handler
    // that clears the flag keeps the program running (the dialog shows again).
    dialogs.TerminatingNotify = [](bool& execute) {
        TEventValues& v = EventValues();
        v.Execute = execute;
        RaiseActionNotify(atTerminating);
        execute = v.Execute;
    };
    dialogs.CustomButtonClickNotify = [] {
        TEventValues& v = EventValues();
        v.CloseDialog = false;
        RaiseCustomButtonClick();
        DialogState().CloseDialog = v.CloseDialog;
    };
    dialogs.ShowErrorRecorded = [](const std::string& message) { ZorvikLogWarning(eeShowError, message); };
}

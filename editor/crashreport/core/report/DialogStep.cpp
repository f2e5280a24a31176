#include "editor/crashreport/core/report/DialogStep.h"

#include "editor/crashreport/core/dialogs/DetailedDialog.h"
#include "editor/crashreport/core/dialogs/DetailedPageRows.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportBuildingStep.h"

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
        PrepareDetailedDialog(DetailedReportPages(LastReportFacts(), texts.General, texts.Asm, texts.CPU,
                                                  state.Options, false));
    // The waiting main thread pumps its messages once a dialog is painted.
    dialogs.PaintedNotify = [&state] { state.DialogPainted = true; };
    if (!state.CustomErrorMessage.empty())
        dialogs.CustomErrorMessage = state.CustomErrorMessage;
    dialogs.InlineProcessing = state.Inline;
    dialogs.CopyCheck = false;
    dialogs.TerminateFlag = false;

    TErrorDialogInput input;
    input.Options = state.Options;
    input.Message = state.Capture ? state.Capture->Message : std::string();
    input.Report.General = texts.General;
    input.Report.Full = state.DialogText;
    input.Report.FullWork = state.DialogText;
    input.Report.FullSecond = state.DialogText;
    input.ErrorsCount = ProcessedErrorsCount();
    input.DialogType = static_cast<uint8_t>(state.DialogType);
    input.Duplicate = state.Duplicate;
    input.GuiProgram = true;
    DisplayErrorDialogs(input);
    dialogs.PaintedNotify = nullptr;
    // An event handler's message holds for this exception only.
    dialogs.CustomErrorMessage.clear();

    // The display repeats its dialogs and asks for the reproduce text
    // itself: the processing does not show it again.
    state.DialogType = edtNone;
    state.SendChecked = dialogs.SendCheck;
    state.ScreenshotChecked = dialogs.ScreenshotCheck;
    state.CopyToClipboard = dialogs.CopyCheck;
}

}  // namespace

void InstallDialogStep()
{
    InstallDetailedDialog();
    ProcessingSteps().ShowDialog = ShowDialog;
}

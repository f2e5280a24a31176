#include "editor/crashreport/core/sending/SendStage.h"

#include <windows.h>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/InternalErrors.h"
#include "editor/crashreport/core/dialogs/SendDialog.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "editor/crashreport/core/sending/SendReport.h"
#include "editor/crashreport/core/sending/WebErrorReply.h"

std::unique_ptr<TSendContext> SendContextFor(const TProcessingState& state) {
    auto ctx = std::make_unique<TSendContext>();
    ctx->Options = state.Options;
    ctx->ReportText = state.ReportText;
    ctx->LogTextToSend = state.TextToSend;
    ctx->ExceptionDate = state.ExceptionDate;
    ctx->ScreenshotTaken = state.ScreenshotTaken && state.ScreenshotChecked;
    ctx->InlineProcessing = state.Inline;
    ctx->CGIProgram = IsCGIProgram();
    FillReportFileFacts(*ctx);
    if (state.Capture) {
        ctx->ExceptionClassName = state.Capture->ClassName;
        ctx->ExceptionMessage = state.Capture->Message;
    }
    ctx->BugIdentifier = state.ExceptionId;
    ctx->MainThreadId = ZorvikCore().MainThreadId;

    // The events pass their flags through the core's event values.
    ctx->ActionNotify = [](TZorvikActionType action, bool& execute) {
        EventValues().Execute = execute;
        RaiseActionNotify(action);
        execute = EventValues().Execute;
    };
    ctx->ErrorNotify = [](TZorvikActionType action, bool& retry) {
        EventValues().Retry = retry;
        RaiseErrorNotify(action);
        retry = EventValues().Retry;
    };
    ctx->AttachedFilesRequest = [](TStrings& files) { RaiseAttachedFilesRequest(files); };
    ctx->CustomWebFieldsRequest = [](TStrings& fields) { RaiseCustomWebFieldsRequest(fields); };
    ctx->Warning = [](TZorvikLogErrorCode code, const std::string& message) { ZorvikLogWarning(code, message); };
    ctx->StartSendDialog = [](bool centred) { StartSendDialog(centred); };
    ctx->SendDialogWindow = [] { return reinterpret_cast<uintptr_t>(SendDialogWindow()); };
    ctx->EnterProcessingLock = [] { EnterCriticalSection(&ZorvikCore().ProcessingLock); };
    ctx->LeaveProcessingLock = [] { LeaveCriticalSection(&ZorvikCore().ProcessingLock); };
    return ctx;
}

void InstallSendingStage() {
    ProcessingSteps().Send = [](TProcessingState& state) {
        if (state.Options == nullptr)
            return;
        StartSending(SendContextFor(state));
    };
}

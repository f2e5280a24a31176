#include "editor/crashreport/core/sending/SendStage.h"

#include <windows.h>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/InternalErrors.h"
#include "editor/crashreport/core/dialogs/SendDialog.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "editor/crashreport/core/sending/SendReport.h"
#include "editor/crashreport/core/sending/WebErrorReply.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

using TRecordCopy = std::shared_ptr<TZorvikExceptionRecord>;

// An event of the send: the handlers see the exception the send reports.
// A send in its own thread runs after its processing has ended, so the
// record it hands over is its own copy.
void RaiseSendEvent(const TRecordCopy& record, const std::function<void()>& raise)
{
    TEventValues& v = EventValues();
    v.Record = *record;
    raise();
    *record = v.Record;
}

std::unique_ptr<TSendContext> MakeSendContext(const TProcessingState& state, TRecordCopy& record)
{
    auto ctx = std::make_unique<TSendContext>();
    ctx->Options = state.Options;
    ctx->ReportText = state.ReportText;
    ctx->LogTextToSend = state.TextToSend;
    ctx->ExceptionDate = state.ExceptionDate;
    ctx->ScreenshotTaken = state.ScreenshotTaken && state.ScreenshotChecked;
    ctx->InlineProcessing = state.Inline;
    ctx->CGIProgram = IsCGIProgram();
    FillReportFileFacts(*ctx);
    record = std::make_shared<TZorvikExceptionRecord>(EventValues().Record);
    if (state.Capture) {
        ctx->ExceptionClassName = state.Capture->ClassName;
        ctx->ExceptionMessage = state.Capture->Message;
        ctx->ExceptionObject = state.Capture->Exception;
        record->ExceptionObject = ctx->ExceptionObject;
        record->ExceptionAddress = state.Capture->Address;
        record->ExceptionClass = state.Capture->ClassName;
        record->ExceptionMessage = state.Capture->Message;
        record->ThreadId = state.Capture->ThreadId;
    }
    record->HandledByProgram = state.Notify.Handled;
    record->ModuleOptions = state.Options;
    ctx->BugIdentifier = state.ExceptionId;
    ctx->MainThreadId = ZorvikCore().MainThreadId;

    // The events pass their flags through the core's event values.
    ctx->ActionNotify = [record](TZorvikActionType action, bool& execute) {
        RaiseSendEvent(record, [&] {
            EventValues().Execute = execute;
            RaiseActionNotify(action);
            execute = EventValues().Execute;
        });
    };
    ctx->ErrorNotify = [record](TZorvikActionType action, bool& retry) {
        RaiseSendEvent(record, [&] {
            EventValues().Retry = retry;
            RaiseErrorNotify(action);
            retry = EventValues().Retry;
        });
    };
    ctx->AttachedFilesRequest = [record](TStrings& files) {
        RaiseSendEvent(record, [&] { RaiseAttachedFilesRequest(files); });
    };
    ctx->CustomWebFieldsRequest = [record](TStrings& fields) {
        RaiseSendEvent(record, [&] { RaiseCustomWebFieldsRequest(fields); });
    };
    ctx->Warning = [](TZorvikLogErrorCode code, const std::string& message) { ZorvikLogWarning(code, message); };
    ctx->StartSendDialog = [](bool centred) { StartSendDialog(centred); };
    ctx->SendDialogWindow = [] { return reinterpret_cast<uintptr_t>(SendDialogWindow()); };
    ctx->EnterProcessingLock = [] { EnterCriticalSection(&ZorvikCore().ProcessingLock); };
    ctx->LeaveProcessingLock = [] { LeaveCriticalSection(&ZorvikCore().ProcessingLock); };
    return ctx;
}

bool SendsInOwnThread(const TProcessingState& state)
{
    return !state.Inline && state.Options && state.Options->CommonSendOptions().Contains(sndSendInSeparatedThread);
}

bool ConsoleMainThreadException(const TProcessingState& state)
{
    return IsConsoleProgram() && state.Capture && state.Capture->ThreadId == ZorvikCore().MainThreadId;
}

// The operation the end of processing ends the program with: the one a
// forced termination named, else the options' Terminate button's.
TTerminateBtnOperation EndOperation(const TZorvikModuleOptions* options)
{
    if (TerminationForced())
        return ForcedTerminationOperation();
    return options ? options->TerminateBtnOperation() : tbTerminate;
}

// The auto-crash rule and the end of processing, where the processing or
// the send thread runs them.
void RunAutoCrash(const TSendContext& ctx)
{
    CheckAutoCrash(ctx, CrashTimes(), [](TTerminateBtnOperation operation) { ForceApplicationTermination(operation); });
}

void RunEndOfProcessing(bool terminateRequested, const TZorvikModuleOptions* options, bool consoleMainThread)
{
    FinishProcessing(terminateRequested || TerminationForced(), EndOperation(options), consoleMainThread);
}

}  // namespace

std::unique_ptr<TSendContext> SendContextFor(const TProcessingState& state)
{
    TRecordCopy record;
    return MakeSendContext(state, record);
}

void InstallSendingStage()
{
    TProcessingSteps& steps = ProcessingSteps();
    steps.Send = [](TProcessingState& state) {
        if (state.Options == nullptr)
            return;
        TRecordCopy record;
        std::unique_ptr<TSendContext> ctx = MakeSendContext(state, record);
        if (SendsInOwnThread(state)) {
            // The thread runs on after the processing: it keeps its own
            // options, and ends the processing's work when the send is done.
            auto options = std::make_shared<TZorvikModuleOptions>(state.Options->ModuleName());
            options->DisableSharedDataWrite();
            options->Assign(state.Options);
            ctx->OwnOptions = options;
            ctx->Options = options.get();
            record->ModuleOptions = options.get();
            const bool terminate = state.TerminateRequested;
            const bool console = ConsoleMainThreadException(state);
            ctx->AfterSendInThread = [terminate, console](TSendContext& sent) {
                RunAutoCrash(sent);
                RunEndOfProcessing(terminate, sent.Options, console);
            };
        }
        state.SendThreadStarted = StartSending(std::move(ctx));
    };
    steps.AutoCrash = [](TProcessingState& state) {
        if (state.Options != nullptr)
            RunAutoCrash(*SendContextFor(state));
    };
    steps.EndOfProcessing = [](TProcessingState& state) {
        RunEndOfProcessing(state.TerminateRequested, state.Options, ConsoleMainThreadException(state));
    };
    SendProgressDialogOpen = [] { return SendDialogWindow() != nullptr; };
}

#include "editor/crashreport/core/report/ProcessingStages.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/FilterMatching.h"
#include "editor/crashreport/core/report/ProcessingTexts.h"
#include "editor/crashreport/core/report/ReportServices.h"
#include "editor/crashreport/core/report/ScreenshotCapture.h"
#include "editor/crashreport/core/report/ZorvikEvents.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/SafeExec.h"
#include "framework/StringList.h"

namespace {

TLogSaving& Saver(TProcessingState& state)
{
    TLogSaving& saving = ZorvikLogSaving();
    saving.SetOptions(state.Options);
    saving.ExceptionId = state.ExceptionId;
    saving.ReportText = state.ReportText;
    saving.TextToSend = state.TextToSend;
    return saving;
}

void AddSection(TProcessingState& state, TMessageType heading,
                const std::vector<std::pair<std::string, std::string>>& items)
{
    const std::string section = ReportSectionText(state.Options->GetCustomizedExpandedTexts(heading), items);
    InsertReportSection(state.GeneralText, state.ReportText, section);
    state.TextToSend = state.ReportText;
    state.DialogText = state.ReportText;
}

void AddCustomData(TProcessingState& state)
{
    std::vector<std::pair<std::string, std::string>> items;
    TStrings& lines = CustomDataLines();
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines.Get(i);
        const size_t eq = line.find('=');
        items.emplace_back(eq == std::string::npos ? line : line.substr(0, eq),
                           eq == std::string::npos ? std::string() : line.substr(eq + 1));
    }
    AddSection(state, mtLog_CustInfoHeader, TrimmedItems(items));
}

void AddReproduceText(TProcessingState& state)
{
    const std::string text = state.Options->ReproduceText();
    if (!text.empty())
        AddSection(state, mtReproduceDialog_Caption, {{"", text}});
}

std::string MainModuleVersion()
{
    const TZorvikModuleInfo* main = ModuleInfoByAddr(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    return main ? main->Version : std::string();
}

}  // namespace

void InstallProcessingStages()
{
    TLogSavingHooks& hooks = ZorvikLogSaving().Hooks();
    hooks.RunOnWaitingThread = RunOnWaitingThread;
    hooks.ActionEvent = [](TZorvikActionType action, bool& execute) {
        EventValues().Execute = execute;
        RaiseActionNotify(action);
        execute = EventValues().Execute;
    };
    hooks.ErrorEvent = [](TZorvikActionType action, bool& retry) {
        EventValues().Retry = retry;
        RaiseErrorNotify(action);
        retry = EventValues().Retry;
    };
    hooks.ClearLastInternalError = ClearLastZorvikLogError;

    TProcessingSteps& s = ProcessingSteps();
    s.FindFilter = [](const TProcessingState& state) {
        TFilteredException e;
        e.ClassChain = ExceptionClassChain(state.Capture->Type);
        if (e.ClassChain.empty())
            e.ClassChain.push_back(state.Capture->ClassName);
        e.Handled = state.Notify.Handled;
        return FindExceptionFilter(*state.Options, e);
    };
    s.CheckDuplicate = [](TProcessingState& state, bool count) {
        TLogSaving& saving = Saver(state);
        saving.CheckDuplicateError(count);
        state.Duplicate = saving.DuplicateError;
    };
    s.SaveReportToLog = [](TProcessingState& state) {
        TLogSaving& saving = Saver(state);
        saving.DuplicateError = state.Duplicate;
        saving.SaveReportToLog();
        state.TextToSend = saving.TextToSend;
    };
    s.DeleteLogAtVersionChange = [](TProcessingState& state) {
        Saver(state).DeleteLogAtVersionChange(MainModuleVersion());
    };
    s.TakeScreenshot = [](TProcessingState& state) {
        const TCommonSendOptions send = state.Options->CommonSendOptions();
        if (!send.Contains(sndSendScreenshot))
            return;
        SetScreenshotFocus(state.FocusWindow, state.Cursor);
        state.ScreenshotTaken = CaptureScreenshot(send.Contains(sndUseOnlyActiveWindow));
    };
    s.FinishScreenshot = [](TProcessingState& state) {
        if (state.ScreenshotTaken && state.ScreenshotChecked)
            WriteScreenshotFile(TempFolderPath() + "Screenshot.png");
    };
    s.FreeScreenshot = [](TProcessingState&) { ReleaseScreenshot(); };
    s.AddCustomData = AddCustomData;
    s.AddReproduceText = AddReproduceText;
}

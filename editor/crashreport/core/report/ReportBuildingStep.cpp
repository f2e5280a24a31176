#include "editor/crashreport/core/report/ReportBuildingStep.h"

#include <windows.h>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/lookup/ModuleImage.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportGatherer.h"
#include "editor/crashreport/core/report/ReportValues.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

namespace {

TReportTexts& LastTexts()
{
    static TReportTexts texts;
    return texts;
}

TReportFacts& LastFacts()
{
    static TReportFacts facts;
    return facts;
}

const TZorvikModuleOptions* OptionsOf(const TProcessingState& state)
{
    return state.Options ? state.Options : ZorvikCoreOptions();
}

}  // namespace

void BuildProcessingReport(TProcessingState& state)
{
    const TZorvikModuleOptions* options = OptionsOf(state);
    if (!state.Capture || !options)
        return;
    TReportFacts facts;
    const TCapture& capture = *state.Capture;
    GatherReportFacts(facts, capture, capture.RecordValid ? &capture.Record : nullptr,
                      options->LogOptions().Contains(loSaveModulesAndProcessesSections));
    // A hosting environment's metadata file describes the program.
    const std::string& metadata = MetadataFilePath();
    if (!metadata.empty() && GetFileAttributesA(metadata.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::string description, version;
        GetFileVersionTexts(metadata, description, version);
        facts.AppDescription = description;
    }
    if (!state.ExceptionId.empty())
        facts.ExceptionID = state.ExceptionId;
    if (state.ExceptionDate != 0)
        facts.ExceptionTime = state.ExceptionDate;
    if (!state.Notify.FocusedClass.empty()) {
        facts.ControlClass = state.Notify.FocusedClass;
        facts.ControlText = state.Notify.FocusedText;
    }
    TReportTexts texts = BuildReportText(facts, *options);
    state.ReportText = texts.Report;
    state.TextToSend = texts.Report;
    state.GeneralText = texts.General;
    LastTexts() = std::move(texts);
    LastFacts() = std::move(facts);
}

std::string ReportIdentifierPieces(const TProcessingState& state)
{
    if (!state.Capture)
        return "";
    TReportFacts facts;
    GatherExceptionFacts(facts, *state.Capture, nullptr);
    return ExceptionClassText(facts) + ExceptionMessageText(facts) + ExtractFileNamePart(facts.ExcModuleFile);
}

const TReportTexts& LastReportTexts()
{
    return LastTexts();
}

const TReportFacts& LastReportFacts()
{
    return LastFacts();
}

void InstallReportBuilding()
{
    TProcessingSteps& steps = ProcessingSteps();
    steps.IdentifierPieces = ReportIdentifierPieces;
    steps.BuildReport = BuildProcessingReport;
}

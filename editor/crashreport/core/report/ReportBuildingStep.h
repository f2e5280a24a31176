#pragma once
// The report-building step of the exception processing: the facts of the
// exception being processed, the report text made from them, and the three
// report pieces the bug identifier starts with.
#include "editor/crashreport/core/report/ReportText.h"

struct TProcessingState;

// Puts the two routines into the processing's steps.
void InstallReportBuilding();

// The step itself: fills the state's report text and the text to send.
void BuildProcessingReport(TProcessingState& state);
// The exception's class, message and module file name, joined.
std::string ReportIdentifierPieces(const TProcessingState& state);

// The pieces of the report built last and the facts it was made from (for
// the dialog's pages).
const TReportTexts& LastReportTexts();
const TReportFacts& LastReportFacts();

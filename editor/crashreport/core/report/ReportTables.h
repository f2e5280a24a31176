#pragma once
// The fixed-width tables of a crash report: the call stacks of the threads,
// the loaded modules and the running processes.
#include <cstdint>
#include <string>

#include "editor/crashreport/core/report/ReportFacts.h"

class TZorvikModuleOptions;

// The details of the call-stack rows a report shows: source-code rows
// always, procedure rows with csoShowDLLs, unit rows with csoShowBPLs.
uint8_t CallStackDetailSet(const TZorvikModuleOptions& options);
// The row's detail is in the set.
bool CallStackRowShown(const TZorvikDebugInfo& row, uint8_t detailSet);

std::string BuildCallStackTable(const TReportFacts& facts, const TZorvikModuleOptions& options);
std::string BuildModulesTable(const TReportFacts& facts, const TZorvikModuleOptions& options);
std::string BuildProcessesTable(const TReportFacts& facts, const TZorvikModuleOptions& options);

// A section's head when its body is left out: the label, ":", CR LF and a
// rule one longer than the label.
std::string SectionHeaderOnly(const std::string& label);

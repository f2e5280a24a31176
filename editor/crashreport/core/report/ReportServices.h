#pragma once
// The core's one log saver, callback slot and report files, wired to the
// disk and the system: the log beside the program (or in the per-user
// folder when that place cannot be written), the system's temporary folder
// and the computer's name.
#include <string>

#include "editor/crashreport/core/report/CallbackSlot.h"
#include "editor/crashreport/core/report/LogSaving.h"
#include "editor/crashreport/core/report/ReportFiles.h"

class TZorvikModuleOptions;

// The log file's name for the options: OutputLogFile of an empty name.
std::string ZorvikOutputLogFile(const TZorvikModuleOptions& options);
// Log objects read from and written to files; internal errors go to the
// component's internal-error reporter under their section.
TLogSavingHooks DiskLogSavingHooks();

TCallbackSlot& ZorvikCallbackSlot();
TLogSaving& ZorvikLogSaving();
TReportFiles& ZorvikReportFiles();

// The system's temporary folder with its final "\".
std::string TempFolderPath();

#pragma once
// The core's one log saver and callback slot, wired to the disk: the log
// beside the program, or in the per-user folder when that place cannot be
// written.
#include <string>

#include "editor/crashreport/core/report/CallbackSlot.h"
#include "editor/crashreport/core/report/LogSaving.h"

class TZorvikModuleOptions;

// The log file's name for the options: OutputLogFile of an empty name.
std::string ZorvikOutputLogFile(const TZorvikModuleOptions& options);
// Log objects read from and written to files; internal errors go to the
// component's internal-error reporter under their section.
TLogSavingHooks DiskLogSavingHooks();

TCallbackSlot& ZorvikCallbackSlot();
TLogSaving& ZorvikLogSaving();

// The system's temporary folder with its final "\".
std::string TempFolderPath();

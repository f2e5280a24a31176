#pragma once
// Runs Tessaly.exe with a fault of its test seam and a test copy of its
// crash-report options (TESSALY_TEST_CRASH, TESSALY_TEST_CRASH_OPTIONS): the
// options and the log live in a fresh folder of the test's own.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/support/options/ModuleOptions.h"

struct TTessalyRun {
    std::string Folder;                // the options and the log are here
    DWORD ProcessId = 0;
    DWORD ExitCode = STILL_ACTIVE;     // STILL_ACTIVE: the test ended it
    bool DialogShown = false;          // the error dialog came up
    std::vector<std::string> Reports;  // the reports of the log
};

struct TTessalyRunSteps {
    // Gets the error dialog once, when it shows.
    std::function<void(HWND dialog)> Drive;
    // Looked at every 100 ms while the editor runs: true ends the run (the
    // test then ends the editor).
    std::function<bool(const TTessalyRun& run)> Done;
    int Seconds = 40;  // the editor is ended after that at the latest
};

// The folder of the programs (Tessaly.exe), ending in a delimiter.
std::string TessalyBinaryFolder();
// Saves the options into the folder, where the editor's log then goes as
// well; gives the option file's path.
std::string SaveTestOptions(TZorvikModuleOptions& options, const std::string& folder);
// Options that mail the report to the tests' SMTP peer on the port.
void MailToPeer(TZorvikModuleOptions& options, uint16_t port);
// Starts Tessaly.exe with the seam's variables: the fault, and when not
// empty the option file and the note file; in the start folder when one is
// given. False (with a test failure) when it did not start.
bool StartTessaly(PROCESS_INFORMATION& pi, const std::string& kind, const std::string& optionFile,
                  const std::string& noteFile = "", const std::string& startFolder = "");

TTessalyRun RunTessalyFault(const std::string& name, const std::string& kind, TZorvikModuleOptions& options,
                            const TTessalyRunSteps& steps);

// The reports of the log files (*.zvf) in a folder; none of a file the
// editor is still writing.
std::vector<std::string> FolderLogReports(const std::string& folder);

// A call-stack row of a report naming the procedure in the editor's source
// file, with a line number.
bool HasEditorRow(const std::string& report, const std::string& sourceFile, const std::string& procedure);
// The call-stack section of a report, for messages.
std::string CallStackSection(const std::string& report);

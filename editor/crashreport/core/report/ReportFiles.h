#pragma once
// The report files' steps besides their names (which the send context
// gives): writing the last HTML page and the XML copy of the log copy,
// reading a text file back, filling the context with the system's temporary
// folder, the computer's name and the log's name, and pruning the zip copies
// kept after failed sends.
#include <string>
#include <vector>

struct TSendContext;

// Writes text as lines (CR LF after each) to the context's
// AttachedLastHTMLPageFile, when that is named; errors are swallowed.
void SaveLastHTMLPage(const TSendContext& context, const std::string& text);

// The whole file as lines joined by CR LF; "" when the name is empty or the
// file cannot be read.
std::string ReadTextFile(const std::string& path);

// The component's own report archives among file names: "BugReport.zip"
// and its decorated forms "BugReport__<...>.zip", without regard to case.
bool IsSavedReportCopy(const std::string& fileName);
// Of the names in a folder, those to delete so that of the component's own
// report archives only the 10 greatest names (compared without case) stay.
// Other files are never chosen.
std::vector<std::string> SavedReportCopiesToDelete(const std::vector<std::string>& fileNames);

// Windows only:
// Deletes in folder what SavedReportCopiesToDelete chooses.
void PruneSavedReportCopies(const std::string& folder);
// Writes the XML form of the log copy to the context's XMLCopyFile, when
// that is named, reading enciphered names with the debug-information
// password; raises when the log copy cannot be read or the file written.
void SaveTempXMLCopy(const TSendContext& context, const std::string& password);
// The system's temporary folder (with its final "\"), the computer's name
// and the log file's name for the context's options.
void FillReportFileFacts(TSendContext& context);

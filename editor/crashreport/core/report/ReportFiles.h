#pragma once
// The files the core writes for a report besides the log, in the temporary
// folder: the screenshot, a copy of the log and its XML form, the last HTML
// page of a web-server program and the zip archive that bundles what is sent;
// the names under which they travel; the list of files a send attaches; and
// the pruning of the zip copies kept after failed sends.
#include <functional>
#include <string>
#include <vector>

class TZorvikModuleOptions;

class TReportFiles {
public:
    // The options of the module being reported; every name is empty without.
    TZorvikModuleOptions* Options = nullptr;
    // The system's temporary folder, with its final "\".
    std::string TempFolder;
    // The computer's name as the system gives it (at most 15 characters).
    std::string ComputerName;
    // The log file's name for the options (environment references not yet
    // expanded).
    std::function<std::string(const TZorvikModuleOptions&)> OutputLogFile;

    // Facts of the current report.
    double ExceptionDate = 0;  // days since 30 December 1899, local time
    bool ScreenshotTaken = false;
    std::string LastHTMLPage;
    std::string DebugPassword;
    std::vector<std::string> Attachments;

    // The name part of path, with "__<computer>" and then "__<date>" before
    // its extension when the options ask for them.
    std::string DecorateReportFileName(const std::string& path) const;

    std::string ScreenshotTempFile() const;
    std::string AttachedScreenshotFile() const;
    std::string TempLogCopyFile() const;
    std::string TempXMLCopyFile() const;
    std::string BugReportZipFile() const;
    std::string LastHTMLPageTempFile() const;
    std::string AttachedLastHTMLPageFile() const;

    // Writes text as lines (CR LF after each) to AttachedLastHTMLPageFile,
    // when that is named; errors are swallowed.
    void SaveLastHTMLPage(const std::string& text) const;
    // Writes the XML form of the log copy to TempXMLCopyFile, when that is
    // named (Windows only: it reads the log copy through the log's disk form).
    void SaveTempXMLCopy() const;
    // Fills Attachments for one send.
    void BuildAttachmentList(bool forMail);
};

// The whole file as lines joined by CR LF; "" when the name is empty or the
// file cannot be read.
std::string ReadTextFile(const std::string& path);

// A date-time (days since 30 December 1899) as "yyyymmddhhnnss".
std::string ReportDateStamp(double dateTime);

// The component's own report archives among file names: "BugReport.zip"
// and its decorated forms "BugReport__<...>.zip", without regard to case.
bool IsSavedReportCopy(const std::string& fileName);
// Of the names in a folder, those to delete so that of the component's own
// report archives only the 10 greatest names (compared without case) stay.
// Other files are never chosen.
std::vector<std::string> SavedReportCopiesToDelete(const std::vector<std::string>& fileNames);
// Deletes in folder what SavedReportCopiesToDelete chooses (Windows only).
void PruneSavedReportCopies(const std::string& folder);

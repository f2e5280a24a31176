#pragma once
// Everything one send of a report works with: the options of the module
// reported, the report's texts and facts handed over by the processing, the
// state of the send (flags, attachment and web-field lists, progress) and the
// services the rest of the core lends it (events, the internal error
// reporter, the send-progress dialog). The roads take it as their one
// argument besides their own, so they stand apart from how the processing
// keeps its state.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/sending/SendTypes.h"
#include "framework/StringList.h"

class TZorvikModuleOptions;

struct TSendContext {
    TZorvikModuleOptions* Options = nullptr;

    // --- The report, as the processing made it ---
    std::string ReportText;
    std::string LogTextToSend;   // the report, or the whole log
    std::string LastHTMLPage;    // of a web-server module, or empty
    double ExceptionDate = 0;    // local date-time (days since 30 Dec 1899)
    bool ScreenshotTaken = false;
    bool InlineProcessing = false;
    bool CGIProgram = false;
    std::string LogFile;         // the log's full path; saved copies go beside it
    std::string TempFolder;      // the system's temporary folder, with a final "\"
    std::string ComputerName;
    // What a bug tracker is told.
    std::string Version, ExceptionClassName, ExceptionMessage, BugIdentifier;

    // --- The state of one send ---
    uint8_t SendFlag = 0;
    uint8_t RetryFlag = 0;
    std::vector<std::string> AttachedFiles;
    TStringList WebFields;
    bool ClosedNoticeShown = false;
    // Progress shown in the send dialog.
    int32_t RecipientNumber = 0, RecipientCount = 0, ProgressPosition = 0;
    // The last internal error a road reported.
    TZorvikLogErrorCode LastErrorCode = eeNone;
    std::string LastErrorMessage;

    // --- Services of the core (each may be empty) ---
    std::function<void(TZorvikActionType, bool& execute)> ActionNotify;
    std::function<void(TZorvikActionType, bool& retry)> ErrorNotify;
    std::function<void(TStrings& files)> AttachedFilesRequest;
    std::function<void(TStrings& fields)> CustomWebFieldsRequest;
    // The internal error reporter's warning (besides the last error kept here).
    std::function<void(TZorvikLogErrorCode, const std::string&)> Warning;
    // Opens the send-progress dialog (when the options want one), and its
    // window: 0 while there is none.
    std::function<void(bool centred)> StartSendDialog;
    std::function<uintptr_t()> SendDialogWindow;
    // The program's main window (0 when none) and main thread, the owner of
    // the mail program's dialogs.
    std::function<uintptr_t()> ProgramMainWindow;
    uint32_t MainThreadId = 0;
    // Writes the XML copy of the log copy (the log reader's job).
    std::function<void()> SaveTempXMLCopy;
    // Shows a message box without owner (MessageBoxA unless set).
    std::function<void(const std::string& text, const std::string& caption, unsigned flags)> ShowMessage;
    // The send thread's hold on the processing lock, and the processing's
    // tail it runs after the send (the auto-crash rule, termination).
    std::function<void()> EnterProcessingLock, LeaveProcessingLock;
    std::function<void(TSendContext& ctx)> AfterSendInThread;
    // The exception reported. A send in a thread of its own holds its own
    // reference, so the object outlives the processing that handed it over;
    // likewise the options, of which such a send owns a copy.
    std::exception_ptr ExceptionObject;
    std::shared_ptr<TZorvikModuleOptions> OwnOptions;

    // Keeps the error as the last one and hands it to Warning.
    void ReportWarning(TZorvikLogErrorCode code, const std::string& message);
    void ClearLastError();
    uintptr_t DialogWindow() const { return SendDialogWindow ? SendDialogWindow() : 0; }
    // A user text of the options.
    std::string Text(int messageType) const;

    // --- Names of the report's files ---
    // The name part of path, with "__" + computer and "__" + the exception
    // date (yyyymmddhhnnss) before the extension as the options ask.
    std::string DecorateReportFileName(const std::string& path) const;
    std::string LogCopyFile() const;              // temp + the log's name
    std::string XMLCopyFile() const;              // "" unless an XML copy is sent
    std::string ScreenshotFile() const;           // "" unless a screenshot is sent
    std::string AttachedScreenshotFile() const;   // also "" when none was taken
    std::string LastHTMLPageFile() const;         // "" unless the page is sent
    std::string AttachedLastHTMLPageFile() const; // also "" without a page
    std::string ZipFile() const;                  // temp + "BugReport.zip"
    // AttachedFiles of the options, the log copy (not for a mail that carries
    // the log in its body), the screenshot, the HTML page and the XML copy.
    std::vector<std::string> BuildAttachmentList(bool forMail) const;
};

// "yyyymmddhhnnss" of a local date-time.
std::string CompactDateText(double dateTime);

#pragma once
// Saving a report into the program's log: opening the log, the duplicate
// test that counts a repeated error instead of storing it again, the save
// with its events and retry, and the deletion of the log when the program's
// version changed.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/crashreport/core/report/CallbackSlot.h"
#include "editor/crashreport/core/sending/SendTypes.h"
#include "editor/crashreport/support/log/LogFile.h"

class TZorvikModuleOptions;

// What saving needs from the rest of the core. The Windows shell fills the
// file operations (DiskLogSavingHooks); the processing adds its events.
struct TLogSavingHooks {
    // The log file's name for the options (before environment references
    // are expanded).
    std::function<std::string(const TZorvikModuleOptions&)> OutputLogFile;
    // A log object for the file, loaded when the file exists; the file is
    // made only by SaveLog.
    std::function<std::unique_ptr<TLogFile>(const std::string& fileName)> OpenLog;
    std::function<void(TLogFile&)> SaveLog;
    std::function<bool(const std::string& fileName)> DeleteLog;
    // The action and error events of every handler; they may clear
    // `execute` or set `retry`.
    std::function<void(TZorvikActionType action, bool& execute)> ActionEvent;
    std::function<void(TZorvikActionType action, bool& retry)> ErrorEvent;
    // Runs a routine on the thread that waits for the processing and returns
    // when it has run; empty: through the saver's own callback slot.
    std::function<void(const std::function<void()>& routine)> RunOnWaitingThread;
    // An entry in the internal error log, and clearing the last one.
    std::function<void(const std::string& section, const std::string& message)> InternalError;
    std::function<void()> ClearLastInternalError;
};

class TLogSaving {
public:
    TLogSaving(TCallbackSlot& slot, TLogSavingHooks hooks);
    ~TLogSaving();
    TLogSaving(const TLogSaving&) = delete;
    TLogSaving& operator=(const TLogSaving&) = delete;

    TLogSavingHooks& Hooks() { return FHooks; }
    TCallbackSlot& Slot() { return FSlot; }

    // The options of the module being reported; nothing is done without.
    void SetOptions(TZorvikModuleOptions* options) { FOptions = options; }
    TZorvikModuleOptions* Options() const { return FOptions; }

    // The current report: its exception id (item "2.7") and text, and the
    // text a send takes (the whole log with sndSendEntireLog).
    std::string ExceptionId;
    std::string ReportText;
    std::string TextToSend;
    // The log already holds a report of this exception.
    bool DuplicateError = false;
    // Passed by reference to the action and error events.
    bool Execute = true;
    bool Retry = false;

    // The log object is held only within one save or one duplicate test.
    void OpenLogFile();
    void CloseLogFile();
    TLogFile* LogFile() const { return FLog.get(); }
    const std::string& LogFileName() const { return FLogFileName; }

    // With loNoDuplicateErrors: marks the report as a duplicate when the log
    // holds one with the same exception id, and with countIt raises that
    // report's count ("2.8") by one and saves the log.
    void CheckDuplicateError(bool countIt);
    void SaveReportToLog();
    // Runs a routine (an event handler) on the thread that waits for the
    // processing, then takes in what the handler may have changed: the
    // duplicate test again and the options from their shared area.
    void RunOnWaitingThread(const std::function<void()>& routine);
    // Deletes the log when its last report names a version ("1.3") other
    // than mainVersion; a log whose last report names none is kept. True
    // when the log was deleted.
    bool DeleteLogAtVersionChange(const std::string& mainVersion);

private:
    void InternalError(const std::string& section, const std::string& message);
    void ClearLastInternalError();

    TCallbackSlot& FSlot;
    TLogSavingHooks FHooks;
    TZorvikModuleOptions* FOptions = nullptr;
    std::unique_ptr<TLogFile> FLog;
    std::string FLogFileName;
};

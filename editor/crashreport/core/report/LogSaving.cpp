#include "editor/crashreport/core/report/LogSaving.h"

#include <exception>
#include <new>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/EnvVariables.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

namespace {

const char* const ExceptionIdItem = "2.7";
const char* const CountItem = "2.8";
const char* const VersionItem = "1.3";

std::string ErrorMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return OutOfMemoryMessage();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "General internal error.";
    }
}

}  // namespace

TLogSaving::TLogSaving(TCallbackSlot& slot, TLogSavingHooks hooks) : FSlot(slot), FHooks(std::move(hooks)) {}

TLogSaving::~TLogSaving() = default;

void TLogSaving::InternalError(const std::string& section, const std::string& message)
{
    if (FHooks.InternalError)
        FHooks.InternalError(section, message);
}

void TLogSaving::ClearLastInternalError()
{
    if (FHooks.ClearLastInternalError)
        FHooks.ClearLastInternalError();
}

void TLogSaving::OpenLogFile()
{
    if (FOptions == nullptr || !FHooks.OutputLogFile || !FHooks.OpenLog)
        return;
    const std::string name = ExpandEnvVars(FHooks.OutputLogFile(*FOptions));
    if (FLog && name != FLogFileName)
        FLog.reset();
    if (!FLog) {
        FLog = FHooks.OpenLog(name);
        FLogFileName = name;
    }
}

void TLogSaving::CloseLogFile()
{
    FLog.reset();
}

void TLogSaving::CheckDuplicateError(bool countIt)
{
    if (FOptions == nullptr)
        return;
    if (!FOptions->LogOptions().Contains(loNoDuplicateErrors)) {
        DuplicateError = false;
        return;
    }
    try {
        OpenLogFile();
        DuplicateError = false;
        if (FLog && !ExceptionId.empty()) {
            const int32_t found = FLog->FindItem({ExceptionIdItem}, {ExceptionId});
            DuplicateError = found >= 0;
            if (DuplicateError && countIt) {
                int32_t count = 1;
                if (!TryStrToInt(Trim(FLog->GetItemValue(CountItem, found)), count))
                    count = 1;
                FLog->SetItemValue(CountItem, IntToStr(count < INT32_MAX ? count + 1 : count), "Count", found);
                if (FHooks.SaveLog)
                    FHooks.SaveLog(*FLog);
            }
        }
    } catch (...) {
        CloseLogFile();
        throw;
    }
    CloseLogFile();
}

void TLogSaving::RunOnWaitingThread(const std::function<void()>& routine)
{
    if (FHooks.RunOnWaitingThread)
        FHooks.RunOnWaitingThread(routine);
    else
        FSlot.Run(routine);
    try {
        CheckDuplicateError(false);
        if (FOptions != nullptr)
            FOptions->LoadSharedData();
    } catch (...) {
        InternalError("Log", ErrorMessage(std::current_exception()));
    }
}

void TLogSaving::SaveReportToLog()
{
    if (FOptions == nullptr)
        return;
    Execute = true;
    ClearLastInternalError();
    if (FOptions->SaveLogFile() && FHooks.ActionEvent)
        RunOnWaitingThread([this] { FHooks.ActionEvent(atSavingLogFile, Execute); });
    bool failed = false;
    bool again = false;
    do {
        // Each retry starts from the log as the disk holds it, so the report
        // is appended once; after a failed save it tries the save again,
        // while a handler's veto (execute cleared before any attempt) stays.
        if (again)
            CloseLogFile();
        if (failed)
            Execute = true;
        again = true;
        failed = false;
        ClearLastInternalError();
        try {
            OpenLogFile();
            if (!FLog)
                throw Exception("The log file cannot be opened");
            if (!DuplicateError) {
                FLog->Append(ReportText, FOptions->ErrorsNumberToSave());
                if (FOptions->CommonSendOptions().Contains(sndSendEntireLog))
                    TextToSend = FLog->GetText();
                if (Execute && FOptions->SaveLogFile() && FHooks.SaveLog)
                    FHooks.SaveLog(*FLog);
            }
        } catch (...) {
            InternalError("Log", ErrorMessage(std::current_exception()));
            Execute = false;
            failed = true;
        }
        Retry = false;
        if (FOptions->SaveLogFile() && !Execute && FHooks.ErrorEvent)
            RunOnWaitingThread([this] { FHooks.ErrorEvent(atSavedLogFile, Retry); });
    } while (Retry);
    CloseLogFile();
    if (FOptions->SaveLogFile() && FHooks.ActionEvent) {
        bool execute = Execute;
        RunOnWaitingThread([this, &execute] { FHooks.ActionEvent(atSavedLogFile, execute); });
    }
}

bool TLogSaving::DeleteLogAtVersionChange(const std::string& mainVersion)
{
    if (FOptions == nullptr)
        return false;
    std::string lastVersion;
    try {
        OpenLogFile();
        if (FLog && FLog->GetCount() > 0)
            lastVersion = Trim(FLog->GetItemValue(VersionItem, FLog->GetCount() - 1));
    } catch (...) {
        CloseLogFile();
        throw;
    }
    const std::string name = FLogFileName;
    // Closed first: an open log cannot be deleted.
    CloseLogFile();
    if (lastVersion.empty() || lastVersion == Trim(mainVersion) || !FHooks.DeleteLog)
        return false;
    return FHooks.DeleteLog(name);
}

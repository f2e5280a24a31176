#include "editor/crashreport/core/report/ReportServices.h"

#include <windows.h>

#include "editor/crashreport/support/files/WorkingFiles.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/SafeExec.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

std::string ZorvikOutputLogFile(const TZorvikModuleOptions& options)
{
    return OutputLogFileFor(options.OutputPath(), options.ModuleName(), "",
                            options.LogOptions().Contains(loAddComputerNameInLogFileName));
}

TLogSavingHooks DiskLogSavingHooks()
{
    TLogSavingHooks hooks;
    hooks.OutputLogFile = ZorvikOutputLogFile;
    hooks.OpenLog = [](const std::string& fileName) { return std::make_unique<TLogFile>(fileName, false); };
    hooks.SaveLog = [](TLogFile& log) { log.Save(); };
    hooks.DeleteLog = [](const std::string& fileName) {
        std::string name = fileName;
        // The log may have been kept in the per-user folder instead.
        GetWorkingFile(name, true, false);
        return DeleteFileA(name.c_str()) != FALSE;
    };
    hooks.InternalError = [](const std::string& section, const std::string&) {
        if (Ecore::CriticalError) {
            auto reporter = Ecore::CriticalError;
            reporter(CriticalErrorText(section.c_str(), 0));
        }
    };
    return hooks;
}

TCallbackSlot& ZorvikCallbackSlot()
{
    static TCallbackSlot slot;
    return slot;
}

TLogSaving& ZorvikLogSaving()
{
    static TLogSaving saving(ZorvikCallbackSlot(), DiskLogSavingHooks());
    return saving;
}

std::string TempFolderPath()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, path);
    if (length == 0 || length > MAX_PATH)
        return "";
    return IncludeLastBackslash(std::string(path, length));
}

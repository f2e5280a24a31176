// The report files' steps that need the disk form of the log, the folder
// listing and the system's facts of Windows.
#include <windows.h>

#include <memory>

#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/core/report/ReportServices.h"
#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

void SaveTempXMLCopy(const TSendContext& context, const std::string& password)
{
    const std::string xmlFile = context.XMLCopyFile();
    if (xmlFile.empty())
        return;
    auto log = std::make_unique<TLogFile>(context.LogCopyFile(), true);
    log->SetPassword(password);
    log->SaveXMLCopy(xmlFile);
}

void FillReportFileFacts(TSendContext& context)
{
    context.TempFolder = TempFolderPath();
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    context.ComputerName = GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
    context.LogFile = context.Options != nullptr ? ZorvikOutputLogFile(*context.Options) : std::string();
}

void PruneSavedReportCopies(const std::string& folder)
{
    const std::string base = IncludeLastBackslash(folder);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + "*.zip").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& name : SavedReportCopiesToDelete(names))
        DeleteFileA((base + name).c_str());
}

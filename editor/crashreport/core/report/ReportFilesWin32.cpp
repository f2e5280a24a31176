// The report files' steps that need the disk form of the log and the
// folder listing of Windows.
#include <windows.h>

#include <memory>

#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/support/CommonStrings.h"
#include "editor/crashreport/support/LogFile.h"

void TReportFiles::SaveTempXMLCopy() const
{
    const std::string xmlFile = TempXMLCopyFile();
    if (xmlFile.empty())
        return;
    auto log = std::make_unique<TLogFile>(TempLogCopyFile(), true);
    log->SetPassword(DebugPassword);
    log->SaveXMLCopy(xmlFile);
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

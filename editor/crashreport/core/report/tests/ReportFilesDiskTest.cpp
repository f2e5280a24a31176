#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/core/report/tests/ReportSamples.h"
#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

std::vector<std::string> FolderFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Twelve saved report archives and two other zip files: the two oldest
// archives go, nothing else.
TEST(ReportFilesDisk, PruningDeletesOnlyTheOldestOwnArchives)
{
    const std::string folder = TestFolder("prune_copies");
    std::vector<std::string> expected = {"Photos.zip", "backup.zip", "notes.txt"};
    for (const std::string& name : expected)
        WriteTestFile(folder + name, "x");
    for (int i = 10; i < 22; ++i) {
        const std::string name = "BugReport__PC1__201303210556" + std::to_string(i) + ".zip";
        WriteTestFile(folder + name, "x");
        if (i >= 12)
            expected.push_back(name);
    }
    PruneSavedReportCopies(folder);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderFiles(folder), expected);
}

TEST(ReportFilesDisk, TheXmlCopyIsWrittenFromTheLogCopy)
{
    const std::string folder = TestFolder("xml_copy");
    TZorvikModuleOptions options("Tessaly.exe");
    options.SetCommonSendOptions(TCommonSendOptions{});
    TSendContext context;
    context.Options = &options;
    context.TempFolder = folder;
    context.LogFile = "D:\\Logs\\Tessaly.zvf";
    {
        TLogFile log(context.LogCopyFile(), false);
        log.Append(TestReport("1A2B"), -1);
        log.Save();
    }
    SaveTempXMLCopy(context, "");  // not asked for
    EXPECT_FALSE(TestFileExists(folder + "Tessaly.xml"));
    options.SetCommonSendOptions(TCommonSendOptions{sndSendXMLLogCopy});
    SaveTempXMLCopy(context, "");
    const std::string xml = ReadTestFile(folder + "Tessaly.xml");
    EXPECT_NE(xml.find("1A2B"), std::string::npos) << xml;
    EXPECT_EQ(xml.substr(xml.size() - 2), "\r\n");
}

TEST(ReportFilesDisk, TheContextLearnsTheTemporaryFolderTheComputerAndTheLog)
{
    const std::string folder = TestFolder("report_facts");
    TZorvikModuleOptions options("Tessaly.exe");
    options.SetModuleName(folder + "Tessaly.exe");
    options.SetOutputPath("");
    TSendContext context;
    context.Options = &options;
    FillReportFileFacts(context);
    ASSERT_FALSE(context.TempFolder.empty());
    EXPECT_EQ(context.TempFolder.back(), '\\');
    EXPECT_EQ(GetFileAttributesA(context.TempFolder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(context.ComputerName.empty());
    EXPECT_LE(context.ComputerName.size(), 15u);
    EXPECT_EQ(context.LogFile, folder + "Tessaly.zvf");
    EXPECT_EQ(context.LogCopyFile(), context.TempFolder + "Tessaly.zvf");
}

}  // namespace

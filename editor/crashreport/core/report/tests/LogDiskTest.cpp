// The log on disk: beside the program, the duplicate count, the version
// rule, and the fall-back to the per-user folder when the log cannot be
// written where it is.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "editor/crashreport/core/report/ReportServices.h"
#include "editor/crashreport/core/report/tests/ReportSamples.h"
#include "editor/crashreport/support/files/WorkingFiles.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

class LogDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        Folder = TestFolder("log_disk");
        Options.SetModuleName(Folder + "Tessaly.exe");
        Options.SetOutputPath("");
        Options.SetSaveLogFile(true);
        Saving.SetOptions(&Options);
    }

    void Process(const std::string& id, const std::string& version = "1.0.0.1")
    {
        Saving.ExceptionId = id;
        Saving.ReportText = TestReport(id, version);
        Saving.CheckDuplicateError(true);
        Saving.SaveReportToLog();
    }

    // Read back with the services' log reader.
    std::unique_ptr<TLogFile> ReadLog(const std::string& name) { return std::make_unique<TLogFile>(name, true); }

    std::string Folder;
    TZorvikModuleOptions Options{"Tessaly.exe"};
    TCallbackSlot Slot;
    TLogSaving Saving{Slot, DiskLogSavingHooks()};
};

TEST_F(LogDisk, TheLogLiesBesideTheProgramAndCountsTheSameCrashTwice)
{
    EXPECT_EQ(ZorvikOutputLogFile(Options), Folder + "Tessaly.zvf");
    Options.SetLogOptions(TLogOptions{loNoDuplicateErrors});
    Process("1A2B");
    Process("1A2B");
    Process("BEEF");
    ASSERT_TRUE(TestFileExists(Folder + "Tessaly.zvf"));
    auto log = ReadLog(Folder + "Tessaly.zvf");
    ASSERT_EQ(log->GetCount(), 2);
    EXPECT_EQ(log->GetItemValue("2.7", 0), "1A2B");
    EXPECT_NE(log->GetItem(0).find("\r\n  2.8 Count         : 2\r\n"), std::string::npos) << log->GetItem(0);
    EXPECT_EQ(log->GetItemValue("2.8", 1), "1");
    EXPECT_EQ(Saving.LogFile(), nullptr);
}

TEST_F(LogDisk, AMaximumOfThreeKeepsTheNewestThreeOfFive)
{
    Options.SetErrorsNumberToSave(3);
    for (const char* id : {"0001", "0002", "0003", "0004", "0005"})
        Process(id);
    auto log = ReadLog(Folder + "Tessaly.zvf");
    ASSERT_EQ(log->GetCount(), 3);
    EXPECT_EQ(log->GetItemValue("2.7", 0), "0003");
    EXPECT_EQ(log->GetItemValue("2.7", 2), "0005");
}

TEST_F(LogDisk, ADamagedLogIsAppendedToWithoutLosingItsWholeReports)
{
    Process("0001");
    const std::string first = ReadTestFile(Folder + "Tessaly.zvf");
    WriteTestFile(Folder + "Tessaly.zvf", first + std::string("\x00\x01garbage\xff", 11));
    Process("0002");
    const std::string after = ReadTestFile(Folder + "Tessaly.zvf");
    EXPECT_EQ(after.compare(0, first.size(), first), 0);
    auto log = ReadLog(Folder + "Tessaly.zvf");
    ASSERT_EQ(log->GetCount(), 2);
    EXPECT_EQ(log->GetItemValue("2.7", 1), "0002");
}

TEST_F(LogDisk, TheLogGoesAtAVersionChangeOnlyWhenItsLastReportNamesAnother)
{
    Process("0001", "1.0.0.1");
    EXPECT_FALSE(Saving.DeleteLogAtVersionChange("1.0.0.1"));
    EXPECT_TRUE(TestFileExists(Folder + "Tessaly.zvf"));
    Process("0002", "");
    EXPECT_FALSE(Saving.DeleteLogAtVersionChange("1.0.0.2"));
    EXPECT_TRUE(TestFileExists(Folder + "Tessaly.zvf"));
    Process("0003", "1.0.0.1");
    EXPECT_TRUE(Saving.DeleteLogAtVersionChange("1.0.0.2"));
    EXPECT_FALSE(TestFileExists(Folder + "Tessaly.zvf"));
}

// A program in a folder that cannot be written (/proc, even for root) keeps
// its log under the per-user application data.
TEST_F(LogDisk, AnUnwritableProgramFolderPutsTheLogUnderApplicationData)
{
    Options.SetModuleName("Z:\\proc\\Tessaly.exe");
    std::string expected = "Z:\\proc\\Tessaly.zvf";
    ASSERT_TRUE(GetWorkingFile(expected, true, false));
    ASSERT_NE(expected, "Z:\\proc\\Tessaly.zvf");
    EXPECT_EQ(expected.compare(0, LibraryFolder().size(), LibraryFolder()), 0) << expected;
    DeleteFileA(expected.c_str());
    EXPECT_EQ(ZorvikOutputLogFile(Options), expected);
    Process("0001");
    ASSERT_TRUE(TestFileExists(expected)) << expected;
    EXPECT_EQ(ReadLog(expected)->GetItemValue("2.7", 0), "0001");
    DeleteFileA(expected.c_str());
}

// A read-only log is left as it is; the report goes to the same name in the
// program's folder under the per-user application data.
TEST_F(LogDisk, AReadOnlyLogFallsBackToTheWritableFolder)
{
    Process("0001");
    const std::string log = Folder + "Tessaly.zvf";
    const std::string before = ReadTestFile(log);
    ASSERT_TRUE(SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string fallback = log;
    GetWorkingFile(fallback, true, false);
    if (fallback == log) {
        SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this file system lets a read-only file be written";
    }
    DeleteFileA(fallback.c_str());
    Process("0002");
    EXPECT_EQ(ReadTestFile(log), before);
    ASSERT_TRUE(TestFileExists(fallback)) << fallback;
    auto written = ReadLog(fallback);
    ASSERT_EQ(written->GetCount(), 1);
    EXPECT_EQ(written->GetItemValue("2.7", 0), "0002");
    SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(fallback.c_str());
}

}  // namespace

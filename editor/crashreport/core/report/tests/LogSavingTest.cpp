// Saving reports into the log, counting duplicates, the events and retry,
// and the version-change rule, over logs kept in memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/crashreport/core/report/LogSaving.h"
#include "editor/crashreport/core/report/tests/ReportSamples.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Streams.h"

namespace {

class LogSaving : public ::testing::Test {
protected:
    void SetUp() override
    {
        Options.SetSaveLogFile(true);
        Options.SetOutputPath("%LOGDIR%");
        TLogSavingHooks hooks;
        hooks.OutputLogFile = [](const TZorvikModuleOptions& o) { return o.OutputPath() + "/Tessaly.zvf"; };
        hooks.OpenLog = [this](const std::string& name) {
            ++Opens;
            auto log = std::make_unique<TLogFile>();
            auto file = Files.find(name);
            if (file != Files.end()) {
                TMemoryStream stream;
                stream.WriteBuffer(file->second.data(), static_cast<int32_t>(file->second.size()));
                stream.SetPosition(0);
                log->LoadFromStream(stream);
            }
            Names[log.get()] = name;
            return log;
        };
        hooks.SaveLog = [this](TLogFile& log) {
            if (FailSaves > 0) {
                --FailSaves;
                throw std::runtime_error("disk full");
            }
            TMemoryStream stream;
            log.SaveToStream(stream);
            Files[Names[&log]] = std::string(stream.Bytes().begin(), stream.Bytes().end());
        };
        hooks.DeleteLog = [this](const std::string& name) { return Files.erase(name) == 1; };
        hooks.ActionEvent = [this](TZorvikActionType action, bool& execute) {
            Actions.push_back(action);
            if (action == atSavingLogFile && VetoSaving)
                execute = false;
        };
        hooks.ErrorEvent = [this](TZorvikActionType action, bool& retry) {
            ++ErrorEvents;
            retry = RetriesWanted-- > 0;
        };
        hooks.InternalError = [this](const std::string& section, const std::string& message) {
            InternalErrors.push_back(section + ": " + message);
        };
        Saving = std::make_unique<TLogSaving>(Slot, hooks);
        Saving->SetOptions(&Options);
#ifdef _WIN32
        _putenv_s("LOGDIR", "/logs");
#else
        setenv("LOGDIR", "/logs", 1);
#endif
    }

    // One processing: the duplicate test with counting, then the save.
    void Process(const std::string& id, const std::string& version = "1.0.0.1")
    {
        Saving->ExceptionId = id;
        Saving->ReportText = TestReport(id, version);
        Saving->CheckDuplicateError(true);
        Duplicate = Saving->DuplicateError;
        Saving->SaveReportToLog();
    }

    std::unique_ptr<TLogFile> Stored()
    {
        auto log = std::make_unique<TLogFile>();
        TMemoryStream stream;
        const std::string& text = Files[LogName];
        stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
        stream.SetPosition(0);
        log->LoadFromStream(stream);
        return log;
    }

    const std::string LogName = "/logs/Tessaly.zvf";
    TZorvikModuleOptions Options{"Tessaly.exe"};
    TCallbackSlot Slot;
    std::unique_ptr<TLogSaving> Saving;
    std::map<std::string, std::string> Files;
    std::map<const TLogFile*, std::string> Names;
    std::vector<TZorvikActionType> Actions;
    std::vector<std::string> InternalErrors;
    int Opens = 0;
    int FailSaves = 0;
    int RetriesWanted = 0;
    int ErrorEvents = 0;
    bool VetoSaving = false;
    bool Duplicate = false;  // the mark the duplicate test gave before saving
};

TEST_F(LogSaving, EachReportIsAppendedToTheLogNamedByTheOptionsWithItsEvents)
{
    Process("1A2B");
    Process("1A2B");
    ASSERT_EQ(Files.count(LogName), 1u);  // the environment reference expanded
    auto log = Stored();
    EXPECT_EQ(log->GetCount(), 2);
    EXPECT_EQ(log->GetItemValue("2.8", 1), "1");
    EXPECT_FALSE(Duplicate);
    EXPECT_EQ(Actions, (std::vector<TZorvikActionType>{atSavingLogFile, atSavedLogFile, atSavingLogFile, atSavedLogFile}));
    EXPECT_EQ(Saving->LogFile(), nullptr);  // never held between reports
}

TEST_F(LogSaving, WithNoDuplicatesTheSameCrashTwiceCountsTwoInOneReport)
{
    Options.SetLogOptions(TLogOptions{loNoDuplicateErrors});
    Process("1A2B");
    EXPECT_FALSE(Duplicate);
    Process("1A2B");
    EXPECT_TRUE(Duplicate);
    auto log = Stored();
    ASSERT_EQ(log->GetCount(), 1);
    EXPECT_EQ(log->GetItemValue("2.7", 0), "1A2B");
    EXPECT_NE(log->GetItem(0).find("\r\n  2.8 Count         : 2\r\n"), std::string::npos) << log->GetItem(0);
    Process("1A2B");
    EXPECT_EQ(Stored()->GetItemValue("2.8", 0), "3");
    // Another crash is a report of its own.
    Process("C0DE");
    EXPECT_FALSE(Duplicate);
    EXPECT_EQ(Stored()->GetCount(), 2);
}

TEST_F(LogSaving, ACountThatIsNotANumberBecomesTwo)
{
    Options.SetLogOptions(TLogOptions{loNoDuplicateErrors});
    std::string report = TestReport("1A2B");
    report.replace(report.find(": 1\r\n"), 5, ": many\r\n");
    Saving->ReportText = report;
    Saving->SaveReportToLog();
    Process("1A2B");
    EXPECT_EQ(Stored()->GetItemValue("2.8", 0), "2");
}

TEST_F(LogSaving, WithoutTheOptionADuplicateMarkIsCleared)
{
    Process("1A2B");
    Saving->DuplicateError = true;
    Saving->ExceptionId = "1A2B";
    Saving->CheckDuplicateError(true);
    EXPECT_FALSE(Saving->DuplicateError);
    EXPECT_EQ(Stored()->GetItemValue("2.8", 0), "1");
}

TEST_F(LogSaving, AMaximumOfThreeKeepsTheNewestThreeOfFive)
{
    Options.SetErrorsNumberToSave(3);
    const char* ids[] = {"0001", "0002", "0003", "0004", "0005"};
    for (const char* id : ids)
        Process(id);
    auto log = Stored();
    ASSERT_EQ(log->GetCount(), 3);
    EXPECT_EQ(log->GetItemValue("2.7", 0), "0003");
    EXPECT_EQ(log->GetItemValue("2.7", 1), "0004");
    EXPECT_EQ(log->GetItemValue("2.7", 2), "0005");
}

// A log with garbage after its last report, or cut off within it, is read
// as far as it is whole and appended to; the whole reports before stay as
// they were.
TEST_F(LogSaving, ADamagedLogKeepsItsWholeReportsAndTakesTheNewOne)
{
    Process("0001");
    Process("0002");
    const std::string whole = Files[LogName];
    struct Case {
        const char* What;
        std::string Text;
        std::vector<std::string> Kept;
    } cases[] = {
        {"a report cut short after them", whole + TestReport("0003").substr(0, 120), {"0001", "0002"}},
        {"garbage after them", whole + std::string("\0\xff\xfe garbage \x01", 14), {"0001", "0002"}},
        {"the last one's end cut off", whole.substr(0, whole.size() - 12), {"0001"}},
    };
    for (const Case& c : cases) {
        Files[LogName] = c.Text;
        Process("0009");
        auto log = Stored();
        ASSERT_EQ(log->GetCount(), static_cast<int32_t>(c.Kept.size() + 1)) << c.What;
        for (size_t i = 0; i < c.Kept.size(); ++i)
            EXPECT_EQ(log->GetItemValue("2.7", static_cast<int32_t>(i)), c.Kept[i]) << c.What;
        EXPECT_EQ(log->GetItemValue("2.7", log->GetCount() - 1), "0009") << c.What;
        const size_t firstReport = whole.find("\r\n\r\n\r\n\r\n");
        EXPECT_EQ(Files[LogName].compare(0, firstReport, whole, 0, firstReport), 0) << c.What;
    }
}

TEST_F(LogSaving, TheWholeLogIsTheTextToSendWhenAsked)
{
    Options.SetCommonSendOptions(TCommonSendOptions{sndSendEntireLog});
    Process("0001");
    Process("0002");
    EXPECT_NE(Saving->TextToSend.find("0001"), std::string::npos);
    EXPECT_NE(Saving->TextToSend.find("0002"), std::string::npos);
}

TEST_F(LogSaving, AHandlerThatClearsExecuteKeepsTheLogUnsaved)
{
    VetoSaving = true;
    Process("0001");
    EXPECT_EQ(Files.count(LogName), 0u);
    EXPECT_EQ(ErrorEvents, 1);
    EXPECT_TRUE(InternalErrors.empty());
}

// A failing save is an internal error of section "Log"; the error event may
// ask for another attempt, which saves again.
TEST_F(LogSaving, AFailedSaveIsOfferedForRetry)
{
    FailSaves = 1;
    Process("0001");
    EXPECT_EQ(InternalErrors, (std::vector<std::string>{"Log: disk full"}));
    EXPECT_EQ(ErrorEvents, 1);
    EXPECT_EQ(Files.count(LogName), 0u);

    InternalErrors.clear();
    ErrorEvents = 0;
    FailSaves = 2;
    RetriesWanted = 2;
    Process("0002");
    EXPECT_EQ(InternalErrors.size(), 2u);
    EXPECT_EQ(ErrorEvents, 2);
    ASSERT_EQ(Files.count(LogName), 1u);
    EXPECT_EQ(Stored()->GetCount(), 1);
    EXPECT_TRUE(Saving->Execute);
}

TEST_F(LogSaving, WithoutSaveLogFileNothingIsWrittenAndNoEventRaised)
{
    Options.SetSaveLogFile(false);
    Process("0001");
    EXPECT_TRUE(Files.empty());
    EXPECT_TRUE(Actions.empty());
}

// The log goes only when its last report names a version, and another one.
TEST_F(LogSaving, TheLogIsDeletedOnlyWhenTheLastReportsVersionDiffers)
{
    struct Case {
        std::vector<std::string> Versions;
        std::string Main;
        bool Deleted;
    } cases[] = {
        {{"1.0.0.1"}, "1.0.0.2", true},
        {{"1.0.0.1"}, "1.0.0.1", false},
        {{"1.0.0.2", "1.0.0.1"}, "1.0.0.1", false},
        {{"1.0.0.1", ""}, "1.0.0.2", false},
        {{""}, "1.0.0.2", false},
        {{}, "1.0.0.2", false},
    };
    for (const Case& c : cases) {
        Files.clear();
        for (const std::string& v : c.Versions)
            Process("0001", v);
        if (!c.Versions.empty()) {
            ASSERT_EQ(Files.count(LogName), 1u);
        }
        EXPECT_EQ(Saving->DeleteLogAtVersionChange(c.Main), c.Deleted) << c.Main;
        EXPECT_EQ(Files.count(LogName) == 0, c.Deleted || c.Versions.empty()) << c.Main;
        EXPECT_EQ(Saving->LogFile(), nullptr);
    }
}

// Handlers run on the waiting thread; afterwards the duplicate test runs
// again, so a handler that emptied the log makes the report a new one.
TEST_F(LogSaving, AfterAHandlerTheDuplicateTestRunsAgain)
{
    Options.SetLogOptions(TLogOptions{loNoDuplicateErrors});
    Process("1A2B");
    Saving->ExceptionId = "1A2B";
    Saving->CheckDuplicateError(false);
    EXPECT_TRUE(Saving->DuplicateError);
    Saving->RunOnWaitingThread([this] { Files.clear(); });
    EXPECT_FALSE(Saving->DuplicateError);

    // The processing may lend its own runner.
    Process("1A2B");
    int handed = 0;
    Saving->Hooks().RunOnWaitingThread = [&handed](const std::function<void()>& routine) {
        ++handed;
        routine();
    };
    Saving->RunOnWaitingThread([this] { Files.clear(); });
    EXPECT_EQ(handed, 1);
    EXPECT_FALSE(Saving->DuplicateError);
}

TEST_F(LogSaving, WithoutOptionsNothingHappens)
{
    Saving->SetOptions(nullptr);
    Saving->ReportText = TestReport("0001");
    Saving->SaveReportToLog();
    Saving->CheckDuplicateError(true);
    EXPECT_FALSE(Saving->DeleteLogAtVersionChange("2"));
    EXPECT_EQ(Opens, 0);
    EXPECT_TRUE(Actions.empty());
}

}  // namespace

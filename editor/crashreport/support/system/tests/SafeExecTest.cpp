#include <gtest/gtest.h>

#include <stdexcept>

// A unit may include the system headers beside the guarded wrapper: the
// reporter's name must not clash with theirs.
#ifdef _WIN32
#include <windows.h>
#endif

#include "editor/crashreport/support/system/SafeExec.h"

namespace {
TQ_EXCEPTION_CLASS(EPassThrough, Exception)

// Each test starts and ends without a reporter or an ignored class.
class SafeExecTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Ecore::CriticalError = nullptr;
        EIgnoreException = nullptr;
    }
};
} // namespace

TEST_F(SafeExecTest, AStepThatSucceedsRunsOnce)
{
    int runs = 0;
    SafeExec([&] { ++runs; }, "Test.Step");
    EXPECT_EQ(runs, 1);
}

TEST_F(SafeExecTest, WithoutReporterTheCallerSeesTheCriticalError)
{
    try {
        SafeExec([] { throw EConvertError("boom"); }, "ZCore.Init");
        FAIL();
    } catch (const EAbort&) {
        FAIL() << "no reporter: not silent";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Critical error at: \"ZCore.Init\"\r\nError: \"boom\".");
    }
    try {
        SafeExec([] { throw std::out_of_range("index"); }, "Sect");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Critical error at: \"Sect\"\r\nError: \"General internal error.\".");
    }
}

TEST_F(SafeExecTest, WithReporterTheStepEndsSilentlyAfterReporting)
{
    std::vector<std::string> reports;
    Ecore::CriticalError = [&](const std::string& text) { reports.push_back(text); };
    EXPECT_THROW(SafeExec([] { throw Exception("x"); }, "ZHook.Init"), EAbort);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("ZHook.Init (Address: ", 0), 0u) << reports[0];
    EXPECT_EQ(reports[0].back(), ')');
    const std::string hex = reports[0].substr(21, reports[0].size() - 22);
    EXPECT_GE(hex.size(), 8u);
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << hex;
    EXPECT_EQ(CriticalErrorText("S", 0x1A2B), "S (Address: 00001A2B)");
}

TEST_F(SafeExecTest, IgnoredAndForeignErrorsPassUnchanged)
{
    bool reported = false;
    Ecore::CriticalError = [&](const std::string&) { reported = true; };
    IgnoreExceptionsOf<EPassThrough>();
    EXPECT_THROW(SafeExec([] { throw EPassThrough("p"); }, "S"), EPassThrough);
    EXPECT_THROW(SafeExec([] { throw 42; }, "S"), int);
    EXPECT_FALSE(reported);
}

TEST_F(SafeExecTest, OnlyTheFirstStartAndTheLastEndDoWork)
{
    TUnitLifetime unit("ZCore");
    int inits = 0, dones = 0;
    EXPECT_TRUE(unit.Start([&] { ++inits; }));
    EXPECT_FALSE(unit.Start([&] { ++inits; }));
    EXPECT_FALSE(unit.Finish([&] { ++dones; }));
    EXPECT_TRUE(unit.Finish([&] { ++dones; }));
    EXPECT_FALSE(unit.Finish([&] { ++dones; }));  // an extra end does nothing
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(dones, 1);

    std::string report;
    Ecore::CriticalError = [&](const std::string& t) { report = t; };
    TUnitLifetime failing("ZSockets");
    EXPECT_THROW(failing.Start([] { throw Exception("no sockets"); }), EAbort);
    EXPECT_EQ(report.rfind("ZSockets.Init (Address: ", 0), 0u);
}

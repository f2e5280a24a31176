// Changes made while the program runs reach the processing: options
// switched through the exported options object (the freeze watchdog and
// Active), an event handler's change, the errors count of processed reports,
// EAbort on every road, the exception manager's address and kind, the threads
// a report shows and the levels of a call stack.
#include <gtest/gtest.h>

#include <string>

#include "editor/crashreport/core/report/tests/ProbeRuns.h"

namespace {

int Count(const ProbeRun& run, const std::string& start)
{
    int n = 0;
    for (const std::string& line : run.lines)
        n += line.rfind(start, 0) == 0;
    return n;
}

}  // namespace

TEST(RuntimeChanges, TheWatchdogFollowsTheExportedOptions)
{
    // Switched on through CurrentZorvikLogOptions: a main thread that
    // answers nothing for three seconds is reported frozen.
    const ProbeRun on = RunProbe("freeze-on");
    EXPECT_GE(on.Find("step build processing EFrozenApplication|"), 0) << Dump(on);
    EXPECT_TRUE(on.Has("alive")) << Dump(on);
    // Switched off again there: no report.
    const ProbeRun off = RunProbe("freeze-off");
    ASSERT_TRUE(off.Has("installed 1")) << Dump(off);
    EXPECT_EQ(off.Find("step build"), -1) << Dump(off);
    EXPECT_TRUE(off.Has("alive")) << Dump(off);
}

TEST(RuntimeChanges, ActiveOffLeavesTheNextExceptionToTheFrameworkUntilSwitchedOnAgain)
{
    const ProbeRun run = RunProbe("inactive");
    const int again = run.Find("active again");
    ASSERT_GE(again, 0) << Dump(run);
    const int handled = run.Find("framework-handling Boom");
    ASSERT_GE(handled, 0) << Dump(run);
    EXPECT_LT(handled, again);
    EXPECT_EQ(Count(run, "step build"), 1) << Dump(run);
    EXPECT_GT(run.Find("step build processing Exception|Boom"), again) << Dump(run);
    EXPECT_TRUE(run.Has("alive"));
}

TEST(RuntimeChanges, AnEventHandlersChangeIsSeenByTheNextStep)
{
    const ProbeRun run = RunProbe("event-change");
    const int event = run.Find("event changes the dialog type");
    ASSERT_GE(event, 0) << Dump(run);
    // The classic dialog (2) instead of the detailed one the probe set (3).
    EXPECT_GT(run.Find("step dialog 1 2"), event) << Dump(run);
}

TEST(RuntimeChanges, OnlyProcessedReportsCountAsErrors)
{
    // The first exception is filtered out (handler none), the second shown:
    // the dialog sees one error, so Terminate and Restart stay hidden with
    // ErrorsNumberToShowTerminateBtn 1.
    const ProbeRun run = RunProbe("errors-count");
    EXPECT_EQ(run.Find("step build processing std::runtime_error"), -1) << Dump(run);
    EXPECT_TRUE(run.Has("step dialog errors 1")) << Dump(run);
}

TEST(RuntimeChanges, AnAbortIsNeverReportedOnTheThreadAndTerminateRoads)
{
    const ProbeRun thread = RunProbe("abort-thread");
    EXPECT_EQ(thread.Find("step build"), -1) << Dump(thread);
    EXPECT_TRUE(thread.Has("thread-exit 1")) << Dump(thread);
    EXPECT_TRUE(thread.Has("alive"));
    // Nobody catches it in the main thread: the program ends with exit
    // code 1 as after any exception that ends it, without a report.
    const ProbeRun terminate = RunProbe("abort-terminate");
    ASSERT_TRUE(terminate.Has("throwing")) << Dump(terminate);
    EXPECT_EQ(terminate.Find("step build"), -1) << Dump(terminate);
    EXPECT_FALSE(terminate.Has("alive"));
    EXPECT_EQ(terminate.exitCode, 1u);
}

TEST(RuntimeChanges, TheExceptionManagerReportsAtTheAddressAndToTheRoadItIsGiven)
{
    const ProbeRun placed = RunProbe("manager-address");
    const int at = placed.Find("placed ");
    ASSERT_GE(at, 0) << Dump(placed);
    const std::string address = placed.lines[at].substr(7);
    EXPECT_TRUE(placed.Has("step build at " + address + " std::runtime_error|Placed")) << Dump(placed);
    EXPECT_TRUE(placed.Has("manager 0")) << Dump(placed);
    // The web server's kind: the error page, no dialog.
    const ProbeRun web = RunProbe("manager-web");
    EXPECT_TRUE(web.Has("step web-page")) << Dump(web);
    EXPECT_EQ(web.Find("step dialog"), -1) << Dump(web);
}

TEST(RuntimeChanges, OtherThreadsAreShownByTheirOwnOption)
{
    // A waiting worker made with CreateThread is a thread made outside the
    // framework: shown with csoShowWindowsThreads only.
    const ProbeRun windows = RunProbe("threads-windows");
    const int worker = windows.Find("worker ");
    ASSERT_GE(worker, 0) << Dump(windows);
    const std::string id = windows.lines[worker].substr(7);
    EXPECT_TRUE(windows.Has("step build other threads " + id + " ")) << Dump(windows);
    const ProbeRun framework = RunProbe("threads-framework");
    EXPECT_TRUE(framework.Has("step build other threads")) << Dump(framework);
}

TEST(RuntimeChanges, CallStackLevelsCountTheRowsAReportShows)
{
    // Without csoShowDLLs and csoShowBPLs a report shows source-line rows
    // only (detail 4): the levels hold no module or procedure rows.
    const ProbeRun run = RunProbe("levels");
    const int levels = run.Find("levels");
    ASSERT_GE(levels, 0) << Dump(run);
    const std::string details = run.lines[levels].substr(6);
    EXPECT_GE(details.size(), 4u) << details;
    EXPECT_EQ(details.find_first_not_of(" 4"), std::string::npos) << details;
}

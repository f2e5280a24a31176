// What reports show of threads besides the main one, in real processes under
// Wine: the threads a library that carries the component starts belong to
// the program's threads list (a fault in one is reported once by the
// program, with the library code that started it; one that waits shows in
// the program's reports until it ends), and a worker thread that overflows
// its stack is reported with the procedure that recursed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "editor/crashreport/core/report/tests/ProbeRuns.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// The first call-stack block whose caption holds `caption` ("Thread: ID=12;",
// "Thread: ID=" the first block of all): its caption line and its rows, up
// to the next caption.
std::vector<std::string> Block(const std::string& report, const std::string& caption)
{
    std::vector<std::string> block;
    for (const std::string& line : Lines(report)) {
        const bool isCaption = line.find("Thread: ID=") != std::string::npos;
        if (!block.empty() && isCaption)
            break;
        if (!block.empty() || (isCaption && line.find(caption) != std::string::npos))
            block.push_back(line);
    }
    return block;
}

// A row of the block that names the source file and the procedure.
bool HasRow(const std::vector<std::string>& block, const std::string& file, const std::string& procedure)
{
    for (size_t i = 1; i < block.size(); ++i)
        if (block[i].find(file) != std::string::npos && block[i].find(procedure) != std::string::npos)
            return true;
    return false;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

std::string CallStackPart(const std::string& report)
{
    const size_t at = report.find("Call Stack Information");
    return at == std::string::npos ? report.substr(0, 2000) : report.substr(at, 6000);
}

// The number after "<prefix> " in the probe's lines; "" when there is none.
std::string Noted(const ProbeRun& run, const std::string& prefix)
{
    const int at = run.Find(prefix + " ");
    return at < 0 ? "" : run.lines[at].substr(prefix.size() + 1);
}

}  // namespace

// The library starts a thread through its own CreateThread import and the
// thread's routine throws: the library's copy of the core catches it in its
// thread wrapper and hands it to the program's, which reports it once. The
// program knows the thread (its priority is read for the caption) and shows
// the library code that started it as the thread's calling stack.
TEST(ThreadReports, AFaultInALibrarysThreadIsReportedOnceByTheProgramWithItsStarter)
{
    const ProbeRun run = RunProbe("log-module-thread");
    const std::vector<std::string> reports = LogReports("log-module-thread");
    ASSERT_TRUE(run.Has("module start 3")) << Dump(run);
    // Only the thread ends, with exit code 1; the program goes on.
    EXPECT_TRUE(run.Has("module thread exit 1")) << Dump(run);
    EXPECT_TRUE(run.Has("alive")) << Dump(run);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(reports.size(), 1u) << Dump(run);
    const std::string& r = reports[0];
    EXPECT_EQ(Line(r, "  2.5 Type          : "), "  2.5 Type          : Exception");
    EXPECT_EQ(Line(r, "  2.6 Message       : "), "  2.6 Message       : Module thread boom.");
    // The faulting thread's block (its rows come from the stack copy of the
    // throw) comes first, captioned as the exception thread: the thread is
    // listed, so its priority was read. The library code that started it
    // follows in a block of its own, captioned as the calling thread.
    const std::vector<std::string> faulting = Block(r, "Thread: ID=");
    ASSERT_FALSE(faulting.empty()) << CallStackPart(r);
    EXPECT_NE(faulting[0].find("*Exception Thread: ID="), std::string::npos) << faulting[0];
    EXPECT_EQ(faulting[0].find("Priority=??"), std::string::npos) << faulting[0];
    EXPECT_NE(faulting[0].find("Priority=0;"), std::string::npos) << faulting[0];
    EXPECT_TRUE(HasRow(faulting, "ProbeModule.cpp", "ThrowInModuleThread")) << Joined(faulting);
    const std::vector<std::string> starter = Block(r, "Calling Thread: ID=");
    ASSERT_FALSE(starter.empty()) << CallStackPart(r);
    EXPECT_TRUE(HasRow(starter, "ProbeModule.cpp", "StartModuleThread")) << Joined(starter);
    EXPECT_TRUE(HasRow(starter, "ProbeModule.cpp", "ProbeModuleThreadFault")) << Joined(starter);
}

// A library's thread that waits shows in the program's report among the
// other threads, with the library procedure it waits in; once it has ended
// through ExitThread the program lets go of it: no handle of its threads
// list keeps the thread, and its next report does not list it.
TEST(ThreadReports, ALibrarysThreadShowsInTheProgramsReportsUntilItEnds)
{
    const ProbeRun run = RunProbe("log-module-threads");
    const std::vector<std::string> reports = LogReports("log-module-threads");
    ASSERT_TRUE(run.Has("module start 3")) << Dump(run);
    const std::string id = Noted(run, "module thread");
    ASSERT_FALSE(id.empty()) << Dump(run);
    ASSERT_NE(id, "0") << Dump(run);
    EXPECT_TRUE(run.Has("module thread exit 7")) << Dump(run);
    // No handle of the program's threads list keeps the ended thread alive.
    EXPECT_TRUE(run.Has("module thread gone")) << Dump(run);
    EXPECT_TRUE(run.Has("alive")) << Dump(run);
    ASSERT_EQ(reports.size(), 2u) << Dump(run);
    EXPECT_EQ(Line(reports[0], "  2.6 Message       : "), "  2.6 Message       : While the thread waits.");
    EXPECT_EQ(Line(reports[1], "  2.6 Message       : "), "  2.6 Message       : After the thread ended.");
    const std::vector<std::string> waiting = Block(reports[0], "Thread: ID=" + id + ";");
    ASSERT_FALSE(waiting.empty()) << CallStackPart(reports[0]);
    EXPECT_NE(waiting[0].find("Priority=0;"), std::string::npos) << waiting[0];
    // Another thread than the one that failed is captioned as running.
    EXPECT_NE(waiting[0].find("Running Thread: ID=" + id + ";"), std::string::npos) << waiting[0];
    EXPECT_EQ(waiting[0].find("Exception Thread"), std::string::npos) << waiting[0];
    EXPECT_TRUE(HasRow(waiting, "ProbeModule.cpp", "WaitInModuleThread")) << Joined(waiting);
    EXPECT_EQ(reports[1].find("ID=" + id + ";"), std::string::npos) << CallStackPart(reports[1]);
}

// A worker thread of the program that recurses without end: the overflow is
// reported with the procedure that recursed; the thread ends with exit code 1
// and the program goes on.
TEST(ThreadReports, AWorkerThreadsStackOverflowIsReportedAndEndsTheThreadWithCode1)
{
    const ProbeRun run = RunProbe("log-thread-overflow");
    const std::vector<std::string> reports = LogReports("log-thread-overflow");
    const std::string id = Noted(run, "worker");
    ASSERT_FALSE(id.empty()) << Dump(run);
    EXPECT_TRUE(run.Has("worker exit 1")) << Dump(run);
    EXPECT_TRUE(run.Has("alive")) << Dump(run);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(reports.size(), 1u) << Dump(run);
    const std::string& r = reports[0];
    EXPECT_EQ(Line(r, "  2.5 Type          : "), "  2.5 Type          : EStackOverflow");
    const std::vector<std::string> faulting = Block(r, "*Exception Thread: ID=" + id + ";");
    ASSERT_FALSE(faulting.empty()) << CallStackPart(r);
    EXPECT_TRUE(HasRow(faulting, "ReportProbe.cpp", "RecurseInWorker")) << Joined(faulting);
}

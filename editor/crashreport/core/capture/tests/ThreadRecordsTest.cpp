// The threads of a long-running program and the component's own threads:
// records of ended threads go back for new threads, and the component's
// send thread is never among the threads a report shows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/crashreport/core/capture/Captures.h"
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/core/sending/SendReport.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

DWORD WINAPI ThrowAndCatch(LPVOID)
{
    try {
        throw std::runtime_error("caught in its own thread");
    } catch (const std::exception&) {
    }
    return 0;
}

DWORD WINAPI ThrowOut(LPVOID)
{
    throw std::runtime_error("the last thread fails");
}

struct NotedCapture {
    TCaptureKind Kind;
    std::string Message;
    std::vector<uint32_t> Threads;
};

}  // namespace

TEST(ThreadRecords, AfterTwoThousandThreadsThatThrewAThreadThatFailsIsStillReported)
{
    ASSERT_TRUE(IsZorvikLogInstalled());
    std::vector<NotedCapture> captured;
    SetCaptureSink([&](TCapture& c) {
        captured.push_back({c.Kind, c.Message, c.Threads});
        return true;
    });
    // Batches of 50 threads at a time, each throwing and catching.
    for (int batch = 0; batch < 40; ++batch) {
        HANDLE threads[50];
        for (HANDLE& t : threads) {
            t = CreateThread(nullptr, 0, ThrowAndCatch, nullptr, 0, nullptr);
            ASSERT_NE(t, nullptr);
        }
        ASSERT_EQ(WaitForMultipleObjects(50, threads, TRUE, 30000), WAIT_OBJECT_0);
        for (HANDLE t : threads)
            CloseHandle(t);
    }
    EXPECT_TRUE(captured.empty());
    HANDLE last = CreateThread(nullptr, 0, ThrowOut, nullptr, 0, nullptr);
    ASSERT_NE(last, nullptr);
    ASSERT_EQ(WaitForSingleObject(last, 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(last, &code);
    CloseHandle(last);
    SetCaptureSink(nullptr);
    ASSERT_EQ(captured.size(), 1u);
    EXPECT_EQ(captured[0].Kind, TCaptureKind::ThreadException);
    EXPECT_EQ(captured[0].Message, "the last thread fails");
    EXPECT_EQ(code, 1u);
}

TEST(OwnThreads, ASendThreadIsNotAmongTheThreadsOfAReportMadeWhileItRuns)
{
    ASSERT_TRUE(IsZorvikLogInstalled());
    HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<DWORD> sender{0};
    TZorvikModuleOptions options("send-thread test");
    options.SetEMailSendMode(esmNoSend);
    options.SetWebSendMode(wsmNoSend);
    options.SetCommonSendOptions(TCommonSendOptions({sndSendInSeparatedThread}));
    auto ctx = std::make_unique<TSendContext>();
    ctx->Options = &options;
    // The send thread waits here, as it would for a send in progress.
    ctx->EnterProcessingLock = [&] {
        sender = GetCurrentThreadId();
        SetEvent(entered);
        WaitForSingleObject(release, 30000);
    };
    ASSERT_TRUE(StartSending(std::move(ctx)));
    ASSERT_EQ(WaitForSingleObject(entered, 30000), WAIT_OBJECT_0);
    HANDLE sendThread = OpenThread(SYNCHRONIZE, FALSE, sender);

    std::vector<NotedCapture> captured;
    SetCaptureSink([&](TCapture& c) {
        captured.push_back({c.Kind, c.Message, c.Threads});
        return true;
    });
    try {
        throw std::runtime_error("while sending");
    } catch (...) {
        ExceptionManager(nullptr);
    }
    SetCaptureSink(nullptr);
    SetEvent(release);
    if (sendThread) {
        WaitForSingleObject(sendThread, 30000);
        CloseHandle(sendThread);
    }
    CloseHandle(entered);
    CloseHandle(release);

    ASSERT_EQ(captured.size(), 1u);
    const std::vector<uint32_t>& threads = captured[0].Threads;
    EXPECT_NE(std::find(threads.begin(), threads.end(), ZorvikCore().MainThreadId), threads.end());
    EXPECT_EQ(std::find(threads.begin(), threads.end(), static_cast<uint32_t>(sender)), threads.end());
}

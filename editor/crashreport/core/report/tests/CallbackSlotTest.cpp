#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "editor/crashreport/core/report/CallbackSlot.h"

namespace {

using State = TCallbackSlot::TState;

TEST(CallbackSlot, WithoutAWaitingThreadTheRoutineRunsAtOnceMarkedBusy)
{
    TCallbackSlot slot;
    State during = State::Empty;
    std::thread::id ranOn;
    slot.Run([&] {
        during = slot.State();
        ranOn = std::this_thread::get_id();
    });
    EXPECT_EQ(during, State::Busy);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(slot.State(), State::Empty);
    EXPECT_FALSE(slot.RunQueued());
}

// The processing thread queues; the waiting thread, polling, runs it; the
// caller returns only after it ran.
TEST(CallbackSlot, TheProcessingThreadsRoutineRunsOnTheWaitingThread)
{
    TCallbackSlot slot;
    slot.BeginWaiting(std::this_thread::get_id());
    std::atomic<bool> done{false};
    std::thread::id ranOn;
    int order = 0, ranAt = 0, returnedAt = 0;
    std::thread processing([&] {
        slot.Run([&] {
            ranOn = std::this_thread::get_id();
            ranAt = ++order;
        });
        returnedAt = ++order;
        // A routine that raises is swallowed and still empties the slot.
        slot.Run([] { throw std::runtime_error("handler failed"); });
        done = true;
    });
    int ran = 0;
    while (!done) {
        if (slot.RunQueued())
            ++ran;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    processing.join();
    slot.EndWaiting();
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(ranAt, 1);
    EXPECT_EQ(returnedAt, 2);
    EXPECT_EQ(slot.State(), State::Empty);
}

TEST(CallbackSlot, TheWaitingThreadItselfRunsAtOnce)
{
    TCallbackSlot slot;
    slot.BeginWaiting(std::this_thread::get_id());
    bool ran = false;
    slot.Run([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(slot.State(), State::Empty);
    slot.EndWaiting();
}

TEST(CallbackSlot, AWaitingThreadThatLeavesDoesNotStrandTheCaller)
{
    TCallbackSlot slot;
    slot.BeginWaiting(std::thread::id());  // a thread that never polls
    std::atomic<bool> ran{false};
    std::thread processing([&] { slot.Run([&] { ran = true; }); });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(ran);
    EXPECT_EQ(slot.State(), State::Queued);
    slot.EndWaiting();
    processing.join();
    EXPECT_TRUE(ran);
    EXPECT_EQ(slot.State(), State::Empty);
}

}  // namespace

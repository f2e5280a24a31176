#include "editor/crashreport/core/report/CallbackSlot.h"

#include <chrono>

void TCallbackSlot::BeginWaiting(std::thread::id waitingThread)
{
    std::lock_guard<std::mutex> hold(FLock);
    FWaitingThread = waitingThread;
    FHasWaitingThread = true;
}

void TCallbackSlot::EndWaiting()
{
    std::lock_guard<std::mutex> hold(FLock);
    FHasWaitingThread = false;
}

bool TCallbackSlot::Waiting() const
{
    std::lock_guard<std::mutex> hold(FLock);
    return FHasWaitingThread;
}

TCallbackSlot::TState TCallbackSlot::State() const
{
    std::lock_guard<std::mutex> hold(FLock);
    return FState;
}

void TCallbackSlot::RunSwallowing(const std::function<void()>& routine)
{
    try {
        if (routine)
            routine();
    } catch (...) {
        // A handler's failure must not end the processing that called it.
    }
}

void TCallbackSlot::Run(const std::function<void()>& routine)
{
    bool queue;
    {
        std::unique_lock<std::mutex> hold(FLock);
        queue = FHasWaitingThread && std::this_thread::get_id() != FWaitingThread;
        if (queue) {
            // One routine at a time: a second caller waits for the slot.
            while (FState != TState::Empty) {
                hold.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                hold.lock();
            }
            FQueued = &routine;
            FState = TState::Queued;
        }
    }
    if (!queue) {
        TState before;
        {
            std::lock_guard<std::mutex> hold(FLock);
            before = FState;
            FState = TState::Busy;
        }
        RunSwallowing(routine);
        std::lock_guard<std::mutex> hold(FLock);
        FState = before;
        return;
    }
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::lock_guard<std::mutex> hold(FLock);
        if (FQueued != &routine)
            return;
        // The waiting thread went away without running it: run it here.
        if (!FHasWaitingThread && FState == TState::Queued) {
            FQueued = nullptr;
            FState = TState::Busy;
            break;
        }
    }
    RunSwallowing(routine);
    std::lock_guard<std::mutex> hold(FLock);
    FState = TState::Empty;
}

bool TCallbackSlot::RunQueued()
{
    const std::function<void()>* routine;
    {
        std::lock_guard<std::mutex> hold(FLock);
        if (FState != TState::Queued || FQueued == nullptr)
            return false;
        routine = FQueued;
        FState = TState::Busy;
    }
    RunSwallowing(*routine);
    std::lock_guard<std::mutex> hold(FLock);
    FQueued = nullptr;
    FState = TState::Empty;
    return true;
}

#pragma once
// The one-entry slot through which the processing thread has routines (event
// handlers, password requests, restoring the main window) run on the thread
// that waits for it: the waiting thread polls the slot every 10 ms.
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

class TCallbackSlot {
public:
    // The waiting thread announces itself before the processing thread
    // starts, and withdraws when it has ended.
    void BeginWaiting(std::thread::id waitingThread);
    void EndWaiting();
    bool Waiting() const;

    // Runs the routine on the waiting thread and returns when it has run.
    // Without a waiting thread, or when called on it, the routine runs at
    // once with the slot marked busy. Errors of the routine are swallowed.
    void Run(const std::function<void()>& routine);

    // The waiting thread's side: runs the queued routine, if any, and empties
    // the slot. True when a routine ran.
    bool RunQueued();

    // Empty, busy (a routine runs in place) or holding a queued routine.
    enum class TState { Empty, Busy, Queued };
    TState State() const;

private:
    static void RunSwallowing(const std::function<void()>& routine);

    mutable std::mutex FLock;
    std::thread::id FWaitingThread;
    bool FHasWaitingThread = false;
    TState FState = TState::Empty;
    const std::function<void()>* FQueued = nullptr;
};

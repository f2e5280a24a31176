#pragma once
// A named stopwatch: start/stop pairs accumulate, and when the stopwatch is
// destroyed the total goes, as one line of text, to an optional receiver.
#include <cstdint>
#include <string>

// Where the stopwatch reads its ticks; the product uses the performance
// counter (PerformanceCounter.h), tests a fake.
class TTickSource {
public:
    virtual ~TTickSource() = default;
    virtual int64_t frequency() const = 0;  // ticks per second, 0 when there is no counter
    virtual int64_t ticks() const = 0;
};

// A steady clock in nanoseconds: the portable default.
const TTickSource& SteadyClockTicks();

class TPfTimerSink {
public:
    virtual ~TPfTimerSink() = default;
    virtual void report(const std::string& text) = 0;
};

class PfTimer {
public:
    PfTimer(std::string name, TPfTimerSink* sink, const TTickSource* source = nullptr);
    ~PfTimer();
    PfTimer(const PfTimer&) = delete;
    PfTimer& operator=(const PfTimer&) = delete;

    void start();
    void stop();
    // "time spend in <name> was <milliseconds> ms."
    std::string reportText() const;

    int64_t startCount = 0;
    int64_t stopCount = 0;
    int64_t frequency = 0;
    double milliseconds = 0;
    double seconds = 0;
    std::string name;
    TPfTimerSink* sink;

private:
    const TTickSource& FSource;
};

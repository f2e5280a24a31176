#include "editor/document/PfTimer.h"

#include <chrono>

#include "framework/SysUtils.h"

namespace {
class SteadyClock : public TTickSource {
public:
    int64_t frequency() const override { return 1000000000; }
    int64_t ticks() const override {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    }
};
}  // namespace

const TTickSource& SteadyClockTicks() {
    static const SteadyClock clock;
    return clock;
}

PfTimer::PfTimer(std::string name, TPfTimerSink* sink, const TTickSource* source)
    : name(std::move(name)), sink(sink), FSource(source ? *source : SteadyClockTicks()) {
    frequency = FSource.frequency();
}

PfTimer::~PfTimer() {
    if (!sink) return;
    try {
        sink->report(reportText());
    } catch (...) {
        // A destructor must not throw; a receiver that fails loses one line.
    }
}

void PfTimer::start() { startCount = FSource.ticks(); }

void PfTimer::stop() {
    stopCount = FSource.ticks();
    if (frequency == 0) return;
    // The whole 64-bit difference: a 32-bit one would wrap after 2^31 ticks
    // and report a negative time for long runs.
    double d = static_cast<double>(stopCount - startCount);
    milliseconds += d * 1000.0 / static_cast<double>(frequency);
    seconds += d / static_cast<double>(frequency);
}

std::string PfTimer::reportText() const {
    return "time spend in " + name + " was " + FloatToStr(milliseconds) + " ms.";
}

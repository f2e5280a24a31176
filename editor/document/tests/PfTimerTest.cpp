#include <gtest/gtest.h>

#include "editor/document/PfTimer.h"
#include "framework/SysUtils.h"

namespace {
class FakeTicks : public TTickSource {
public:
    int64_t freq = 1000;
    mutable std::vector<int64_t> readings;
    int64_t frequency() const override { return freq; }
    int64_t ticks() const override {
        int64_t t = readings.front();
        readings.erase(readings.begin());
        return t;
    }
};

class Collector : public TPfTimerSink {
public:
    std::vector<std::string> lines;
    void report(const std::string& text) override { lines.push_back(text); }
};
}  // namespace

TEST(PfTimer, RunsAccumulateAndTheReportGoesToTheSinkOnDestruction) {
    FakeTicks ticks;
    ticks.freq = 10000;
    ticks.readings = {100, 200, 1000, 1025};  // 100 ticks, then 25: 12.5 ms
    Collector sink;
    {
        PfTimer timer("Unnamed", &sink, &ticks);
        timer.start();
        timer.stop();
        timer.start();
        timer.stop();
        EXPECT_DOUBLE_EQ(timer.milliseconds, 12.5);
        EXPECT_DOUBLE_EQ(timer.seconds, 0.0125);
        EXPECT_TRUE(sink.lines.empty());
    }
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0], "time spend in Unnamed was 12.5 ms.");
}

TEST(PfTimer, TheReportUsesTheLocaleDecimalSeparator) {
    FakeTicks ticks;
    ticks.readings = {0, 5};
    ticks.freq = 2000;
    PfTimer timer("paint", nullptr, &ticks);
    timer.start();
    timer.stop();
    char saved = FormatSettings.DecimalSeparator;
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(timer.reportText(), "time spend in paint was 2,5 ms.");
    FormatSettings.DecimalSeparator = saved;
}

TEST(PfTimer, ZeroFrequencyAccumulatesNothing) {
    FakeTicks ticks;
    ticks.freq = 0;
    ticks.readings = {10, 5000};
    PfTimer timer("x", nullptr, &ticks);
    timer.start();
    timer.stop();
    EXPECT_EQ(timer.milliseconds, 0);
    EXPECT_EQ(timer.seconds, 0);
}

TEST(PfTimer, LongRunsDoNotWrapAt32Bits) {
    FakeTicks ticks;
    ticks.freq = 1000;
    ticks.readings = {0, int64_t(3) << 31};  // past the signed 32-bit range of ticks
    PfTimer timer("long", nullptr, &ticks);
    timer.start();
    timer.stop();
    EXPECT_DOUBLE_EQ(timer.seconds, static_cast<double>(int64_t(3) << 31) / 1000);
}

TEST(PfTimer, TheSteadyClockMovesForward) {
    PfTimer timer("steady", nullptr);
    EXPECT_GT(timer.frequency, 0);
    timer.start();
    volatile unsigned spin = 0;
    for (unsigned i = 0; i < 100000; ++i) spin = spin + i;
    timer.stop();
    EXPECT_GE(timer.milliseconds, 0);
}

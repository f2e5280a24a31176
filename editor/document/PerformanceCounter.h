#pragma once
// The system's high-resolution performance counter as a stopwatch's ticks.
#include "editor/document/PfTimer.h"

const TTickSource& PerformanceCounterTicks();

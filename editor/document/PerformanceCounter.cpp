#include "editor/document/PerformanceCounter.h"

#include <windows.h>

namespace {
class PerformanceCounter : public TTickSource {
public:
    int64_t frequency() const override {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) ? f.QuadPart : 0;
    }
    int64_t ticks() const override {
        LARGE_INTEGER c;
        QueryPerformanceCounter(&c);
        return c.QuadPart;
    }
};
}  // namespace

const TTickSource& PerformanceCounterTicks() {
    static const PerformanceCounter counter;
    return counter;
}

#pragma once
// The run counter of a unit of the layer: its start-up and its end each run
// once, however often they are asked for. Every start raises the counter and
// only the first does the work; the end does its work when the counter falls
// back to 0, and an end with nothing started (the end at process exit after
// the program ended the unit itself) does nothing.
class TUvxUnitRun {
public:
    // True when the caller is to do the start-up.
    bool Start() { return FRuns++ == 0; }
    // True when the caller is to do the end.
    bool End() { return FRuns > 0 && --FRuns == 0; }

private:
    int FRuns = 0;
};

// Runs a unit's start-up with the program's globals and its end after main
// returns.
class TUvxUnitScope {
public:
    TUvxUnitScope(void (*start)(), void (*end)()) : FEnd(end) { start(); }
    ~TUvxUnitScope() { FEnd(); }
    TUvxUnitScope(const TUvxUnitScope&) = delete;
    TUvxUnitScope& operator=(const TUvxUnitScope&) = delete;

private:
    void (*FEnd)();
};

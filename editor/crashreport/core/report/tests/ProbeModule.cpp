// A library of the processing tests that carries the crash-report component
// as well: a second module of the report probe. Its copy of the core finds
// the probe's and hands its faults over; the probe's copy reports them.
#include <windows.h>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "framework/Exceptions.h"

namespace {

__attribute__((noinline)) void ThrowModuleBoom() { throw Exception("Module boom"); }

// An exception nobody in this library catches: the library's run time ends
// the thread through its terminate path.
__attribute__((noinline)) void EscapeModuleBoom() noexcept { ThrowModuleBoom(); }

}  // namespace

// Starts this library's copy of the core; 1 installed, +2 it hands its
// faults to the program's copy.
extern "C" __declspec(dllexport) int ProbeModuleStart()
{
    ZorvikCoreInit();
    return (IsZorvikLogInstalled() ? 1 : 0) + (ZorvikCore().SecondaryModule ? 2 : 0);
}

// 0: an exception caught here and reported on demand; 1: one that escapes.
extern "C" __declspec(dllexport) int ProbeModuleFault(int how)
{
    if (how == 1)
        EscapeModuleBoom();
    try {
        ThrowModuleBoom();
    } catch (...) {
        return StandardZorvikNotify(std::current_exception(), 0) ? 1 : 0;
    }
    return -1;
}

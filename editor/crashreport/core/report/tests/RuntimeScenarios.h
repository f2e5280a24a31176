#pragma once
// Scenarios of the report probe about changes made while the program runs:
// options switched through the exported options object, an event handler's
// change, the errors count, the exception manager's arguments, the threads a
// report shows and the levels of a call stack.
#include <windows.h>

#include <string>

using TProbeWrite = void (*)(const std::string& line);
using TProbePump = void (*)(DWORD ms);

// Sets the scenario up (after the probe's own set-up); false when the
// scenario is not one of these.
bool PrepareRuntimeScenario(const std::string& scenario, TProbeWrite write);
// Makes the scenario's faults; `crash` is the probe's window, which throws
// the probe's exception on the message WM_APP + 1.
void RunRuntimeScenario(const std::string& scenario, HWND crash, TProbeWrite write, TProbePump pump);

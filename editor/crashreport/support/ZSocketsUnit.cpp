#include "editor/crashreport/support/ZSocketsUnit.h"

#include "editor/crashreport/support/SafeExec.h"

namespace {
TUnitLifetime gUnit("ZSockets");
}

void ZSocketsInit() { gUnit.Start(StartSockets); }
void ZSocketsDone() { gUnit.Finish(StopSockets); }

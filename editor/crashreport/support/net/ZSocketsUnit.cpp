#include "editor/crashreport/support/net/ZSocketsUnit.h"

#include "editor/crashreport/support/system/SafeExec.h"

namespace {
TUnitLifetime gUnit("ZSockets");
}

void ZSocketsInit() { gUnit.Start(StartSockets); }
void ZSocketsDone() { gUnit.Finish(StopSockets); }

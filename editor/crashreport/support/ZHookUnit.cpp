#include "editor/crashreport/support/ZHookUnit.h"

#include "editor/crashreport/support/SafeExec.h"

namespace {
TUnitLifetime gUnit("ZHook");
}

void ZHookInit() { gUnit.Start(CreateHookLists); }
void ZHookDone() { gUnit.Finish(UndoAllHooks); }

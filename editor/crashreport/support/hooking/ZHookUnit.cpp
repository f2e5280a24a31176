#include "editor/crashreport/support/hooking/ZHookUnit.h"

#include "editor/crashreport/support/system/SafeExec.h"

namespace {
TUnitLifetime gUnit("ZHook");
}

void ZHookInit() { gUnit.Start(CreateHookLists); }
void ZHookDone() { gUnit.Finish(UndoAllHooks); }

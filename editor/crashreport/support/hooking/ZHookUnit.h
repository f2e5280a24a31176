#pragma once
// Start-up and shut-down of the hooks unit, guarded and counted: the first
// start makes the lists, the last end undoes every hook.

void ZHookInit();
void ZHookDone();

// The work itself (Hooking.cpp).
void CreateHookLists();
void UndoAllHooks();

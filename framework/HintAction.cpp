#include "framework/HintAction.h"

#include "framework/Application.h"
#include "framework/Controls.h"

bool SendActionToApplication(TBasicAction* action) {
    if (!Application) return false;
    // As the window procedure would take it, without making the window
    // for it: a hint may change before any window exists.
    return Application->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<LPARAM>(action)) == 1;
}

bool THintAction::Execute() {
    if (TBasicAction::Execute()) return true;
    return SendActionToApplication(this);
}

#pragma once
// The action that carries the application's hint to whoever shows hints,
// made by the application whenever its hint changes and no OnHint handler
// takes it.
#include <string>

#include "framework/ActnList.h"

class THintAction : public TCustomAction {
public:
    explicit THintAction(TComponent* owner) : TCustomAction(owner) {}
    std::string ClassName() const override { return "THintAction"; }
    // Its own OnExecute, else offered to the application (the action-execute
    // notification to its window); true when someone took it.
    bool Execute() override;
};

// Offers the action to the application window's procedure: its hooks first,
// then the application's OnActionExecute; true when one of them handled it.
bool SendActionToApplication(TBasicAction* action);

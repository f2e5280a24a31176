#include "framework/HelpActions.h"

#include <windows.h>

#include "framework/Application.h"
#include "framework/Controls.h"

bool THelpAction::HelpAvailable() { return Application && Application->OnHelp; }

bool THelpAction::Execute() {
    if (TBasicAction::Execute()) return true;
    uint16_t command = 0;
    int data = 0;
    if (!HelpAvailable() || !HelpRequest(command, data)) return false;
    return Application->HelpCommand(command, data);
}

bool THelpAction::Update() {
    if (TBasicAction::Update()) return true;
    SetEnabled(HelpAvailable());
    return true;
}

bool THelpContents::HelpRequest(uint16_t& command, int& data) {
    command = HELP_FINDER;
    data = 0;
    return true;
}

bool THelpTopicSearch::HelpRequest(uint16_t& command, int& data) {
    command = HELP_PARTIALKEY;
    data = 0;
    return true;
}

bool THelpOnHelp::HelpRequest(uint16_t& command, int& data) {
    command = HELP_HELPONHELP;
    data = 0;
    return true;
}

int THelpContextAction::FocusedHelpContext() {
    for (TWinControl* c = TWinControl::FromHandle(GetFocus()); c; c = c->Parent())
        if (c->HelpContext != 0) return c->HelpContext;
    return 0;
}

bool THelpContextAction::HelpAvailable() { return THelpAction::HelpAvailable() && FocusedHelpContext() != 0; }

bool THelpContextAction::HelpRequest(uint16_t& command, int& data) {
    command = HELP_CONTEXT;
    data = FocusedHelpContext();
    return data != 0;
}

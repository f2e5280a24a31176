#pragma once
// What the editor's small dialogs share: a fixed border without border icons,
// a client area of a given size centred on the screen, and the main window
// they work for.
#include <functional>

#include "editor/dialogs/DialogHost.h"
#include "framework/Controls.h"

// The window parameters of a fixed dialog with that client size, centred.
void FixedDialogParams(TCreateParams& params, int clientWidth, int clientHeight);

// The help key asks for the page of the manual with the help context and is
// consumed; false for any other key.
bool HelpKey(WORD& key, int helpContext);

// Keys every control of a dialog shares: Escape runs close, the help key asks
// for the page of the manual with the dialog's help context.
void DialogKeysOn(TWinControl* control, std::function<void()> close, const int& helpContext);

// The main window the dialogs work for (set by the main window at start-up).
extern DialogHost* DialogHostWindow;

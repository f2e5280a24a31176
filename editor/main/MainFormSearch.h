#pragma once
// The search state of the main window: shared by the search window, the
// replace window and Find Next, so that repeated presses continue where
// the last one stopped.
#include "editor/dialogs/SearchState.h"

extern TSearchState SearchState;

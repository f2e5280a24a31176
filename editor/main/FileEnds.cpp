// Start of File and End of File: the screen and the cursor at either end of
// the document, the selection gone.
#include <algorithm>

#include "editor/main/ByteViewState.h"

void TByteViewState::GoToStartOfFile() {
    TopOffset = 0;
    CursorOffset = 0;
    SelectionActive = 0;
    RepaintAll();
}

void TByteViewState::GoToEndOfFile() {
    TopOffset = MaxTopOffset();
    CursorOffset = std::max(DocumentSize() - TopOffset, 0);
    SelectionActive = 0;
    RepaintAll();
}

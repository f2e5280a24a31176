// Undo and redo of whole steps from the menu: the cursor goes to the last
// change, and a byte half typed before starts afresh.
#include "editor/main/ByteViewState.h"

// After the step the digit entry starts anew: a byte appended by a first
// decimal digit and then undone would otherwise leave the next digit
// pointing into a byte that is gone.
void TByteViewState::UndoStep() {
    TDataFile& d = Document();
    if (!d.undoKeepsSize() && KeepSizeOn()) {
        ShowMessage1(LanguageText("UNDOCANNOTCHANGE"), LanguageText("WORD_OK"));
        return;
    }
    SelectionActive = 0;
    d.undo();
    ResetDigitEntry();
    MarkModified();
    GotoPosition(d.lastChangePos);
    RepaintAll();
}

void TByteViewState::RedoStep() {
    TDataFile& d = Document();
    if (!d.redoKeepsSize() && KeepSizeOn()) {
        ShowMessage1(LanguageText("REDOCANNOTCHANGE"), LanguageText("WORD_OK"));
        return;
    }
    SelectionActive = 0;
    d.redo();
    ResetDigitEntry();
    MarkModified();
    GotoPosition(d.lastChangePos);
    RepaintAll();
}

#include "editor/main/MainFormEditorView.h"

#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/MainForm.h"
#include "editor/main/MainGlobals.h"

int32_t TMainFormEditorView::CursorPosition() const { return F.CursorPosition(); }
bool TMainFormEditorView::SelectionActive() const { return F.SelectionActive != 0; }
int32_t TMainFormEditorView::SelStart() const { return F.SelStart; }
int32_t TMainFormEditorView::SelEnd() const { return F.SelEnd; }

void TMainFormEditorView::GotoPosition(int32_t position) { F.GotoPosition(position); }

void TMainFormEditorView::PlaceCursorAfterDelete(int32_t position) {
    CursorOffset = position - TopOffset;
    F.ClampViewAndScrollBar();
}

// Unless the view scrolled, only the changed cells are drawn: the old
// cursor cell, the old selection without its marks, then the new one.
void TMainFormEditorView::ShowHit(int32_t first, int32_t last) {
    const int oldCursorCell = CursorOffset;
    const bool scrolled = F.GotoPosition(first);
    auto select = [&] {
        F.SelectionActive = 1;
        F.SelStart = first;
        F.SelEnd = last;
        F.SelAnchor = last;
    };
    if (scrolled) {
        select();
        F.RepaintAll();
        return;
    }
    F.SelectionActive = 0;
    if (oldCursorCell >= 0 && oldCursorCell < 16 * F.Rows) F.DrawByte(oldCursorCell);
    F.RepaintSelection(1);
    select();
    F.RepaintSelection(1);
    F.UpdateStatusBar();
    F.UpdateScrollBar();
}

void TMainFormEditorView::ClearSelection() { F.SelectionActive = 0; }
void TMainFormEditorView::RepaintAll() { F.RepaintAll(); }
void TMainFormEditorView::SetModified() { F.SetModified(1); }
bool TMainFormEditorView::InsertMode() const { return F.InsertwhenTyping && F.InsertwhenTyping->Checked(); }
bool TMainFormEditorView::KeepFileSize() const { return F.Lock && F.Lock->Checked(); }
ByteViewKind TMainFormEditorView::ActiveView() const { return static_cast<ByteViewKind>(F.ActiveView); }

void TMainFormEditorView::Tell(const std::string& text, const std::string& caption) {
    BerichtBox1(text, caption, LanguageSystem.getText("WORD_OK"));
}

bool TMainFormEditorView::AskYesNo(const std::string& text) {
    return BerichtBox2(text, "Tessaly", LanguageSystem.getText("YES_AMP"), LanguageSystem.getText("NO_AMP")) == 6;
}

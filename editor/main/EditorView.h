#pragma once
// What the clipboard, import and search commands need from the main window:
// its cursor and selection, the moves and repaints that follow a change, the
// options of its menus and its message boxes. The main window implements
// it; tests give a fake.
#include <cstdint>
#include <string>

#include "editor/main/ByteTexts.h"

class EditorView {
public:
    virtual ~EditorView() = default;

    // The cursor's absolute position (0 to the document size; the size is
    // the end-of-file cell) and the inclusive selection.
    virtual int32_t CursorPosition() const = 0;
    virtual bool SelectionActive() const = 0;
    virtual int32_t SelStart() const = 0;
    virtual int32_t SelEnd() const = 0;

    // Moves the cursor with a margin of two rows and updates the status bar.
    virtual void GotoPosition(int32_t position) = 0;
    // Puts the cursor on a position left by deleted bytes without scrolling
    // first, then brings the view and the scroll bar within the document.
    virtual void PlaceCursorAfterDelete(int32_t position) = 0;
    // Moves the cursor to first (as GotoPosition) and selects first..last with
    // the anchor on last, drawing only what changed unless the view scrolled.
    virtual void ShowHit(int32_t first, int32_t last) = 0;
    // Removes the selection (no repaint).
    virtual void ClearSelection() = 0;
    virtual void RepaintAll() = 0;
    // Marks the document modified.
    virtual void SetModified() = 0;

    // Options of the menus.
    virtual bool InsertMode() const = 0;
    virtual bool KeepFileSize() const = 0;
    virtual ByteViewKind ActiveView() const = 0;

    // The editor's message boxes, caption given; the one button is "Ok".
    virtual void Tell(const std::string& text, const std::string& caption) = 0;
    // Yes/No with the caption "Tessaly"; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
};

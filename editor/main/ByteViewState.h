#pragma once
// The cursor and the selection over the byte view, and what moves them: the
// cursor moves that keep the screen around it, keeping the view inside the
// document, the cells to redraw after a selection changed, Select All,
// clicks, drags, the scroll bar and the wheel. The window supplies the
// document's size, the view widths and the drawing through the hooks.
#include <cstdint>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/main/ByteViewGeometry.h"
#include "editor/main/CellLook.h"
#include "editor/main/MainGlobals.h"
#include "editor/main/ValueRequest.h"

// Keys by their virtual-key codes.
enum TViewKey {
    VkBack = 0x08, VkTab = 0x09, VkReturn = 0x0D, VkShift = 0x10, VkControl = 0x11, VkMenu = 0x12,
    VkSpace = 0x20, VkPrior = 0x21, VkNext = 0x22, VkEnd = 0x23, VkHome = 0x24, VkLeft = 0x25,
    VkUp = 0x26, VkRight = 0x27, VkDown = 0x28, VkInsert = 0x2D, VkF2 = 0x71,
};

// Scroll bar requests, numbered as the system numbers them.
enum TScrollCode { ScrollLineUp = 0, ScrollLineDown = 1, ScrollPageUp = 2, ScrollPageDown = 3,
                   ScrollThumbPosition = 4, ScrollThumbTrack = 5 };

class TByteViewState {
public:
    virtual ~TByteViewState() = default;

    int ActiveView = 0;  // 0 Text, 1 Decimal, 2 Hexadecimal
    int CellFontSize = 0;
    int DigitIndex = 1;
    int DigitCount = 0;
    int Rows = 0;
    uint8_t SelectionActive = 0;
    uint8_t MouseSelecting = 0;
    int OldSelStart = 0, OldSelEnd = 0;
    int SelStart = 0, SelEnd = 0;
    int LastMouseX = 0, LastMouseY = 0;
    int SelAnchor = 0;
    int ReadOnlyRefusals = 0;
    uint8_t FillByte = 0;
    TViewColors Colors;

    int32_t CursorPosition() const { return TopOffset + CursorOffset; }
    int32_t MaxTopOffset();

    // Cursor moves; each returns whether TopOffset changed.
    bool MoveCursorTo(int64_t position, int margin, bool updateStatus);
    bool GotoPosition(int64_t position) { return MoveCursorTo(position, 2, true); }
    bool MoveCursorRelative(int64_t offset) { return MoveCursorTo(int64_t{TopOffset} + offset, 0, true); }
    bool ClampView();
    bool ClampViewAndStatus();
    bool ClampViewAndScrollBar();

    // Screen indexes whose selection state may have changed: mode 1 the
    // whole selection, mode 0 the stretches between old and new bounds.
    std::vector<int> SelectionRepaintIndexes(int mode) const;
    void RepaintSelection(int mode);
    void SelectAll();

    int ViewAt(int x);
    int CellAt(int x, int y);
    void ResetDigitEntry() { DigitIndex = 1; }
    void ValidateActiveView();
    void SelectView(int target);

    // Left button down on the view (other buttons do nothing).
    void LeftButtonDown(bool shiftHeld, bool doubleClick, int x, int y);
    void DragSelect(bool leftButtonDown, int x, int y);
    // A scroll bar request; thumbPosition for the two thumb codes.
    void VScroll(int code, int thumbPosition);
    // The wheel moved the view by rows (negative: up).
    void WheelScroll(int rows);

    // Keys: navigation, selection, view switching, Enter and Backspace; and
    // characters typed into the active view.
    void ViewKeyDown(int key, bool shift, bool ctrl, bool alt);
    void ViewKeyPress(uint8_t key);
    // False, after saying so, when Keep File Size forbids growing.
    bool MayGrow(const std::string& text);
    void RefuseReadOnly();
    void InsertTypedByte(int32_t position, uint8_t value);
    void DeleteCursorByte();
    // Undo or redo one whole step; under Keep File Size only a step that
    // keeps the size.
    void UndoStep();
    void RedoStep();
    // The cursor to the first byte, or to the end-of-file cell in the last row.
    void GoToStartOfFile();
    void GoToEndOfFile();
    // The Edit and Find menus' commands that delete, insert, resize, cut
    // the file at the cursor, move to an exact location and set the fill
    // character, asking through the message boxes and the value dialog.
    void DeleteCommand();
    void InsertBytesCommand();
    void SetFileSizeCommand();
    void EndOfFileAtCursorCommand();
    void ExactLocationCommand();
    void SetFillCharCommand();

protected:
    virtual int32_t DocumentSize() = 0;
    virtual TViewWidths SectionWidths() = 0;
    virtual void SetSectionWidths(const TViewWidths& widths) = 0;
    // Width for the views: client width less the scroll bar.
    virtual int ViewsWidth() = 0;
    virtual void DrawByte(int index) = 0;
    virtual void DrawAllCells() = 0;
    virtual void RepaintAll() = 0;
    virtual void InvalidateView() = 0;
    virtual void UpdateStatusBar() = 0;
    virtual void UpdateScrollBar() = 0;
    virtual void SetScrollThumb(int position) = 0;
    // The cursor view's check mark follows ActiveView.
    virtual void ShowActiveView() {}

    // What typing needs: the document, the options, texts, questions.
    virtual TDataFile& Document() = 0;
    virtual bool ReadOnlyOn() = 0;
    virtual bool KeepSizeOn() = 0;
    virtual bool InsertModeOn() = 0;
    virtual bool MoveRightOn() = 0;
    virtual std::string LanguageText(const char* key) = 0;
    // A one-button box; a Yes/No question answering 6 or 7.
    virtual int ShowMessage1(const std::string& text, const std::string& button) = 0;
    virtual int AskYesNo(const std::string& text) = 0;
    virtual void MarkModified() = 0;
    virtual void ReplaceCommand() {}
    virtual void CopyCommand() {}
    virtual void PasteCommand() {}
    virtual void ResizeWindow(int width, int height) = 0;
    // The value input dialog: true when the user confirmed an accepted
    // value, which the request then holds.
    virtual bool AskValue(TValueRequest& request) { return false; }
    // The number the first byte is shown as (0 or 1).
    virtual int FirstShownByte() { return 0; }
    // Message boxes with a caption of their own: one button "Ok"; Yes/No
    // answering 6 or 7.
    virtual int TellWithCaption(const std::string& text, const std::string& caption) {
        return ShowMessage1(text, LanguageText("WORD_OK"));
    }
    virtual int AskYesNoWithCaption(const std::string& text, const std::string& caption) { return AskYesNo(text); }

    int HexadecimalWidth();
};

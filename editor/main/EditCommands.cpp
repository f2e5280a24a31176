// The Edit and Find menus' commands on the whole document: Delete, Insert
// a Number of Bytes, Set File Size, End of File at Cursor Position, Exact
// Location and the fill character. Each opens its undo step before it asks,
// so a cancelled command leaves an empty step that undo passes over.
#include <cstdio>
#include <string>
#include <utility>

#include "editor/main/ByteViewState.h"

namespace {
std::string Decimal(int64_t value) { return std::to_string(value); }

std::string UpperHex(int64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    return buffer;
}
}  // namespace

void TByteViewState::DeleteCommand() {
    TDataFile& d = Document();
    d.beginStep();
    const int32_t cursor = CursorPosition();
    if (!SelectionActive && cursor >= d.size) return;
    const int64_t count = SelectionActive ? int64_t(SelEnd) - SelStart + 1 : 1;
    const std::string question = count == 1 ? LanguageText("DELETEONEBYTEQ")
                                            : LanguageText("DELETEBYTES1") + " " + Decimal(count) + " " +
                                                  LanguageText("DELETEBYTES2");
    if (KeepSizeOn()) {
        if (!SelectionActive) {
            d.setByte(cursor, FillByte);
            DrawByte(CursorOffset);
            MarkModified();
            return;
        }
        d.fill(SelStart, static_cast<int32_t>(count), FillByte);
    } else {
        if (!InsertModeOn() && AskYesNo(question) != 6) return;
        if (!SelectionActive) {
            DeleteCursorByte();
            MarkModified();
            return;
        }
        d.deleteBytes(SelStart, static_cast<int32_t>(count));
        CursorOffset = SelStart - TopOffset;
        GotoPosition(SelStart);
    }
    MarkModified();
    SelectionActive = 0;
    RepaintAll();
}

// The bytes go in at the cursor, which stays on the first of them. The
// modified mark follows the change, so a growth that fails for want of
// memory leaves the mark as it was.
void TByteViewState::InsertBytesCommand() {
    TDataFile& d = Document();
    d.beginStep();
    TValueRequest request;
    request.Caption = LanguageText("INSERT3DOT");
    request.Question = LanguageText("HOWMANYINSERT");
    if (!AskValue(request)) return;
    SelectionActive = 0;
    d.insertFill(CursorPosition(), static_cast<int32_t>(request.Value), FillByte);
    MarkModified();
    RepaintAll();
}

void TByteViewState::SetFileSizeCommand() {
    TDataFile& d = Document();
    d.beginStep();
    TValueRequest request;
    request.Caption = LanguageText("MenuSetFileSize");
    request.Question = LanguageText("FILESIZEISSHORT") + " " + Decimal(d.size) + " bytes. " +
                       LanguageText("ENTERNEWFILESIZE");
    if (AskValue(request)) {
        SelectionActive = 0;
        const int32_t n = static_cast<int32_t>(request.Value);
        if (n < CursorPosition()) GotoPosition(n);
        const int64_t grow = int64_t(n) - d.size;
        if (grow > 0) d.insertFill(d.size, static_cast<int32_t>(grow), FillByte);
        else if (grow < 0) d.setEndOfFile(n);
        MarkModified();
    }
    RepaintAll();
}

// The cursor byte stays and everything after it goes. With the cursor on
// the end-of-file cell (Select All leaves it there) there is nothing after
// it to delete: nothing is asked and nothing changes.
void TByteViewState::EndOfFileAtCursorCommand() {
    TDataFile& d = Document();
    d.beginStep();
    const int32_t position = CursorPosition();
    if (position >= d.size) return;
    const std::string shown = Decimal(int64_t(position) + FirstShownByte());
    if (position == d.size - 1) {
        TellWithCaption("Byte " + shown + " " + LanguageText("ISLASTBYTEALREADY"), LanguageText("MAKEEOF"));
        return;
    }
    if (AskYesNoWithCaption(LanguageText("DELETEALLAFTER") + " " + shown + "?", LanguageText("MAKEEOF")) != 6) return;
    d.setEndOfFile(position + 1);
    MarkModified();
    SelectionActive = 0;
    RepaintAll();
}

// With the check box the selection runs from the anchor (or the old cursor)
// to the new position, never taking in the end-of-file cell; a selection
// that would hold no byte (both ends on that cell) is none.
void TByteViewState::ExactLocationCommand() {
    TDataFile& d = Document();
    TValueRequest request;
    request.Caption = LanguageText("MenuExactLoc");
    request.Question = LanguageText("MOVECURSORTO");
    request.MoveCursor = true;
    if (!AskValue(request)) return;
    const int first = FirstShownByte();
    const int64_t p = request.Value - first;
    if (p < 0 || p > d.size) {
        const bool hex = request.Kind == ValueKind::Hexadecimal;
        const int64_t maximum = int64_t(d.size) + first;
        TellWithCaption(LanguageText("MINIMUM") + ": " + Decimal(first) + ", " + LanguageText("MAXIMUM") + ": " +
                            (hex ? UpperHex(maximum) : Decimal(maximum)) + ". " + LanguageText("FILESIZEIS") + " " +
                            (hex ? UpperHex(d.size) : Decimal(d.size)) + " bytes.",
                        "Tessaly");
    } else if (request.KeepSelection) {
        if (SelectionActive) SelStart = SelAnchor;
        else SelStart = SelAnchor = CursorPosition();
        GotoPosition(p);
        SelEnd = CursorPosition();
        if (SelEnd < SelStart) std::swap(SelStart, SelEnd);
        if (SelEnd == d.size) SelEnd = d.size - 1;
        SelectionActive = SelStart <= SelEnd && SelStart < d.size ? 1 : 0;
    } else {
        SelectionActive = 0;
        GotoPosition(p);
    }
    RepaintAll();
}

void TByteViewState::SetFillCharCommand() {
    TValueRequest request;
    request.Caption = LanguageText("FILLCHARCAP");
    request.Question = LanguageText("FILLCHARSTR");
    request.Text = Decimal(FillByte);
    request.ItemIndex = 1;
    request.AllowText = true;
    request.AnyNumber = false;
    if (AskValue(request)) FillByte = static_cast<uint8_t>(request.Value);
}

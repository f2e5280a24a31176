// Keys on the byte view: moving the cursor and the screen, Shift-selection,
// switching views, Enter and Backspace, and typing bytes as characters,
// decimal digits or hexadecimal digits, one undo step per byte.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "editor/main/ByteViewState.h"

namespace {
int32_t RowStart(int32_t offset) { return offset - ((offset % 16) + 16) % 16; }

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}
}  // namespace

bool TByteViewState::MayGrow(const std::string& text) {
    if (!KeepSizeOn()) return true;
    ShowMessage1(text, LanguageText("WORD_OK"));
    return false;
}

// The third refused edit in a row tells where Read Only is switched off.
void TByteViewState::RefuseReadOnly() {
    if (!ReadOnlyOn()) return;
    if (++ReadOnlyRefusals == 3) ShowMessage1(LanguageText("READONLYCANTURNOFF"), LanguageText("WORD_OK"));
}

void TByteViewState::InsertTypedByte(int32_t position, uint8_t value) {
    Document().insertFill(position, 1, value);
    if (ActiveView == ViewText && MoveRightOn()) MoveCursorRelative(int64_t{CursorOffset} + 1);
}

void TByteViewState::DeleteCursorByte() {
    Document().deleteBytes(CursorPosition(), 1);
    RepaintAll();
}

void TByteViewState::ViewKeyDown(int key, bool shift, bool ctrl, bool alt) {
    if (key == VkF2) return;
    if (key == 'Y' && shift && ctrl && alt) ResizeWindow(800, 600);
    if (!SelectionActive) SelStart = SelEnd = SelAnchor = CursorPosition();
    const int32_t c0 = CursorOffset;
    if (key != VkShift) MouseSelecting = 0;
    if (ctrl && key == VkInsert) return CopyCommand();
    // Replace and Paste edit: refused in read-only mode like every editing
    // key. Both move the cursor, so a byte half typed is finished here.
    if ((ctrl && key == 'H') || (shift && key == VkInsert)) {
        if (ReadOnlyOn()) return RefuseReadOnly();
        ResetDigitEntry();
        DrawByte(CursorOffset);
        return key == 'H' ? ReplaceCommand() : PasteCommand();
    }

    if (ctrl || key == VkTab) {
        TViewWidths s = SectionWidths();
        int w2 = HexadecimalWidth();
        if (key == VkTab || key == VkRight) {
            ResetDigitEntry();
            ActiveView = (ActiveView + 1) % 3;
            if (ActiveView == ViewText && s.W0 < MinDrawnViewWidth) ActiveView = ViewDecimal;
            if (ActiveView == ViewDecimal && s.W1 < MinDrawnViewWidth) ActiveView = ViewHexadecimal;
            if (ActiveView == ViewHexadecimal && w2 < MinDrawnViewWidth) ActiveView = ViewText;
            ValidateActiveView();
            DrawByte(CursorOffset);
            return;
        }
        if (key == VkLeft) {
            ResetDigitEntry();
            ActiveView = ActiveView == 0 ? 2 : ActiveView - 1;
            if (ActiveView == ViewText && s.W0 < MinDrawnViewWidth) ActiveView = ViewHexadecimal;
            if (ActiveView == ViewHexadecimal && w2 < MinDrawnViewWidth) ActiveView = ViewDecimal;
            if (ActiveView == ViewDecimal && s.W1 < MinDrawnViewWidth) ActiveView = ViewText;
            ValidateActiveView();
            DrawByte(CursorOffset);
            return;
        }
    }

    const int moveRight = MoveRightOn() ? 1 : 0;
    TDataFile& d = Document();
    bool repaintAll = false, drawCursor = false;
    // The old and the new cursor cell now, or everything at the end.
    auto moved = [&](bool scrolled) {
        if (scrolled) {
            repaintAll = true;
        } else {
            DrawByte(OldCursorOffset);
            DrawByte(CursorOffset);
        }
    };

    if (key == VkReturn) {
        if (ReadOnlyOn()) {
            RefuseReadOnly();
        } else {
            OldCursorOffset = CursorOffset;
            OldTopOffset = TopOffset;
            if (ActiveView != ViewText) {
                // Enter ends the typing of a byte.
                ResetDigitEntry();
                moved(MoveCursorRelative(int64_t{CursorOffset} + moveRight));
            } else {
                d.beginStep();
                if (InsertModeOn()) {
                    MarkModified();
                    InsertTypedByte(CursorPosition(), 13);
                    InsertTypedByte(CursorPosition(), 10);
                    repaintAll = true;
                } else {
                    int32_t cursor = CursorPosition();
                    if (cursor + 1 == d.size) {
                        if (!MayGrow(LanguageText("ONEBYTEBUTFILEPROTECTED"))) return;
                        d.insertFill(d.size, 1, 0);
                    } else if (cursor == d.size) {
                        if (!MayGrow(LanguageText("TWOBYTEBUTFILEPROTECTED"))) return;
                        d.insertFill(d.size, 2, 0);
                    }
                    MarkModified();
                    d.setByte(cursor, 13);
                    d.setByte(cursor + 1, 10);
                    bool first = MoveCursorRelative(int64_t{CursorOffset} + moveRight);
                    bool second = MoveCursorRelative(int64_t{CursorOffset} + moveRight);
                    if (first || second) {
                        repaintAll = true;
                    } else {
                        for (int i : {CursorOffset - 2, CursorOffset - 1})
                            if (i >= 0) DrawByte(i);
                        DrawByte(CursorOffset);
                    }
                }
            }
        }
    }

    OldCursorOffset = CursorOffset;
    OldTopOffset = TopOffset;
    int64_t t = CursorOffset;

    if (key == VkBack && ActiveView == ViewText) {
        if (ReadOnlyOn()) {
            RefuseReadOnly();
        } else if (CursorPosition() > 0) {
            bool insert = InsertModeOn(), keep = KeepSizeOn();
            if (!insert && !keep && AskYesNo(LanguageText("BACKSPACEONCEQ")) == 7) return;
            d.beginStep();
            MarkModified();
            int32_t cursor = CursorPosition();
            bool onEnd = cursor == d.size;
            d.setByte(cursor - 1, FillByte);
            t = int64_t{CursorOffset} - 1;
            bool remove = (!insert && !keep) || (insert && MayGrow(LanguageText("DELBYTEBUTFILEPROTECTED")));
            if (remove) {
                d.deleteBytes(cursor - 1, 1);
                if (onEnd) drawCursor = true;
                else repaintAll = true;
            }
        }
    }

    bool extend = shift && (key == VkMenu || key == VkControl || key == VkUp || key == VkDown ||
                            key == VkLeft || key == VkRight || key == VkHome || key == VkEnd);
    switch (key) {
        case VkUp: t -= 16; break;
        case VkDown: t += 16; break;
        case VkLeft: t -= 1; break;
        case VkRight: t += 1; break;
        case VkSpace:
            if (ActiveView != ViewText) t += 1;
            break;
        case VkHome:
            if (shift && ctrl) {
                TopOffset = 0;
                t = 0;
                repaintAll = true;
            } else {
                t = RowStart(static_cast<int32_t>(t));
            }
            break;
        case VkEnd:
            if (shift && ctrl) {
                TopOffset = MaxTopOffset();
                t = int64_t{d.size} - TopOffset;
                repaintAll = true;
            } else {
                t = std::min<int64_t>(RowStart(static_cast<int32_t>(t)) + 15, int64_t{d.size} - TopOffset);
            }
            break;
        default: break;
    }
    if (t != CursorOffset) {
        ResetDigitEntry();
        if (MoveCursorRelative(t)) repaintAll = true;
        else drawCursor = true;
    }

    if (key == VkPrior || key == VkNext) {
        int page = std::max(Rows - 1, 1);
        TopOffset += (key == VkPrior ? -16 : 16) * page;
        extend = true;
    }
    if (TopOffset != OldTopOffset) {
        ResetDigitEntry();
        ClampViewAndScrollBar();
        if (TopOffset != OldTopOffset) repaintAll = true;
        else drawCursor = true;
    }
    if (CursorOffset != c0) ResetDigitEntry();

    if (shift && extend) {
        bool fresh = !SelectionActive;
        SelectionActive = 1;
        OldSelStart = SelStart;
        OldSelEnd = SelEnd;
        SelStart = SelAnchor;
        SelEnd = CursorPosition();
        if (SelEnd < SelStart) std::swap(SelStart, SelEnd);
        if (SelEnd == d.size) SelEnd = d.size - 1;
        if (!repaintAll) RepaintSelection(fresh ? 1 : 0);
    } else if (shift && SelectionActive && key != VkShift) {
        SelectionActive = 0;
        if (!repaintAll) RepaintSelection(1);
    } else if (!shift && SelectionActive && key != VkControl && key != VkMenu) {
        SelectionActive = 0;
        if (!repaintAll) RepaintSelection(1);
    }
    if (ClampView()) repaintAll = true;
    if (repaintAll) {
        RepaintAll();
    } else if (drawCursor) {
        DrawByte(OldCursorOffset);
        DrawByte(CursorOffset);
    }
}

void TByteViewState::ViewKeyPress(uint8_t key) {
    if (key == 27 || key == 13) return;
    if (key == 8 && ActiveView == ViewText) return;
    if (ReadOnlyOn()) return RefuseReadOnly();
    TDataFile& d = Document();
    const int moveRight = MoveRightOn() ? 1 : 0;
    int32_t cursor = CursorPosition();
    auto moveOn = [&] {
        OldCursorOffset = CursorOffset;
        if (MoveCursorRelative(int64_t{CursorOffset} + moveRight)) {
            RepaintAll();
        } else {
            DrawByte(OldCursorOffset);
            DrawByte(CursorOffset);
        }
    };
    // The end-of-file cell after a last byte that was just typed.
    auto drawEndAfterLastByte = [&] {
        if (CursorPosition() + 1 == d.size) DrawByte(CursorOffset + 1);
    };

    if (ActiveView == ViewDecimal) {
        if (DigitIndex == 1) d.beginStep();  // each byte typed is one undo step
        DigitCount = 3;
        if (key == 8 && DigitIndex > 1) {
            // Nothing to take back past the end of the document.
            if (cursor >= d.size) return;
            --DigitIndex;
            std::string s = std::to_string(d.getByte(cursor));
            if (s.size() > 1) s.pop_back();
            else if (DigitIndex == 1) s = "0";
            MarkModified();
            d.setByte(cursor, static_cast<uint8_t>(std::stoi(s)));
            DrawByte(CursorOffset);
            return;
        }
        if (key < '0' || key > '9') return;
        if (cursor >= d.size) {
            if (!MayGrow(LanguageText("ONEBYTEBUTFILEPROTECTED"))) return;
            d.insertFill(cursor, 1, 0);
        }
        std::string s = DigitIndex == 1 ? std::string() : std::to_string(d.getByte(cursor));
        s += static_cast<char>(key);
        int value = std::stoi(s);
        if (value > 255) {
            ShowMessage1(s + " " + LanguageText("ISNOTCORRECT255"), LanguageText("WORD_CLOSE"));
            return;
        }
        MarkModified();
        d.setByte(cursor, static_cast<uint8_t>(value));
        if (++DigitIndex > DigitCount) {
            DigitIndex = 1;
            moveOn();
        } else {
            DrawByte(CursorOffset);
        }
        drawEndAfterLastByte();
        return;
    }

    if (ActiveView == ViewHexadecimal) {
        if (DigitIndex == 1) d.beginStep();
        DigitCount = 2;
        if (!std::isxdigit(key)) return;
        if (cursor >= d.size) {
            if (!MayGrow(LanguageText("ONEBYTEBUTFILEPROTECTED"))) return;
            d.insertFill(cursor, 1, 0);
        }
        char s[3];
        std::snprintf(s, sizeof s, "%02X", d.getByte(cursor));
        s[DigitIndex == 1 ? 0 : 1] = static_cast<char>(key);
        MarkModified();
        d.setByte(cursor, static_cast<uint8_t>(HexDigitValue(s[0]) * 16 + HexDigitValue(s[1])));
        if (++DigitIndex > DigitCount) {
            DigitIndex = 1;
            OldTopOffset = TopOffset;
            moveOn();
        } else {
            DrawByte(CursorOffset);
        }
        drawEndAfterLastByte();
        return;
    }

    if (key < 32) return;
    d.beginStep();
    if (InsertModeOn()) {
        MarkModified();
        InsertTypedByte(cursor, key);
        RepaintAll();
        return;
    }
    OldTopOffset = TopOffset;
    if (cursor >= d.size) {
        if (!MayGrow(LanguageText("ONEBYTEBUTFILEPROTECTED"))) return;
        d.insertFill(cursor, 1, 0);
    }
    MarkModified();
    d.setByte(cursor, key);
    moveOn();
}

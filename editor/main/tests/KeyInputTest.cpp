#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/main/ByteViewState.h"
#include "editor/main/ScrollMath.h"

namespace {

// The byte view over a real document, with the options as flags, the
// language texts as their keys and the message boxes recorded and answered.
class KeyView : public TByteViewState {
public:
    explicit KeyView(const std::string& bytes, int rows = 10) {
        Rows = rows;
        TopOffset = CursorOffset = OldCursorOffset = OldTopOffset = 0;
        doc.allocate(static_cast<int32_t>(bytes.size()));
        for (size_t i = 0; i < bytes.size(); ++i) doc.data[i] = static_cast<uint8_t>(bytes[i]);
    }
    TDataFile doc;
    bool readOnly = false, keepSize = false, insertMode = false, moveRight = true;
    int answer = 6;
    std::vector<std::string> messages;
    int modified = 0, repaints = 0;
    std::vector<int> drawn;
    TViewWidths widths{275, 450, 275};

    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(doc.data), static_cast<size_t>(doc.size)); }
    void Type(const std::string& keys) {
        for (char c : keys) ViewKeyPress(static_cast<uint8_t>(c));
    }
    void Press(int key, bool shift = false, bool ctrl = false) { ViewKeyDown(key, shift, ctrl, false); }

protected:
    int32_t DocumentSize() override { return doc.size; }
    TViewWidths SectionWidths() override { return widths; }
    void SetSectionWidths(const TViewWidths& w) override { widths = w; }
    int ViewsWidth() override { return 1000; }
    void DrawByte(int index) override { drawn.push_back(index); }
    void DrawAllCells() override {}
    void RepaintAll() override { ++repaints; }
    void InvalidateView() override {}
    void UpdateStatusBar() override {}
    void UpdateScrollBar() override {}
    void SetScrollThumb(int) override {}
    TDataFile& Document() override { return doc; }
    bool ReadOnlyOn() override { return readOnly; }
    bool KeepSizeOn() override { return keepSize; }
    bool InsertModeOn() override { return insertMode; }
    bool MoveRightOn() override { return moveRight; }
    std::string LanguageText(const char* key) override { return key; }
    int ShowMessage1(const std::string& text, const std::string& button) override {
        messages.push_back(text + "|" + button);
        return 6;
    }
    int AskYesNo(const std::string& text) override {
        messages.push_back(text + "|?");
        return answer;
    }
    void MarkModified() override { ++modified; }
    void ResizeWindow(int, int) override {}
};

}  // namespace

TEST(KeyInput, DecimalDigitsBuildAByteAndRefuseAbove255) {
    KeyView v(std::string(4, '\0'));
    v.ActiveView = ViewDecimal;
    v.Type("25");
    EXPECT_EQ(v.doc.data[0], 25);
    EXPECT_EQ(v.DigitIndex, 3);
    v.Type("6");
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0], "256 ISNOTCORRECT255|WORD_CLOSE");
    EXPECT_EQ(v.doc.data[0], 25);
    EXPECT_EQ(v.DigitIndex, 3);
    v.Type("5");
    EXPECT_EQ(v.doc.data[0], 255);
    EXPECT_EQ(v.CursorPosition(), 1);
    EXPECT_EQ(v.DigitIndex, 1);
    // One undo takes back the whole byte.
    v.doc.undo();
    EXPECT_EQ(v.doc.data[0], 0);
    // 0 and 7: the byte is 7 and the third digit is pending.
    v.Type("07");
    EXPECT_EQ(v.doc.data[1], 7);
    EXPECT_EQ(v.DigitIndex, 3);
}

TEST(KeyInput, DecimalBackspaceTakesBackDigits) {
    KeyView v(std::string(4, '\0'));
    v.ActiveView = ViewDecimal;
    v.Type("42");
    v.Type("\b");
    EXPECT_EQ(v.doc.data[0], 4);
    v.Type("\b");
    EXPECT_EQ(v.doc.data[0], 0);
    EXPECT_EQ(v.DigitIndex, 1);
    v.Type("\b");  // nothing left to take back
    EXPECT_EQ(v.doc.data[0], 0);
}

TEST(KeyInput, DecimalBackspaceOnTheEndOfFileCellReadsNothing) {
    KeyView v("AB");
    v.ActiveView = ViewDecimal;
    v.MoveCursorTo(2, 0, false);
    v.DigitIndex = 2;  // left over after an undo of an appended byte
    v.Type("\b");
    EXPECT_EQ(v.doc.size, 2);
    EXPECT_EQ(v.Bytes(), "AB");
}

TEST(KeyInput, HexadecimalDigitsOnTheEndOfFileCellAppendAByte) {
    KeyView v("AB");
    v.ActiveView = ViewHexadecimal;
    v.MoveCursorTo(2, 0, false);
    v.Type("F");
    EXPECT_EQ(v.doc.size, 3);
    EXPECT_EQ(v.doc.data[2], 0xF0);
    EXPECT_EQ(v.CursorPosition(), 2);
    v.Type("1");
    EXPECT_EQ(v.doc.data[2], 0xF1);
    EXPECT_EQ(v.CursorPosition(), 3);
    // The key replaces one digit and keeps the other.
    v.MoveCursorTo(1, 0, false);
    v.Type("a");
    EXPECT_EQ(v.doc.data[1], 0xA2);
    v.Type("g");  // not a digit
    EXPECT_EQ(v.doc.data[1], 0xA2);
}

TEST(KeyInput, KeepFileSizeRefusesGrowing) {
    KeyView v("AB");
    v.keepSize = true;
    v.ActiveView = ViewHexadecimal;
    v.MoveCursorTo(2, 0, false);
    v.Type("F");
    EXPECT_EQ(v.doc.size, 2);
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0], "ONEBYTEBUTFILEPROTECTED|WORD_OK");
    EXPECT_EQ(v.DigitIndex, 1);
}

TEST(KeyInput, TextViewTypesOverwritesAndInserts) {
    KeyView v("ABC");
    v.Type("xy");
    EXPECT_EQ(v.Bytes(), "xyC");
    EXPECT_EQ(v.CursorPosition(), 2);
    v.Type("zw");  // the second one grows the document
    EXPECT_EQ(v.Bytes(), "xyzw");
    v.insertMode = true;
    v.MoveCursorTo(1, 0, false);
    v.Type("Q");
    EXPECT_EQ(v.Bytes(), "xQyzw");
    EXPECT_EQ(v.CursorPosition(), 2);
    v.Type("\x01");  // not printable: nothing
    EXPECT_EQ(v.Bytes(), "xQyzw");
    v.Type("\xE9");
    EXPECT_EQ(v.Bytes(), "xQ\xE9yzw");
}

TEST(KeyInput, EnterInTheTextViewWritesCrLf) {
    KeyView v("AB");
    v.MoveCursorTo(1, 0, false);
    v.Press(VkReturn);
    EXPECT_EQ(v.Bytes(), "A\r\n");
    EXPECT_EQ(v.CursorPosition(), 3);
    v.doc.undo();
    EXPECT_EQ(v.Bytes(), "AB");
    // On the end-of-file cell: two bytes are appended.
    KeyView end("AB");
    end.MoveCursorTo(2, 0, false);
    end.Press(VkReturn);
    EXPECT_EQ(end.Bytes(), "AB\r\n");
    // Insert Mode inserts both.
    KeyView ins("AB");
    ins.insertMode = true;
    ins.MoveCursorTo(1, 0, false);
    ins.Press(VkReturn);
    EXPECT_EQ(ins.Bytes(), "A\r\nB");
    EXPECT_EQ(ins.CursorPosition(), 3);
    // Keep File Size refuses to grow.
    KeyView keep("AB");
    keep.keepSize = true;
    keep.MoveCursorTo(2, 0, false);
    keep.Press(VkReturn);
    EXPECT_EQ(keep.Bytes(), "AB");
    EXPECT_EQ(keep.messages.at(0), "TWOBYTEBUTFILEPROTECTED|WORD_OK");
}

TEST(KeyInput, EnterInTheNumberViewsFinishesTheByte) {
    KeyView v("ABC");
    v.ActiveView = ViewDecimal;
    v.Type("1");
    v.Press(VkReturn);
    EXPECT_EQ(v.doc.data[0], 1);
    EXPECT_EQ(v.CursorPosition(), 1);
    EXPECT_EQ(v.DigitIndex, 1);
}

TEST(KeyInput, BackspaceInTheTextView) {
    KeyView v("AB");
    v.MoveCursorTo(2, 0, false);
    v.Press(VkBack);
    EXPECT_EQ(v.Bytes(), "A");
    EXPECT_EQ(v.CursorPosition(), 1);
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0], "BACKSPACEONCEQ|?");
    // No: nothing changes.
    KeyView no("AB");
    no.answer = 7;
    no.MoveCursorTo(2, 0, false);
    no.Press(VkBack);
    EXPECT_EQ(no.Bytes(), "AB");
    EXPECT_EQ(no.CursorPosition(), 2);
    // Keep File Size: the byte before the cursor becomes the fill byte.
    KeyView keep("AB");
    keep.keepSize = true;
    keep.MoveCursorTo(2, 0, false);
    keep.Press(VkBack);
    EXPECT_EQ(keep.Bytes(), std::string("A\0", 2));
    EXPECT_EQ(keep.CursorPosition(), 1);
    EXPECT_TRUE(keep.messages.empty());
    // Insert Mode: no question.
    KeyView ins("ABC");
    ins.insertMode = true;
    ins.MoveCursorTo(1, 0, false);
    ins.Press(VkBack);
    EXPECT_EQ(ins.Bytes(), "BC");
    EXPECT_TRUE(ins.messages.empty());
    // At position 0 nothing happens.
    KeyView start("AB");
    start.Press(VkBack);
    EXPECT_EQ(start.Bytes(), "AB");
}

TEST(KeyInput, ShiftArrowsSelectFromTheAnchor) {
    KeyView v(std::string(100, 'x'));
    v.MoveCursorTo(5, 0, false);
    v.Press(VkRight, true);
    EXPECT_EQ(v.SelectionActive, 1);
    EXPECT_EQ(v.SelStart, 5);
    EXPECT_EQ(v.SelEnd, 6);
    // Back on the anchor, the anchor's byte alone stays selected.
    v.Press(VkLeft, true);
    EXPECT_EQ(v.SelectionActive, 1);
    EXPECT_EQ(v.SelStart, 5);
    EXPECT_EQ(v.SelEnd, 5);
    v.Press(VkDown, true);
    EXPECT_EQ(v.SelEnd, 21);
    // Shift alone keeps it; a plain key removes it.
    v.Press(VkShift, true);
    EXPECT_EQ(v.SelectionActive, 1);
    v.Press(VkControl, false, true);
    EXPECT_EQ(v.SelectionActive, 1);
    v.Press(VkRight);
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(v.CursorPosition(), 22);
}

TEST(KeyInput, ShiftSelectionNeverIncludesTheEndOfFileCell) {
    KeyView v(std::string(20, 'x'));
    v.MoveCursorTo(18, 0, false);
    v.Press(VkEnd, true);
    EXPECT_EQ(v.CursorPosition(), 20);
    EXPECT_EQ(v.SelEnd, 19);
    v.Press(VkHome, true, true);  // Ctrl+Shift+Home: to the start, selecting
    EXPECT_EQ(v.CursorPosition(), 0);
    EXPECT_EQ(v.SelStart, 0);
    EXPECT_EQ(v.SelEnd, 18);
}

TEST(KeyInput, NavigationKeys) {
    KeyView v(std::string(1000, 'x'));
    v.Press(VkDown);
    EXPECT_EQ(v.CursorPosition(), 16);
    v.Press(VkEnd);
    EXPECT_EQ(v.CursorPosition(), 31);
    v.Press(VkHome);
    EXPECT_EQ(v.CursorPosition(), 16);
    v.Press(VkUp);
    v.Press(VkUp);  // at the top already
    EXPECT_EQ(v.CursorPosition(), 0);
    v.Press(VkNext);
    EXPECT_EQ(TopOffset, 9 * 16);
    EXPECT_EQ(v.CursorPosition(), 9 * 16);
    v.Press(VkPrior);
    EXPECT_EQ(TopOffset, 0);
    v.Press(VkEnd, true, true);
    EXPECT_EQ(v.CursorPosition(), 1000);
    EXPECT_EQ(TopOffset, MaxTopOffset(1000, 10));
    // Space moves right in the number views and types in the Text view.
    KeyView s("AB");
    s.ActiveView = ViewHexadecimal;
    s.Press(VkSpace);
    EXPECT_EQ(s.CursorPosition(), 1);
    s.ActiveView = ViewText;
    s.Press(VkSpace);
    EXPECT_EQ(s.CursorPosition(), 1);
}

TEST(KeyInput, EndStopsAtTheEndOfFileCell) {
    KeyView v(std::string(20, 'x'));
    v.MoveCursorTo(17, 0, false);
    v.Press(VkEnd);
    EXPECT_EQ(v.CursorPosition(), 20);
}

TEST(KeyInput, TabAndCtrlArrowsSwitchViewsSkippingNarrowOnes) {
    KeyView v("AB");
    v.Press(VkTab);
    EXPECT_EQ(v.ActiveView, ViewDecimal);
    v.Press(VkTab);
    EXPECT_EQ(v.ActiveView, ViewHexadecimal);
    v.Press(VkTab);
    EXPECT_EQ(v.ActiveView, ViewText);
    v.Press(VkLeft, false, true);
    EXPECT_EQ(v.ActiveView, ViewHexadecimal);
    v.Press(VkRight, false, true);
    EXPECT_EQ(v.ActiveView, ViewText);
    v.widths = {275, 50, 675};
    v.Press(VkTab);
    EXPECT_EQ(v.ActiveView, ViewHexadecimal);
    v.Press(VkLeft, false, true);
    EXPECT_EQ(v.ActiveView, ViewText);
    EXPECT_EQ(v.CursorPosition(), 0);
}

TEST(KeyInput, ReadOnlyRefusesEditsAndHintsOnTheThird) {
    KeyView v("AB");
    v.readOnly = true;
    v.Type("x");
    v.Type("y");
    EXPECT_TRUE(v.messages.empty());
    v.Press(VkReturn);
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0], "READONLYCANTURNOFF|WORD_OK");
    v.Type("z");
    EXPECT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.Bytes(), "AB");
    // Navigation still works.
    v.Press(VkRight);
    EXPECT_EQ(v.CursorPosition(), 1);
}

TEST(KeyInput, AKeyEndsAMouseDrag) {
    KeyView v("ABCDEF");
    v.MouseSelecting = 1;
    v.Press(VkShift, true);
    EXPECT_EQ(v.MouseSelecting, 1);
    v.Press(VkRight);
    EXPECT_EQ(v.MouseSelecting, 0);
}

TEST(KeyInput, UndoOfAnAppendedDigitStartsTheDigitEntryAfresh) {
    KeyView v("AB");
    v.ActiveView = ViewDecimal;
    v.MoveCursorTo(2, 0, false);
    v.Type("4");
    ASSERT_EQ(v.doc.size, 3);
    ASSERT_EQ(v.DigitIndex, 2);
    v.UndoStep();
    EXPECT_EQ(v.doc.size, 2);
    EXPECT_EQ(v.DigitIndex, 1);
    EXPECT_EQ(v.CursorPosition(), 2);
    v.Type("\b");  // nothing to take back on the end-of-file cell
    EXPECT_EQ(v.Bytes(), "AB");
    v.RedoStep();
    EXPECT_EQ(v.doc.size, 3);
    EXPECT_EQ(v.doc.data[2], 4);
    EXPECT_EQ(v.DigitIndex, 1);
}

TEST(KeyInput, UnderKeepFileSizeOnlySizeKeepingStepsAreUndone) {
    KeyView v("AB");
    v.MoveCursorTo(2, 0, false);
    v.Type("C");  // grows the document
    v.MoveCursorTo(0, 0, false);
    v.Type("x");  // overwrites a byte
    v.keepSize = true;
    v.UndoStep();
    EXPECT_EQ(v.Bytes(), "ABC");
    v.UndoStep();
    EXPECT_EQ(v.Bytes(), "ABC");
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0], "UNDOCANNOTCHANGE|WORD_OK");
    v.keepSize = false;
    v.UndoStep();
    EXPECT_EQ(v.Bytes(), "AB");
}

TEST(KeyInput, StartAndEndOfFile) {
    KeyView v(std::string(1000, 'x'));
    v.SelectAll();
    v.GoToStartOfFile();
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(v.CursorPosition(), 0);
    EXPECT_EQ(v.SelectionActive, 0);
    v.GoToEndOfFile();
    EXPECT_EQ(TopOffset, MaxTopOffset(1000, 10));
    EXPECT_EQ(v.CursorPosition(), 1000);
    KeyView small("AB");
    small.GoToEndOfFile();
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(small.CursorPosition(), 2);
}

// The Edit and Find menus' commands over a real document: what they ask,
// what they change, where the cursor and the selection end, and that a
// cancelled or refused command changes nothing.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "editor/main/ByteViewState.h"

namespace {

// The byte view with scripted answers: the value dialog's replies in
// order (none left: Cancel), the message boxes recorded with their captions.
class CommandView : public TByteViewState {
public:
    explicit CommandView(size_t size, int rows = 10) {
        Rows = rows;
        TopOffset = CursorOffset = OldCursorOffset = OldTopOffset = 0;
        doc.allocate(static_cast<int32_t>(size));
        for (size_t i = 0; i < size; ++i) doc.data[i] = static_cast<uint8_t>(i);
    }
    struct Reply {
        ValueKind kind;
        int64_t value;
        bool keepSelection = false;
    };
    TDataFile doc;
    bool keepSize = false, insertMode = false;
    int firstByte = 0;
    int answer = 6;
    std::deque<Reply> replies;
    std::vector<TValueRequest> asked;
    std::vector<std::string> messages;  // text|caption
    int modified = 0, repaints = 0;

    void PutCursor(int32_t position) { GotoPosition(position); }
    void Select(int32_t first, int32_t last) {
        SelectionActive = 1;
        SelStart = first;
        SelEnd = last;
        SelAnchor = first;
    }

protected:
    int32_t DocumentSize() override { return doc.size; }
    TViewWidths SectionWidths() override { return {275, 450, 275}; }
    void SetSectionWidths(const TViewWidths&) override {}
    int ViewsWidth() override { return 1000; }
    void DrawByte(int) override {}
    void DrawAllCells() override {}
    void RepaintAll() override { ++repaints; }
    void InvalidateView() override {}
    void UpdateStatusBar() override {}
    void UpdateScrollBar() override {}
    void SetScrollThumb(int) override {}
    TDataFile& Document() override { return doc; }
    bool ReadOnlyOn() override { return false; }
    bool KeepSizeOn() override { return keepSize; }
    bool InsertModeOn() override { return insertMode; }
    bool MoveRightOn() override { return true; }
    std::string LanguageText(const char* key) override { return key; }
    int ShowMessage1(const std::string& text, const std::string&) override {
        messages.push_back(text + "|Tessaly");
        return 1;
    }
    int AskYesNo(const std::string& text) override {
        messages.push_back(text + "|Tessaly?");
        return answer;
    }
    int TellWithCaption(const std::string& text, const std::string& caption) override {
        messages.push_back(text + "|" + caption);
        return 1;
    }
    int AskYesNoWithCaption(const std::string& text, const std::string& caption) override {
        messages.push_back(text + "|" + caption + "?");
        return answer;
    }
    void MarkModified() override { ++modified; }
    void ResizeWindow(int, int) override {}
    int FirstShownByte() override { return firstByte; }
    bool AskValue(TValueRequest& request) override {
        asked.push_back(request);
        if (replies.empty()) return false;
        request.Kind = replies.front().kind;
        request.Value = replies.front().value;
        request.KeepSelection = replies.front().keepSelection;
        replies.pop_front();
        return true;
    }
};

}  // namespace

TEST(EditCommands, DeleteAsksInOverwriteModeAndKeepsTheCursorPlace) {
    struct Case {
        bool insertMode, keepSize, selection;
        int answer;
        int32_t sizeAfter;
        const char* question;  // "" when nothing is asked
    } cases[] = {
        {false, false, false, 6, 99, "DELETEONEBYTEQ|Tessaly?"},
        {false, false, false, 7, 100, "DELETEONEBYTEQ|Tessaly?"},
        {true, false, false, 6, 99, ""},
        {false, true, false, 6, 100, ""},
        {false, false, true, 6, 90, "DELETEBYTES1 10 DELETEBYTES2|Tessaly?"},
        {false, false, true, 7, 100, "DELETEBYTES1 10 DELETEBYTES2|Tessaly?"},
        {true, false, true, 6, 90, ""},
        {false, true, true, 6, 100, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.insertMode ? "insert" : "overwrite") + (c.keepSize ? " keep size" : "") +
                     (c.selection ? " selection" : " cursor byte") + " answer " + std::to_string(c.answer));
        CommandView v(100);
        v.insertMode = c.insertMode;
        v.keepSize = c.keepSize;
        v.answer = c.answer;
        v.FillByte = 0xEE;
        v.PutCursor(c.selection ? 25 : 5);
        if (c.selection) v.Select(20, 29);
        v.DeleteCommand();
        EXPECT_EQ(v.doc.size, c.sizeAfter);
        if (*c.question) {
            ASSERT_EQ(v.messages.size(), 1u);
            EXPECT_EQ(v.messages[0], c.question);
        } else {
            EXPECT_TRUE(v.messages.empty());
        }
        const bool changed = c.answer == 6 || !*c.question;
        EXPECT_EQ(v.modified > 0, changed);
        if (!changed) {
            EXPECT_EQ(v.doc.data[5], 5);
            EXPECT_EQ(v.doc.data[20], 20);
            continue;
        }
        if (c.keepSize && c.selection) {
            for (int i = 20; i <= 29; ++i) EXPECT_EQ(v.doc.data[i], 0xEE);
            EXPECT_EQ(v.doc.data[30], 30);
        } else if (c.keepSize) {
            EXPECT_EQ(v.doc.data[5], 0xEE);
            EXPECT_EQ(v.CursorPosition(), 5);
        } else if (c.selection) {
            EXPECT_EQ(v.doc.data[20], 30);
            EXPECT_EQ(v.CursorPosition(), 20);
        } else {
            EXPECT_EQ(v.doc.data[5], 6);
            EXPECT_EQ(v.CursorPosition(), 5);
        }
        if (c.selection) {
            EXPECT_EQ(v.SelectionActive, 0);
        }
    }
}

TEST(EditCommands, DeleteOnTheEndOfFileCellDoesNothing) {
    CommandView v(10);
    v.PutCursor(10);
    v.DeleteCommand();
    EXPECT_EQ(v.doc.size, 10);
    EXPECT_TRUE(v.messages.empty());
    EXPECT_EQ(v.modified, 0);
}

TEST(EditCommands, InsertPutsFillBytesAtTheCursorInNumberMode) {
    CommandView v(10);
    v.FillByte = 32;
    v.PutCursor(4);
    v.Select(2, 6);
    v.replies.push_back({ValueKind::Decimal, 3});
    v.InsertBytesCommand();
    ASSERT_EQ(v.asked.size(), 1u);
    EXPECT_EQ(v.asked[0].Caption, "INSERT3DOT");
    EXPECT_EQ(v.asked[0].Question, "HOWMANYINSERT");
    EXPECT_FALSE(v.asked[0].AllowText);
    EXPECT_TRUE(v.asked[0].AnyNumber);
    EXPECT_EQ(v.asked[0].Text, "");
    EXPECT_EQ(v.asked[0].ItemIndex, 0);
    EXPECT_EQ(v.doc.size, 13);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(v.doc.data + 3), 5), std::string("\x03   \x04", 5));
    EXPECT_EQ(v.CursorPosition(), 4);
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(v.modified, 1);
    // Cancel: nothing, and the step it opened is empty.
    v.InsertBytesCommand();
    EXPECT_EQ(v.doc.size, 13);
    EXPECT_EQ(v.modified, 1);
    v.doc.undo();
    EXPECT_EQ(v.doc.size, 10);
}

TEST(EditCommands, SetFileSizeGrowsWithTheFillByteOrCutsBehindTheCursor) {
    CommandView v(1000);
    v.FillByte = 7;
    v.PutCursor(600);
    v.replies.push_back({ValueKind::Decimal, 1002});
    v.SetFileSizeCommand();
    EXPECT_EQ(v.asked[0].Question, "FILESIZEISSHORT 1000 bytes. ENTERNEWFILESIZE");
    EXPECT_EQ(v.asked[0].Caption, "MenuSetFileSize");
    EXPECT_EQ(v.doc.size, 1002);
    EXPECT_EQ(v.doc.data[1000], 7);
    EXPECT_EQ(v.doc.data[1001], 7);
    EXPECT_EQ(v.CursorPosition(), 600);
    v.replies.push_back({ValueKind::Hexadecimal, 0x100});
    v.SetFileSizeCommand();
    EXPECT_EQ(v.asked[1].Question, "FILESIZEISSHORT 1002 bytes. ENTERNEWFILESIZE");
    EXPECT_EQ(v.doc.size, 256);
    EXPECT_EQ(v.CursorPosition(), 256);
    v.replies.push_back({ValueKind::Decimal, 256});
    const int modifiedBefore = v.modified;
    v.SetFileSizeCommand();
    EXPECT_EQ(v.doc.size, 256);
    EXPECT_EQ(v.modified, modifiedBefore + 1);
    const int repaintsBefore = v.repaints;
    v.SetFileSizeCommand();  // cancelled: repainted all the same
    EXPECT_EQ(v.repaints, repaintsBefore + 1);
}

TEST(EditCommands, EndOfFileAtCursor) {
    struct Case {
        int32_t cursor;
        int firstByte;
        int answer;
        int32_t sizeAfter;
        const char* message;
    } cases[] = {
        {999, 0, 6, 1000, "Byte 999 ISLASTBYTEALREADY|MAKEEOF"},
        {999, 1, 6, 1000, "Byte 1000 ISLASTBYTEALREADY|MAKEEOF"},
        {10, 0, 6, 11, "DELETEALLAFTER 10?|MAKEEOF?"},
        {10, 1, 6, 11, "DELETEALLAFTER 11?|MAKEEOF?"},
        {10, 0, 7, 1000, "DELETEALLAFTER 10?|MAKEEOF?"},
        {0, 0, 6, 1, "DELETEALLAFTER 0?|MAKEEOF?"},
        // The end-of-file cell: nothing to cut behind it, nothing asked.
        {1000, 0, 6, 1000, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("cursor " + std::to_string(c.cursor) + " answer " + std::to_string(c.answer));
        CommandView v(1000);
        v.firstByte = c.firstByte;
        v.answer = c.answer;
        v.PutCursor(c.cursor);
        v.EndOfFileAtCursorCommand();
        EXPECT_EQ(v.doc.size, c.sizeAfter);
        if (*c.message) {
            ASSERT_EQ(v.messages.size(), 1u);
            EXPECT_EQ(v.messages[0], c.message);
        } else {
            EXPECT_TRUE(v.messages.empty());
        }
        EXPECT_EQ(v.modified, c.sizeAfter != 1000 ? 1 : 0);
    }
}

TEST(EditCommands, ExactLocationRefusesPositionsOutsideTheFileInTheKindsNumbers) {
    struct Case {
        ValueKind kind;
        int64_t value;
        int firstByte;
        const char* message;
    } cases[] = {
        {ValueKind::Hexadecimal, 0x3E9, 0, "MINIMUM: 0, MAXIMUM: 3E8. FILESIZEIS 3E8 bytes.|Tessaly"},
        {ValueKind::Decimal, 1001, 0, "MINIMUM: 0, MAXIMUM: 1000. FILESIZEIS 1000 bytes.|Tessaly"},
        {ValueKind::Binary, 1001, 0, "MINIMUM: 0, MAXIMUM: 1000. FILESIZEIS 1000 bytes.|Tessaly"},
        {ValueKind::Decimal, 0, 1, "MINIMUM: 1, MAXIMUM: 1001. FILESIZEIS 1000 bytes.|Tessaly"},
        {ValueKind::Hexadecimal, 0x3EA, 1, "MINIMUM: 1, MAXIMUM: 3E9. FILESIZEIS 3E8 bytes.|Tessaly"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CommandView v(1000);
        v.firstByte = c.firstByte;
        v.PutCursor(5);
        v.replies.push_back({c.kind, c.value});
        v.ExactLocationCommand();
        ASSERT_EQ(v.messages.size(), 1u);
        EXPECT_EQ(v.messages[0], c.message);
        EXPECT_EQ(v.CursorPosition(), 5);
        EXPECT_TRUE(v.asked[0].MoveCursor);
        EXPECT_FALSE(v.asked[0].KeepSelection);
        EXPECT_EQ(v.asked[0].Caption, "MenuExactLoc");
        EXPECT_EQ(v.asked[0].Question, "MOVECURSORTO");
    }
}

TEST(EditCommands, ExactLocationMovesAndSelectsFromTheAnchor) {
    struct Case {
        int firstByte;
        int64_t value;
        bool keep, selectedBefore;
        int32_t cursor;
        uint8_t selected;
        int32_t selStart, selEnd;
    } cases[] = {
        {0, 1000, false, false, 1000, 0, 0, 0},
        {1, 1001, false, false, 1000, 0, 0, 0},
        {1, 1, false, false, 0, 0, 0, 0},
        {0, 500, true, false, 500, 1, 5, 500},   // from the old cursor
        {0, 2, true, false, 2, 1, 2, 5},         // backwards: swapped
        {0, 1000, true, false, 1000, 1, 5, 999},  // never the end-of-file cell
        {0, 300, true, true, 300, 1, 40, 300},   // from the selection's anchor
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("to " + std::to_string(c.value) + (c.keep ? " selecting" : ""));
        CommandView v(1000);
        v.firstByte = c.firstByte;
        v.PutCursor(5);
        if (c.selectedBefore) v.Select(40, 60);
        v.replies.push_back({ValueKind::Decimal, c.value, c.keep});
        v.ExactLocationCommand();
        EXPECT_TRUE(v.messages.empty());
        EXPECT_EQ(v.CursorPosition(), c.cursor);
        EXPECT_EQ(v.SelectionActive, c.selected);
        if (c.selected) {
            EXPECT_EQ(v.SelStart, c.selStart);
            EXPECT_EQ(v.SelEnd, c.selEnd);
        }
    }
}

TEST(EditCommands, ExactLocationSelectingOnlyTheEndOfFileCellSelectsNothing) {
    CommandView v(10);
    v.PutCursor(10);
    v.replies.push_back({ValueKind::Decimal, 10, true});
    v.ExactLocationCommand();
    EXPECT_EQ(v.CursorPosition(), 10);
    EXPECT_EQ(v.SelectionActive, 0);
    CommandView empty(0);
    empty.replies.push_back({ValueKind::Decimal, 0, true});
    empty.ExactLocationCommand();
    EXPECT_EQ(empty.SelectionActive, 0);
}

TEST(EditCommands, FillCharacterAsksInCharacterModeWithTheCurrentValue) {
    CommandView v(4);
    v.FillByte = 32;
    v.replies.push_back({ValueKind::Text, 'A'});
    v.SetFillCharCommand();
    ASSERT_EQ(v.asked.size(), 1u);
    EXPECT_EQ(v.asked[0].Text, "32");
    EXPECT_EQ(v.asked[0].ItemIndex, 1);
    EXPECT_TRUE(v.asked[0].AllowText);
    EXPECT_FALSE(v.asked[0].AnyNumber);
    EXPECT_EQ(v.asked[0].Caption, "FILLCHARCAP");
    EXPECT_EQ(v.asked[0].Question, "FILLCHARSTR");
    EXPECT_EQ(v.FillByte, 'A');
    v.SetFillCharCommand();  // cancelled
    EXPECT_EQ(v.FillByte, 'A');
}

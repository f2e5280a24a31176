#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/main/ClipboardCommands.h"
#include "editor/main/tests/FakeEditorView.h"
#include "framework/Exceptions.h"

namespace {
using ByteList = std::vector<uint8_t>;

class ClipboardCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { LoadEnglishPackFromSources(); }
    void Load(const ByteList& bytes) {
        SetBytes(doc, bytes);
        doc.clearUndo();
    }
    std::string Text() { return clipboard.Formats.count(1) ? clipboard.Formats[1] : "<none>"; }

    TDataFile doc;
    FakeEditorView view{doc};
    FakeClipboard clipboard;
    TClipboardCommands commands{doc, view, clipboard};
};
}  // namespace

TEST_F(ClipboardCommandsTest, CopyPutsBothFormats) {
    Load({0x41, 0x00, 0x42, 0x43});
    view.Select(0, 2);
    commands.Copy();
    EXPECT_EQ(clipboard.Formats[129], "410042");
    EXPECT_EQ(clipboard.Formats[1], "A");
    view.View = ByteViewKind::Decimal;
    commands.Copy();
    EXPECT_EQ(clipboard.Formats[1], "65 0 66");
    view.View = ByteViewKind::Hexadecimal;
    commands.Copy();
    EXPECT_EQ(clipboard.Formats[1], "41 00 42");

    // Pasted back over a document of other bytes: all three, from format 129.
    Load({9, 9, 9, 9});
    view.Selected = false;
    view.Cursor = 0;
    commands.Paste();
    EXPECT_EQ(Bytes(doc), (ByteList{0x41, 0x00, 0x42, 9}));
    EXPECT_EQ(view.Cursor, 3);
    EXPECT_TRUE(view.Modified);
    EXPECT_TRUE(view.Questions.empty());
}

TEST_F(ClipboardCommandsTest, CopyWithoutSelectionAtTheEndDoesNothing) {
    Load({1, 2});
    view.Cursor = 2;
    commands.Copy();
    commands.CopyNumbers(NumberForm::Decimal);
    commands.CopyDump(true);
    EXPECT_EQ(clipboard.Puts, 0);
    view.Cursor = 1;
    commands.Copy();
    EXPECT_EQ(clipboard.Formats[129], "02");
}

TEST_F(ClipboardCommandsTest, PasteThatGrowsAsks) {
    Load(ByteList(10, 0));
    clipboard.Formats[129] = "0102030405060708090A";
    view.Cursor = 6;
    view.AnswerYes = false;
    commands.Paste();
    ASSERT_EQ(view.Questions.size(), 1u);
    EXPECT_EQ(view.Questions[0], "6 bytes must be added for the paste to fit. Continue?");
    EXPECT_EQ(doc.size, 10);
    EXPECT_EQ(Bytes(doc), ByteList(10, 0));
    EXPECT_FALSE(view.Modified);

    view.AnswerYes = true;
    commands.Paste();
    EXPECT_EQ(doc.size, 16);
    EXPECT_EQ(Bytes(doc), (ByteList{0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(view.Cursor, 16);
    doc.undo();  // one step, the refused attempt's empty step skipped
    EXPECT_EQ(Bytes(doc), ByteList(10, 0));
}

TEST_F(ClipboardCommandsTest, OneByteMoreAndKeepFileSize) {
    Load({1, 2, 3});
    clipboard.Formats[129] = "AABB";
    view.Cursor = 2;
    commands.Paste();
    EXPECT_EQ(view.Questions.back(), "1 byte must be added for the paste to fit. Continue?");
    EXPECT_EQ(Bytes(doc), (ByteList{1, 2, 0xAA, 0xBB}));

    Load({1, 2, 3});
    view.KeepSize = true;
    view.Cursor = 2;
    commands.Paste();
    EXPECT_EQ(view.LastMessage(), "The paste doesn't fit. The file size is protected. See the Options menu.");
    EXPECT_EQ(Bytes(doc), (ByteList{1, 2, 3}));
}

TEST_F(ClipboardCommandsTest, PasteAtTheEndAsksForAllBytes) {
    Load({1});
    clipboard.Formats[129] = "AABB";
    view.Cursor = 1;
    commands.Paste();
    EXPECT_EQ(view.Questions.back(), "2 bytes must be added for the paste to fit. Continue?");
    EXPECT_EQ(Bytes(doc), (ByteList{1, 0xAA, 0xBB}));
}

TEST_F(ClipboardCommandsTest, DamagedByteFormatChangesNothing) {
    Load({1, 2, 3});
    clipboard.Formats[129] = "4G";
    clipboard.Formats[1] = "xyz";
    view.Cursor = 0;
    try {
        commands.Paste();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "That is not a hexadecimal number.");
    }
    EXPECT_EQ(Bytes(doc), (ByteList{1, 2, 3}));
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(ClipboardCommandsTest, PlainTextPasteAndInsertMode) {
    Load({1, 2, 3});
    clipboard.Formats[1] = "AB";
    view.Insert = true;
    view.Cursor = 1;
    view.Select(0, 1);
    commands.Paste();
    EXPECT_EQ(Bytes(doc), (ByteList{1, 'A', 'B', 2, 3}));
    EXPECT_EQ(view.Cursor, 3);
    EXPECT_FALSE(view.Selected);
    EXPECT_TRUE(view.Questions.empty());

    clipboard.Formats.clear();
    commands.Paste();  // nothing on the clipboard: nothing happens
    EXPECT_EQ(doc.size, 5);
}

TEST_F(ClipboardCommandsTest, Cut) {
    Load({0x41, 0x42, 0x43});
    view.Cursor = 1;
    view.AnswerYes = false;
    commands.Cut();
    EXPECT_EQ(view.Questions.back(), "Remove 1 byte and place it on the clipboard?");
    EXPECT_EQ(doc.size, 3);
    EXPECT_EQ(clipboard.Puts, 0);

    view.AnswerYes = true;
    commands.Cut();
    EXPECT_EQ(Bytes(doc), (ByteList{0x41, 0x43}));
    EXPECT_EQ(clipboard.Formats[129], "42");
    EXPECT_EQ(clipboard.Formats[1], "B");

    // A selection in Insert Mode: no question; always the Text rendering.
    Load({0x41, 0x00, 0x42, 0x43});
    view.Questions.clear();
    view.Insert = true;
    view.View = ByteViewKind::Decimal;
    view.Cursor = 3;
    view.Select(0, 2);
    commands.Cut();
    EXPECT_TRUE(view.Questions.empty());
    EXPECT_EQ(Bytes(doc), (ByteList{0x43}));
    EXPECT_EQ(clipboard.Formats[129], "410042");
    EXPECT_EQ(clipboard.Formats[1], "A");
    EXPECT_EQ(view.Cursor, 0);
    EXPECT_FALSE(view.Selected);

    view.Insert = false;
    Load({1, 2, 3, 4});
    view.Select(0, 2);
    commands.Cut();
    EXPECT_EQ(view.Questions.back(), "Remove 3 bytes and place them on the clipboard?");
}

TEST_F(ClipboardCommandsTest, ExportsOfTheSelection) {
    Load({1, 2, 3, 4, 5});
    view.Select(0, 4);
    commands.NumbersPerLine = 4;
    commands.CopyNumbers(NumberForm::Hexadecimal);
    EXPECT_EQ(Text(), "01 02 03 04\r\n05");
    EXPECT_EQ(clipboard.Formats.count(129), 0u);
    commands.NumbersPerLine = 0;
    commands.CopyNumbers(NumberForm::Decimal);
    EXPECT_EQ(Text(), "1 2 3 4 5");
    view.Selected = false;
    view.Cursor = 4;
    commands.CopyNumbers(NumberForm::Binary);
    EXPECT_EQ(Text(), "00000101");
    commands.CopyPosition(true);
    EXPECT_EQ(Text(), "4");

    Load({0x41, 0x00, 0x09});
    view.Select(0, 2);
    commands.CopyAdaptedText();
    EXPECT_EQ(Text(), "A.\t");
    commands.ReplaceValue = 32;
    commands.CopyAdaptedText();
    EXPECT_EQ(Text(), "A \t");
}

TEST_F(ClipboardCommandsTest, TypedValues) {
    Load({0x80, 0xFF, 0x7F, 0x00, 0x00, 0x00});
    view.Select(0, 2);
    commands.CopyTypedValues(TypedKind::Int8);
    EXPECT_EQ(Text(), "-128 -1 127");
    view.Selected = false;
    view.Cursor = 0;
    commands.CopyTypedValues(TypedKind::Int8);  // the cursor byte, unsigned
    EXPECT_EQ(Text(), "128");

    const int putsBefore = clipboard.Puts;
    view.Select(0, 5);
    commands.CopyTypedValues(TypedKind::UInt32);
    EXPECT_EQ(view.LastMessage(), "Make a selection with a size that is divisible by four. The selection size is 6 bytes.");
    EXPECT_EQ(view.LastCaption(), "Tessaly");
    view.Select(0, 0);
    commands.CopyTypedValues(TypedKind::Int16);
    EXPECT_EQ(view.LastMessage(), "Make a selection with a size that is divisible by two. The selection size is 1 byte.");
    view.Selected = false;
    commands.CopyTypedValues(TypedKind::Float64);
    EXPECT_EQ(view.LastMessage(), "Make a selection with a size that is divisible by eight.");
    EXPECT_EQ(clipboard.Puts, putsBefore);
    EXPECT_EQ(Text(), "128");

    view.Select(0, 3);
    commands.CopyTypedValues(TypedKind::Int16);
    EXPECT_EQ(Text(), "-128 127");
}

TEST_F(ClipboardCommandsTest, ImportsFromTheClipboard) {
    Load({9, 9, 9, 9});
    view.Cursor = 0;
    clipboard.Formats[1] = "1 2\r\n3";
    commands.ImportFromClipboard(NumberKind::Int8Unsigned);
    EXPECT_EQ(Bytes(doc), (ByteList{1, 2, 3, 9}));
    EXPECT_EQ(view.Cursor, 3);

    const size_t undoEntries = doc.undoList.size();
    clipboard.Formats[1] = "256";
    commands.ImportFromClipboard(NumberKind::Int8Unsigned);
    EXPECT_EQ(view.LastMessage(), "That is not correct. Use 8 bits unsigned integers. Range: 0 to 255");
    EXPECT_EQ(view.LastCaption(), "Tessaly");
    EXPECT_EQ(Bytes(doc), (ByteList{1, 2, 3, 9}));
    EXPECT_EQ(doc.undoList.size(), undoEntries);  // not even an empty step

    clipboard.Formats[1] = "1E39";
    commands.ImportFromClipboard(NumberKind::Float32);
    EXPECT_EQ(view.LastMessage(),
              "That is not correct. Use 32 bits floats. Range: 0 to 3.4E+38 (e.g. 5000 = 5E+3).");

    view.Insert = true;
    view.Cursor = 0;
    clipboard.Formats[1] = "A B C";
    commands.ImportFromClipboard(NumberKind::Hexadecimal);
    EXPECT_EQ(Bytes(doc), (ByteList{0x0A, 0x0B, 0x0C, 1, 2, 3, 9}));

    clipboard.Formats.clear();
    commands.ImportFromClipboard(NumberKind::Hexadecimal);  // no text: nothing
    EXPECT_EQ(doc.size, 7);
}

TEST_F(ClipboardCommandsTest, ImportsFromAFile) {
    Load({});
    view.Cursor = 0;
    const std::string file("41 42\0 43", 9);
    commands.ImportFromFile(NumberKind::Hexadecimal, TextUpToFirstZero(file));
    EXPECT_EQ(Bytes(doc), (ByteList{0x41, 0x42}));
    EXPECT_EQ(view.Questions.back(), "2 bytes must be added for the paste to fit. Continue?");

    commands.ImportFromFile(NumberKind::Hexadecimal, "1 23 456");
    EXPECT_EQ(view.LastMessage(), "That is not correct.");
    commands.ImportFromFile(NumberKind::Int8Signed, "200");
    EXPECT_EQ(view.LastMessage(), "That is not correct. Use 8 bits signed integers. Range: -128 to 127");
}

TEST_F(ClipboardCommandsTest, LargeCopyAndPasteRoundTrip) {
    ByteList bytes(1 << 20);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    Load(bytes);
    view.Select(0, doc.size - 1);
    commands.Copy();
    ASSERT_EQ(clipboard.Formats[129].size(), 2u << 20);
    Load(ByteList(1 << 20, 0));
    view.Selected = false;
    view.Cursor = 0;
    commands.Paste();
    EXPECT_EQ(Bytes(doc), bytes);
}

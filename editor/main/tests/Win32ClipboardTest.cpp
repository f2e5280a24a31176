#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "editor/main/ClipboardCommands.h"
#include "editor/main/Win32Clipboard.h"
#include "editor/main/tests/FakeEditorView.h"

namespace {
// What the system clipboard holds in a format, read with the plain calls.
bool SystemText(UINT format, std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

void PutSystemText(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

class Win32ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { LoadEnglishPackFromSources(); }
    TDataFile doc;
    FakeEditorView view{doc};
    TWin32Clipboard clipboard{nullptr};
    TClipboardCommands commands{doc, view, clipboard};
};
}  // namespace

TEST_F(Win32ClipboardTest, CopyPutsTheByteFormatBesideText) {
    SetBytes(doc, {0x41, 0x00, 0x42});
    view.Select(0, 2);
    commands.Copy();
    std::string bytes, text;
    ASSERT_TRUE(SystemText(129, bytes));
    ASSERT_TRUE(SystemText(CF_TEXT, text));
    EXPECT_EQ(bytes, "410042");
    EXPECT_EQ(text, "A");

    SetBytes(doc, {9, 9, 9, 9});
    view.Selected = false;
    view.Cursor = 0;
    commands.Paste();
    EXPECT_EQ(Bytes(doc), (std::vector<uint8_t>{0x41, 0x00, 0x42, 9}));
    EXPECT_EQ(view.Cursor, 3);
}

TEST_F(Win32ClipboardTest, PlainTextOfAnotherProgram) {
    PutSystemText("xyz");
    std::string text;
    EXPECT_FALSE(clipboard.Get(129, text));
    ASSERT_TRUE(clipboard.Get(CF_TEXT, text));
    EXPECT_EQ(text, "xyz");
    SetBytes(doc, {1, 2, 3, 4});
    view.Cursor = 1;
    commands.Paste();
    EXPECT_EQ(Bytes(doc), (std::vector<uint8_t>{1, 'x', 'y', 'z'}));

    PutSystemText("1 2\r\n3");
    view.Cursor = 0;
    commands.ImportFromClipboard(NumberKind::Int8Unsigned);
    EXPECT_EQ(Bytes(doc), (std::vector<uint8_t>{1, 2, 3, 'z'}));
}

TEST_F(Win32ClipboardTest, ExportsReplaceTheWholeClipboard) {
    SetBytes(doc, {1, 2, 3, 4, 5});
    view.Select(0, 4);
    commands.Copy();
    commands.NumbersPerLine = 4;
    commands.CopyNumbers(NumberForm::Hexadecimal);
    std::string text, bytes;
    ASSERT_TRUE(SystemText(CF_TEXT, text));
    EXPECT_EQ(text, "01 02 03 04\r\n05");
    EXPECT_FALSE(SystemText(129, bytes));
}

TEST(Win32ClipboardMemory, TextFromGlobalStaysInsideTheBlock) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(memory), "ABCD", 4);  // no terminating zero
    GlobalUnlock(memory);
    const std::string text = TextFromGlobal(memory);
    EXPECT_EQ(text.substr(0, 4), "ABCD");
    EXPECT_LE(text.size(), GlobalSize(memory));
    GlobalFree(memory);

    HGLOBAL cut = TextToGlobal(std::string("AB\0CD", 5));
    EXPECT_EQ(TextFromGlobal(cut), "AB");
    GlobalFree(cut);
}

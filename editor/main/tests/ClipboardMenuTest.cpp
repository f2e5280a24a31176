// The clipboard items of the Edit and Extra menus and their shortcuts in a
// real main window, against the real clipboard: each item reaches its
// command, the numbers-per-line items act as one group, items that share a
// handler are told apart, and Data Types from File reads the file the real
// open dialog chose.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/dialogs/GetGetalForm.h"
#include "editor/dialogs/MoveForm.h"
#include "editor/dialogs/ReplaceForm.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/tests/BoxAnswers.h"
#include "editor/main/tests/MainWindowTesting.h"
#include "editor/main/tests/SystemDialogs.h"
#include "editor/main/tests/ValueDialogPlayer.h"
#include "editor/unicode/UvxSysUtils.h"
#include "framework/Application.h"
#include "framework/testing/FileDialogAnswer.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;
using guitest::FileDialogAnswer;

namespace {

const std::u16string kFile = u"C:\\data\\clip.bin";

std::string ClipText(UINT format) {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<no clipboard>";
    if (HANDLE data = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    } else {
        text = "<none>";
    }
    CloseClipboard();
    return text;
}

void PutClip(const std::string& text, UINT format = CF_TEXT) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
    CloseClipboard();
}

class ClipboardMenuTest : public mainwindowtest::FakeFilesTest {
protected:
    void SetUp() override {
        FakeFilesTest::SetUp();
        GetGetalForm = new TGetGetalForm(nullptr);
        player.Attach(GetGetalForm);
    }
    void TearDown() override {
        form.reset();
        delete GetGetalForm;
        FakeFilesTest::TearDown();
    }
    TMainForm& Start(const std::vector<uint8_t>& bytes) {
        io.files[kFile] = bytes;
        mainwindowtest::StartWithFile(kFile);
        form = std::make_unique<TMainForm>(nullptr);
        form->StartProgram = [](const std::string&, const std::string&) {};
        mainwindowtest::ShowAtTopLeft(*form);
        return *form;
    }
    HWND View() { return form->ByteView->Handle(); }
    void Command(TMenuItem* item) { mainwindowtest::MenuCommand(*form, item); }
    void ShortcutKey(WORD vk, TShiftState shift) {
        guitest::ShortcutKey(form->Handle(), View(), vk, shift);
        guitest::PumpUntilIdle(5);
    }
    void Select(int32_t first, int32_t last) {
        form->GotoPosition(first);
        form->SelectionActive = 1;
        form->SelStart = first;
        form->SelEnd = last;
        form->SelAnchor = first;
    }
    std::vector<uint8_t> Bytes() { return std::vector<uint8_t>(DataFile.data, DataFile.data + DataFile.size); }

    Answerer answers;
    valuedialog::Player player;
};

}  // namespace

TEST_F(ClipboardMenuTest, CopyCutAndPasteByShortcutAndMenu) {
    TMainForm& f = Start({0x41, 0x00, 0x42, 0x43, 0x44});
    struct Copy {
        int view;
        WORD key;
        TShiftState shift;
        const char* text;
    } copies[] = {
        {ViewText, 'C', ssCtrl, "A"},
        {ViewDecimal, VK_INSERT, ssCtrl, "65 0 66"},
        {ViewHexadecimal, 'C', ssCtrl, "41 00 42"},
    };
    for (const Copy& c : copies) {
        SCOPED_TRACE(c.text);
        PutClip("old");
        f.ActiveView = c.view;
        Select(0, 2);
        ShortcutKey(c.key, c.shift);
        EXPECT_EQ(ClipText(129), "410042");
        EXPECT_EQ(ClipText(CF_TEXT), c.text);
    }
    // Pasting over at 3 writes the three bytes and grows by one after Yes.
    f.SelectionActive = 0;
    f.GotoPosition(3);
    answers.plan = {Click1};
    ShortcutKey('V', ssCtrl);
    EXPECT_EQ(answers.shown.back().text, "1 byte must be added for the paste to fit. Continue?");
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{0x41, 0x00, 0x42, 0x41, 0x00, 0x42}));
    EXPECT_EQ(f.CursorPosition(), 6);
    f.GotoPosition(0);
    PutClip("xy");
    ShortcutKey(VK_INSERT, ssShift);
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{'x', 'y', 0x42, 0x41, 0x00, 0x42}));
    // Cut asks in overwrite mode, then takes the bytes away.
    Select(1, 2);
    answers.plan = {Click1};
    ShortcutKey('X', ssCtrl);
    EXPECT_EQ(answers.shown.back().text, "Remove 2 bytes and place them on the clipboard?");
    EXPECT_EQ(ClipText(129), "7942");
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{'x', 0x41, 0x00, 0x42}));
    // From the menu, in Insert Mode: inserted at the cursor, nothing asked.
    Command(f.InsertwhenTyping);
    f.GotoPosition(0);
    const size_t boxes = answers.shown.size();
    Command(f.Paste1);
    EXPECT_EQ(answers.shown.size(), boxes);
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{'y', 0x42, 'x', 0x41, 0x00, 0x42}));
}

TEST_F(ClipboardMenuTest, EveryExportItemPutsItsText) {
    TMainForm& f = Start({0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0xFF, 0xFF, 0x05, 0x00, 0x09, 0x41});
    // One byte 41 at 11 without offsets: 67 characters, the letter in
    // column 11 and its pair at 18 + 3 x 11.
    std::string dumpLine(67, ' ');
    dumpLine[11] = 'A';
    dumpLine[51] = '4';
    dumpLine[52] = '1';
    dumpLine[65] = '\r';
    dumpLine[66] = '\n';
    struct Export {
        TMenuItem* perLine;
        TMenuItem* item;
        int32_t first, last;
        const char* text;
    } exports[] = {
        {f.NumLine4, f.HexadCopy, 0, 4, "01 00 02 00\r\n03"},
        {f.NoEntersNumLine, f.DecimalCopy, 0, 4, "1 0 2 0 3"},
        {f.NumLine8, f.BinaryCopy, 10, 10, "00001001"},
        {f.NumLine4, f.N16bitsunsigned1, 0, 9, "1 2 3 65535\r\n5"},
        {f.NumLine4, f.N16bitssigned1, 6, 7, "-1"},
        {f.NumLine4, f.N32bitsunsigned1, 4, 7, "4294901763"},
        {f.NumLine4, f.N32bitsunsigned2, 4, 7, "-65533"},
        {f.NumLine4, f.N8bitssigned1, 6, 8, "-1 -1 5"},
        {f.NumLine4, f.N8bitsunsigned1, 6, 8, "255 255 5"},
        {f.NumLine4, f.AdaptedTexttoClipboard, 9, 11, ".\tA"},
        {f.NumLine4, f.DumptoClipboard1, 11, 11, dumpLine.c_str()},
    };
    for (const Export& e : exports) {
        SCOPED_TRACE(e.text);
        PutClip("old");
        Command(e.perLine);
        EXPECT_TRUE(e.perLine->Checked());
        for (TMenuItem* other : {f.NoEntersNumLine, f.NumLine4, f.NumLine8, f.NumLine16}) {
            if (other != e.perLine) {
                EXPECT_FALSE(other->Checked());
            }
        }
        Select(e.first, e.last);
        Command(e.item);
        EXPECT_EQ(ClipText(CF_TEXT), e.text);
    }
    // A typed export that does not fit the selection says so and copies nothing.
    PutClip("old");
    Select(0, 5);
    Command(f.N32bitsfloat1);
    EXPECT_EQ(answers.shown.back().text,
              "Make a selection with a size that is divisible by four. The selection size is 6 bytes.");
    EXPECT_EQ(ClipText(CF_TEXT), "old");
    // The replace value of adapted text, set to a space and to another value.
    Select(9, 11);
    Command(f.CopyTextUseSpace);
    Command(f.AdaptedTexttoClipboard);
    EXPECT_EQ(ClipText(CF_TEXT), " \tA");
    player.steps = {valuedialog::Type("42"), valuedialog::ClickOk()};
    Command(f.CopyTextUseOtherValue);
    EXPECT_EQ(player.seen.back().caption, "Settings of Adapted Text to Clipboard");
    EXPECT_EQ(player.seen.back().text, "32");
    EXPECT_EQ(player.seen.back().kind, 1);
    Command(f.AdaptedTexttoClipboard);
    EXPECT_EQ(ClipText(CF_TEXT), "*\tA");
    Command(f.CopyTextUseDot);
    Command(f.DumptoClipboard2);
    // With offsets the column is 1 + 4 wide; the tab shows as the replace value.
    const std::string dump = ClipText(CF_TEXT);
    EXPECT_EQ(dump.size(), 72u);
    EXPECT_EQ(dump.substr(0, 5), "0x9  ");
    EXPECT_EQ(dump.substr(14, 3), "..A");
}

TEST_F(ClipboardMenuTest, EveryImportItemParsesItsKind) {
    TMainForm& f = Start(std::vector<uint8_t>(8, 0xEE));
    Command(f.InsertwhenTyping);  // inserts at the cursor: the new bytes stand at 0
    struct Import {
        TMenuItem* item;
        const char* text;
        std::vector<uint8_t> bytes;  // empty: refused with the message
        const char* message;
    } imports[] = {
        {f.DecimalNumbersfromClipboard1, "1 2\r\n3", {1, 2, 3}, ""},
        {f.HexadecimalNumbersfromClipboard1, "A B C", {0x0A, 0x0B, 0x0C}, ""},
        {f.BinaryNumbersfromClipboard1, "0000 0001 1111 1111", {0x01, 0xFF}, ""},
        {f.N8bitsunsignedFromClipboard, "256", {}, "That is not correct. Use 8 bits unsigned integers. Range: 0 to 255"},
        {f.N8bitssignedFromClipboard, "-1", {0xFF}, ""},
        {f.N16bitsunsignedFromClipboard, "-1", {}, "That is not correct. Use 16 bits unsigned integers. Range: 0 to 65535"},
        {f.N16bitssignedFromClipboard, "010", {0x0A, 0x00}, ""},
        {f.N32bitsunsignedFromClipboard, "4294967295", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {f.N32bitssignedFromClipboard, "2147483648", {},
         "That is not correct. Use 32 bits signed integers. Range -2147483648 to 2147483647"},
        {f.N32bitsfloatFromClipboard, "1.5", {0x00, 0x00, 0xC0, 0x3F}, ""},
        {f.N32bitsfloatFromClipboard, "1E39", {},
         "That is not correct. Use 32 bits floats. Range: 0 to 3.4E+38 (e.g. 5000 = 5E+3)."},
        {f.N64bitsFromClipboard, "1", {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, ""},
    };
    for (const Import& i : imports) {
        SCOPED_TRACE(i.text);
        PutClip(i.text);
        f.GotoPosition(0);
        const int32_t sizeBefore = DataFile.size;
        const size_t boxes = answers.shown.size();
        Command(i.item);
        if (i.bytes.empty()) {
            ASSERT_EQ(answers.shown.size(), boxes + 1);
            EXPECT_EQ(answers.shown.back().text, i.message);
            EXPECT_EQ(DataFile.size, sizeBefore);
        } else {
            EXPECT_EQ(answers.shown.size(), boxes);
            ASSERT_EQ(DataFile.size, sizeBefore + static_cast<int32_t>(i.bytes.size()));
            EXPECT_EQ(std::vector<uint8_t>(DataFile.data, DataFile.data + i.bytes.size()), i.bytes);
            EXPECT_EQ(f.CursorPosition(), static_cast<int32_t>(i.bytes.size()));
        }
    }
}

TEST_F(ClipboardMenuTest, DataTypesFromFileReadsTheChosenFileUpToItsFirstZero) {
    TMainForm& f = Start(std::vector<uint8_t>(4, 0xEE));
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"tq_import_numbers.txt";
    {
        // "1 2", a zero byte, then " 300": only "1 2" counts.
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written;
        WriteFile(h, "1 2\0 300", 8, &written, nullptr);
        CloseHandle(h);
    }
    f.GotoPosition(0);
    FileDialogAnswer::Plan(std::u16string(path.begin(), path.end()));
    Command(f.N16bitsunsignedFile);
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{1, 0, 2, 0}));
    // Hexadecimal from a file: refused without advice.
    {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(h, "1 23 456", 8, &written, nullptr);
        CloseHandle(h);
    }
    FileDialogAnswer::Plan(std::u16string(path.begin(), path.end()));
    Command(f.HexadecimalFile);
    EXPECT_EQ(answers.shown.back().text, "That is not correct.");
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{1, 0, 2, 0}));
    // Cancelled: nothing, and no message.
    const size_t boxes = answers.shown.size();
    FileDialogAnswer::Plan(u"");
    Command(f.N8bitsunsignedFile);
    EXPECT_EQ(answers.shown.size(), boxes);
    DeleteFileW(path.c_str());
}

// Data Types from File asks for the file through the editor's open dialog:
// the file type "All files (*.*)", and the 8-bit dialog where the system has
// no wide calls.
TEST_F(ClipboardMenuTest, DataTypesFromFileAsksThroughTheEditorsOpenDialog) {
    TMainForm& f = Start(std::vector<uint8_t>(2, 0xEE));
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"tq_import_dialog.txt";
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "7 8", 3, &written, nullptr);
    CloseHandle(h);
    for (bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "wide" : "8-bit");
        Win32PlatformIsUnicode = wide;
        sysdialogs::Driver dialogs;
        dialogs.plan = {{sysdialogs::ChooseFile, U16(path.c_str())}};
        f.GotoPosition(0);
        Command(f.N8bitsunsignedFile);
        Win32PlatformIsUnicode = true;
        ASSERT_EQ(dialogs.seen.size(), 1u);
        EXPECT_EQ(dialogs.seen[0].filter, u"All files (*.*)");
        EXPECT_EQ(dialogs.seen[0].unicode, wide);
        EXPECT_EQ(Bytes(), (std::vector<uint8_t>{7, 8}));
        DataFile.fill(0, 2, 0xEE);
    }
    DeleteFileW(path.c_str());
}

namespace {
bool replaceShown = false;
// Leaves the replace window as soon as it shows.
void CALLBACK CloseReplaceWindow(HWND, UINT, UINT_PTR id, DWORD) {
    if (!ReplaceForm || !ReplaceForm->HandleAllocated() || !IsWindowVisible(ReplaceForm->Handle())) return;
    KillTimer(nullptr, id);
    replaceShown = true;
    ReplaceForm->ModalResult = mrCancel;
}
}  // namespace

// Ctrl+H in the byte view opens the replace window.
TEST_F(ClipboardMenuTest, CtrlHOpensTheReplaceWindow) {
    Start({0x41, 0x42});
    replaceShown = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseReplaceWindow);
    ShortcutKey('H', ssCtrl);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(replaceShown);
}

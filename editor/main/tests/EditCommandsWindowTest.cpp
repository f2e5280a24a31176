// The Edit, Find and Options commands and the value input dialog in a real
// main window: reached by their menu command ids and shortcuts, answered in
// the real dialog by typing, choosing a kind and pressing its buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/dialogs/GetGetalForm.h"
#include "editor/dialogs/MoveForm.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/tests/BoxAnswers.h"
#include "editor/main/tests/MainWindowTesting.h"
#include "editor/main/tests/ValueDialogPlayer.h"
#include "framework/Application.h"
#include "framework/ButtonCtrls.h"
#include "framework/ComboBox.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;
using namespace valuedialog;

namespace {

const std::u16string kFile = u"C:\\data\\commands.bin";

class EditCommandsWindowTest : public mainwindowtest::FakeFilesTest {
protected:
    void SetUp() override {
        FakeFilesTest::SetUp();
        GetGetalForm = new TGetGetalForm(nullptr);
        MoveForm = new TMoveForm(nullptr);
        player.Attach(GetGetalForm);
        player.Attach(MoveForm);
    }
    void TearDown() override {
        form.reset();
        delete GetGetalForm;
        delete MoveForm;
        FakeFilesTest::TearDown();
    }
    TMainForm& Start(size_t size) {
        std::vector<uint8_t> bytes(size);
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i);
        io.files[kFile] = bytes;
        mainwindowtest::StartWithFile(kFile);
        form = std::make_unique<TMainForm>(nullptr);
        form->StartProgram = [this](const std::string&, const std::string& parameter) { helpStarts.push_back(parameter); };
        mainwindowtest::ShowAtTopLeft(*form);
        return *form;
    }
    HWND View() { return form->ByteView->Handle(); }
    void Command(TMenuItem* item) { mainwindowtest::MenuCommand(*form, item); }
    void ShortcutKey(WORD vk, TShiftState shift = 0) {
        guitest::ShortcutKey(form->Handle(), View(), vk, shift);
        guitest::PumpUntilIdle(5);
    }
    std::string LastBox() { return answers.shown.empty() ? std::string() : answers.shown.back().text; }

    Answerer answers;
    Player player;
    std::vector<std::string> helpStarts;
};

}  // namespace

// Each row is one showing: the fill character (Text, Decimal, Hexadecimal,
// Binary; 0..255) or Insert a Number of Bytes (Decimal, Hexadecimal,
// Binary; any number of 0 or more).
TEST_F(EditCommandsWindowTest, TheValueDialogRefusesWithTheMessageAndStaysOpen) {
    struct Case {
        bool fill;
        int kind;
        const char* text;
        const char* refusal;  // "" when accepted
        int64_t value;        // the fill byte, or the number of bytes inserted
    } cases[] = {
        {true, 0, "", "Enter one character", 0},
        {true, 0, "ab", "Enter one character", 0},
        {true, 0, "7", "", '7'},
        {true, 1, "256", "The value range is 0 to 255.", 0},
        {true, 2, "100", "The value range is 00 to FF.", 0},
        {true, 2, "FF", "", 255},
        {true, 2, "G1", "That is not a valid value.", 0},
        {true, 2, "", "", 0},
        {true, 3, "111111111", "The value range is 00000000 to 11111111.", 0},
        {true, 3, "1000001", "", 65},
        {false, 0, "256", "", 256},
        {false, 0, "-1", "Enter a positive number.", 0},
        {false, 0, "12x", "That is not a valid value.", 0},
        {false, 0, "", "That is not a valid value.", 0},
        {false, 1, "FFFFFFFF", "Enter a positive number.", 0},
        {false, 1, "100000000", "That is not a valid value.", 0},
        {false, 1, "1F", "", 31},
        {false, 2, "101", "", 5},
    };
    TMainForm& f = Start(16);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fill ? "fill " : "insert ") + std::to_string(c.kind) + " '" + c.text + "'");
        f.FillByte = 1;
        const int32_t sizeBefore = DataFile.size;
        const size_t boxesBefore = answers.shown.size();
        player.steps = {Kind(c.kind), Type(c.text), ClickOk()};
        Command(c.fill ? f.SetFillChar : f.Insert1);
        if (*c.refusal) {
            ASSERT_EQ(answers.shown.size(), boxesBefore + 1);
            EXPECT_EQ(LastBox(), c.refusal);
            EXPECT_EQ(answers.shown.back().caption, "Tessaly");
            EXPECT_EQ(answers.shown.back().b1, "Ok");
            EXPECT_EQ(f.FillByte, 1);
            EXPECT_EQ(DataFile.size, sizeBefore);
        } else {
            EXPECT_EQ(answers.shown.size(), boxesBefore);
            if (c.fill) {
                EXPECT_EQ(f.FillByte, c.value);
            } else {
                EXPECT_EQ(DataFile.size, sizeBefore + c.value);
            }
        }
    }
}

TEST_F(EditCommandsWindowTest, TheDialogIsPreparedForEachCaller) {
    TMainForm& f = Start(1000);
    f.FillByte = 32;
    player.steps = {};
    Command(f.SetFillChar);
    Command(f.Insert1);
    Command(f.SetFileSize1);
    ShortcutKey(VK_F4);
    ASSERT_EQ(player.seen.size(), 4u);
    const std::vector<std::string> withText = {"Text", "Decimal", "Hexadecimal", "Binary"};
    const std::vector<std::string> numbers = {"Decimal", "Hexadecimal", "Binary"};
    EXPECT_EQ(player.seen[0].caption, "Set Fill Character...");
    EXPECT_EQ(player.seen[0].question,
              "Used when inserting new bytes, or when Del is pressed in the \"Keep File Size at...\" mode.");
    EXPECT_EQ(player.seen[0].kinds, withText);
    EXPECT_EQ(player.seen[0].kind, 1);
    EXPECT_EQ(player.seen[0].text, "32");
    EXPECT_EQ(player.seen[1].caption, "Insert...");
    EXPECT_EQ(player.seen[1].question, "How many bytes do you want to insert?");
    EXPECT_EQ(player.seen[1].kinds, numbers);
    EXPECT_EQ(player.seen[1].kind, 0);
    EXPECT_EQ(player.seen[1].text, "");
    EXPECT_EQ(player.seen[1].ok, "Ok");
    EXPECT_EQ(player.seen[1].cancel, "Cancel");
    EXPECT_EQ(player.seen[2].caption, "Set File Size...");
    EXPECT_EQ(player.seen[2].question, "The file size is 1000 bytes. Enter the new size here.");
    EXPECT_EQ(player.seen[3].caption, "Exact Location...");
    EXPECT_EQ(player.seen[3].question, "Enter the Exact Location:");
    EXPECT_EQ(player.seen[3].kinds, numbers);
    // Every one was left with Escape: nothing changed.
    EXPECT_EQ(DataFile.size, 1000);
    EXPECT_EQ(f.FillByte, 32);
    EXPECT_EQ(Modified, 0);
}

TEST_F(EditCommandsWindowTest, TypingAHexLetterSwitchesDecimalToHexadecimalOnly) {
    TMainForm& f = Start(4);
    struct Case {
        TMenuItem* item;
        int kind;
        const char* text;
        int kindAfter;
    } cases[] = {
        {f.Insert1, 0, "1F", 1},
        {f.Insert1, 0, "12", 0},
        {f.SetFillChar, 0, "A", 0},
        {f.SetFillChar, 1, "b", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int seenKind = -1;
        player.steps = {Kind(c.kind), Type(c.text), Do([&](TGetGetalForm& g) { seenKind = g.DataKind->ItemIndex(); }),
                        ClickCancel()};
        Command(c.item);
        EXPECT_EQ(seenKind, c.kindAfter);
    }
    EXPECT_EQ(DataFile.size, 4);
}

TEST_F(EditCommandsWindowTest, EnterInTheValueLineActsAsOkAndF1AsksForTheDialogsHelp) {
    TMainForm& f = Start(10);
    player.steps = {Key(VK_F1), Type("3"), Key(VK_RETURN)};
    Command(f.Insert1);
    EXPECT_EQ(DataFile.size, 13);
    player.steps = {Key(VK_F1)};
    ShortcutKey(VK_F4);
    EXPECT_EQ(helpStarts, (std::vector<std::string>{"100", "3"}));
}

TEST_F(EditCommandsWindowTest, SetFileSizeGrowsWithTheFillByteAndCuts) {
    TMainForm& f = Start(1000);
    f.FillByte = 0xAA;
    player.steps = {Type("1002"), ClickOk()};
    Command(f.SetFileSize1);
    ASSERT_EQ(DataFile.size, 1002);
    EXPECT_EQ(DataFile.data[1001], 0xAA);
    EXPECT_EQ(Modified, 1);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - " + kFile + u" *");
    f.GotoPosition(900);
    player.steps = {Kind(1), Type("64"), ClickOk()};
    Command(f.SetFileSize1);
    EXPECT_EQ(DataFile.size, 100);
    EXPECT_EQ(f.CursorPosition(), 100);
    Command(f.Undo1);
    EXPECT_EQ(DataFile.size, 1002);
}

TEST_F(EditCommandsWindowTest, ExactLocationRefusesOutsideTheFileAndSelectsToTheNewPosition) {
    TMainForm& f = Start(1000);
    player.steps = {Kind(1), Type("3E9"), ClickOk()};
    ShortcutKey(VK_F4);
    EXPECT_EQ(LastBox(), "Minimum: 0, Maximum: 3E8. The file size is 3E8 bytes.");
    player.steps = {Type("1001"), ClickOk()};
    ShortcutKey(VK_F4);
    EXPECT_EQ(LastBox(), "Minimum: 0, Maximum: 1000. The file size is 1000 bytes.");
    EXPECT_EQ(f.CursorPosition(), 0);
    player.steps = {Type("500"), ClickOk()};
    ShortcutKey(VK_F4);
    EXPECT_EQ(f.CursorPosition(), 500);
    EXPECT_EQ(f.SelectionActive, 0);
    player.steps = {Type("20"), Do([](TGetGetalForm&) { guitest::Click(MoveForm->KeepSelection->Handle(), 5, 5); }),
                    ClickOk()};
    ShortcutKey(VK_F4);
    EXPECT_EQ(f.CursorPosition(), 20);
    EXPECT_EQ(f.SelectionActive, 1);
    EXPECT_EQ(f.SelStart, 20);
    EXPECT_EQ(f.SelEnd, 500);
}

TEST_F(EditCommandsWindowTest, EndOfFileAtCursorAsksAndCuts) {
    TMainForm& f = Start(1000);
    f.GotoPosition(999);
    Command(f.EndofFile1);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(LastBox(), "Byte 999 is the last byte in the file already.");
    EXPECT_EQ(answers.shown.back().caption, "Make end of file");
    f.GotoPosition(10);
    answers.plan = {Click1};
    Command(f.EndofFile1);
    EXPECT_EQ(LastBox(), "Delete all bytes after byte 10?");
    EXPECT_EQ(answers.shown.back().caption, "Make end of file");
    EXPECT_EQ(DataFile.size, 11);
    // On the end-of-file cell, as Select All leaves the cursor: nothing asked.
    Command(f.SelectAll1);
    const size_t boxes = answers.shown.size();
    Command(f.EndofFile1);
    EXPECT_EQ(answers.shown.size(), boxes);
    EXPECT_EQ(DataFile.size, 11);
}

TEST_F(EditCommandsWindowTest, DeleteKeyAsksForASelectionAndFillCharacterItems) {
    TMainForm& f = Start(100);
    f.GotoPosition(20);
    f.SelectionActive = 1;
    f.SelStart = 20;
    f.SelEnd = 29;
    f.SelAnchor = 20;
    answers.plan = {Click1};
    ShortcutKey(VK_DELETE);
    EXPECT_EQ(LastBox(), "Delete 10 bytes and decrease the file size?");
    EXPECT_EQ(DataFile.size, 90);
    EXPECT_EQ(DataFile.data[20], 30);
    EXPECT_EQ(f.CursorPosition(), 20);
    // Keep File Size: the cursor byte becomes the fill character, no question.
    Command(f.tospace321);
    Command(f.Lock);
    const size_t boxes = answers.shown.size();
    ShortcutKey(VK_DELETE);
    EXPECT_EQ(answers.shown.size(), boxes);
    EXPECT_EQ(DataFile.size, 90);
    EXPECT_EQ(DataFile.data[20], 32);
    Command(f.tozero1);
    EXPECT_EQ(f.FillByte, 0);
}

TEST_F(EditCommandsWindowTest, TheByteViewKeepsArrowsTabAndCharacters) {
    Start(4);
    EXPECT_EQ(SendMessageA(View(), WM_GETDLGCODE, 0, 0), 131);
}

TEST_F(EditCommandsWindowTest, ScreenshotsOfTheValueDialogInEnglishAndDutch) {
    TMainForm& f = Start(1000);
    std::string english = guitest::ScreenshotPath("value_input_en");
    std::string dutch = guitest::ScreenshotPath("value_input_nl");
    std::string move = guitest::ScreenshotPath("move_cursor_nl");
    bool saved[3] = {};
    player.steps = {Type("41"), Do([&](TGetGetalForm& g) { saved[0] = guitest::SaveScreenshot(g.Handle(), english); })};
    Command(f.SetFillChar);
    Command(f.Nederlands1);
    player.steps = {Type("1F"), Do([&](TGetGetalForm& g) { saved[1] = guitest::SaveScreenshot(g.Handle(), dutch); })};
    Command(f.SetFillChar);
    EXPECT_EQ(player.seen.back().caption, "Opvulteken instellen...");
    EXPECT_EQ(player.seen.back().cancel, "Annuleren");
    EXPECT_EQ(player.seen.back().kinds, (std::vector<std::string>{"Tekst", "Decimaal", "Hexadecimaal", "Binair"}));
    player.steps = {Type("3E8"), Do([&](TGetGetalForm& g) { saved[2] = guitest::SaveScreenshot(g.Handle(), move); })};
    ShortcutKey(VK_F4);
    EXPECT_EQ(MoveForm->KeepSelection->Caption(), "Selecteren tot nieuwe positie");
    EXPECT_TRUE(saved[0]);
    EXPECT_TRUE(saved[1]);
    EXPECT_TRUE(saved[2]);
}

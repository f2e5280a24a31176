// The data types editor in a real main window: opened by F6, its cells
// edited by clicks, typing, Enter, Escape and the clipboard, its range moved
// by the scroll buttons and keys, checked through its cells, the document,
// the main window's undo, its messages and screenshots.
#include "editor/dialogs/tests/DialogWindowTestSupport.h"
#include "editor/main/Win32Clipboard.h"
#include "framework/Buttons.h"
#include "framework/StdCtrls.h"

using namespace boxanswers;
using namespace dialogtests;

namespace {

using DataTypesWindowTest = DialogWindowFixture;

void ClickCell(TStringGrid* grid, int col, int row) {
    const RECT r = grid->CellRect(col, row);
    guitest::Click(grid->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A cell clicked, a text typed into it, and Enter.
void TypeAndEnter(TStringGrid* grid, int col, int row, const std::string& text) {
    ClickCell(grid, col, row);
    TypeIntoCell(grid, text);
    HWND edit = grid->EditorHandle();
    ASSERT_NE(edit, nullptr) << "typing opens the cell's edit box";
    guitest::PressKey(edit, VK_RETURN);
    guitest::PumpUntilIdle();
}

void ClickButton(TWinControl* button) {
    guitest::Click(button->Handle(), 10, 10);
    guitest::PumpUntilIdle();
}

std::string Hex(const std::string& bytes) {
    std::string s;
    char b[4];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02X ", c);
        s += b;
    }
    return s;
}

TEST_F(DataTypesWindowTest, ShowsTheTypesAndWritesEditedCellsThroughF6) {
    const std::string original("\x00\x00\xC0\x3F\xFF\xFF" "ABCD", 10);
    Start(original);
    bool ran = false;
    WhileShown during(DataTypesView, [&] {
        ran = true;
        TDataTypesView& v = *DataTypesView;
        EXPECT_EQ(v.Caption(), "Data Types Editor");
        EXPECT_EQ(v.Range->Caption(), "Byte 0 to 9. Close to file end, some records are empty.");
        EXPECT_FALSE(v.RightScrollButton->Enabled());
        EXPECT_FALSE(v.LeftScrollButton->Enabled());
        EXPECT_EQ(form->SelectionActive, 1) << "the range shown is selected in the byte view";
        EXPECT_EQ(form->SelEnd, 9);
        struct Cell {
            TStringGrid* grid;
            int col, row;
            const char* text;
        };
        const Cell cells[] = {
            {v.StringGrid1, 2, 0, "C0"},         {v.StringGrid1, 2, 1, "192"},   {v.StringGrid1, 2, 2, "-64"},
            {v.StringGrid1, 10, 0, ""},          {v.StringGrid2, 2, 0, "65535"}, {v.StringGrid2, 2, 1, "-1"},
            {v.StringGrid3, 0, 0, "1069547520"}, {v.StringGrid3, 0, 2, "1.5"},   {v.StringGrid3, 2, 0, ""},
            {v.StringGrid4, 1, 0, ""},
        };
        for (const Cell& c : cells) EXPECT_EQ(c.grid->Cell(c.col, c.row), c.text) << c.col << "," << c.row;
        EXPECT_FALSE(v.StringGrid4->Cell(0, 0).empty());
        guitest::SaveScreenshot(v.Handle(), guitest::ScreenshotPath("data_types_en"));

        answers.plan = {KeyEnter, KeyEnter};
        TypeAndEnter(v.StringGrid1, 0, 1, "300");
        EXPECT_EQ(v.StringGrid1->Cell(0, 1), "0") << "the old value returns";
        TypeAndEnter(v.StringGrid2, 0, 1, "1 2");
        EXPECT_EQ(Hex(Bytes()), Hex(original));

        TypeAndEnter(v.StringGrid2, 0, 1, "-1");
        EXPECT_EQ(v.StringGrid1->Cell(0, 0), "FF") << "the cells over the same bytes change with it";
        EXPECT_EQ(v.StringGrid1->Cell(1, 2), "-1");
        EXPECT_EQ(v.StringGrid3->Cell(0, 0), "1069613055");

        // An edit is applied as well when another cell is clicked.
        ClickCell(v.StringGrid1, 6, 0);
        TypeIntoCell(v.StringGrid1, "7");
        ClickCell(v.StringGrid1, 9, 0);
        EXPECT_EQ(v.StringGrid1->Cell(6, 0), "07");

        // Ctrl+V puts the clipboard's text into the cell and applies it.
        TWin32Clipboard(v.Handle()).Put("-2", nullptr);
        ClickCell(v.StringGrid1, 7, 2);
        guitest::PressKey(v.StringGrid1->Handle(), 'V', ssCtrl);
        guitest::PumpUntilIdle();
        EXPECT_EQ(v.StringGrid1->Cell(7, 0), "FE");

        // Escape closes the window and drops the edit typed.
        ClickCell(v.StringGrid1, 8, 1);
        TypeIntoCell(v.StringGrid1, "99");
        guitest::PressKey(v.StringGrid1->EditorHandle(), VK_ESCAPE);
        guitest::PumpUntilIdle();
        EXPECT_EQ(v.ModalResult, mrCancel);
    });
    ShortcutKey(VK_F6);
    ASSERT_TRUE(ran) << "F6 opens the data types editor";
    ASSERT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[0].text, "That's not a valid number.");
    EXPECT_EQ(answers.shown[0].caption, "Tessaly");
    EXPECT_EQ(answers.shown[0].b1, "Close");
    EXPECT_EQ(answers.shown[1].text, "That is not correct. Enter one number at a time.");
    EXPECT_EQ(Hex(Bytes()), Hex(std::string("\xFF\xFF\xC0\x3F\xFF\xFF\x07\xFE" "CD", 10)));
    EXPECT_EQ(form->SelectionActive, 0) << "the range is no longer selected";
    // One step per applied cell; the two bytes of the 16-bit value go together.
    ShortcutKey('Z', true);
    ShortcutKey('Z', true);
    EXPECT_EQ(Hex(Bytes()), Hex(std::string("\xFF\xFF\xC0\x3F\xFF\xFF" "ABCD", 10)));
    ShortcutKey('Z', true);
    EXPECT_EQ(Hex(Bytes()), Hex(original));
}

TEST_F(DataTypesWindowTest, ScrollButtonsAndKeysMoveSixteenBytes) {
    std::string bytes;
    for (int i = 0; i < 40; ++i) bytes += char(i);
    Start(bytes);
    form->GotoPosition(5);
    bool ran = false;
    WhileShown during(DataTypesView, [&] {
        ran = true;
        TDataTypesView& v = *DataTypesView;
        EXPECT_EQ(v.Range->Caption(), "Byte 5 to 20");
        EXPECT_TRUE(v.LeftScrollButton->Enabled());
        // From 5 a step back would group the bytes differently: asked first.
        answers.plan = {Click2};
        ClickButton(v.LeftScrollButton);
        EXPECT_EQ(v.Range->Caption(), "Byte 5 to 20") << "Cancel stays";
        answers.plan = {Click1};
        ClickButton(v.LeftScrollButton);
        EXPECT_EQ(v.Range->Caption(), "Byte 0 to 15") << "OK goes to the start";
        EXPECT_EQ(v.StringGrid1->Cell(0, 0), "00");
        EXPECT_FALSE(v.LeftScrollButton->Enabled());
        EXPECT_EQ(form->CursorPosition(), 0) << "the main window's cursor follows";
        EXPECT_EQ(form->SelStart, 0);
        EXPECT_EQ(form->SelEnd, 15);

        ClickButton(v.RightScrollButton);
        EXPECT_EQ(v.Range->Caption(), "Byte 16 to 31");
        EXPECT_EQ(v.StringGrid1->Cell(0, 0), "10");
        EXPECT_TRUE(v.RightScrollButton->Enabled());
        guitest::PressKey(v.StringGrid1->Handle(), VK_NEXT);
        guitest::PumpUntilIdle();
        EXPECT_EQ(v.Range->Caption(), "Byte 32 to 39. Close to file end, some records are empty.");
        EXPECT_FALSE(v.RightScrollButton->Enabled()) << "32 + 16 passes the end of 40 bytes";
        ClickButton(v.RightScrollButton);
        EXPECT_EQ(v.State.Offset, 32);
        guitest::PressKey(v.StringGrid1->Handle(), VK_PRIOR);
        guitest::PumpUntilIdle();
        EXPECT_EQ(v.Range->Caption(), "Byte 16 to 31");

        // Down on a grid's last row goes on in the next grid over the same bytes.
        ClickCell(v.StringGrid1, 5, 2);
        guitest::PressKey(v.StringGrid1->Handle(), VK_DOWN);
        guitest::PumpUntilIdle();
        EXPECT_EQ(GetFocus(), v.StringGrid2->Handle());
        EXPECT_EQ(v.StringGrid2->Col(), 2);
        EXPECT_EQ(v.StringGrid2->Row(), 0);
        guitest::PressKey(v.StringGrid2->Handle(), VK_DOWN);
        guitest::PressKey(v.StringGrid2->Handle(), VK_DOWN);
        guitest::PumpUntilIdle();
        EXPECT_EQ(GetFocus(), v.StringGrid3->Handle());
        EXPECT_EQ(v.StringGrid3->Col(), 1);
        guitest::PressKey(v.StringGrid3->Handle(), VK_UP);
        guitest::PumpUntilIdle();
        EXPECT_EQ(GetFocus(), v.StringGrid2->Handle());
        EXPECT_EQ(v.StringGrid2->Col(), 2);
        EXPECT_EQ(v.StringGrid2->Row(), 1);
        ClickButton(v.CloseButton);
    });
    ShortcutKey(VK_F6);
    ASSERT_TRUE(ran);
    ASSERT_EQ(answers.shown.size(), 2u);
    for (const Shown& s : answers.shown) {
        EXPECT_EQ(s.text,
                  "After this step you might see different numbers in the 16, 32 and 64 bits columns. The "
                  "calculations might use other starting points.");
        EXPECT_EQ(s.caption, "Offset change");
        EXPECT_EQ(s.b1, "Ok");
        EXPECT_EQ(s.b2, "Cancel");
    }

    // From 8 the bytes keep their grouping: no question.
    form->GotoPosition(8);
    WhileShown fromEight(DataTypesView, [&] {
        ClickButton(DataTypesView->LeftScrollButton);
        EXPECT_EQ(DataTypesView->Range->Caption(), "Byte 0 to 15");
    });
    ShortcutKey(VK_F6);
    EXPECT_EQ(answers.shown.size(), 2u);
}

TEST_F(DataTypesWindowTest, CloseAppliesThePendingEditAndSaysSo) {
    Start("abcdefgh");
    form->GotoPosition(2);
    WhileShown during(DataTypesView, [&] {
        TDataTypesView& v = *DataTypesView;
        EXPECT_EQ(v.Range->Caption(), "Byte 2 to 7. Close to file end, some records are empty.");
        ClickCell(v.StringGrid1, 0, 0);
        TypeIntoCell(v.StringGrid1, "5A");
        answers.plan = {KeyEnter};
        ClickButton(v.CloseButton);
    });
    ShortcutKey(VK_F6);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text,
              "You were editing a number. The change is applied to the current file. You can undo changes in the "
              "main window (Ctrl + Z).");
    EXPECT_EQ(Bytes(), "abZdefgh");

    // A cell past the end asks before the window closes; No keeps it open.
    WhileShown pastEnd(DataTypesView, [&] {
        TDataTypesView& v = *DataTypesView;
        ClickCell(v.StringGrid1, 9, 1);
        TypeIntoCell(v.StringGrid1, "1");
        answers.plan = {Click2};
        ClickButton(v.CloseButton);
        EXPECT_EQ(v.ModalResult, mrNone) << "No keeps the window open";
        EXPECT_EQ(v.StringGrid1->Cell(9, 1), "");
    });
    ShortcutKey(VK_F6);
    ASSERT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[1].text,
              "The last change could not be applied, because you can only change the file size in the main "
              "window. Close this window anyway?");
    EXPECT_EQ(answers.shown[1].b1, "&Yes");
    EXPECT_EQ(Bytes(), "abZdefgh");

    // At the end of the document there is nothing to show.
    form->GotoPosition(8);
    bool shownAtEnd = false;
    WhileShown atEnd(DataTypesView, [&] { shownAtEnd = true; });
    ShortcutKey(VK_F6);
    EXPECT_FALSE(shownAtEnd);
    ASSERT_EQ(answers.shown.size(), 3u);
    EXPECT_EQ(answers.shown[2].text, "At location 8 there are no bytes to show. The file size is 8 bytes.");
}

TEST_F(DataTypesWindowTest, ReadOnlyAnswersEditingKeysWithItsMessages) {
    Start("abc");
    Command(form->ReadOnly1);
    ASSERT_TRUE(form->ReadOnly1->Checked());
    WhileShown during(DataTypesView, [&] {
        TDataTypesView& v = *DataTypesView;
        ClickCell(v.StringGrid2, 0, 0);
        guitest::TypeChar(v.StringGrid2->Handle(), '1');
        EXPECT_EQ(v.StringGrid2->EditorHandle(), nullptr) << "the cells cannot be edited";
        guitest::PressKey(v.StringGrid2->Handle(), '1');
        guitest::PumpUntilIdle();
        TWin32Clipboard(v.Handle()).Put("7", nullptr);
        // Ctrl is still held when the box shows: its button is clicked.
        answers.plan = {Click1};
        guitest::PressKey(v.StringGrid1->Handle(), 'V', ssCtrl);
        guitest::PumpUntilIdle();
        ClickButton(v.CloseButton);
    });
    Command(form->DataTypes1);
    ASSERT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[0].text, "The Read Only mode can be turned off in the Options menu.");
    EXPECT_EQ(answers.shown[1].text, "Turn off the Read Only mode in the Options menu before you paste.");
    EXPECT_EQ(Bytes(), "abc");
}

TEST_F(DataTypesWindowTest, InDutch) {
    LanguageSystem.code = "NL";
    LanguageSystem.loadLanguage("NL");
    Start(std::string("\x00\x00\xC0\x3F\x00\x00\x00\x00\x00\x00\xF8\x3F", 12) + "0123456789");
    bool ran = false;
    WhileShown during(DataTypesView, [&] {
        ran = true;
        TDataTypesView& v = *DataTypesView;
        EXPECT_EQ(v.Caption(), "Gegevenstypen-editor");
        EXPECT_EQ(v.Labels[0]->Caption(), "Hexadecimaal");
        EXPECT_EQ(v.Range->Caption(), "Byte 0 tot en met 15");
        guitest::SaveScreenshot(v.Handle(), guitest::ScreenshotPath("data_types_nl"));
    });
    Command(form->DataTypes1);
    EXPECT_TRUE(ran);
}

}  // namespace

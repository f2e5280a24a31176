// Keys, typing, the menu rules and the language switch in a real main
// window: key and character messages to the byte view, menu commands by
// their ids, menus opened by their messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/MainMenuLayout.h"
#include "editor/main/tests/BoxAnswers.h"
#include "editor/main/tests/MainWindowTesting.h"
#include "framework/Application.h"
#include "framework/HeaderControl.h"
#include "framework/StatusBar.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;

namespace {

const std::u16string kFile = u"C:\\data\\typed.bin";

class KeysAndMenusTest : public mainwindowtest::FakeFilesTest {
protected:
    TMainForm& Start(const std::string& bytes) {
        if (form) {
            form.reset();  // its end clears the language table
            LanguageSystem.loadLanguage("EN");
        }
        return StartOn(kFile, bytes, 1100);
    }
    HWND View() { return form->ByteView->Handle(); }
    std::string Bytes() { return std::string(reinterpret_cast<const char*>(DataFile.data), static_cast<size_t>(DataFile.size)); }
    void ClickCell(int view, int index) {
        TViewWidths w{form->Sizer->SectionWidth(0), form->Sizer->SectionWidth(1), form->Sizer->SectionWidth(2)};
        TRect r = CellRect(view, w, index % 16, index / 16);
        guitest::Click(View(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Command(TMenuItem* item) { form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0); }
    // The menu opens as a person opens it: the window is told before it shows.
    void OpenMenu(TMenuItem* top) {
        SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(top->Handle()), 0);
        guitest::PumpUntilIdle(5);
    }
    void ShortcutKey(WORD vk, TShiftState shift = 0) { guitest::ShortcutKey(form->Handle(), View(), vk, shift); }
    bool Grayed(TMenuItem* item) {
        return (GetMenuState(item->Parent()->Handle(), item->Command(), MF_BYCOMMAND) & MF_GRAYED) != 0;
    }

    Answerer answers;
};

}  // namespace

TEST_F(KeysAndMenusTest, DecimalTypingRefusesAValueAbove255) {
    TMainForm& f = Start(std::string(4, '\0'));
    ClickCell(ViewDecimal, 0);
    ASSERT_EQ(f.ActiveView, ViewDecimal);
    guitest::TypeText(View(), "25");
    EXPECT_EQ(DataFile.data[0], 25);
    answers.plan = {KeyEnter};
    guitest::TypeChar(View(), '6');
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "256 is not correct. 255 is the maximum value.");
    EXPECT_EQ(answers.shown[0].b1, "Close");
    EXPECT_EQ(DataFile.data[0], 25);
    guitest::TypeChar(View(), '5');
    EXPECT_EQ(DataFile.data[0], 255);
    EXPECT_EQ(f.CursorPosition(), 1);
    EXPECT_EQ(Modified, 1);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - " + kFile + u" *");
}

TEST_F(KeysAndMenusTest, HexadecimalTypingOnTheEndOfFileCell) {
    TMainForm& f = Start("AB");
    ClickCell(ViewHexadecimal, 2);
    guitest::TypeChar(View(), 'F');
    EXPECT_EQ(DataFile.size, 3);
    EXPECT_EQ(DataFile.data[2], 0xF0);
    EXPECT_EQ(f.CursorPosition(), 2);
    guitest::TypeChar(View(), '1');
    EXPECT_EQ(DataFile.data[2], 0xF1);
    EXPECT_EQ(f.CursorPosition(), 3);
    // Under Keep File Size the end refuses to grow.
    Command(f.Lock);
    ASSERT_TRUE(f.Lock->Checked());
    answers.plan = {KeyEnter};
    guitest::TypeChar(View(), 'F');
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text,
              "An extra byte must be added, but the file size is protected. See the Options menu.");
    EXPECT_EQ(DataFile.size, 3);
}

TEST_F(KeysAndMenusTest, EnterAndBackspaceInTheTextView) {
    TMainForm& f = Start("AB");
    ClickCell(ViewText, 1);
    guitest::PressKey(View(), VK_RETURN);
    EXPECT_EQ(Bytes(), "A\r\n");
    EXPECT_EQ(f.CursorPosition(), 3);
    DataFile.undo();
    EXPECT_EQ(Bytes(), "AB");

    ClickCell(ViewText, 2);
    answers.plan = {Click1};
    guitest::PressKey(View(), VK_BACK);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text,
              "Backspace once and decrease file size?\n(This question will not be asked when the Insert mode is on)");
    EXPECT_EQ(Bytes(), "A");
}

TEST_F(KeysAndMenusTest, BackspaceUnderKeepFileSizeWritesTheFillByte) {
    TMainForm& f = Start("AB");
    Command(f.Lock);
    ClickCell(ViewText, 2);
    guitest::PressKey(View(), VK_BACK);
    EXPECT_EQ(Bytes(), std::string("A\0", 2));
    EXPECT_EQ(f.CursorPosition(), 1);
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(KeysAndMenusTest, ShiftArrowsSelect) {
    TMainForm& f = Start(std::string(64, 'x'));
    ClickCell(ViewText, 5);
    guitest::PressKey(View(), VK_RIGHT, ssShift);
    EXPECT_EQ(f.SelectionActive, 1);
    EXPECT_EQ(f.SelStart, 5);
    EXPECT_EQ(f.SelEnd, 6);
    guitest::PressKey(View(), VK_LEFT, ssShift);
    EXPECT_EQ(f.SelStart, 5);
    EXPECT_EQ(f.SelEnd, 5);
    guitest::PressKey(View(), VK_RIGHT);
    EXPECT_EQ(f.SelectionActive, 0);
    guitest::PressKey(View(), VK_TAB);
    EXPECT_EQ(f.ActiveView, ViewDecimal);
    EXPECT_TRUE(f.MenuView2->Checked());
}

TEST_F(KeysAndMenusTest, OpeningAMenuCaptionsKeepFileSizeAndAppliesTheRule) {
    TMainForm& f = Start(std::string(256, 'x'));
    OpenMenu(f.Options1);
    EXPECT_EQ(f.Lock->Caption(), "Keep File Size at 256 bytes");
    // On the end-of-file cell with nothing selected there is nothing to copy.
    f.GotoPosition(256);
    OpenMenu(f.Edit1);
    EXPECT_FALSE(f.Knip->Enabled());
    EXPECT_FALSE(f.Copy->Enabled());
    EXPECT_TRUE(Grayed(f.Copy));
    EXPECT_FALSE(f.DecimalCopy->Enabled());
    EXPECT_TRUE(f.Paste1->Enabled());
    Command(f.SelectAll1);
    OpenMenu(f.Edit1);
    EXPECT_TRUE(f.Copy->Enabled());
    EXPECT_FALSE(Grayed(f.Copy));

    Start("x");
    OpenMenu(form->File1);
    EXPECT_EQ(form->Lock->Caption(), "Keep File Size at 1 byte");
}

TEST_F(KeysAndMenusTest, ReadOnlyHintsOnTheThirdRefusedKey) {
    TMainForm& f = Start("AB");
    Command(f.ReadOnly1);
    ASSERT_TRUE(f.ReadOnly1->Checked());
    answers.plan = {KeyEnter};
    guitest::TypeChar(View(), 'x');
    guitest::TypeChar(View(), 'y');
    EXPECT_TRUE(answers.shown.empty());
    guitest::TypeChar(View(), 'z');
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "The Read Only mode can be turned off in the Options menu.");
    guitest::TypeChar(View(), 'w');
    EXPECT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(Bytes(), "AB");
    OpenMenu(f.Edit1);
    EXPECT_FALSE(f.Paste1->Enabled());
    EXPECT_TRUE(f.Copy->Enabled());
}

TEST_F(KeysAndMenusTest, AShortcutActsOnlyWhenItsItemIsEnabledNow) {
    TMainForm& f = Start("ABCD");
    ShortcutKey(VK_INSERT);
    EXPECT_TRUE(f.InsertwhenTyping->Checked());
    ShortcutKey(VK_INSERT);
    EXPECT_FALSE(f.InsertwhenTyping->Checked());
    // Keep File Size disables Insert Mode: the key no longer switches it on.
    Command(f.Lock);
    ShortcutKey(VK_INSERT);
    EXPECT_FALSE(f.InsertwhenTyping->Checked());
    ShortcutKey('A', ssCtrl);
    EXPECT_EQ(f.SelectionActive, 1);
    EXPECT_EQ(f.SelEnd, 3);
    ShortcutKey(VK_HOME, ssCtrl);
    EXPECT_EQ(f.CursorPosition(), 0);
    EXPECT_EQ(f.SelectionActive, 0);
    ShortcutKey(VK_END, ssCtrl);
    EXPECT_EQ(f.CursorPosition(), 4);
}

TEST_F(KeysAndMenusTest, TheLanguageSwitchRelabelsEveryComponentBothWays) {
    TMainForm& f = Start("AB");
    auto checkAll = [&](const char* language) {
        SCOPED_TRACE(language);
        int checked = 0;
        for (const auto* layout : {&MainMenuLayout(), &StatusbarPopupLayout()}) {
            for (const TMenuLayoutEntry& e : *layout) {
                if (!*e.Name || (!*e.CaptionKey && !*e.HintKey)) continue;
                auto* item = dynamic_cast<TUvxMenuItem*>(f.FindComponent(e.Name));
                ASSERT_NE(item, nullptr) << e.Name;
                if (*e.CaptionKey) {
                    EXPECT_EQ(item->GetCaption(), AnsiToWide(LanguageSystem.getText(e.CaptionKey))) << e.Name;
                    ++checked;
                }
                if (*e.HintKey) {
                    EXPECT_EQ(item->GetHint(), AnsiToWide(LanguageSystem.getText(e.HintKey))) << e.Name;
                }
            }
        }
        EXPECT_EQ(f.Sizer->SectionText(0), LanguageSystem.getText("SIZERTEXT"));
        EXPECT_EQ(f.Sizer->SectionText(1), LanguageSystem.getText("SIZERDECIMAL"));
        EXPECT_EQ(f.Sizer->SectionText(2), LanguageSystem.getText("SIZERHEXADECIMAL"));
        EXPECT_EQ(f.StatusBar->PanelText(0), LanguageSystem.getText("POSITION"));
        EXPECT_EQ(f.StatusBar->Hint, LanguageSystem.getText("StatusBarHint"));
        EXPECT_EQ(checked, 73);
    };
    Command(f.Nederlands1);
    EXPECT_EQ(LanguageSystem.code, "NL");
    EXPECT_EQ(f.File1->Caption(), "Bestand");
    EXPECT_EQ(f.Sizer->SectionText(0), "Tekst");
    checkAll("NL");
    Command(f.English1);
    EXPECT_EQ(f.File1->Caption(), "File");
    EXPECT_EQ(f.Sizer->SectionText(0), "Text");
    checkAll("EN");
    // Items the table does not name keep their layout captions.
    EXPECT_EQ(f.English1->Caption(), "English");
    EXPECT_EQ(f.N8bitsunsignedFile->Caption(), "8 bits unsigned");
}

TEST_F(KeysAndMenusTest, FirstByteIsByteOneRenumbersThePositions) {
    TMainForm& f = Start("ABCD");
    Command(f.Firstbyteisbyte1);
    EXPECT_EQ(f.FirstByteNumber, 1);
    EXPECT_EQ(f.StatusBar->PanelText(1), "1");
    Command(f.Firstbyteisbyte1);
    EXPECT_EQ(f.FirstByteNumber, 0);
    EXPECT_EQ(f.StatusBar->PanelText(1), "0");
}

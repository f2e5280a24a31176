// The search and replace windows in a real main window: opened by their
// menu commands, Find Next by F3, driven by typing, clicks on their buttons,
// radio buttons, check boxes and lists, and checked through the document,
// the main window's cursor and selection, the windows' labels, the message
// texts and screenshots.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/dialogs/ReplaceForm.h"
#include "editor/dialogs/ZoekForm.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/Win32Clipboard.h"
#include "editor/main/tests/BoxAnswers.h"
#include "editor/main/tests/MainWindowTesting.h"
#include "editor/main/tests/SystemDialogs.h"
#include "framework/Application.h"
#include "framework/ButtonCtrls.h"
#include "framework/ComboBox.h"
#include "framework/Menus.h"
#include "framework/ProgressBar.h"
#include "framework/RadioGroup.h"
#include "framework/StdCtrls.h"
#include "framework/testing/GuiTest.h"
#include "framework/testing/WhileShown.h"

using namespace boxanswers;
using guitest::WhileShown;

namespace {

const std::u16string kFile = u"C:\\data\\find.bin";

class SearchWindowsTest : public mainwindowtest::FakeFilesTest {
protected:
    TMainForm& Start(const std::string& bytes) {
        // The last main window let go of the language table.
        LanguageSystem.loadLanguage(LanguageSystem.code);
        StartOn(kFile, bytes);
        // The windows exist for the whole run, as at start-up.
        new TZoekForm(form.get());
        new TReplaceForm(form.get());
        return *form;
    }
    void Command(TMenuItem* item) { form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0); }
    // The menu opens (its items enabled for the state now), then the item's command.
    void FromMenu(TMenuItem* menu, TMenuItem* item) {
        form->Perform(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu->Handle()), 0);
        Command(item);
    }
    // A key through the application's loop, where the menu's shortcuts act.
    void ShortcutKey(WORD vk) {
        guitest::ShortcutKey(form->Handle(), nullptr, vk);
        guitest::PumpUntilIdle();
    }
    // Opens the window by its menu command and runs the steps in it.
    void InSearchWindow(const std::function<void()>& steps) {
        bool ran = false;
        WhileShown during(ZoekForm, [&] {
            ran = true;
            steps();
        });
        FromMenu(form->Search1, form->Searchfor1);
        EXPECT_TRUE(ran) << "Search for... opens the search window";
    }
    void InReplaceWindow(const std::function<void()>& steps) {
        bool ran = false;
        WhileShown during(ReplaceForm, [&] {
            ran = true;
            steps();
        });
        FromMenu(form->Search1, form->Replace1);
        EXPECT_TRUE(ran) << "Replace... opens the replace window";
    }
    std::string Bytes() { return std::string(reinterpret_cast<const char*>(DataFile.data), size_t(DataFile.size)); }
    // The main window's selection as "first..last", or "none".
    std::string Selection() {
        if (!form->SelectionActive) return "none";
        return std::to_string(form->SelStart) + ".." + std::to_string(form->SelEnd);
    }
    // The text of the last message box, and how many there were.
    std::string LastMessage() { return answers.shown.empty() ? "(none)" : answers.shown.back().text; }

    Answerer answers;
};

void Click(TWinControl* control) {
    guitest::Click(control->Handle(), 5, 5);
    guitest::PumpUntilIdle();
}

// The pattern typed over the selected text, as a person does.
void TypeData(TEdit* edit, const std::string& text) {
    SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
    guitest::PressKey(edit->Handle(), VK_DELETE);
    guitest::TypeText(edit->Handle(), text);
    guitest::PumpUntilIdle();
}

// The list's item chosen by keys from the first one.
void ChooseKind(TComboBox* list, int index) {
    list->SetFocus();
    guitest::PressKey(list->Handle(), VK_HOME);
    for (int i = 0; i < index; ++i) guitest::PressKey(list->Handle(), VK_DOWN);
    guitest::PumpUntilIdle();
}

TEST_F(SearchWindowsTest, CountTellsTheHitsInTheFileOrTheSelection) {
    struct Case {
        std::string document, pattern;
        bool selectAll;
        std::string expected;
    };
    const Case cases[] = {
        {"AAAA", "AA", false, "This data is found 2 times in this file."},
        {"xAAx", "AA", false, "This data is found 1 time in this file."},
        {"xAAxAA", "AA", true, "This data is found 2 times within this selection."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        TMainForm& f = Start(c.document);
        f.GotoPosition(1);
        if (c.selectAll) {
            f.SelectionActive = 1;
            f.SelStart = 0;
            f.SelEnd = int32_t(c.document.size()) - 1;
        }
        answers.shown.clear();
        InSearchWindow([&] {
            EXPECT_EQ(ZoekForm->SelectionCheckBox->TWinControl::Visible(), c.selectAll);
            if (c.selectAll) {
                EXPECT_EQ(ZoekForm->SelectionCheckBox->Caption(),
                          "Search selection (0 to " + std::to_string(c.document.size() - 1) + ")");
                Click(ZoekForm->SelectionCheckBox);
                EXPECT_TRUE(ZoekForm->SelectionCheckBox->Checked());
            }
            TypeData(ZoekForm->DataEdit, c.pattern);
            Click(ZoekForm->Count1);
        });
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].text, c.expected);
        EXPECT_EQ(answers.shown[0].caption, "Search");
        EXPECT_EQ(f.CursorPosition(), 1) << "counting moves nothing";
        form.reset();
    }
}

TEST_F(SearchWindowsTest, ForwardRunSelectsEachHitThenEndsAtItsStart) {
    TMainForm& f = Start("xxABxx");
    std::vector<std::string> seen;
    InSearchWindow([&] {
        EXPECT_FALSE(ZoekForm->SelectionCheckBox->TWinControl::Visible()) << "no selection, no box";
        TypeData(ZoekForm->DataEdit, "AB");
        Click(ZoekForm->SearchButton);
        seen.push_back(Selection() + " cursor " + std::to_string(f.CursorPosition()));
        EXPECT_TRUE(answers.shown.empty());
        Click(ZoekForm->SearchButton);
        seen.push_back(Selection() + " cursor " + std::to_string(f.CursorPosition()));
        // A pattern that is not there, typed and confirmed with Enter.
        TypeData(ZoekForm->DataEdit, "zz");
        guitest::PressKey(ZoekForm->DataEdit->Handle(), VK_RETURN);
        guitest::PumpUntilIdle();
        EXPECT_TRUE(ZoekForm->Visible()) << "Enter searches and leaves the window open";
        guitest::PressKey(ZoekForm->DataEdit->Handle(), VK_ESCAPE);
        guitest::PumpUntilIdle();
        EXPECT_EQ(ZoekForm->ModalResult, mrCancel) << "Escape closes the window";
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"2..3 cursor 2", "none cursor 0"}));
    ASSERT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[0].text, "Search completed.");
    EXPECT_EQ(answers.shown[0].caption, "Search");
    EXPECT_EQ(answers.shown[1].text, "Data not found.");
}

TEST_F(SearchWindowsTest, NothingFoundInTheSelectionSaysSo) {
    TMainForm& f = Start("ABxxxxAB");
    f.SelectionActive = 1;
    f.SelStart = 1;
    f.SelEnd = 6;
    f.GotoPosition(1);
    InSearchWindow([&] {
        Click(ZoekForm->SelectionCheckBox);
        TypeData(ZoekForm->DataEdit, "AB");
        Click(ZoekForm->SearchButton);
    });
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Data not found in this selection.")
        << "the hits that run past the selection at either end do not count";
}

TEST_F(SearchWindowsTest, BackwardRunWrapsToTheEndOnce) {
    TMainForm& f = Start("AB__AB__AB");
    f.GotoPosition(6);
    std::vector<int32_t> cursors;
    InSearchWindow([&] {
        Click(ZoekForm->SearchDirection->Buttons(1));
        EXPECT_EQ(ZoekForm->SearchDirection->ItemIndex(), 1);
        TypeData(ZoekForm->DataEdit, "AB");
        for (int press = 0; press < 4; ++press) {
            Click(ZoekForm->SearchButton);
            cursors.push_back(f.CursorPosition());
        }
    });
    EXPECT_EQ(cursors, (std::vector<int32_t>{4, 0, 8, 6}));
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Search completed.");
    EXPECT_EQ(Selection(), "none");
}

TEST_F(SearchWindowsTest, DecimalAndHexadecimalPatterns) {
    struct Case {
        int kind;
        std::string data, message, selection;
    };
    const Case cases[] = {
        {2, "3A 0D", "", "2..3"},
        {2, "3A0", "That is not correct. Use hexadecimal numbers, two digits per byte.", "none"},
        {1, "14 256", "That is not correct. Use 8 bits decimal numbers. Range: 0 to 255", "none"},
        {1, "58 13", "", "2..3"},
        {2, "12345 67890", "", "4..8"},
        // Numbers of blanks only are no data at all.
        {2, "   ", "Enter data to search for. (text, decimal numbers or hexadecimal numbers)", "none"},
        {1, "  ", "Enter data to search for. (text, decimal numbers or hexadecimal numbers)", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        Start(std::string("..\x3A\x0D\x12\x34\x56\x78\x90", 9));
        answers.shown.clear();
        InSearchWindow([&] {
            Click(ZoekForm->DataKind->Buttons(c.kind));
            TypeData(ZoekForm->DataEdit, c.data);
            Click(ZoekForm->SearchButton);
        });
        EXPECT_EQ(LastMessage(), c.message.empty() ? "(none)" : c.message);
        EXPECT_EQ(Selection(), c.selection);
        form.reset();
    }
}

TEST_F(SearchWindowsTest, FindNextSearchesWithTheLastDataFromTheCursor) {
    TMainForm& f = Start("AB-AB-AB");
    ShortcutKey(VK_F3);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text,
              "First enter data to search for. Press Ctrl+F to open the \"Search for...\" window.");
    InSearchWindow([&] {
        Click(ZoekForm->SearchDirection->Buttons(1));
        TypeData(ZoekForm->DataEdit, "AB");
    });
    f.GotoPosition(1);
    ShortcutKey(VK_F3);
    EXPECT_EQ(Selection(), "3..4") << "towards the end, whatever the window's direction";
    EXPECT_EQ(ZoekForm->SearchDirection->ItemIndex(), 0);
    ShortcutKey(VK_F3);
    EXPECT_EQ(Selection(), "6..7");
    ShortcutKey(VK_F3);
    EXPECT_EQ(Selection(), "0..1") << "each Find Next is a new run from the cursor, wrapping";
    EXPECT_EQ(answers.shown.size(), 1u);
}

TEST_F(SearchWindowsTest, ReplaceAllIsOneUndoStep) {
    struct Case {
        std::string document, search, replacement, result;
        std::string found, replaced;
    };
    const Case cases[] = {
        {"ABABAB", "AB", "XYZ", "XYZXYZXYZ", "3 times found", "3 replacements"},
        {"xABxAB", "AB", "", "xx", "2 times found", "2 replacements"},
        {"xABxABx", "AB", "QR", "xQRxQRx", "2 times found", "2 replacements"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document + " " + c.replacement);
        TMainForm& f = Start(c.document);
        answers.shown.clear();
        std::string found, replaced, allCaption;
        InReplaceWindow([&] {
            TypeData(ReplaceForm->DataEdit, c.search);
            TypeData(ReplaceForm->ReplaceEdit, c.replacement);
            Click(ReplaceForm->ReplaceAllButton);
            found = ReplaceForm->FoundLabel->Caption();
            replaced = ReplaceForm->ReplaceLabel->Caption();
            allCaption = ReplaceForm->ReplaceAllButton->Caption();
        });
        EXPECT_EQ(Bytes(), c.result);
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(replaced, c.replaced);
        EXPECT_EQ(allCaption, "Replace &All");
        ASSERT_EQ(answers.shown.size(), 1u);
        EXPECT_EQ(answers.shown[0].text, "Search completed.");
        EXPECT_EQ(answers.shown[0].caption, "Replace");
        EXPECT_EQ(Selection(), "none");
        EXPECT_EQ(f.CursorPosition(), 0);
        FromMenu(f.Edit1, f.Undo1);
        EXPECT_EQ(Bytes(), c.document) << "one Undo gives the document back";
        form.reset();
    }
}

TEST_F(SearchWindowsTest, ReplaceSelectsThenReplacesAndSelectsTheNext) {
    TMainForm& f = Start("ABxAB");
    struct Seen {
        std::string bytes, selection, found, replaced, allCaption;
    };
    std::vector<Seen> seen;
    auto note = [&] {
        seen.push_back({Bytes(), Selection(), ReplaceForm->FoundLabel->Caption(), ReplaceForm->ReplaceLabel->Caption(),
                        ReplaceForm->ReplaceAllButton->Caption()});
    };
    InReplaceWindow([&] {
        TypeData(ReplaceForm->DataEdit, "AB");
        TypeData(ReplaceForm->ReplaceEdit, "XY");
        Click(ReplaceForm->Replace);
        note();
        // Enter in the replace data acts as the Replace button.
        guitest::PressKey(ReplaceForm->ReplaceEdit->Handle(), VK_RETURN);
        guitest::PumpUntilIdle();
        note();
        EXPECT_FALSE(ReplaceForm->SelectionCheckBox->Enabled());
    });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].bytes, "ABxAB");
    EXPECT_EQ(seen[0].selection, "0..1");
    EXPECT_EQ(seen[0].found, "1 time found");
    EXPECT_EQ(seen[0].replaced, "0 replacements");
    EXPECT_EQ(seen[1].bytes, "XYxAB");
    EXPECT_EQ(seen[1].selection, "3..4");
    EXPECT_EQ(seen[1].found, "2 times found");
    EXPECT_EQ(seen[1].replaced, "1 replacement");
    EXPECT_EQ(seen[1].allCaption, "Replace and &all following");
    EXPECT_EQ(f.CursorPosition(), 3);
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(SearchWindowsTest, EndReachedShowsWhileTheRunGoesOnFromTheStart) {
    TMainForm& f = Start("ABxABxAB");
    f.GotoPosition(2);
    std::vector<std::string> seen;
    InReplaceWindow([&] {
        TypeData(ReplaceForm->DataEdit, "AB");
        for (int press = 0; press < 3; ++press) {
            Click(ReplaceForm->SearchButton);
            seen.push_back(Selection() + (ReplaceForm->ReachEndMessage->TWinControl::Visible() ? " end reached" : ""));
        }
        EXPECT_FALSE(ReplaceForm->voortgang->TWinControl::Visible());
        Click(ReplaceForm->ReplaceAllButton);
        EXPECT_FALSE(ReplaceForm->voortgang->TWinControl::Visible()) << "the progress bar shows only while it runs";
        EXPECT_FALSE(ReplaceForm->ReachEndMessage->TWinControl::Visible());
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"3..4", "6..7", "0..1 end reached"}));
    EXPECT_EQ(ReplaceForm->ReplaceAllButton->Caption(), "Replace &All");
    EXPECT_EQ(Bytes(), "xx") << "Replace All with empty replace data deletes the selected hit and every other one";
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Search completed.");
}

TEST_F(SearchWindowsTest, KeepFileSizeAndTheEndOfFileCell) {
    TMainForm& f = Start("ABAB");
    FromMenu(f.Options1, f.Lock);
    ASSERT_TRUE(f.Lock->Checked());
    InReplaceWindow([&] {
        TypeData(ReplaceForm->DataEdit, "AB");
        TypeData(ReplaceForm->ReplaceEdit, "XYZ");
        Click(ReplaceForm->ReplaceAllButton);
    });
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text,
              "Search data and replace data must have the same length, because the file size is protected. (see Options "
              "menu)");
    EXPECT_EQ(Bytes(), "ABAB") << "nothing changes";

    FromMenu(f.Options1, f.Lock);
    f.GotoPosition(4);
    ASSERT_EQ(f.CursorPosition(), 4) << "the cursor stands on the end-of-file cell";
    answers.shown.clear();
    InReplaceWindow([&] {
        TypeData(ReplaceForm->ReplaceEdit, "X");
        Click(ReplaceForm->ReplaceAllButton);
    });
    EXPECT_EQ(Bytes(), "XX");
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, "Search completed.");
}

TEST_F(SearchWindowsTest, ReplaceKindsAndRefusedData) {
    struct Case {
        int searchKind, replaceKind;
        std::string search, replacement, message, result;
    };
    const Case cases[] = {
        {2, 1, "41 42", "49 50", "Search completed.", "12-12"},
        {0, 1, "AB", "300", "That is not correct. Use 8 bits decimal numbers. Range: 0 to 255", "AB-AB"},
        {0, 2, "AB", "ABC", "That is not correct. Use hexadecimal numbers, two digits per byte.", "AB-AB"},
        {2, 0, "  ", "x", "Enter data to replace. Use text, decimal numbers or hexadecimal numbers.", "AB-AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.search + " -> " + c.replacement);
        Start("AB-AB");
        answers.shown.clear();
        InReplaceWindow([&] {
            ChooseKind(ReplaceForm->DataKind, c.searchKind);
            ChooseKind(ReplaceForm->ReplaceKind, c.replaceKind);
            EXPECT_EQ(ReplaceForm->DataKind->ItemIndex(), c.searchKind);
            EXPECT_EQ(ReplaceForm->ReplaceKind->ItemIndex(), c.replaceKind);
            TypeData(ReplaceForm->DataEdit, c.search);
            TypeData(ReplaceForm->ReplaceEdit, c.replacement);
            Click(ReplaceForm->ReplaceAllButton);
        });
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_EQ(Bytes(), c.result);
        form.reset();
    }
}

TEST_F(SearchWindowsTest, ReplaceIsNotOfferedInReadOnlyMode) {
    TMainForm& f = Start("ABAB");
    FromMenu(f.Options1, f.ReadOnly1);
    bool shown = false;
    WhileShown during(ReplaceForm, [&] { shown = true; });
    FromMenu(f.Search1, f.Replace1);
    EXPECT_FALSE(f.Replace1->Enabled());
    EXPECT_FALSE(shown) << "Replace... is not offered in read-only mode";
    InSearchWindow([] {});
}

// The byte view's own keys for Replace (Ctrl+H) and Paste (Shift+Insert) are
// refused in read-only mode as every editing key is: no window, no question,
// no error, and the document, its undo list, its modified mark and the
// progress bar stay as they were; the third refused key tells where Read
// Only is switched off.
TEST_F(SearchWindowsTest, ReadOnlyRefusesTheReplaceAndPasteKeysOfTheByteView) {
    TMainForm& f = Start("ABAB");
    FromMenu(f.Options1, f.ReadOnly1);
    ASSERT_TRUE(f.ReadOnly1->Checked());
    // Longer than the document: pasting it would ask to grow the file first.
    TWin32Clipboard(f.Handle()).Put("WXYZWXYZ", nullptr);
    sysdialogs::Driver systemBoxes;  // an error the editor reported would show here
    bool replaceShown = false, progressLeft = false;
    {
        WhileShown during(ReplaceForm, [&] {
            replaceShown = true;
            TypeData(ReplaceForm->DataEdit, "A");
            TypeData(ReplaceForm->ReplaceEdit, "Z");
            Click(ReplaceForm->ReplaceAllButton);
            progressLeft = ReplaceForm->voortgang->TWinControl::Visible();
        });
        answers.plan = {KeyEnter, KeyEnter, KeyEnter};
        guitest::PressKey(f.ByteView->Handle(), 'H', ssCtrl);
        guitest::PressKey(f.ByteView->Handle(), VK_INSERT, ssShift);
        guitest::PumpUntilIdle();
    }
    EXPECT_FALSE(replaceShown) << "Ctrl+H opened the replace window";
    EXPECT_FALSE(progressLeft);
    EXPECT_TRUE(answers.shown.empty()) << LastMessage();
    EXPECT_TRUE(systemBoxes.seen.empty());
    guitest::TypeChar(f.ByteView->Handle(), 'x');
    ASSERT_EQ(answers.shown.size(), 1u) << "the third refused edit shows the hint";
    EXPECT_EQ(answers.shown[0].text, "The Read Only mode can be turned off in the Options menu.");
    EXPECT_EQ(Bytes(), "ABAB");
    EXPECT_FALSE(DataFile.canUndo());
    EXPECT_EQ(Modified, 0);
    EXPECT_EQ(f.GetCaption(), u"Tessaly - " + kFile);
}

// A byte half typed in the Decimal view ends where Paste (Shift+Insert) or
// Replace (Ctrl+H) moves the cursor: the next digit starts the byte there
// afresh, in an undo step of its own. Each time the byte the cursor lands
// on holds 2, so a typed 5 that went on with the old byte would make 25.
TEST_F(SearchWindowsTest, PasteAndReplaceEndTheByteBeingTyped) {
    {
        TMainForm& f = Start(std::string("\0\2\0\0", 4));
        FromMenu(f.View1, f.MenuView2);
        guitest::TypeChar(f.ByteView->Handle(), '2');
        TWin32Clipboard(f.Handle()).Put("Q", nullptr);
        guitest::PressKey(f.ByteView->Handle(), VK_INSERT, ssShift);
        ASSERT_EQ(f.CursorPosition(), 1);
        guitest::TypeChar(f.ByteView->Handle(), '5');
        EXPECT_EQ(Bytes(), std::string("Q\5\0\0", 4));
        FromMenu(f.Edit1, f.Undo1);
        EXPECT_EQ(Bytes(), std::string("Q\2\0\0", 4)) << "one Undo takes back the 5 alone";
        form.reset();
    }
    {
        TMainForm& f = Start(std::string("\0\2\2\0", 4));
        FromMenu(f.View1, f.MenuView2);
        guitest::TypeChar(f.ByteView->Handle(), '1');
        std::string replaced;
        {
            // Hexadecimal 02 by 07: the first press selects the hit at 1, the
            // second replaces it and selects the next one, at 2.
            WhileShown during(ReplaceForm, [&] {
                ChooseKind(ReplaceForm->DataKind, 2);
                ChooseKind(ReplaceForm->ReplaceKind, 2);
                TypeData(ReplaceForm->DataEdit, "02");
                TypeData(ReplaceForm->ReplaceEdit, "07");
                Click(ReplaceForm->Replace);
                Click(ReplaceForm->Replace);
                replaced = Bytes();
            });
            guitest::PressKey(f.ByteView->Handle(), 'H', ssCtrl);
            guitest::PumpUntilIdle();
        }
        ASSERT_EQ(replaced, std::string("\1\7\2\0", 4));
        ASSERT_EQ(f.CursorPosition(), 2);
        guitest::TypeChar(f.ByteView->Handle(), '5');
        EXPECT_TRUE(answers.shown.empty()) << LastMessage();
        EXPECT_EQ(Bytes(), std::string("\1\7\5\0", 4));
        FromMenu(f.Edit1, f.Undo1);
        EXPECT_EQ(Bytes(), std::string("\1\7\2\0", 4)) << "one Undo takes back the 5 alone";
    }
}

TEST_F(SearchWindowsTest, BothWindowsInEnglishAndDutch) {
    struct Case {
        std::string code, searchCaption, searchButton, replaceCaption, replaceAll, selectionBox;
    };
    const Case cases[] = {
        {"EN", "Search...", "Search", "Replace...", "Replace &All", "Replace within selection only"},
        {"NL", "Zoeken...", "Zoeken", "Vervangen...", "&Alles vervangen", "Alleen binnen de selectie vervangen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        LanguageSystem.code = c.code;
        LanguageSystem.loadLanguage(c.code);
        TMainForm& f = Start("Example: the village, with a selection");
        f.SelectionActive = 1;
        f.SelStart = 16;
        f.SelEnd = 31;
        std::string lower = c.code == "EN" ? "en" : "nl";
        InSearchWindow([&] {
            EXPECT_EQ(ZoekForm->Caption(), c.searchCaption);
            EXPECT_EQ(ZoekForm->SearchButton->Caption(), c.searchButton);
            EXPECT_TRUE(ZoekForm->SelectionCheckBox->TWinControl::Visible());
            TypeData(ZoekForm->DataEdit, "village");
            guitest::SaveScreenshot(ZoekForm->Handle(), guitest::ScreenshotPath("search_window_" + lower));
        });
        InReplaceWindow([&] {
            EXPECT_EQ(ReplaceForm->Caption(), c.replaceCaption);
            EXPECT_EQ(ReplaceForm->ReplaceAllButton->Caption(), c.replaceAll);
            EXPECT_EQ(ReplaceForm->SelectionCheckBox->Caption(), c.selectionBox);
            TypeData(ReplaceForm->DataEdit, "village");
            TypeData(ReplaceForm->ReplaceEdit, "town");
            Click(ReplaceForm->SearchButton);
            guitest::SaveScreenshot(ReplaceForm->Handle(), guitest::ScreenshotPath("replace_window_" + lower));
        });
        form.reset();
    }
}

// Without a main window the windows' hooks say that no routine is set.
TEST(SearchWindowsAlone, TheDefaultHooksSayNoRoutineIsSet) {
    Answerer answers;
    TZoekForm search(nullptr);
    search.Show();
    Click(search.SearchButton);
    EXPECT_EQ(search.DataEdit->Text(), "No search function defined, ERROR");
    search.Hide();
    TReplaceForm replace(nullptr);
    replace.Show();
    Click(replace.Replace);
    EXPECT_EQ(replace.DataEdit->Text(), "No replace function defined, ERROR");
    replace.Hide();
    EXPECT_TRUE(answers.shown.empty());
}

TEST_F(SearchWindowsTest, TheWindowsTakeTheLanguageChosenInTheMenu) {
    TMainForm& f = Start("ABAB");
    FromMenu(f.Language1, f.Nederlands1);
    std::string searchCaption, kind, replaceCaption, found;
    InSearchWindow([&] {
        searchCaption = ZoekForm->Caption();
        kind = ZoekForm->DataKind->Buttons(2)->Caption();
    });
    InReplaceWindow([&] {
        replaceCaption = ReplaceForm->Caption();
        found = ReplaceForm->FoundLabel->Caption();
    });
    EXPECT_EQ(searchCaption, "Zoeken...");
    EXPECT_EQ(kind, "Hexadecimaal");
    EXPECT_EQ(replaceCaption, "Vervangen...");
    EXPECT_EQ(found, "0 keer gevonden");
}

}  // namespace

namespace {

// The help key in either window, on its data line or on a button, asks the
// main window for that window's page of the manual.
TEST_F(SearchWindowsTest, F1AsksForEachWindowsHelpPage) {
    TMainForm& f = Start("ABAB");
    std::vector<std::string> helpStarts;
    f.StartProgram = [&](const std::string&, const std::string& parameter) { helpStarts.push_back(parameter); };
    InSearchWindow([&] {
        guitest::PressKey(ZoekForm->DataEdit->Handle(), VK_F1);
        guitest::PressKey(ZoekForm->CloseButton->Handle(), VK_F1);
    });
    InReplaceWindow([&] { guitest::PressKey(ReplaceForm->DataEdit->Handle(), VK_F1); });
    EXPECT_EQ(helpStarts, (std::vector<std::string>{"301", "301", "303"}));
    f.StartProgram = nullptr;
}

}  // namespace

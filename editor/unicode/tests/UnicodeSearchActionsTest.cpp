#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <functional>

#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxMessageDialog.h"
#include "editor/unicode/UvxStdActnsSearch.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/Application.h"

using namespace guitest;

namespace {
const std::u16string kMorning = u"\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1";  // "Καλημέρα"
const std::u16string kMorningLower = u"\u03BA\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1";
const std::u16string kWorld = u"\u03BA\u03CC\u03C3\u03BC\u03B5";  // "κόσμε"
const std::u16string kHello = u"\u0393\u03B5\u03B9\u03AC";      // "Γειά"

UINT_PTR PlanAnswer();

// A form with an edit box and a Search menu whose items are linked to the
// search actions: Find (Ctrl+F), Find First, Find Next (F3), Replace.
struct SearchForm {
    TControlTestForm form;
    TUvxEdit* edit = form.Put(new TUvxEdit(&form), 10, 10, 400, 22);
    TUvxMainMenu& menu = *new TUvxMainMenu(&form);
    TUvxMenuItem* search = new TUvxMenuItem(&form);
    TUvxMenuItem* findItem = new TUvxMenuItem(&form);
    TUvxMenuItem* firstItem = new TUvxMenuItem(&form);
    TUvxMenuItem* nextItem = new TUvxMenuItem(&form);
    TUvxMenuItem* replaceItem = new TUvxMenuItem(&form);
    TUvxSearchFind find{&form};
    TUvxSearchFindFirst findFirst{&form};
    TUvxSearchFindNext findNext{&form};
    TUvxSearchReplace replace{&form};

    explicit SearchForm(const std::u16string& text) {
        search->SetCaption(u"&\u0391\u03BD\u03B1\u03B6\u03AE\u03C4\u03B7\u03C3\u03B7");
        find.SetCaption(u"&\u0395\u03CD\u03C1\u03B5\u03C3\u03B7...");
        find.SetShortCut(ShortCut('F', ssCtrl));
        findFirst.SetCaption(u"\u03A0\u03C1\u03CE\u03C4\u03BF");
        findNext.SetCaption(u"\u0395\u03C0\u03CC\u03BC\u03B5\u03BD\u03BF");
        findNext.SetShortCut(ShortCut(VK_F3, 0));
        findNext.SetSearchFind(&find);
        replace.SetCaption(u"\u0391\u03BD\u03C4\u03B9\u03BA\u03B1\u03C4\u03AC\u03C3\u03C4\u03B1\u03C3\u03B7...");
        findItem->SetAction(&find);
        firstItem->SetAction(&findFirst);
        nextItem->SetAction(&findNext);
        replaceItem->SetAction(&replace);
        for (TUvxMenuItem* i : {findItem, firstItem, nextItem, replaceItem}) search->Add(i);
        menu.Items()->Add(search);
        form.SetMenu(&menu);
        form.ShowAndSettle();
        edit->SetText(text);
        edit->SetFocus();
        Caret(0);
    }
    void Caret(int at) {
        edit->SetSelStart(at);
        edit->SetSelLength(0);
        PumpUntilIdle();
    }
    // A person picks the item from the menu.
    void Choose(TUvxMenuItem* item) {
        UINT_PTR timer = PlanAnswer();
        PostMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
        PumpUntilIdle();
        KillTimer(nullptr, timer);
    }
    // A shortcut key typed in the edit box goes through the program's loop.
    void Shortcut(WORD key) {
        UINT_PTR timer = PlanAnswer();
        PostMessageA(edit->Handle(), WM_KEYDOWN, key, 1);
        PostMessageA(edit->Handle(), WM_KEYUP, key, 0xC0000001);
        Application->ProcessMessages();
        PumpUntilIdle();
        KillTimer(nullptr, timer);
    }
    std::pair<int, int> Selection() { return {edit->GetSelStart(), edit->GetSelLength()}; }
};

// Answers the message a search shows when it finds nothing, from a timer
// inside the message's modal loop; the text shown is kept.
struct NotFoundAnswer {
    static std::u16string& Shown() {
        static std::u16string shown;
        return shown;
    }
    static UINT_PTR Plan() {
        Shown() = u"<none>";
        return SetTimer(nullptr, 0, 100, Tick);
    }
    static BOOL CALLBACK FindMessage(HWND h, LPARAM p) {
        if (auto* f = dynamic_cast<TUvxMessageForm*>(TWinControl::FromHandle(h)); f && IsWindowVisible(h)) {
            *reinterpret_cast<TUvxMessageForm**>(p) = f;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        TUvxMessageForm* form = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindMessage, reinterpret_cast<LPARAM>(&form));
        if (!form) return;
        KillTimer(nullptr, id);
        Shown() = form->Message->GetCaption();
        PressKey(form->DefaultButton->Handle(), VK_RETURN);
    }
};
// The system's find or replace dialog: its fields and buttons.
struct DialogWindow {
    HWND dialog;
    void SetField(int id, const std::u16string& text) { SetDlgItemTextW(dialog, id, WC(text)); }
    void Check(int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
    // As a click: the button tells the dialog. A message the search shows
    // is answered, its text kept in NotFoundAnswer::Shown().
    void Press(int id) {
        UINT_PTR timer = PlanAnswer();
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        PumpUntilIdle();
        KillTimer(nullptr, timer);
    }
};

UINT_PTR PlanAnswer() { return NotFoundAnswer::Plan(); }
}  // namespace

TEST(UnicodeSearchActions, FindFromTheMenuSelectsGreekTextAndFindNextGoesOnByItsShortcut) {
    SearchForm f(kMorning + u" " + kWorld + u", " + kMorningLower + u"!");
    f.Choose(f.findItem);
    HWND dialog = f.find.GetDialog()->Handle();
    ASSERT_NE(dialog, nullptr) << "the find dialog shows";
    EXPECT_TRUE(IsWindowVisible(dialog));
    DialogWindow w{dialog};
    w.SetField(edt1, kMorningLower);
    SaveScreenshot(dialog, ScreenshotPath("search_find_dialog"));
    w.Press(IDOK);
    EXPECT_EQ(NotFoundAnswer::Shown(), u"<none>");
    EXPECT_EQ(f.Selection(), std::make_pair(0, 8)) << "found without regard to case";
    EXPECT_EQ(f.find.GetDialog()->GetFindText(), kMorningLower) << "the wide text arrived whole";
    w.Press(IDOK);
    EXPECT_EQ(f.Selection(), std::make_pair(16, 8));

    // Match case: only the lower-case one, from the start; F3 remembers it.
    f.Caret(0);
    w.Check(chx2, true);
    w.Press(IDOK);
    EXPECT_EQ(f.Selection(), std::make_pair(16, 8)) << "the upper-case one is passed over";
    w.Press(IDCANCEL);
    EXPECT_EQ(f.find.GetDialog()->Handle(), nullptr) << "closed";
    f.edit->SetFocus();
    f.Caret(0);
    f.Shortcut(VK_F3);
    EXPECT_EQ(f.Selection(), std::make_pair(16, 8)) << "F3 finds the next match with the dialog's choices";
    SaveScreenshot(f.form.Handle(), ScreenshotPath("search_found_in_edit"));

    // Upward from the end: the last match first.
    f.Caret(25);
    f.Choose(f.findItem);
    w.dialog = f.find.GetDialog()->Handle();
    ASSERT_NE(w.dialog, nullptr);
    w.Check(chx2, false);
    CheckRadioButton(w.dialog, rad1, rad2, rad1);
    w.Press(IDOK);
    EXPECT_EQ(f.Selection(), std::make_pair(16, 8));
    w.Press(IDOK);
    EXPECT_EQ(f.Selection(), std::make_pair(0, 8));
    // Esc typed in the dialog closes it.
    PostMessageA(GetDlgItem(w.dialog, edt1), WM_KEYDOWN, VK_ESCAPE, 1);
    Application->ProcessMessages();
    PumpUntilIdle();
    EXPECT_EQ(f.find.GetDialog()->Handle(), nullptr);
    EXPECT_FALSE(IsWindow(w.dialog));
}

TEST(UnicodeSearchActions, NothingFoundIsToldWithTheWideTextAndTheSelectionStays) {
    SearchForm f(kMorning + u" " + kWorld);
    f.Caret(2);
    f.Choose(f.findItem);
    DialogWindow w{f.find.GetDialog()->Handle()};
    ASSERT_NE(w.dialog, nullptr);
    w.SetField(edt1, kHello);
    w.Press(IDOK);
    EXPECT_EQ(NotFoundAnswer::Shown(), u"Text not found: \"" + kHello + u"\"");
    EXPECT_EQ(f.Selection(), std::make_pair(2, 0));
    w.Press(IDCANCEL);
}

TEST(UnicodeSearchActions, ReplaceAllAndReplaceOneByOneInTheEdit) {
    SearchForm f(kMorning + u" " + kWorld + u", " + kMorningLower + u"!");
    f.Choose(f.replaceItem);
    DialogWindow w{f.replace.GetDialog()->Handle()};
    ASSERT_NE(w.dialog, nullptr) << "the replace dialog shows";
    w.SetField(edt1, kMorningLower);
    w.SetField(edt2, kHello + u" " + kMorning);
    SaveScreenshot(w.dialog, ScreenshotPath("search_replace_dialog"));
    w.Press(psh2);  // Replace All
    EXPECT_EQ(f.edit->GetText(), kHello + u" " + kMorning + u" " + kWorld + u", " + kHello + u" " + kMorning + u"!")
        << "every match once, also where the replacement holds the text looked for";
    EXPECT_EQ(f.replace.GetDialog()->GetReplaceText(), kHello + u" " + kMorning);

    // One by one: the first press finds, each further one replaces and finds on.
    f.edit->SetText(u"\u03B1\u03B2 \u03B1\u03B2 \u03B1\u03B2");
    f.Caret(0);
    w.SetField(edt1, u"\u03B1\u03B2");
    w.SetField(edt2, u"\u03C9");
    w.Press(psh1);
    EXPECT_EQ(f.edit->GetText(), u"\u03B1\u03B2 \u03B1\u03B2 \u03B1\u03B2") << "nothing selected: found only";
    EXPECT_EQ(f.Selection(), std::make_pair(0, 2));
    w.Press(psh1);
    EXPECT_EQ(f.edit->GetText(), u"\u03C9 \u03B1\u03B2 \u03B1\u03B2");
    EXPECT_EQ(f.Selection(), std::make_pair(2, 2)) << "the next one is selected";
    w.Press(IDCANCEL);
}

TEST(UnicodeSearchActions, FindFirstBeginsAtTheStartThenGoesOn) {
    const std::u16string ab = u"\u03B1\u03B2";
    SearchForm f(ab + u" " + kWorld + u" " + ab);
    f.Caret(4);
    f.Choose(f.firstItem);
    DialogWindow w{f.findFirst.GetDialog()->Handle()};
    ASSERT_NE(w.dialog, nullptr);
    w.SetField(edt1, ab);
    w.Press(IDOK);
    EXPECT_EQ(f.Selection(), std::make_pair(0, 2)) << "from the start, not from the caret";
    w.Press(IDOK);
    EXPECT_EQ(f.Selection(), std::make_pair(9, 2));
    w.Press(IDCANCEL);
}

TEST(UnicodeSearchActions, EnabledStateFollowsTheEditAndTheFindText) {
    SearchForm f(u"");
    f.find.Update();
    EXPECT_FALSE(f.find.Enabled()) << "nothing to search in";
    f.findNext.Update();
    EXPECT_FALSE(f.findNext.Enabled()) << "nothing to find yet";
    f.edit->SetText(kWorld);
    f.find.Update();
    EXPECT_TRUE(f.find.Enabled());
    f.find.GetDialog()->SetFindText(kWorld);
    f.findNext.Update();
    EXPECT_TRUE(f.findNext.Enabled());
    f.find.SetEnabled(false);
    f.findNext.Update();
    EXPECT_FALSE(f.findNext.Enabled()) << "follows its find action";
}

TEST(UnicodeSearchActions, AnEditFreedWhileTheDialogIsOpenIsNoLongerSearched) {
    SearchForm f(kWorld);
    f.Choose(f.findItem);
    DialogWindow w{f.find.GetDialog()->Handle()};
    ASSERT_NE(w.dialog, nullptr);
    EXPECT_EQ(f.find.Control(), f.edit);
    delete f.edit;
    EXPECT_EQ(f.find.Control(), nullptr);
    w.SetField(edt1, kWorld);
    w.Press(IDOK);  // nothing to search: no message, no crash
    w.Press(IDCANCEL);
}

TEST(UnicodeSearchActions, AssignFromTheFrameworkFindNextKeepsItsFindActionCaptionAndHint) {
    TSearchFind plainFind(nullptr);
    TSearchFindNext plain(nullptr);
    plain.SetSearchFind(&plainFind);
    plain.SetCaption("Find &Next");
    plain.SetHint("Find next|Finds the text again");
    TUvxSearchFindNext wide(nullptr);
    wide.Assign(&plain);
    EXPECT_EQ(wide.SearchFind(), &plainFind);
    EXPECT_EQ(wide.GetCaption(), u"Find &Next");
    EXPECT_EQ(wide.GetHint(), u"Find next|Finds the text again");

    TUvxSearchFind find(nullptr);
    TUvxSearchReplace replace(nullptr);
    EXPECT_NE(dynamic_cast<TUvxFindDialog*>(find.Dialog()), nullptr);
    EXPECT_NE(dynamic_cast<TUvxReplaceDialog*>(replace.Dialog()), nullptr);
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/unicode/UvxComboBox.h"
#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxStringUtils.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"

using namespace guitest;

namespace {
const std::u16string kGreek = u"\u0391\u03BB\u03C6\u03B1 \u0392\u03AE\u03C4\u03B1";  // Άλφα Βήτα

// A memo that counts the texts set in its window.
class TCountingMemo : public TUvxMemo {
public:
    using TUvxMemo::TUvxMemo;
    int TextsSet = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SETTEXT) ++TextsSet;
        return TUvxMemo::WndProc(msg, wParam, lParam);
    }
};
}  // namespace

TEST(UnicodeEdits, WideTextSurvivesRecreationAndTakesWideKeys) {
    TControlTestForm form;
    auto* edit = form.Put(new TUvxEdit(&form), 10, 10, 200, 22);
    edit->SetText(kGreek);
    HWND h = edit->Handle();
    EXPECT_TRUE(IsWindowUnicode(h));
    EXPECT_EQ(WideWindowText(h), kGreek);
    EXPECT_EQ(edit->Text(), "??fa ??ta");
    edit->RecreateWnd();
    EXPECT_EQ(edit->GetText(), kGreek);
    form.ShowAndSettle();
    edit->SetFocus();
    edit->SetSelStart(static_cast<int>(kGreek.size()));
    PostMessageW(edit->Handle(), WM_CHAR, u'\u0416', 1);  // through the 8-bit loop, caught by the hook
    PostMessageW(edit->Handle(), WM_CHAR, u'\u00E9', 1);
    Application->ProcessMessages();
    EXPECT_EQ(edit->GetText(), kGreek + u"\u0416\u00E9");
}

TEST(UnicodeEdits, SelectionCountsWideCharacters) {
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        TControlTestForm form;
        auto* edit = form.Put(new TUvxEdit(&form), 10, 10, 200, 22);
        const std::u16string text = wide ? kGreek : u"caf\u00E9 cr\u00E8me";
        edit->SetText(text);
        edit->SetSelStart(2);
        edit->SetSelLength(5);
        EXPECT_EQ(edit->GetSelStart(), 2);
        EXPECT_EQ(edit->GetSelLength(), 5);
        EXPECT_EQ(edit->GetSelText(), text.substr(2, 5));
        edit->SetSelText(u"\u00E6");
        EXPECT_EQ(edit->GetText(), text.substr(0, 2) + u"\u00E6" + text.substr(7));
        EXPECT_EQ(edit->GetSelStart(), 3) << "the caret after the inserted text";
        EXPECT_EQ(edit->GetSelLength(), 0);
    }
}

TEST(UnicodeEdits, WidePasswordCharacterAndTheFrameworksCopy) {
    TControlTestForm form;
    auto* edit = form.Put(new TUvxEdit(&form), 10, 10, 200, 22);
    edit->SetText(u"secret");
    edit->Handle();
    edit->SetPasswordChar(u'\u25CF');  // a black circle, outside the 8-bit code page
    EXPECT_EQ(edit->GetPasswordChar(), u'\u25CF');
    EXPECT_EQ(edit->PasswordChar(), '*') << "the framework keeps \"*\"";
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0x25CF) << "the window shows the wide one";
    form.ShowAndSettle();
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_password_edit"));
    edit->TCustomEdit::SetPasswordChar('#');
    EXPECT_EQ(edit->GetPasswordChar(), u'#') << "a change through the framework is followed";
    edit->SetPasswordChar(u'\u00D7');
    EXPECT_EQ(edit->PasswordChar(), '\xD7') << "below 256 the framework keeps the character itself";
    edit->RecreateWnd();
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0xD7);
}

TEST(UnicodeMemos, LinesAreWideAndInsertingPastTheEndAppends) {
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        TControlTestForm form;
        auto* memo = form.Put(new TUvxMemo(&form), 10, 10, 300, 120);
        TUvxStrings* lines = memo->WideLines();
        const std::u16string one = wide ? u"\u0395\u03BD\u03B1" : u"\u00E9n";
        const std::u16string two = wide ? u"\u0394\u03CD\u03BF" : u"d\u00FC";
        memo->SetText(one + u"\r\n" + two);
        EXPECT_EQ(lines->Count(), 2);
        EXPECT_EQ(lines->Get(0), one);
        EXPECT_EQ(lines->Get(1), two);
        lines->Insert(2, u"3");
        EXPECT_EQ(memo->GetText(), one + u"\r\n" + two + u"\r\n3") << "CR LF and the text after the last line";
        lines->Insert(1, u"x");
        EXPECT_EQ(memo->GetText(), one + u"\r\nx\r\n" + two + u"\r\n3");
        lines->Put(0, two);
        EXPECT_EQ(lines->Get(0), two);
        lines->Insert(-1, u"never");
        EXPECT_EQ(lines->Count(), 4);
        memo->SetText(one + u"\r\n");
        lines->Insert(2, u"nothing");
        EXPECT_EQ(memo->GetText(), one + u"\r\n") << "after an empty last line nothing is inserted";
        lines->Delete(0);
        EXPECT_EQ(lines->Count(), 0);
    }
}

TEST(UnicodeMemos, AssigningTheTextItHasSetsNothing) {
    TControlTestForm form;
    auto* memo = form.Put(new TCountingMemo(&form), 10, 10, 300, 120);
    memo->Handle();
    memo->WideLines()->SetText(u"\u0391\n\u0392");
    EXPECT_EQ(memo->GetText(), u"\u0391\r\n\u0392") << "line breaks become CR LF";
    int set = memo->TextsSet;
    EXPECT_GT(set, 0);
    memo->WideLines()->SetText(u"\u0391\r\u0392");
    memo->WideLines()->SetText(u"\u0391\r\n\u0392");
    EXPECT_EQ(memo->TextsSet, set) << "the same text after conversion is not set again";
    memo->WideLines()->SetText(u"\u0393");
    EXPECT_EQ(memo->TextsSet, set + 1);
}

TEST(UnicodeMemos, ALineLongerThan65535CharactersIsRefused) {
    TControlTestForm form;
    auto* memo = form.Put(new TUvxMemo(&form), 10, 10, 300, 120);
    memo->WordWrap = false;  // one line of text stays one line
    memo->Handle();
    memo->SetText(std::u16string(70000, u'\u0416'));
    try {
        memo->WideLines()->Get(0);
        ADD_FAILURE() << "nothing raised";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Line too long");
    }
    memo->SetText(std::u16string(65535, u'\u0416'));
    EXPECT_EQ(memo->WideLines()->Get(0).size(), 65535u);
}

// Any program can post a character message with a high word the layer never
// makes: the windows take it as their own default handling does, no error
// reaches the application, and typing goes on.
TEST(UnicodeEdits, ACharacterMessageInAStrangeFormRaisesNoError) {
    TControlTestForm form;
    auto* edit = form.Put(new TUvxEdit(&form), 10, 10, 200, 22);
    auto* combo = form.Put(new TUvxComboBox(&form), 10, 40, 200, 22);
    combo->SetStyle(csDropDown);
    form.ShowAndSettle();
    ASSERT_NE(combo->EditHandle(), nullptr);
    std::vector<std::string> errors;
    TExceptionEvent saved = Application->OnException;
    Application->OnException = [&](TObject*, Exception& e) { errors.push_back(e.Message); };
    for (HWND h : {edit->Handle(), combo->EditHandle()}) {
        SetFocus(h);
        PostMessageW(h, WM_CHAR, 0x00410042, 1);  // through the message loop
        SendMessageW(h, WM_CHAR, 0x12340043, 1);  // straight to the window
        PostMessageW(h, WM_CHAR, u'\u0416', 1);
        Application->ProcessMessages();
    }
    Application->OnException = saved;
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(UvxWideLastChar(edit->GetText()), u'\u0416');
    EXPECT_EQ(UvxWideLastChar(combo->GetText()), u'\u0416');
}

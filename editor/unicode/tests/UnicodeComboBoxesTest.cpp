#include <gtest/gtest.h>

#include "editor/unicode/UvxComboBox.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/tests/EightBitPlatform.h"

using namespace guitest;

namespace {
const std::u16string kAlpha = u"\u0391\u03BB\u03C6\u03B1";           // Alpha
const std::u16string kAlps = u"\u0391\u03BB\u03C0\u03B5\u03B9\u03C2";  // Alps
const std::u16string kBeta = u"\u0392\u03AE\u03C4\u03B1";             // Beta
const std::u16string kAltar = u"\u0392\u03C9\u03BC\u03CC\u03C2";      // altar
const std::u16string kGamma = u"\u0393\u03AC\u03BC\u03BC\u03B1";      // Gamma
const std::u16string kOde = u"\u03C9\u03B4\u03AE";                    // ode

// The auto-search clock, moved by the tests.
uint32_t g_now = 100000;
uint32_t TestClock() { return g_now; }
struct TestClockScope {
    TestClockScope() { UvxCombo_TickCount = &TestClock; }
    ~TestClockScope() { UvxCombo_TickCount = [] { return uint32_t(GetTickCount()); }; }
};

TUvxComboBox* NewCombo(TControlTestForm& form, int top, TComboBoxStyle style) {
    auto* combo = form.Put(new TUvxComboBox(&form), 10, top, 220, 21);
    combo->SetStyle(style);
    combo->Handle();
    return combo;
}

void AddItems(TUvxComboBox* combo, std::initializer_list<std::u16string> items) {
    for (const auto& item : items) combo->Items()->Add(item);
}

// A character typed where the keyboard's focus would send it.
void Type(HWND window, char16_t c) {
    PostMessageW(window, WM_CHAR, c, 1);
    PumpUntilIdle(0, 500);
}
}  // namespace

TEST(UnicodeComboBoxes, AutoSearchInADropDownListExtendsTheFilterUntilAPause) {
    TestClockScope clock;
    TControlTestForm form;
    TUvxComboBox* combo = NewCombo(form, 10, csDropDownList);
    AddItems(combo, {kAlpha, kAlps, kBeta, kAltar, kGamma, kOde});
    form.ShowAndSettle();
    combo->SetFocus();
    int selects = 0;
    combo->OnSelect = [&](TObject*) { ++selects; };
    HWND h = combo->Handle();
    EXPECT_TRUE(IsWindowUnicode(h));

    struct Step { uint32_t after; char16_t c; int index; const char* why; };
    const Step steps[] = {
        {0, u'\u0391', 0, "the first item beginning with the letter"},
        {100, u'\u03BB', 0, "both letters still fit the first item"},
        {100, u'\u03C0', 1, "the third letter picks the first item beginning with all three"},
        {1249, u'\u03C6', 1, "within the pause the filter grows, and matches nothing"},
        {1250, u'\u0392', 2, "after the pause the filter starts again"},
        {10, u'x', 2, "a letter that matches nothing changes nothing"},
        {10, u'\u03C9', 3, "and did not extend the filter: Beta-omega is found, not the ode"},
    };
    for (const Step& s : steps) {
        g_now += s.after;
            Type(h, s.c);
        EXPECT_EQ(combo->ItemIndex(), s.index) << s.why;
    }
    EXPECT_EQ(combo->GetText(), kAltar);
    EXPECT_EQ(selects, 4) << "each change of item is announced once";

    combo->AutoComplete = false;
    g_now += 5000;
    Type(h, u'\u0393');
    EXPECT_EQ(combo->ItemIndex(), 4) << "without auto-search the window's own first-letter search runs";
}

TEST(UnicodeComboBoxes, AutoCompleteAtTheEndKeepsTheTypedCaseAndSelectsTheRest) {
    TControlTestForm form;
    TUvxComboBox* combo = NewCombo(form, 10, csDropDown);
    // Wine folds the case of Latin letters only: the typed letters are Latin.
    AddItems(combo, {u"Alpha \u03B1", u"Alps \u03B2", kBeta});
    form.ShowAndSettle();
    HWND edit = combo->EditHandle();
    ASSERT_TRUE(edit);
    EXPECT_TRUE(IsWindowUnicode(edit));
    EXPECT_TRUE(IsWindowUnicode(combo->ListHandle()));
    SetFocus(edit);

    struct Step { char16_t c; std::u16string text; int selStart, selLength; };
    const Step steps[] = {
        {u'a', u"alpha \u03B1", 1, 6},  // a small a completes to Alpha, the a kept small
        {u'l', u"alpha \u03B1", 2, 5},
        {u'p', u"alpha \u03B1", 3, 4},
        {u's', u"alps \u03B2", 4, 2},   // now Alps
        {u'z', u"alpsz", 5, 0},          // nothing fits: typed as is
    };
    for (const Step& s : steps) {
        Type(edit, s.c);
        EXPECT_EQ(combo->GetText(), s.text);
        EXPECT_EQ(combo->GetSelStart(), s.selStart);
        EXPECT_EQ(combo->GetSelLength(), s.selLength);
    }

    // Typing in the middle completes nothing.
    combo->SetText(u"\u0392\u03C4\u03B1");
    combo->SetSelStart(1);
    combo->SetSelLength(0);
    Type(edit, u'\u03AE');
    EXPECT_EQ(combo->GetText(), kBeta);
    EXPECT_EQ(combo->GetSelLength(), 0);
    EXPECT_EQ(combo->GetSelStart(), 2);
}

TEST(UnicodeComboBoxes, EnterOrEscWithTheListDroppedOnlyCloseIt) {
    TControlTestForm form;
    TUvxComboBox* combo = NewCombo(form, 10, csDropDown);
    AddItems(combo, {kAlpha, kBeta});
    form.ShowAndSettle();
    HWND edit = combo->EditHandle();
    int keys = 0;
    combo->OnKeyPress = [&](TObject*, char&) { ++keys; };
    for (char16_t key : {u'\r', u'\x1b'}) {
        combo->SetText(kGamma);
        combo->SetDroppedDown(true);
        PumpUntilIdle(0, 300);
        ASSERT_TRUE(combo->DroppedDown());
        SendMessageW(edit, WM_CHAR, key, 1);
        EXPECT_FALSE(combo->DroppedDown()) << int(key);
        EXPECT_EQ(combo->GetText(), kGamma) << "the text stays as it was";
    }
    EXPECT_EQ(keys, 2) << "the key events still see the keys";
}

TEST(UnicodeComboBoxes, ItemsIndexAndWideTextSurviveANewWindow) {
    TControlTestForm form;
    TUvxComboBox* combo = NewCombo(form, 10, csDropDown);
    AddItems(combo, {kAlpha, kBeta, kGamma});
    combo->Items()->PutObject(1, reinterpret_cast<TObject*>(42));
    combo->SetItemIndex(1);
    form.ShowAndSettle();
    HWND first = combo->Handle();
    HWND firstList = combo->ListHandle();

    combo->SetStyle(csSimple);
    EXPECT_NE(combo->Handle(), first);
    EXPECT_FALSE(IsWindow(firstList)) << "the old drop-down list went with its combo box";
    EXPECT_TRUE(IsWindowUnicode(combo->Handle()));
    ASSERT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->Items()->Get(0), kAlpha);
    EXPECT_EQ(combo->Items()->Get(2), kGamma);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), kBeta);

    combo->SetText(u"\u0394\u03AD\u03BB\u03C4\u03B1!");
    combo->SetStyle(csDropDown);
    EXPECT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->GetText(), u"\u0394\u03AD\u03BB\u03C4\u03B1!") << "a text that is no item stays too";

    combo->SetStyle(csDropDownList);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->GetText(), kBeta) << "a list style shows its item";
    EXPECT_EQ(combo->GetSelText(), u"") << "and has no selected text";
}

TEST(UnicodeComboBoxes, ClearKeepsTheTextAndAChosenItemShowsWide) {
    TControlTestForm form;
    TUvxComboBox* combo = NewCombo(form, 10, csDropDown);
    AddItems(combo, {kAlpha, kBeta});
    form.ShowAndSettle();
    int clicks = 0;
    combo->OnClick = [&](TObject*) { ++clicks; };
    SetFocus(combo->EditHandle());
    PostMessageW(combo->EditHandle(), WM_KEYDOWN, VK_DOWN, 0);
    PumpUntilIdle(0, 500);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->GetText(), kAlpha) << "the chosen item's text, wide";
    EXPECT_EQ(clicks, 1);

    combo->SetText(kGamma);
    combo->Items()->Clear();
    EXPECT_EQ(combo->Items()->Count(), 0);
    EXPECT_EQ(combo->GetText(), kGamma);
    EXPECT_EQ(combo->Items()->IndexOf(kAlpha), -1);
    EXPECT_EQ(combo->Items()->Get(5), u"") << "no index error";

    // AddItem cuts at a NUL; CopySelection hands item and object on.
    TUvxComboBox* other = NewCombo(form, 60, csDropDownList);
    combo->AddItem(std::u16string(u"\u0394\u03AD\u03BB\u03C4\u03B1\0x", 7), reinterpret_cast<TObject*>(9));
    combo->SetItemIndex(0);
    combo->CopySelection(other);
    ASSERT_EQ(other->Items()->Count(), 1);
    EXPECT_EQ(other->Items()->Get(0), u"\u0394\u03AD\u03BB\u03C4\u03B1");
    EXPECT_EQ(other->Items()->GetObject(0), reinterpret_cast<TObject*>(9));
}

TEST(UnicodeComboBoxes, EightBitPlatformItemsPassThroughTheCodePage) {
    EightBitPlatform eightBit;
    TControlTestForm form;
    TUvxComboBox* combo = NewCombo(form, 10, csDropDown);
    EXPECT_FALSE(IsWindowUnicode(combo->Handle()));
    combo->Items()->Add(u"Caf\u00E9 \u0394");
    combo->Items()->Add(u"Cab");
    EXPECT_EQ(combo->Items()->Get(0), u"Caf\u00E9 ?");
    EXPECT_EQ(combo->Items()->IndexOf(u"cab"), 1);
    form.ShowAndSettle();
    SetFocus(combo->EditHandle());
    Type(combo->EditHandle(), u'c');
    Type(combo->EditHandle(), u'a');
    Type(combo->EditHandle(), u'f');
    EXPECT_EQ(combo->GetText(), u"caf\u00E9 ?");
    EXPECT_EQ(combo->GetSelStart(), 3);
    EXPECT_EQ(combo->GetSelLength(), 3);
}

TEST(UnicodeComboBoxes, OwnerDrawnItemsShowTheirWideTexts) {
    TControlTestForm form;
    TUvxComboBox* plain = NewCombo(form, 10, csDropDown);
    AddItems(plain, {kAlpha, kBeta, kGamma});
    plain->SetItemIndex(2);
    TUvxComboBox* drawn = NewCombo(form, 50, csOwnerDrawFixed);
    AddItems(drawn, {kAlpha, kBeta, kGamma});
    drawn->SetItemIndex(1);
    form.ShowAndSettle();
    drawn->SetFocus();
    PumpUntilIdle();
    TPixels p = GrabClient(drawn->Handle());
    int text = 0;
    for (COLORREF c : p.Data) text += c == GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_GT(text, 15) << "the chosen item is drawn in the selection's text colour";
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_combo_boxes"));
}

TEST(UnicodeComboBoxes, VariableHeightItemsAreMeasuredAsTheyCome) {
    TControlTestForm form;
    form.ShowAndSettle();
    TUvxComboBox* combo = NewCombo(form, 10, csOwnerDrawVariable);
    std::vector<int> asked;
    combo->OnMeasureItem = [&](TWinControl* control, int index, int& height) {
        EXPECT_EQ(control, combo);
        asked.push_back(index);
        height = 15 + 5 * index;
    };
    AddItems(combo, {kOde, u"\u03B1\u03B2", u"\u03B3\u03B4"});
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, i, 0), 15 + 5 * i) << i;

    TUvxComboBox* fixed = NewCombo(form, 60, csOwnerDrawFixed);
    fixed->ItemHeight = 21;
    fixed->RecreateWnd();
    AddItems(fixed, {kOde});
    EXPECT_EQ(SendMessageW(fixed->Handle(), CB_GETITEMHEIGHT, 0, 0), 21) << "a fixed style takes the item height";
}

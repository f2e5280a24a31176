#include <gtest/gtest.h>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxRadioGroup.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/CustomEdit.h"
#include "framework/Filer.h"
#include "framework/Streams.h"

using namespace guitest;

namespace {
// Alt and a letter as the keyboard gives it: WM_SYSKEYDOWN, which the loop
// translates to WM_SYSCHAR for the focused control.
void PressAlt(HWND focused, char letter) {
    PostMessageA(focused, WM_SYSKEYDOWN, static_cast<WPARAM>(letter), 0x20000001);
    PumpUntilIdle(10);
    PostMessageA(focused, WM_SYSKEYUP, static_cast<WPARAM>(letter), 0xE0000001);
    PumpUntilIdle(10);
}

// The rows and columns where the colour lies in a strip of the pixels.
std::vector<int> ColumnsWith(const TPixels& p, int y, COLORREF colour) {
    std::vector<int> xs;
    for (int x = 0; x < p.Width; ++x)
        if (p.At(x, y) == colour) xs.push_back(x);
    return xs;
}
}  // namespace

TEST(UnicodeButtons, AcceleratorsFocusAndToggleCheckBoxesFocusRadioButtonsAndClickButtons) {
    TControlTestForm form;
    auto* edit = form.Put(new TCustomEdit(&form), 10, 10, 100, 22);
    auto* check = form.Put(new TUvxCheckBox(&form), 10, 40, 200, 20);
    check->SetCaption(u"&Check \u0388\u03BB\u03B5\u03B3\u03C7\u03BF\u03C2");
    auto* radio = form.Put(new TUvxRadioButton(&form), 10, 70, 200, 20);
    radio->SetCaption(u"&Radio \u03A1\u03AC\u03B4\u03B9\u03BF");
    auto* button = form.Put(new TUvxButton(&form), 10, 100, 120, 26);
    button->SetCaption(u"&Go \u03A0\u03AC\u03BC\u03B5");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    auto* group = form.Put(new TUvxGroupBox(&form), 250, 10, 200, 100);
    group->SetCaption(u"\u039F&\u03BC\u03AC\u03B4\u03B1");  // hotkey μ
    auto* inner = new TCustomEdit(group);
    inner->SetParent(group);
    inner->SetBounds(10, 30, 100, 22);
    form.ShowAndSettle();

    edit->SetFocus();
    PressAlt(edit->Handle(), 'C');
    EXPECT_TRUE(check->Focused());
    EXPECT_TRUE(check->Checked()) << "the accelerator toggles a check box";
    PressAlt(check->Handle(), 'R');
    EXPECT_TRUE(radio->Focused());
    EXPECT_FALSE(radio->Checked()) << "a radio button only takes the focus";
    PressAlt(radio->Handle(), 'G');
    EXPECT_EQ(clicks, 1);
    SendMessageW(GetFocus(), WM_SYSCHAR, u'\u039C', 0x20000001);  // Alt+Μ, upper case of the hotkey
    EXPECT_TRUE(inner->Focused()) << "a group box focuses its first control";
    PressAlt(inner->Handle(), 'C');
    EXPECT_FALSE(check->Checked()) << "toggled back";
    PressAlt(check->Handle(), 'Q');
    EXPECT_TRUE(check->Focused()) << "no control has Q";
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_buttons"));
}

TEST(UnicodeButtons, WideCaptionsOnBothPlatforms) {
    const std::u16string caption = u"\u039A\u03BF\u03C5\u03BC\u03C0\u03AF";
    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        TControlTestForm form;
        TWinControl* controls[] = {form.Put(new TUvxButton(&form), 10, 10, 100, 24),
                                   form.Put(new TUvxCheckBox(&form), 10, 40, 100, 20),
                                   form.Put(new TUvxRadioButton(&form), 10, 70, 100, 20),
                                   form.Put(new TUvxGroupBox(&form), 10, 100, 100, 60)};
        for (TWinControl* c : controls) {
            UvxControl_SetText(c, caption);
            EXPECT_EQ(IsWindowUnicode(c->Handle()) != 0, wide) << c->ClassName();
            EXPECT_EQ(UvxControl_GetText(c), wide ? caption : u"???\u00B5p?") << c->ClassName();
            c->RecreateWnd();
            EXPECT_EQ(WideWindowText(c->Handle()), wide ? caption : u"???\u00B5p?") << c->ClassName();
        }
        auto* bar = form.Put(new TUvxScrollBar(&form), 10, 170, 200, 16);
        bar->SetHint(u"\u039C\u03C0\u03AC\u03C1\u03B1");
        bar->SetParams(30, 0, 50);
        EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 30);
        EXPECT_EQ(bar->GetHint(), wide ? u"\u039C\u03C0\u03AC\u03C1\u03B1" : u"?p??a");
    }
}

TEST(UnicodeGroupBoxes, FrameGapAndRightToLeftCaption) {
    TControlTestForm form;
    auto* bare = form.Put(new TUvxGroupBox(&form), 10, 10, 200, 80);
    auto* titled = form.Put(new TUvxGroupBox(&form), 10, 100, 200, 80);
    titled->SetCaption(u"\u03A4\u03AF\u03C4\u03BB\u03BF\u03C2");
    auto* mirrored = form.Put(new TUvxGroupBox(&form), 10, 190, 200, 80);
    mirrored->SetCaption(u"\u03A4\u03AF\u03C4\u03BB\u03BF\u03C2");
    mirrored->BiDiMode = bdRightToLeft;
    form.ShowAndSettle();
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    HDC dc = GetDC(bare->Handle());
    SelectObject(dc, bare->Font.Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    ReleaseDC(bare->Handle(), dc);
    int frameTop = tm.tmHeight / 2 - 1;

    TPixels p = GrabClient(bare->Handle());
    EXPECT_EQ(ColumnsWith(p, frameTop, shadow).size(), static_cast<size_t>(p.Width - 1))
        << "without caption the top edge has no gap";
    p = GrabClient(titled->Handle());
    std::vector<int> edge = ColumnsWith(p, frameTop, shadow);
    EXPECT_LT(edge.size(), static_cast<size_t>(p.Width - 20)) << "the caption interrupts the top edge";
    EXPECT_EQ(edge.front(), 0);
    ASSERT_GT(edge.size(), 8u);
    EXPECT_EQ(edge[7], 7);
    EXPECT_GT(edge[8], 9) << "the gap starts 8 pixels in";

    p = GrabClient(mirrored->Handle());
    edge = ColumnsWith(p, frameTop, shadow);
    // The gap ends 8 pixels before the frame's right edge (the client width less one).
    int gapEnd = -1;
    for (size_t i = 1; i < edge.size(); ++i)
        if (edge[i] != edge[i - 1] + 1) gapEnd = edge[i];
    EXPECT_EQ(gapEnd, p.Width - 1 - 8) << "right-to-left: the caption sits 8 pixels from the right edge";
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_group_boxes"));
}

TEST(UnicodeRadioGroups, ColumnsAndItemIndexAreClamped) {
    TControlTestForm form;
    auto* group = form.Put(new TUvxRadioGroup(&form), 10, 10, 300, 150);
    group->Handle();
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
    group->SetColumns(20);
    EXPECT_EQ(group->Columns(), 16);
    for (const char16_t* item : {u"\u0391", u"\u0392", u"\u0393"}) group->Items()->Add(item);
    EXPECT_EQ(group->ButtonCount(), 3);
    group->SetItemIndex(5);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(group->Buttons(2)->Checked());
    group->SetItemIndex(-7);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Buttons(2)->Checked());
    group->SetItemIndex(2);
    group->Items()->Delete(2);
    EXPECT_EQ(group->ItemIndex(), 1) << "removing the item moves the index to the last one";
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(1)->GetCaption(), u"\u0392");
}

// A layout may name an item index the items do not reach: once read, the
// index lies on the last item (or on none), as when it is set directly.
TEST(UnicodeRadioGroups, ALayoutsItemIndexPastTheItemsIsClamped) {
    const struct {
        const char* itemIndex;
        int expected;
    } cases[] = {{"3", 2}, {"7", 2}, {"2147483647", 2}, {"1", 1}, {"-1", -1}, {"-9", -1}};
    for (const auto& c : cases) {
        TControlTestForm form;
        auto* group = form.Put(new TUvxRadioGroup(&form), 10, 10, 300, 150);
        group->Handle();
        const std::string layout = std::string("Items.Strings = (W#913 W#914 W#915)\r\nItemIndex = ") + c.itemIndex +
                                   "\r\nColumns = 2\r\nend\r\n";
        TMemoryStream m;
        m.WriteBuffer(layout.data(), static_cast<int32_t>(layout.size()));
        m.SetPosition(0);
        group->ReadState([&] { TReader(m).ReadProperties(*group); });
        ASSERT_EQ(group->ButtonCount(), 3) << c.itemIndex;
        EXPECT_EQ(group->Columns(), 2);
        EXPECT_EQ(group->ItemIndex(), c.expected) << c.itemIndex;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(group->Buttons(i)->Checked(), i == c.expected) << c.itemIndex << " " << i;
        EXPECT_EQ(group->Buttons(2)->GetCaption(), u"\u0393");
    }
}

TEST(UnicodeRadioGroups, ButtonsGoDownTheColumnsAndAClickSetsTheIndex) {
    TControlTestForm form;
    auto* group = form.Put(new TUvxRadioGroup(&form), 10, 10, 320, 150);
    group->SetCaption(u"\u0395\u03C0\u03B9\u03BB\u03BF\u03B3\u03AE");
    group->SetColumns(2);
    const std::u16string items[] = {u"\u0388\u03BD\u03B1", u"\u0394\u03CD\u03BF", u"\u03A4\u03C1\u03AF\u03B1",
                                    u"\u03A4\u03AD\u03C3\u03C3\u03B5\u03C1\u03B1", u"\u03A0\u03AD\u03BD\u03C4\u03B5"};
    for (const auto& item : items) group->Items()->Add(item);
    int changes = 0;
    group->OnChange = [&](TObject*) { ++changes; };
    form.ShowAndSettle();
    ASSERT_EQ(group->ButtonCount(), 5);
    int firstLeft = group->Buttons(0)->Left();
    EXPECT_EQ(firstLeft, 8);
    for (int i : {1, 2}) EXPECT_EQ(group->Buttons(i)->Left(), firstLeft) << i;
    for (int i : {3, 4}) EXPECT_EQ(group->Buttons(i)->Left(), firstLeft + (320 - 10) / 2) << i;
    EXPECT_EQ(group->Buttons(3)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
    EXPECT_EQ(group->Buttons(4)->Top(), group->Buttons(1)->Top());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(WideWindowText(group->Buttons(i)->Handle()), items[i]);

    TUvxGroupButton* fourth = group->Buttons(3);
    Click(fourth->Handle(), 5, fourth->Height() / 2);
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_TRUE(fourth->Checked());
    EXPECT_EQ(changes, 1);
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_radio_group"));
}

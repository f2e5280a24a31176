#include <gtest/gtest.h>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxExtCtrls.h"
#include "editor/unicode/UvxFrames.h"
#include "editor/unicode/UvxLabels.h"
#include "editor/unicode/UvxRadioGroup.h"
#include "editor/unicode/tests/ControlTestForm.h"

using namespace guitest;

// Every control of the layer on one form, with Greek texts, for a person to look at.
TEST(UnicodeControlsForm, EveryControlWithGreekTexts) {
    TControlTestForm form;
    form.SetBounds(40, 40, 600, 460);
    form.SetCaption(u"\u038C\u03BB\u03B1 \u03C4\u03B1 \u03C3\u03C4\u03BF\u03B9\u03C7\u03B5\u03AF\u03B1");
    auto* label = form.Put(new TUvxLabel(&form), 10, 10, 200, 16);
    label->SetCaption(u"\u0395&\u03C4\u03B9\u03BA\u03AD\u03C4\u03B1 (label)");
    auto* disabled = form.Put(new TUvxLabel(&form), 10, 30, 200, 16);
    disabled->SetCaption(u"\u0391\u03BD\u03B5\u03BD\u03B5\u03C1\u03B3\u03AE (disabled)");
    disabled->SetEnabled(false);
    auto* stat = form.Put(new TUvxStaticText(&form), 10, 50, 200, 16);
    stat->SetCaption(u"\u03A3\u03C4\u03B1\u03C4\u03B9\u03BA\u03CC \u03BA\u03B5\u03AF\u03BC\u03B5\u03BD\u03BF");
    auto* edit = form.Put(new TUvxEdit(&form), 10, 75, 200, 22);
    edit->SetText(u"\u0395\u03C0\u03B5\u03BE\u03B5\u03C1\u03B3\u03B1\u03C3\u03AF\u03B1");
    label->FocusControl = edit;
    auto* password = form.Put(new TUvxEdit(&form), 10, 102, 200, 22);
    password->SetText(u"\u03BA\u03C1\u03C5\u03C6\u03CC");
    password->SetPasswordChar(u'\u25CF');
    auto* memo = form.Put(new TUvxMemo(&form), 10, 130, 200, 70);
    memo->SetText(u"\u03A0\u03C1\u03CE\u03C4\u03B7 \u03B3\u03C1\u03B1\u03BC\u03BC\u03AE\r\n\u0394\u03B5\u03CD\u03C4\u03B5\u03C1\u03B7");
    auto* button = form.Put(new TUvxButton(&form), 10, 210, 100, 26);
    button->SetCaption(u"&\u0395\u03BD\u03C4\u03AC\u03BE\u03B5\u03B9");
    auto* check = form.Put(new TUvxCheckBox(&form), 10, 245, 200, 20);
    check->SetCaption(u"\u0388&\u03BB\u03B5\u03B3\u03C7\u03BF\u03C2");
    check->SetChecked(true);
    auto* radio = form.Put(new TUvxRadioButton(&form), 10, 270, 200, 20);
    radio->SetCaption(u"\u0395\u03C0\u03B9\u03BB\u03BF\u03B3\u03AE");
    auto* bar = form.Put(new TUvxScrollBar(&form), 10, 300, 200, 17);
    bar->SetParams(40, 0, 100);
    auto* group = form.Put(new TUvxGroupBox(&form), 230, 10, 170, 90);
    group->SetCaption(u"\u039F\u03BC\u03AC\u03B4\u03B1");
    auto* inGroup = new TUvxCheckBox(group);
    inGroup->SetParent(group);
    inGroup->SetBounds(10, 25, 150, 20);
    inGroup->SetCaption(u"\u039C\u03AD\u03C3\u03B1");
    auto* radios = form.Put(new TUvxRadioGroup(&form), 230, 110, 350, 90);
    radios->SetCaption(u"\u03A3\u03C4\u03AE\u03BB\u03B5\u03C2");
    radios->SetColumns(2);
    for (const char16_t* item : {u"\u0391\u03C1\u03B9\u03C3\u03C4\u03B5\u03C1\u03AC", u"\u039A\u03AD\u03BD\u03C4\u03C1\u03BF",
                                 u"\u0394\u03B5\u03BE\u03B9\u03AC", u"\u03A0\u03AC\u03BD\u03C9", u"\u039A\u03AC\u03C4\u03C9"})
        radios->Items()->Add(item);
    radios->SetItemIndex(1);
    auto* panel = form.Put(new TUvxPanel(&form), 230, 210, 170, 40);
    panel->SetCaption(u"\u03A0\u03AC\u03BD\u03B5\u03BB");
    auto* shape = form.Put(new TUvxShape(&form), 410, 210, 40, 40);
    shape->SetBrushColor(RGB(0x80, 0xC0, 0xFF));
    auto* bevel = form.Put(new TUvxBevel(&form), 460, 210, 60, 40);
    auto* box = form.Put(new TUvxScrollBox(&form), 230, 260, 170, 60);
    auto* inBox = new TUvxLabel(box);
    inBox->SetParent(box);
    inBox->SetBounds(5, 5, 150, 16);
    inBox->SetCaption(u"\u039C\u03AD\u03C3\u03B1 \u03C3\u03C4\u03BF \u03BA\u03BF\u03C5\u03C4\u03AF");
    auto* paint = form.Put(new TUvxPaintBox(&form), 410, 260, 110, 60);
    paint->OnPaint = [paint](TObject*) {
        TCanvas& c = paint->Canvas();
        WideCanvasTextOut(c, 4, 20, u"\u0396\u03C9\u03B3\u03C1\u03B1\u03C6\u03B9\u03BA\u03AE");
    };
    (void)bevel;
    form.ShowAndSettle();
    for (TWinControl* c : std::initializer_list<TWinControl*>{label, stat, edit, memo, button, check, radio, group, radios, panel})
        EXPECT_TRUE(IsWindowUnicode(c->Handle())) << c->ClassName();
    EXPECT_EQ(WideWindowText(edit->Handle()), u"\u0395\u03C0\u03B5\u03BE\u03B5\u03C1\u03B3\u03B1\u03C3\u03AF\u03B1");
    EXPECT_EQ(radios->ItemIndex(), 1);
    EXPECT_TRUE(SaveScreenshot(form.Handle(), ScreenshotPath("unicode_controls_form")));
}

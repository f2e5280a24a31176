#include <gtest/gtest.h>

#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxLabels.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/CustomEdit.h"
#include "framework/Font.h"

using namespace guitest;

namespace {
SIZE TextExtent(HGDIOBJ font, const std::u16string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, WC(text), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

SIZE DialogTextExtent(const std::u16string& text) { return TextExtent(GetStockObject(DEFAULT_GUI_FONT), text); }

// A label's text in the labels' font.
SIZE LabelTextExtent(const std::u16string& text) {
    static TFont font;
    return TextExtent(font.Handle(), text);
}

TUvxLabel* NewLabel(TControlTestForm& form, const std::u16string& caption, int top, bool showAccel = true) {
    auto* label = form.Put(new TUvxLabel(&form), 10, top, 200, 20);
    label->SetShowAccelChar(showAccel);
    label->Handle();
    label->SetCaption(caption);
    return label;
}

bool HasColour(const TPixels& p, COLORREF colour, RECT* box) {
    bool any = false;
    *box = RECT{p.Width, p.Height, -1, -1};
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x)
            if (p.At(x, y) == colour) {
                any = true;
                box->left = std::min<LONG>(box->left, x), box->top = std::min<LONG>(box->top, y);
                box->right = std::max<LONG>(box->right, x), box->bottom = std::max<LONG>(box->bottom, y);
            }
    return any;
}

const std::u16string kZeta = u"\u0396\u03AE\u03C4\u03B1";  // Ζήτα
}  // namespace

TEST(UnicodeLabels, NothingOrALoneAmpersandIsMeasuredAsOneLine) {
    TControlTestForm form;
    TUvxLabel* empty = NewLabel(form, u"", 10);
    TUvxLabel* letter = NewLabel(form, u"\u0416", 40);
    TUvxLabel* amp = NewLabel(form, u"&", 70);
    TUvxLabel* blank = NewLabel(form, u" ", 100);
    TUvxLabel* plainAmp = NewLabel(form, u"&", 130, false);
    EXPECT_GT(letter->Height(), 0);
    EXPECT_EQ(empty->Height(), letter->Height()) << "an empty caption measures one line";
    EXPECT_EQ(amp->Height(), letter->Height());
    EXPECT_EQ(amp->Width(), blank->Width()) << "\"&\" is measured as \"& \": an underlined blank";
    EXPECT_GT(amp->Width(), 0);
    EXPECT_EQ(plainAmp->Width(), LabelTextExtent(u"&").cx) << "without accelerators \"&\" is itself";
    EXPECT_EQ(letter->Width(), LabelTextExtent(u"\u0416").cx);
    letter->SetCaption(kZeta);
    EXPECT_EQ(letter->Width(), LabelTextExtent(kZeta).cx) << "a new caption sizes the label again";
    EXPECT_EQ(letter->GetCaption(), kZeta);
    EXPECT_EQ(letter->Caption(), "??ta");
}

TEST(UnicodeLabels, WithoutAcceleratorsAnAmpersandIsDrawnAsItself) {
    TControlTestForm form;
    TUvxLabel* plain = NewLabel(form, u"\u0391&\u0392", 10, false);
    TUvxLabel* doubled = NewLabel(form, u"\u0391&&\u0392", 40);
    TUvxLabel* accel = NewLabel(form, u"\u0391&\u0392", 70);
    form.ShowAndSettle();
    TPixels a = GrabClient(plain->Handle()), b = GrabClient(doubled->Handle()), c = GrabClient(accel->Handle());
    EXPECT_TRUE(a == b) << "\"A&B\" without accelerators looks like \"A&&B\" with them";
    EXPECT_FALSE(a == c) << "with accelerators the \"&\" goes and the next letter is underlined";
}

TEST(UnicodeLabels, DisabledTextIsEmbossedInHighlightThenShadow) {
    TControlTestForm form;
    TUvxLabel* label = NewLabel(form, kZeta + u" \u0416\u0416", 10);
    // Room around the text, so that the lower right copy is not clipped.
    label->SetAutoSize(false);
    label->SetBounds(10, 10, label->Width() + 6, label->Height() + 6);
    label->SetEnabled(false);
    form.ShowAndSettle();
    TPixels p = GrabClient(label->Handle());
    RECT light, dark;
    ASSERT_TRUE(HasColour(p, GetSysColor(COLOR_BTNHIGHLIGHT), &light));
    ASSERT_TRUE(HasColour(p, GetSysColor(COLOR_BTNSHADOW), &dark));
    // Where the system smooths fonts, the glyphs' edges blend into the face
    // colour, so the copies are compared pixel by pixel: below and right of a
    // shadow pixel lies the highlight copy, above and left of it does not.
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    int downRight = 0, upLeft = 0;
    for (int y = 1; y + 1 < p.Height; ++y)
        for (int x = 1; x + 1 < p.Width; ++x)
            if (p.At(x, y) == shadow) {
                downRight += p.At(x + 1, y + 1) == highlight;
                upLeft += p.At(x - 1, y - 1) == highlight;
            }
    EXPECT_GT(downRight, 0) << "the highlight copy lies one pixel right and down";
    EXPECT_GT(downRight, 4 * upLeft) << "not up and left";
    EXPECT_GE(light.right, dark.right + 1);
    EXPECT_GE(light.bottom, dark.bottom + 1);
    EXPECT_LE(dark.left, light.left);
    EXPECT_LE(dark.top, light.top);
    label->SetEnabled(true);
    p = GrabClient(label->Handle());
    EXPECT_FALSE(HasColour(p, GetSysColor(COLOR_BTNHIGHLIGHT), &light)) << "enabled text is drawn once, in black";
}

// The system's word break never splits a word that has an ellipsis to take,
// so a text without blanks or tabs gets shorter only across line breaks: one
// character per pass. A label lower than one line loses every character.
TEST(UnicodeLabels, WordWrapWithEndEllipsisDropsWordsUntilTheTextFits) {
    const std::u16string words = u"\u0391\u03BB\u03C6\u03B1 \u0392\u03AE\u03C4\u03B1\t\u0393\u03AC\u03BC\u03BC\u03B1 "
                                 u"\u0394\u03AD\u03BB\u03C4\u03B1";
    const std::u16string twoWords = u"\u0391\u03BB\u03C6\u03B1 \u0392\u03AE\u03C4\u03B1...";
    const std::u16string lines = u"\u0391\u0392\u0393\r\n\u0394\u0395\u0396";
    const std::u16string firstLine = u"\u0391\u0392\u0393...";
    int dots = LabelTextExtent(u"...").cx;
    int line = LabelTextExtent(u"W").cy;
    struct Case { std::u16string caption, expected; int height; };
    for (const Case& c : {Case{words, twoWords, line}, Case{lines, firstLine, line}, Case{words, u"", line / 2}}) {
        TControlTestForm form;
        int width = LabelTextExtent(twoWords).cx + dots + 1;
        auto make = [&](const std::u16string& caption, int top) {
            auto* label = form.Put(new TUvxLabel(&form), 10, top, width, 10);
            label->SetAutoSize(false);
            label->SetWordWrap(true);
            label->SetEllipsisPosition(epEndEllipsis);
            label->Handle();
            label->SetCaption(caption);
            label->SetBounds(10, top, width, c.height);
            return label;
        };
        TUvxLabel* shortened = make(c.caption, 10);
        TUvxLabel* reference = make(c.expected, 40);
        form.ShowAndSettle();
        EXPECT_TRUE(GrabClient(shortened->Handle()) == GrabClient(reference->Handle()))
            << "drawn as the text cut at the end with \"...\": " << c.expected.size();
    }
}

TEST(UnicodeLabels, AutoSizeLeavesTheEllipsisOut) {
    TControlTestForm form;
    TUvxLabel* label = NewLabel(form, kZeta + u" " + kZeta + u" " + kZeta, 10);
    label->SetEllipsisPosition(epEndEllipsis);
    label->SetCaption(kZeta);
    EXPECT_EQ(label->Width(), LabelTextExtent(kZeta).cx);
}

TEST(UnicodeLabels, AcceleratorOfTheWideCaptionFocusesTheFocusControl) {
    TControlTestForm form;
    // Unicode windows, so that the wide character arrives whole.
    auto* edit = form.Put(new TUvxEdit(&form), 100, 10, 100, 20);
    auto* other = form.Put(new TUvxEdit(&form), 100, 40, 100, 20);
    TUvxLabel* label = NewLabel(form, u"&" + kZeta, 10);
    label->FocusControl = edit;
    form.ShowAndSettle();
    other->SetFocus();
    SendMessageW(other->Handle(), WM_SYSCHAR, u'\u03B6', 0x20000001);  // Alt+ζ, the lower case of the hotkey
    EXPECT_TRUE(edit->Focused());
    other->SetFocus();
    label->SetEnabled(false);
    SendMessageW(other->Handle(), WM_SYSCHAR, u'\u03B6', 0x20000001);
    EXPECT_TRUE(other->Focused()) << "a disabled label passes";
    label->SetEnabled(true);
    label->SetShowAccelChar(false);
    SendMessageW(other->Handle(), WM_SYSCHAR, u'\u03B6', 0x20000001);
    EXPECT_TRUE(other->Focused()) << "and so does one without accelerators";
}

TEST(UnicodeLabels, EightBitPlatformDrawsTheEightBitForm) {
    Platform eightBit(false);
    TControlTestForm form;
    TUvxLabel* wide = NewLabel(form, kZeta, 10);
    TUvxLabel* questions = NewLabel(form, u"??ta", 40);
    form.ShowAndSettle();
    EXPECT_EQ(wide->GetCaption(), u"??ta");
    EXPECT_TRUE(GrabClient(wide->Handle()) == GrabClient(questions->Handle()));
}

TEST(UnicodeStaticTexts, SizeFollowsCaptionFontAndAutoSizeButNotWhileLoading) {
    TControlTestForm form;
    int bx = 4 * GetSystemMetrics(SM_CXBORDER), by = 4 * GetSystemMetrics(SM_CYBORDER);
    auto* text = form.Put(new TUvxStaticText(&form), 10, 10, 300, 40);
    text->SetCaption(kZeta);
    SIZE size = DialogTextExtent(kZeta);
    EXPECT_EQ(text->Width(), size.cx + bx);
    EXPECT_EQ(text->Height(), size.cy + by);
    HWND h = text->Handle();
    EXPECT_TRUE(IsWindowUnicode(h));
    EXPECT_EQ(WideWindowText(h), kZeta);
    text->SetCaption(kZeta + kZeta);
    EXPECT_EQ(text->Width(), DialogTextExtent(kZeta + kZeta).cx + bx);
    text->SetAutoSize(false);
    text->SetBounds(10, 10, 300, 40);
    text->SetCaption(kZeta);
    EXPECT_EQ(text->Width(), 300);
    text->SetAutoSize(true);
    EXPECT_EQ(text->Width(), size.cx + bx);
    text->Loading = true;
    text->SetCaption(u"\u0416");
    EXPECT_EQ(text->Width(), size.cx + bx) << "not sized while being read";
    text->Loaded();
    EXPECT_EQ(text->Width(), DialogTextExtent(u"\u0416").cx + bx) << "sized once afterwards";
    text->RecreateWnd();
    EXPECT_EQ(WideWindowText(text->Handle()), u"\u0416");
}

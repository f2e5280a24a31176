#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/unicode/UvxListBox.h"
#include "editor/unicode/tests/AllocationCounter.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/tests/EightBitPlatform.h"

using namespace guitest;

namespace {
const std::u16string kGreek[] = {u"\u0391\u03BB\u03C6\u03B1", u"\u0392\u03AE\u03C4\u03B1", u"\u0393\u03AC\u03BC\u03BC\u03B1",
                                 u"\u0394\u03AD\u03BB\u03C4\u03B1"};

TObject* Data(intptr_t value) { return reinterpret_cast<TObject*>(value); }

TUvxListBox* NewListBox(TControlTestForm& form, int top, TListBoxStyle style = lbStandard) {
    auto* box = form.Put(new TUvxListBox(&form), 10, top, 200, 120);
    box->Style = style;
    box->Handle();
    return box;
}

std::u16string WideItemText(HWND h, int index, LRESULT* result) {
    wchar_t buffer[64] = {};
    *result = SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return U16(buffer, wcslen(buffer));
}
}  // namespace

TEST(UnicodeListBoxes, PutExchangeAndMoveKeepDataValuesAndTheSelection) {
    TControlTestForm form;
    TUvxListBox* box = NewListBox(form, 10);
    EXPECT_TRUE(IsWindowUnicode(box->Handle()));
    for (int i = 0; i < 4; ++i) box->Items()->AddObject(kGreek[i], Data(100 + i));
    box->SetItemIndex(1);

    box->Items()->Put(1, u"\u0396\u03AE\u03C4\u03B1");
    EXPECT_EQ(box->Items()->Get(1), u"\u0396\u03AE\u03C4\u03B1");
    EXPECT_EQ(box->Items()->GetObject(1), Data(101)) << "Put keeps the data value";
    EXPECT_EQ(box->ItemIndex(), 1) << "and the item index";

    box->Items()->Exchange(1, 3);
    EXPECT_EQ(box->Items()->Get(1), kGreek[3]);
    EXPECT_EQ(box->Items()->GetObject(1), Data(103));
    EXPECT_EQ(box->Items()->Get(3), u"\u0396\u03AE\u03C4\u03B1");
    EXPECT_EQ(box->Items()->GetObject(3), Data(101));
    EXPECT_EQ(box->ItemIndex(), 3) << "the selection goes with its item";

    struct Case { int from, to; std::u16string first, last; intptr_t firstData, lastData; int selected; };
    const Case cases[] = {
        {3, 0, u"\u0396\u03AE\u03C4\u03B1", kGreek[2], 101, 102, 0},  // the selected item moves up
        {1, 3, u"\u0396\u03AE\u03C4\u03B1", kGreek[0], 101, 100, 0},  // an unselected item moves; the selection stays
        {0, 2, kGreek[3], kGreek[0], 103, 100, 2},
    };
    for (const Case& c : cases) {
        box->Items()->Move(c.from, c.to);
        EXPECT_EQ(box->Items()->Get(0), c.first) << c.from << "->" << c.to;
        EXPECT_EQ(box->Items()->GetObject(0), Data(c.firstData)) << c.from << "->" << c.to;
        EXPECT_EQ(box->Items()->Get(3), c.last) << c.from << "->" << c.to;
        EXPECT_EQ(box->Items()->GetObject(3), Data(c.lastData)) << c.from << "->" << c.to;
        EXPECT_EQ(box->ItemIndex(), c.selected) << c.from << "->" << c.to;
        EXPECT_FALSE(box->Moving);
    }
    EXPECT_EQ(box->Items()->Count(), 4);
    EXPECT_EQ(box->Items()->IndexOf(kGreek[2]), 1);
    EXPECT_THROW(box->Items()->Get(9), Exception);
}

TEST(UnicodeListBoxes, ItemsTopIndexAndSelectionSurviveANewWindow) {
    TControlTestForm form;
    TUvxListBox* box = NewListBox(form, 10);
    auto item = [](int i) { return kGreek[i % 4] + u" " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)); };
    for (int i = 0; i < 30; ++i) box->Items()->Add(item(i));
    form.ShowAndSettle();
    box->SetTopIndex(10);
    box->SetItemIndex(12);
    box->RecreateWnd();
    ASSERT_EQ(box->Items()->Count(), 30);
    EXPECT_TRUE(IsWindowUnicode(box->Handle()));
    for (int i = 0; i < 30; ++i) EXPECT_EQ(box->Items()->Get(i), item(i)) << i;
    EXPECT_EQ(box->TopIndex(), 10);
    EXPECT_EQ(box->ItemIndex(), 12);

    // A virtual list box keeps nothing: its texts come from the program.
    TUvxListBox* virt = NewListBox(form, 140, lbVirtual);
    virt->SetCount(5);
    virt->OnData = [](TWinControl*, int index, std::u16string& text) { text = kGreek[index % 4]; };
    virt->RecreateWnd();
    EXPECT_EQ(virt->Count(), 0) << "the count is the program's to give again";
}

TEST(UnicodeListBoxes, VirtualListBoxesAskTheWideOrTheEightBitDataEvent) {
    TControlTestForm form;
    TUvxListBox* box = NewListBox(form, 10, lbVirtual);
    box->SetCount(3);
    HWND h = box->Handle();
    LRESULT r = 0;
    EXPECT_EQ(WideItemText(h, 1, &r), u"");
    EXPECT_EQ(r, LB_ERR) << "with neither event there is no text";
    EXPECT_EQ(SendMessageW(h, LB_GETTEXTLEN, 1, 0), LB_ERR);

    box->TListBox::OnData = [](TWinControl*, int index, std::string& text) { text = "Item " + std::to_string(index); };
    EXPECT_EQ(WideItemText(h, 2, &r), u"Item 2") << "the 8-bit event alone still gives the texts";
    EXPECT_EQ(r, 6);

    box->OnData = [](TWinControl*, int index, std::u16string& text) { text = kGreek[index]; };
    EXPECT_EQ(WideItemText(h, 1, &r), kGreek[1]) << "the wide event comes first";
    EXPECT_EQ(r, 4);
    EXPECT_EQ(SendMessageW(h, LB_GETTEXTLEN, 2, 0), 5);
    EXPECT_EQ(WideItemText(h, 3, &r), u"");
    EXPECT_EQ(r, LB_ERR) << "an index past the count has no text";
}

TEST(UnicodeListBoxes, EightBitPlatformVirtualTextsAreCountedInBytes) {
    Platform eightBit(false);
    TControlTestForm form;
    TUvxListBox* box = NewListBox(form, 10, lbVirtual);
    box->SetCount(2);
    box->OnData = [](TWinControl*, int, std::u16string& text) { text = u"\u0396\u03AE\u03C4\u03B1 \u00E9"; };
    HWND h = box->Handle();
    EXPECT_FALSE(IsWindowUnicode(h));
    char buffer[64] = {};
    EXPECT_EQ(SendMessageA(h, LB_GETTEXTLEN, 0, 0), 6);
    EXPECT_EQ(SendMessageA(h, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 6);
    EXPECT_EQ(std::string(buffer).substr(4), " \xE9");
}

TEST(UnicodeListBoxes, AddItemCopySelectionAndOwnerDrawnWideItems) {
    TControlTestForm form;
    TUvxListBox* source = NewListBox(form, 10);
    TUvxListBox* target = form.Put(new TUvxListBox(&form), 220, 10, 200, 120);
    target->Handle();
    source->AddItem(std::u16string(u"\u0391\u03BB\u03C6\u03B1\0tail", 9), Data(7));
    source->AddItem(kGreek[1], Data(8));
    EXPECT_EQ(source->Items()->Get(0), kGreek[0]) << "cut at the first NUL";
    source->SetItemIndex(1);
    source->CopySelection(target);
    ASSERT_EQ(target->Items()->Count(), 1);
    EXPECT_EQ(target->Items()->Get(0), kGreek[1]);
    EXPECT_EQ(target->Items()->GetObject(0), Data(8));

    TUvxListBox* drawn = NewListBox(form, 140, lbOwnerDrawFixed);
    for (const auto& item : kGreek) drawn->Items()->Add(item);
    form.ShowAndSettle();
    TPixels p = GrabClient(drawn->Handle());
    int text = 0;
    for (COLORREF c : p.Data) text += c == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(text, 40) << "the owner-drawn items show their wide texts";
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_list_boxes"));
}

TEST(UnicodeListBoxes, VariableHeightItemsAreMeasuredAsTheyComeAlsoAfterANewWindow) {
    TControlTestForm form;
    auto* box = form.Put(new TUvxListBox(&form), 10, 10, 200, 160);
    box->Style = lbOwnerDrawVariable;
    std::vector<int> asked;
    box->OnMeasureItem = [&](TWinControl* control, int index, int& height) {
        EXPECT_EQ(control, box);
        asked.push_back(index);
        height = 14 + 8 * index;
    };
    form.ShowAndSettle();
    for (int i = 0; i < 3; ++i) box->Items()->Add(kGreek[i]);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    auto heights = [&] {
        std::vector<LRESULT> h;
        for (int i = 0; i < box->Items()->Count(); ++i) h.push_back(SendMessageW(box->Handle(), LB_GETITEMHEIGHT, i, 0));
        return h;
    };
    EXPECT_EQ(heights(), (std::vector<LRESULT>{14, 22, 30}));
    SaveScreenshot(form.Handle(), ScreenshotPath("listbox_variable_heights"));

    asked.clear();
    box->RecreateWnd();
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2})) << "the items of the new window are measured again";
    EXPECT_EQ(heights(), (std::vector<LRESULT>{14, 22, 30}));
    EXPECT_EQ(box->Items()->Get(2), kGreek[2]);

    // Fixed heights: the item height, OnMeasureItem is not asked.
    auto* fixed = form.Put(new TUvxListBox(&form), 220, 10, 200, 160);
    fixed->Style = lbOwnerDrawFixed;
    fixed->ItemHeight = 19;
    fixed->OnMeasureItem = [&](TWinControl*, int, int&) { ADD_FAILURE() << "asked for a fixed height"; };
    fixed->Handle();
    fixed->Items()->Add(kGreek[0]);
    EXPECT_EQ(SendMessageW(fixed->Handle(), LB_GETITEMHEIGHT, 0, 0), 19);
}

// Drawing an item of a long virtual owner-drawn list costs the same wherever
// the item lies: the data event is asked for the items shown and nothing
// else, and the memory used does not grow with the item's position.
TEST(UnicodeListBoxes, AVirtualItemCostsTheSameAnywhereInALongList) {
    constexpr int kCount = 100000;
    TControlTestForm form;
    TUvxListBox* box = NewListBox(form, 10, lbVirtualOwnerDraw);
    box->SetCount(kCount);
    std::vector<int> asked;
    box->OnData = [&](TWinControl*, int index, std::u16string& text) {
        asked.push_back(index);
        text = kGreek[index % 4] + u" " + std::u16string(1, static_cast<char16_t>(u'0' + index % 10));
    };
    form.ShowAndSettle();
    struct Paint {
        int top;
        std::vector<int> asked;
        size_t bytes;
    };
    auto paintAt = [&](int top) {
        box->SetTopIndex(top);
        PumpUntilIdle();
        asked.clear();
        AllocationCounter counter;
        InvalidateRect(box->Handle(), nullptr, TRUE);
        UpdateWindow(box->Handle());
        return Paint{box->TopIndex(), asked, counter.Bytes()};
    };
    const Paint first = paintAt(0), last = paintAt(kCount - 1);
    ASSERT_FALSE(first.asked.empty());
    ASSERT_GT(last.top, kCount - 20);
    // At the end the last item fills the bottom row; at the start a part of one may show there.
    EXPECT_LE(last.asked.size(), first.asked.size());
    EXPECT_GE(last.asked.size() + 1, first.asked.size());
    for (int index : last.asked) EXPECT_GE(index, last.top) << "only the items shown are asked for";
    EXPECT_LT(last.bytes, first.bytes + 4096) << "first " << first.bytes << ", last " << last.bytes;
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_virtual_list_end"));
}

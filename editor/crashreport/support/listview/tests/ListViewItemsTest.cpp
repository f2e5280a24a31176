#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/support/listview/DrawBmp.h"
#include "editor/crashreport/support/listview/ListViewItems.h"
#include "framework/Application.h"
#include "framework/ControlNotify.h"
#include "framework/Forms.h"
#include "framework/ListView.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

// A form that hands its controls' reports back to them, as the crash
// dialogs do.
class TRowsForm : public TForm {
public:
    using TForm::TForm;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = 0;
        if (ReflectToControl(msg, wParam, lParam, result))
            return result;
        return TForm::WndProc(msg, wParam, lParam);
    }
};

// The call-stack page in small: two threads, the first with a calling
// thread under it, separated by a blank row.
struct RowsWindow {
    TRowsForm form{nullptr};
    TListView* list = nullptr;
    std::unique_ptr<TListViewItems> items;
    bool signOnly = true;

    RowsWindow()
    {
        form.SetCaption("Call Stack");
        form.SetBounds(60, 60, 460, 300);
        list = new TListView(&form);
        list->OwnerDraw = true;
        list->AddColumn({"Module", 170, LVCFMT_LEFT});
        list->AddColumn({"Address", 90, LVCFMT_RIGHT});
        list->AddColumn({"Line", 60, LVCFMT_CENTER});
        list->SetParent(&form);
        list->SetBounds(8, 8, 430, 250);
        form.Show();
        PumpUntilIdle();
        items = std::make_unique<TListViewItems>(list->Handle());
        list->OnDrawItem = [this](TObject*, const DRAWITEMSTRUCT& item) { items->DrawList(item); };
        list->OnItemClick = [this](TObject*, int item, POINT point) {
            if (item >= 0)
                items->ClickOnItem(item, point, signOnly);
        };
        items->AddRow({"", "", ""}, -1, 1, true, "Exception thread: ID=1408; Priority=0; Class=; [Main]");
        items->AddRow({"Tessaly.exe", "00401A2B", "112[3]"}, lrbPAS, 0, false, "");
        items->AddRow({"kernel32.dll", "7B8114C0", ""}, lrbDLL, 0, false, "");
        items->AddRow({"", "", ""}, -1, 2, true, "Calling thread: ID=1410; Priority=0; Class=TSendThread");
        items->AddRow({"framework.bpl", "00455120", "40[0]"}, lrbBPL, 0, false, "");
        items->AddRow({"", "", ""}, -1, 0, false, "");
        items->AddRow({"", "", ""}, -1, 3, true, "Running thread: ID=1420; Priority=-1; Class=TFreezeThread");
        items->AddRow({"ntdll.dll", "7BC5A7F0", ""}, lrbDLL, 0, false, "");
        items->AddRow({"Forms.cpp", "0040C010", "77[12]"}, lrbVCL, 0, false, "");
        PumpUntilIdle();
    }
    ~RowsWindow()
    {
        items.reset();
        form.Hide();
    }
    int Count() { return list->ItemCount(); }
    RECT Rect(int position) { return list->ItemRect(position); }
    // A person's click on the item, at a point relative to its rectangle.
    void ClickItem(int position, int dx, int dy)
    {
        RECT r = Rect(position);
        Click(list->Handle(), r.left + dx, r.top + dy);
        PumpUntilIdle();
    }
    std::string CaptionAt(int position) { return items->GetItemParam(position)->Caption; }
};

// A 32-bit picture of one row, drawn by the rows' own drawing.
class RowPicture {
public:
    RowPicture(int width, int height) : FWidth(width), FHeight(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        FDC = CreateCompatibleDC(nullptr);
        FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        FOld = SelectObject(FDC, FBitmap);
        Fill(kMagenta);
    }
    ~RowPicture()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    HDC DC() const { return FDC; }
    void Fill(COLORREF c)
    {
        HBRUSH b = CreateSolidBrush(c);
        RECT r{0, 0, FWidth, FHeight};
        FillRect(FDC, &r, b);
        DeleteObject(b);
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const uint32_t p = FBits[y * FWidth + x];
        return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
    }
    int CountOf(COLORREF c, int x0, int x1) const
    {
        int n = 0;
        for (int y = 0; y < FHeight; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) == c;
        return n;
    }

private:
    int FWidth, FHeight;
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
    uint32_t* FBits = nullptr;
};

// Draws the row at the position into a picture at the row's own offsets.
std::unique_ptr<RowPicture> DrawRow(RowsWindow& w, int position, bool selected, bool focused)
{
    RECT r = w.Rect(position);
    auto picture = std::make_unique<RowPicture>(r.right, r.bottom - r.top);
    SetViewportOrgEx(picture->DC(), 0, -r.top, nullptr);
    EXPECT_TRUE(w.items->DrawItem(position, picture->DC(), selected, focused));
    SetViewportOrgEx(picture->DC(), 0, 0, nullptr);
    return picture;
}

} // namespace

TEST(ListViewItems, HeadersFoldAndUnfoldUnderClicksOnTheirSigns)
{
    RowsWindow w;
    ASSERT_EQ(w.Count(), 9);
    EXPECT_EQ(w.items->Count(), 9);
    EXPECT_GT(w.items->IndentStep(), 13);
    EXPECT_EQ(w.items->ColumnCount(), 3);
    EXPECT_EQ(w.items->ColumnAlignment(), (std::vector<int32_t>{DT_LEFT, DT_RIGHT, DT_CENTER}));
    EXPECT_EQ(ListView_GetImageList(w.list->Handle(), LVSIL_SMALL), w.items->ImageList());
    EXPECT_EQ(ImageList_GetImageCount(w.items->ImageList()), 4);

    // The calling thread's sign lies one indent step to the right.
    const int step = w.items->IndentStep();
    w.ClickItem(3, step + 7, 7);
    EXPECT_EQ(w.Count(), 8) << "the calling thread folds its one row";
    EXPECT_FALSE(w.items->GetItem(3)->Expanded);
    EXPECT_EQ(w.CaptionAt(5), "Running thread: ID=1420; Priority=-1; Class=TFreezeThread");

    // The exception thread folds everything up to the blank row.
    w.ClickItem(0, 7, 7);
    EXPECT_EQ(w.Count(), 5);
    EXPECT_EQ(w.items->GetItemParam(1)->Separator, true);

    // Unfolding stops after the still folded calling thread.
    w.ClickItem(0, 7, 7);
    EXPECT_EQ(w.Count(), 8);
    EXPECT_EQ(w.CaptionAt(3), "Calling thread: ID=1410; Priority=0; Class=TSendThread");
    EXPECT_TRUE(w.items->GetItemParam(4)->Separator);
    w.ClickItem(3, step + 7, 7);
    EXPECT_EQ(w.Count(), 9);
    EXPECT_EQ(w.items->GetItemParam(4)->Columns[0], w.items->IndentText() + "framework.bpl");

    // Clicks off the sign, and on plain rows, change nothing.
    w.ClickItem(3, 5, 7);   // left of the indented sign
    w.ClickItem(0, 7, 14);  // below the sign
    w.ClickItem(0, 60, 7);  // on the caption
    w.ClickItem(1, 7, 7);   // a plain row
    EXPECT_EQ(w.Count(), 9);
    // Where any place of a header row folds, the same click does.
    w.signOnly = false;
    w.ClickItem(3, 5, 7);
    EXPECT_EQ(w.Count(), 8);
    w.ClickItem(0, 200, 9);
    EXPECT_EQ(w.Count(), 5);
    w.signOnly = true;

    // The last group folds to the end of the list.
    w.ClickItem(2, 7, 7);
    EXPECT_EQ(w.Count(), 3);
    w.ClickItem(2, 7, 7);
    w.ClickItem(0, 7, 7);
    EXPECT_EQ(w.Count(), 8);
}

// A header under the running thread's, with nothing in its group: drawn
// and clicked one step to the right.
TEST(ListViewItems, AnEmptyGroupFolds)
{
    RowsWindow w;
    w.items->AddRow({"", "", ""}, -1, 0, true, "No threads");
    w.items->AddRow({"", "", ""}, -1, 0, false, "");
    ASSERT_EQ(w.Count(), 11);
    EXPECT_EQ(w.items->GetItem(9)->ParentRow, w.items->GetItem(6));
    const int step = w.items->IndentStep();
    w.ClickItem(9, step + 7, 7);
    EXPECT_FALSE(w.items->GetItem(9)->Expanded);
    EXPECT_EQ(w.Count(), 11);
    auto folded = DrawRow(w, 9, false, false);
    EXPECT_EQ(folded->At(step + 7, 5), RGB(0, 0, 0)) << "the plus upright, one step right";
    w.ClickItem(9, step + 7, 7);
    EXPECT_TRUE(w.items->GetItem(9)->Expanded);
}

TEST(ListViewItems, RowsDrawTheirColoursLinesSignsAndPictures)
{
    RowsWindow w;
    const RECT r = w.Rect(0);
    const int h = r.bottom - r.top;
    const int right = r.right - 3;
    const int step = w.items->IndentStep();

    // A header: white background from x = 2, its line at the bottom, the
    // minus sign at (1, 1) with the sign's transparent corner showing the
    // background, the caption in bold navy.
    auto header = DrawRow(w, 0, false, false);
    EXPECT_EQ(header->At(0, 3), kMagenta) << "left of the background";
    EXPECT_EQ(header->At(right, 2), RGB(255, 255, 255));
    EXPECT_EQ(header->At(right, h - 1), RGB(123, 164, 224));
    EXPECT_EQ(header->At(right, h - 2), RGB(123, 164, 224));
    EXPECT_EQ(header->At(3, 3), RGB(128, 128, 128)) << "the sign's frame";
    EXPECT_EQ(header->At(7, 7), RGB(0, 0, 0)) << "the minus bar";
    EXPECT_EQ(header->At(7, 5), RGB(255, 255, 255)) << "no upright: unfolded";
    EXPECT_EQ(header->At(2, 2), RGB(255, 255, 255)) << "the sign's transparent corner";
    EXPECT_GT(header->CountOf(RGB(0, 0, 128), 15, right), 20) << "navy caption";

    // Folded, the plus sign; selected and focused in a focused list, the
    // selection's background and frame.
    w.ClickItem(0, 7, 7);
    w.list->SetFocus();
    PumpUntilIdle();
    auto folded = DrawRow(w, 0, true, true);
    EXPECT_EQ(folded->At(7, 5), RGB(0, 0, 0)) << "the plus upright";
    EXPECT_EQ(folded->At(right, 3), RGB(204, 218, 241));
    EXPECT_EQ(folded->At(r.right - 1, 3), RGB(49, 106, 197));
    EXPECT_EQ(folded->At(0, 3), RGB(49, 106, 197));
    w.ClickItem(0, 7, 7);

    // The other header colours; data 0 moves the header one step right.
    auto grey = DrawRow(w, 3, false, false);
    EXPECT_GT(grey->CountOf(RGB(0x60, 0x60, 0x60), 15, right), 20);
    auto red = DrawRow(w, 6, false, false);
    EXPECT_GT(red->CountOf(RGB(128, 0, 0), 15, right), 20);
    EXPECT_EQ(red->CountOf(RGB(0, 0, 128), 0, right), 0);

    // A plain row: its picture at (2, 0), the row line under the columns,
    // black text, a frame in the unselected colour when the list has no focus.
    SetFocus(nullptr);
    PumpUntilIdle();
    auto plain = DrawRow(w, 1, false, false);
    EXPECT_EQ(plain->At(5, 1), RGB(128, 128, 128)) << "the unit picture's page frame";
    EXPECT_EQ(plain->At(2, 1), RGB(255, 255, 255)) << "the picture's transparent corner";
    EXPECT_EQ(plain->At(100, h - 1), RGB(206, 203, 194));
    EXPECT_EQ(plain->At(300, h - 1), RGB(206, 203, 194));
    EXPECT_GT(plain->CountOf(RGB(0, 0, 0), 20, 170), 20);
    auto framed = DrawRow(w, 1, false, true);
    EXPECT_EQ(framed->At(r.right - 1, 4), RGB(152, 181, 226));
    EXPECT_EQ(framed->At(100, h - 1), RGB(152, 181, 226)) << "the frame lies over the line";

    // An indented row starts one step further right.
    auto indented = DrawRow(w, 4, false, false);
    EXPECT_EQ(indented->At(step, 3), kMagenta);
    EXPECT_EQ(indented->At(step + 2, 3), RGB(255, 255, 255));
    EXPECT_EQ(indented->At(step + 3, 8), RGB(110, 70, 30)) << "the package picture's edge";

    // The blank row draws no line.
    auto separator = DrawRow(w, 5, false, false);
    EXPECT_EQ(separator->At(100, h - 1), RGB(255, 255, 255));
}

TEST(ListViewItems, DrawBmpLeavesTheCornerColourTransparent)
{
    // A 4 x 3 picture: red is the corner colour.
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    const COLORREF picture[3][4] = {{red, blue, red, white}, {blue, red, red, blue}, {white, white, red, red}};
    RowPicture source(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            SetPixel(source.DC(), x, y, picture[y][x]);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
    ReleaseDC(nullptr, screen);
    HDC copy = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, 4, 3, source.DC(), 0, 0, SRCCOPY);
    SelectObject(copy, old);
    DeleteDC(copy);

    RowPicture target(8, 6);
    target.Fill(RGB(0, 128, 0));
    DrawBmp(target.DC(), bitmap, 2, 1, 4, 3);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
            const COLORREF p = inside ? picture[y - 1][x - 2] : red;
            const COLORREF expected = !inside || p == red ? RGB(0, 128, 0) : p;
            EXPECT_EQ(target.At(x, y), expected) << x << "," << y;
        }
    // Nothing to draw: nothing drawn.
    DrawBmp(target.DC(), nullptr, 0, 0, 4, 3);
    DrawBmp(target.DC(), bitmap, 0, 0, 0, 3);
    EXPECT_EQ(target.At(0, 0), RGB(0, 128, 0));
    DeleteObject(bitmap);
}

TEST(ListViewItems, ScreenshotOfFoldedAndSelectedRows)
{
    RowsWindow w;
    w.ClickItem(3, w.items->IndentStep() + 7, 7);  // the calling thread folded
    w.list->SetSelected(1);
    w.list->SetFocus();
    PumpUntilIdle();
    EXPECT_EQ(w.Count(), 8);
    EXPECT_TRUE(SaveScreenshot(w.form.Handle(), ScreenshotPath("crash_list_rows")));
    // On the screen too: the selected row's background and the header line.
    RECT row = w.Rect(1);
    POINT p{row.right - 4, row.top + 3};
    MapWindowPoints(w.list->Handle(), w.form.Handle(), &p, 1);
    EXPECT_EQ(PixelAt(w.form.Handle(), p.x, p.y), RGB(204, 218, 241));
}

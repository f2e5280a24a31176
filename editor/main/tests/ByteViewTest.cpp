// The byte view in a real main window: drawn cells read back as pixels,
// clicks, drags, the wheel, scroll-bar messages, the header and the status
// bar, all through the window's messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/document/DataFile.h"
#include "editor/document/tests/FakeDocumentIO.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "editor/main/ScrollMath.h"
#include "editor/main/tests/BoxAnswers.h"
#include "framework/HeaderControl.h"
#include "framework/StatusBar.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;

namespace {

const std::u16string kFile = u"C:\\data\\bytes.bin";

std::vector<uint8_t> Pattern(size_t n) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>('A' + i % 26);
    return bytes;
}

class ByteViewTest : public ::testing::Test {
protected:
    void SetUp() override { DataFile.setIO(&io); }
    void TearDown() override {
        form.reset();
        mainform_testing::CommandLine.reset();
        DataFile.newFile();
        DataFile.setIO(&Win32DocumentIO::Instance());
        LanguageSystem.loadLanguage("EN");
    }

    // The window on a document, with a client area of the given size.
    TMainForm& Start(const std::vector<uint8_t>& bytes, int clientWidth = 1017, int clientHeight = 400) {
        io.files[kFile] = bytes;
        mainform_testing::CommandLine = u"Tessaly.exe \"" + kFile + u"\"";
        form = std::make_unique<TMainForm>(nullptr);
        form->Show();
        SetClientSize(clientWidth, clientHeight);
        // The layout's view widths, as the settings give them back at start
        // (the first, small window squeezed them).
        form->Sizer->SetSectionWidth(0, 275);
        form->Sizer->SetSectionWidth(1, 450);
        form->Sizer->SetSectionWidth(2, 75);
        form->SizerSectionResize(form->Sizer, 0);
        guitest::PumpUntilIdle();
        return *form;
    }
    void SetClientSize(int width, int height) {
        HWND h = form->Handle();
        RECT r{0, 0, width, height};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)), TRUE,
                           static_cast<DWORD>(GetWindowLongA(h, GWL_EXSTYLE)));
        SetWindowPos(h, HWND_TOP, 0, 0, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
        guitest::PumpUntilIdle();
    }
    HWND View() { return form->ByteView->Handle(); }
    TViewWidths Widths() {
        return {form->Sizer->SectionWidth(0), form->Sizer->SectionWidth(1), form->Sizer->SectionWidth(2)};
    }
    // A point inside the cell, clear of its glyph.
    POINT CellPoint(int view, int index) {
        TRect r = CellRect(view, Widths(), index % 16, index / 16);
        return {r.Left + 1, r.Top + 1};
    }
    POINT CellMiddle(int view, int index) {
        TRect r = CellRect(view, Widths(), index % 16, index / 16);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    COLORREF CellColour(int view, int index) {
        POINT p = CellPoint(view, index);
        return guitest::PixelAt(View(), p.x, p.y);
    }
    void LeftDown(POINT p, WPARAM keys = 0) { Post(WM_LBUTTONDOWN, MK_LBUTTON | keys, p); }
    void MoveHeld(POINT p) { Post(WM_MOUSEMOVE, MK_LBUTTON, p); }
    void LeftUp(POINT p) { Post(WM_LBUTTONUP, 0, p); }
    void Post(UINT msg, WPARAM w, POINT p) {
        PostMessageA(View(), msg, w, MAKELPARAM(p.x, p.y));
        guitest::PumpUntilIdle(5);
    }
    std::string Panel(int index) {
        char text[256] = {};
        SendMessageA(form->StatusBar->Handle(), SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        std::string s = text;
        s.erase(0, s.find_first_not_of('\t'));  // the alignment tabs
        return s;
    }
    void Wheel(int delta) {
        SendMessageA(View(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<int16_t>(delta))), 0);
    }
    void Scroll(int code, int position = 0) {
        SendMessageA(View(), WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)), 0);
    }
    void Command(TMenuItem* item) { form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0); }

    Answerer answers;
    FakeDocumentIO io;
    std::unique_ptr<TMainForm> form;
};

}  // namespace

TEST_F(ByteViewTest, TheMainWindowHasEveryPartOfItsLayout) {
    TMainForm& f = Start(Pattern(100));
#define TQ_CHECK_ITEM(name)                               \
    ASSERT_NE(f.name, nullptr) << #name;                  \
    EXPECT_EQ(f.FindComponent(#name), f.name) << #name;
    TQ_MAIN_MENU_ITEMS(TQ_CHECK_ITEM)
#undef TQ_CHECK_ITEM
    EXPECT_TRUE(f.BeforeExit->IsLine());
    EXPECT_FALSE(f.Nextbytejump1->Visible());
    EXPECT_TRUE(f.Nextbytejump1->Checked());
    EXPECT_TRUE(f.NoEntersNumLine->Checked());
    EXPECT_EQ(f.Searchfor1->HelpContext, 21);
    EXPECT_EQ(f.Redo1->ShortCut(), ShortCut('Z', ssCtrl | ssShift));
    EXPECT_EQ(f.Startoffile1->ShortCut(), ShortCut(VK_HOME, ssCtrl));
    EXPECT_EQ(f.File1->ShortCut(), ShortCut(VK_F7, 0));
    EXPECT_EQ(f.Knip->Caption(), "Cut (Bytes to Paste)");
    EXPECT_EQ(f.English1->Caption(), "English");
    EXPECT_EQ(f.N32bitsunsigned2->Caption(), "32 bits signed");

    // Five panels, the first one the language's "position".
    EXPECT_EQ(SendMessageA(f.StatusBar->Handle(), SB_GETPARTS, 0, 0), 5);
    EXPECT_EQ(Panel(0), "position");
    // The layout's 45 pixels would cut "position": the panel holds its text.
    EXPECT_GE(f.StatusBar->PanelWidth(0), 45);
    EXPECT_GT(f.StatusBar->PanelWidth(0), f.StatusBar->TextWidth("position"));
    EXPECT_EQ(f.StatusBar->PanelWidth(4), 330);
    EXPECT_EQ(f.StatusBar->PopupMenu, static_cast<TPopupMenu*>(f.StatusbarPopup));
    // Three header sections.
    EXPECT_EQ(SendMessageA(f.Sizer->Handle(), HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(f.Sizer->SectionText(0), "Text");
    EXPECT_EQ(f.Sizer->SectionText(2), "Hexadecimal");
    // The byte view wants arrows, tabs and characters.
    EXPECT_EQ(SendMessageA(View(), WM_GETDLGCODE, 0, 0), 131);
}

TEST_F(ByteViewTest, StatusPanelsShowTheCursorPosition) {
    TMainForm& f = Start(Pattern(1000));
    EXPECT_EQ(Panel(1), "0");
    EXPECT_EQ(Panel(2), "0x0");
    EXPECT_EQ(Panel(3), "OVR");
    f.FirstByteNumber = 1;
    f.GotoPosition(255);
    EXPECT_EQ(Panel(1), "256");
    EXPECT_EQ(Panel(2), "0x100");
    f.InsertwhenTyping->SetChecked(true);
    f.UpdateStatusBar();
    EXPECT_EQ(Panel(3), "INS");
    // The copies from the status bar's menu leave out the first byte number.
    f.StatusbarPopup->DispatchCommand(f.CopyPosHexa->Command());
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    std::string copied = text ? text : "";
    if (text) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, "FF");
}

TEST_F(ByteViewTest, CellsShowTheCursorInEveryView) {
    TMainForm& f = Start(Pattern(4096));
    const TViewColors& c = f.Colors;
    EXPECT_EQ(CellColour(ViewText, 0), ToColorRef(c.Data1));  // the active view: a solid block
    EXPECT_EQ(CellColour(ViewDecimal, 0), ToColorRef(c.Cursor));
    EXPECT_EQ(CellColour(ViewHexadecimal, 0), ToColorRef(c.Cursor));
    EXPECT_EQ(CellColour(ViewText, 1), ToColorRef(c.Background));
    EXPECT_EQ(CellColour(ViewHexadecimal, 17), ToColorRef(c.Background));
    // The separators between the views, in Data Color 1.
    EXPECT_EQ(guitest::PixelAt(View(), Widths().W0 - 1, 100), ToColorRef(c.Data1));
    EXPECT_EQ(guitest::PixelAt(View(), Widths().W0 + Widths().W1 - 1, 100), ToColorRef(c.Data1));
    guitest::SaveScreenshot(f.Handle(), guitest::ScreenshotPath("byteview_small_file"));
}

TEST_F(ByteViewTest, AClickMovesTheCursorAndPicksTheView) {
    TMainForm& f = Start(Pattern(4096));
    const TViewColors& c = f.Colors;
    guitest::Click(View(), CellMiddle(ViewText, 37).x, CellMiddle(ViewText, 37).y);
    EXPECT_EQ(f.CursorPosition(), 37);
    EXPECT_EQ(CellColour(ViewText, 37), ToColorRef(c.Data1));
    EXPECT_EQ(CellColour(ViewText, 0), ToColorRef(c.Background));
    guitest::Click(View(), CellMiddle(ViewDecimal, 40).x, CellMiddle(ViewDecimal, 40).y);
    EXPECT_EQ(f.ActiveView, ViewDecimal);
    EXPECT_TRUE(f.MenuView2->Checked());
    EXPECT_FALSE(f.MenuView1->Checked());
    EXPECT_EQ(f.CursorPosition(), 40);
    EXPECT_EQ(CellColour(ViewDecimal, 40), ToColorRef(c.Data1));
    EXPECT_EQ(CellColour(ViewText, 40), ToColorRef(c.Cursor));
}

TEST_F(ByteViewTest, ADragAcrossRowsSelectsAndAClickEndsIt) {
    TMainForm& f = Start(Pattern(4096));
    const TViewColors& c = f.Colors;
    LeftDown(CellMiddle(ViewText, 19));
    MoveHeld(CellMiddle(ViewText, 42));
    MoveHeld(CellMiddle(ViewText, 74));
    LeftUp(CellMiddle(ViewText, 74));
    EXPECT_EQ(f.SelectionActive, 1);
    EXPECT_EQ(f.SelStart, 19);
    EXPECT_EQ(f.SelEnd, 74);
    EXPECT_EQ(CellColour(ViewText, 40), ToColorRef(c.Selection));
    EXPECT_EQ(CellColour(ViewHexadecimal, 19), ToColorRef(c.Selection));
    EXPECT_EQ(CellColour(ViewHexadecimal, 75), ToColorRef(c.Background));
    guitest::SaveScreenshot(f.Handle(), guitest::ScreenshotPath("byteview_selection"));
    // Shift and a click extend it; a plain click ends it.
    POINT p = CellMiddle(ViewText, 100);
    guitest::Click(View(), p.x, p.y, mbLeft, ssShift);
    EXPECT_EQ(f.SelEnd, 100);
    guitest::Click(View(), CellMiddle(ViewText, 5).x, CellMiddle(ViewText, 5).y);
    EXPECT_EQ(f.SelectionActive, 0);
    EXPECT_EQ(CellColour(ViewText, 40), ToColorRef(c.Background));
}

TEST_F(ByteViewTest, ADragToTheEndOfFileCellSelectsUpToTheLastByte) {
    TMainForm& f = Start(Pattern(40));
    LeftDown(CellMiddle(ViewText, 2));
    MoveHeld(CellMiddle(ViewText, 40));
    LeftUp(CellMiddle(ViewText, 40));
    EXPECT_EQ(f.SelStart, 2);
    EXPECT_EQ(f.SelEnd, 39);
}

TEST_F(ByteViewTest, SelectAllEndsOnTheEndOfFileCell) {
    TMainForm& f = Start(Pattern(5000));
    Command(f.SelectAll1);
    EXPECT_EQ(f.SelectionActive, 1);
    EXPECT_EQ(f.SelStart, 0);
    EXPECT_EQ(f.SelEnd, 4999);
    EXPECT_EQ(f.CursorPosition(), 5000);
    EXPECT_EQ(TopOffset, MaxTopOffset(5000, f.Rows));
    // The end-of-file cell is in the last row.
    EXPECT_EQ(CursorOffset / 16, f.Rows - 1);
    guitest::SaveScreenshot(f.Handle(), guitest::ScreenshotPath("byteview_end_of_file"));
}

TEST_F(ByteViewTest, TheWheelScrollsFiveRowsANotchAndKeepsTheRest) {
    TMainForm& f = Start(Pattern(100000));
    LeftDown(CellMiddle(ViewText, 2));
    MoveHeld(CellMiddle(ViewText, 40));
    LeftUp(CellMiddle(ViewText, 40));
    ASSERT_EQ(f.SelectionActive, 1);
    Wheel(-120);
    EXPECT_EQ(TopOffset, 80);
    EXPECT_EQ(f.SelectionActive, 0);
    Wheel(-30);
    EXPECT_EQ(TopOffset, 96);
    Wheel(-18);
    EXPECT_EQ(TopOffset, 112);
    Wheel(120);
    EXPECT_EQ(TopOffset, 32);
}

TEST_F(ByteViewTest, ScrollBarMessagesScrollAndTheBarFollows) {
    TMainForm& f = Start(Pattern(1000), 1017, 400);
    // Ten rows: the view's client height is made 250 to 274 pixels.
    int extra = f.ByteView->ClientHeight() - 260;
    SetClientSize(1017, 400 - extra);
    ASSERT_EQ(f.Rows, 10);
    // A document longer than the screen shows the bar (a short one hides it).
    EXPECT_TRUE(GetWindowLongA(View(), GWL_STYLE) & WS_VSCROLL);
    Scroll(SB_THUMBTRACK, 15000);
    EXPECT_EQ(TopOffset, 512);
    Scroll(SB_THUMBPOSITION, 10000);
    EXPECT_EQ(TopOffset, 336);
    EXPECT_EQ(GetScrollPos(View(), SB_VERT), 10000);
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(TopOffset, 352);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(View(), SB_VERT, &info);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 29999);
    EXPECT_EQ(info.nPage, 4761u);
    EXPECT_EQ(info.nPos, ScrollPosition(352, 1000));
    Scroll(SB_PAGEDOWN);
    EXPECT_EQ(TopOffset, 352 + 9 * 16);
    for (int i = 0; i < 3; ++i) Scroll(SB_PAGEDOWN);
    EXPECT_EQ(TopOffset, MaxTopOffset(1000, 10));
    Scroll(SB_LINEUP);
    EXPECT_EQ(TopOffset, MaxTopOffset(1000, 10) - 16);
}

TEST_F(ByteViewTest, TheViewIsOpaque) {
    TMainForm& f = Start(Pattern(64));
    RECT client;
    GetClientRect(View(), &client);
    COLORREF before = guitest::PixelAt(View(), client.right - 2, client.bottom - 2);
    HDC dc = GetDC(View());
    EXPECT_NE(SendMessageA(View(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(View(), dc);
    EXPECT_EQ(guitest::PixelAt(View(), client.right - 2, client.bottom - 2), before);
    EXPECT_EQ(before, ToColorRef(f.Colors.Background));
}

TEST_F(ByteViewTest, RepaintsKeepTheGdiObjectCountFlat) {
    TMainForm& f = Start(Pattern(4096));
    // A font that is replaced is deleted (the new one is made first, so the
    // old handle cannot have been reused yet).
    HFONT old = f.ByteView->Font.Handle();
    f.SetFontColor(f.FontColorInUse ^ 0x010101);
    EXPECT_NE(f.ByteView->Font.Handle(), old);
    EXPECT_EQ(GetObjectType(old), 0u);
    RedrawWindow(View(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (before == 0) GTEST_SKIP() << "the system does not count GDI objects";
    for (int i = 0; i < 1000; ++i) RedrawWindow(View(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

TEST_F(ByteViewTest, ResizingKeepsTheLayout) {
    TMainForm& f = Start(Pattern(3000), 1217, 500);
    int w = f.ClientWidth() - f.ScrollBarWidth;
    EXPECT_EQ(Widths().W0, 275);
    EXPECT_EQ(Widths().W1, 450);
    EXPECT_EQ(Widths().W2, w - 725);
    guitest::SaveScreenshot(f.Handle(), guitest::ScreenshotPath("byteview_wide_window"));
    SetClientSize(420, 300);
    w = f.ClientWidth() - f.ScrollBarWidth;
    EXPECT_EQ(Widths().W0 + Widths().W1 + Widths().W2, w);
    EXPECT_GE(Widths().W2, 4);
    EXPECT_EQ(f.Rows, f.ByteView->ClientHeight() / 25);
    guitest::SaveScreenshot(f.Handle(), guitest::ScreenshotPath("byteview_narrow_window"));
}

TEST_F(ByteViewTest, DraggingAHeaderDividerResizesTheViews) {
    TMainForm& f = Start(Pattern(3000), 1217, 400);
    HWND header = f.Sizer->Handle();
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(275, 5));
    guitest::PumpUntilIdle(5);
    PostMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(240, 5));
    guitest::PumpUntilIdle(5);
    PostMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    guitest::PumpUntilIdle(5);
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    guitest::PumpUntilIdle();
    EXPECT_EQ(Widths().W0, 200);
    EXPECT_EQ(Widths().W1, 450);
    EXPECT_EQ(Widths().W2, f.ClientWidth() - f.ScrollBarWidth - 650);
}

TEST_F(ByteViewTest, ADoubleClickOpensACollapsedView) {
    TMainForm& f = Start(Pattern(3000), 1017, 400);
    f.Sizer->SetSectionWidth(0, 2);
    f.SizerSectionResize(f.Sizer, 0);
    ASSERT_EQ(Widths().W0, 4);
    EXPECT_NE(f.ActiveView, ViewText);
    guitest::Click(View(), 2, 30);  // one click: nothing
    EXPECT_EQ(Widths().W0, 4);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, {2, 30});
    Post(WM_LBUTTONUP, 0, {2, 30});
    int w = f.ClientWidth() - f.ScrollBarWidth;
    EXPECT_EQ(f.ActiveView, ViewText);
    EXPECT_EQ(Widths().W0, static_cast<int>(0.4 * w));
    EXPECT_TRUE(f.MenuView1->Checked());
}

TEST_F(ByteViewTest, AnEmptyDocumentShowsOnlyTheEndOfFileCell) {
    TMainForm& f = Start({});
    const TViewColors& c = f.Colors;
    TRect r = CellRect(ViewText, Widths(), 0, 0);
    // The cursor's solid block with the bar in the background colour.
    EXPECT_EQ(guitest::PixelAt(View(), r.Left + 2, 12), ToColorRef(c.Background));
    EXPECT_EQ(guitest::PixelAt(View(), r.Left + 8, 12), ToColorRef(c.Data1));
    EXPECT_EQ(CellColour(ViewText, 1), ToColorRef(c.Background));
}

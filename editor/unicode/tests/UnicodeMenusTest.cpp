#include <gtest/gtest.h>

#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/Application.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {

// A form with File (Open Ctrl+O, a line, Exit) and Edit menus, all wide.
struct MenuForm {
    TUvxForm form{nullptr};
    TUvxMainMenu& menu = *new TUvxMainMenu(&form);
    TUvxMenuItem* file = new TUvxMenuItem(&form);
    TUvxMenuItem* open = new TUvxMenuItem(&form);
    TUvxMenuItem* line = new TUvxMenuItem(&form);
    TUvxMenuItem* exit = new TUvxMenuItem(&form);
    TUvxMenuItem* edit = new TUvxMenuItem(&form);
    MenuForm() {
        file->SetCaption(u"&\u0424\u0430\u0439\u043B");
        file->SetShortCut(ShortCut('F', ssCtrl));  // never shown on the bar
        open->SetCaption(u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00");
        open->SetShortCut(ShortCut('O', ssCtrl));
        open->SetHint(u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C|\u041E\u0442\u043A\u0440\u044B\u0432\u0430\u0435\u0442 \u0444\u0430\u0439\u043B");
        line->SetCaption(u"-");
        exit->SetCaption(u"E&xit");
        exit->SetShortCut(ShortCut(VK_F4, ssAlt));
        edit->SetCaption(u"\u041F\u0440\u0430\u0432\u043A\u0430");
        file->Add(open);
        file->Add(line);
        file->Add(exit);
        menu.Items()->Add(file);
        menu.Items()->Add(edit);
        form.SetCaption(u"\u041C\u0435\u043D\u044E");
        form.SetMenu(&menu);
        form.SetBounds(50, 50, 400, 200);
    }
};
}  // namespace

TEST(UnicodeMenus, NativeItemsShowWideCaptionsAndShortcutTexts) {
    MenuForm f;
    f.form.Show();
    PumpUntilIdle();
    HMENU bar = GetMenu(f.form.Handle());
    ASSERT_EQ(bar, f.menu.Handle());
    EXPECT_EQ(NativeMenuText(bar, f.file->Command()), u"&\u0424\u0430\u0439\u043B") << "no shortcut on the bar";
    EXPECT_EQ(NativeMenuText(bar, f.edit->Command()), u"\u041F\u0440\u0430\u0432\u043A\u0430");
    HMENU sub = f.file->Handle();
    EXPECT_EQ(NativeMenuText(sub, f.open->Command()), u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00\tCtrl+O");
    EXPECT_EQ(NativeMenuText(sub, f.exit->Command()), u"E&xit\tAlt+F4");
    SaveScreenshot(f.form.Handle(), ScreenshotPath("unicode_menu_bar"));

    // Later changes reach the native items, the siblings keep their wide text.
    f.open->SetShortCut(ShortCut('P', ssCtrl | ssShift));
    f.exit->SetCaption(u"\u0412\u044B\u0445\u043E\u0434");
    f.edit->SetVisible(false);
    f.edit->SetVisible(true);
    EXPECT_EQ(NativeMenuText(sub, f.open->Command()), u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00\tShift+Ctrl+P");
    EXPECT_EQ(NativeMenuText(sub, f.exit->Command()), u"\u0412\u044B\u0445\u043E\u0434\tAlt+F4");
    EXPECT_EQ(NativeMenuText(bar, f.file->Command()), u"&\u0424\u0430\u0439\u043B");
    EXPECT_EQ(NativeMenuText(bar, f.edit->Command()), u"\u041F\u0440\u0430\u0432\u043A\u0430");

    // A change through the framework wins.
    f.open->TMenuItem::SetCaption("Plain");
    EXPECT_EQ(f.open->GetCaption(), u"Plain");
    EXPECT_EQ(NativeMenuText(sub, f.open->Command()), u"Plain\tShift+Ctrl+P");
}

TEST(UnicodeMenus, FrameworkHotkeyMoveIsCopiedIntoTheWideCaption) {
    TUvxMenuItem item(nullptr);
    item.SetCaption(u"\u0424\u0430\u0439\u043B");
    item.TMenuItem::SetCaption("?&???");
    EXPECT_EQ(item.GetCaption(), u"\u0424&\u0430\u0439\u043B");
    item.SetCaption(u"Fish && Chips");
    item.TMenuItem::SetCaption("&Fish && Chips");
    EXPECT_EQ(item.GetCaption(), u"&Fish && Chips");
}

TEST(UnicodeMenus, CommandsRunItemsAndSelectionSetsTheLongHint) {
    MenuForm f;
    int opened = 0;
    f.open->OnClick = [&](TObject*) { ++opened; };
    HWND h = f.form.Handle();
    SendMessageW(h, WM_COMMAND, f.open->Command(), 0);
    EXPECT_EQ(opened, 1);
    SendMessageW(h, WM_MENUSELECT, MAKEWPARAM(f.open->Command(), MF_STRING), reinterpret_cast<LPARAM>(f.file->Handle()));
    EXPECT_EQ(UvxApplication->GetHint(), u"\u041E\u0442\u043A\u0440\u044B\u0432\u0430\u0435\u0442 \u0444\u0430\u0439\u043B");
    SendMessageW(h, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(UvxApplication->GetHint(), u"") << "a closed menu empties the hint";
    // The shortcut key runs the item.
    EXPECT_TRUE(f.menu.IsShortCut(ShortCut('O', ssCtrl)));
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(f.file->Find(u"\u043E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00"), f.open) << "case and hotkeys aside";
}

TEST(UnicodeMenus, ShortcutTextsBothWays) {
    for (bool wide : kBothPlatforms) {
        Platform p(wide);
        EXPECT_EQ(WideShortCutToText(ShortCut('O', ssCtrl)), u"Ctrl+O");
        EXPECT_EQ(WideShortCutToText(ShortCut(VK_F5, ssShift)), u"Shift+F5");
        EXPECT_EQ(WideShortCutToText(ShortCut(VK_DELETE, ssShift | ssCtrl | ssAlt)), u"Shift+Ctrl+Alt+Del");
        EXPECT_EQ(WideShortCutToText(ShortCut('7', 0)), u"7");
        EXPECT_EQ(WideShortCutToText(0), u"");
        EXPECT_EQ(WideTextToShortCut(u"Ctrl+O"), ShortCut('O', ssCtrl));
        EXPECT_EQ(WideTextToShortCut(u"^o"), ShortCut('O', ssCtrl));
        EXPECT_EQ(WideTextToShortCut(u"alt+shift+f5"), ShortCut(VK_F5, ssAlt | ssShift));
        EXPECT_EQ(WideTextToShortCut(u"Ctrl+"), 0);
        EXPECT_EQ(WideTextToShortCut(u"Ctrl+NoSuchKey"), 0);
    }
    EXPECT_EQ(TextToShortCut("Ctrl+Shift+Ins"), ShortCut(VK_INSERT, ssCtrl | ssShift));
}

TEST(UnicodeMenus, PopupMenuItemsAndNewItemHelpers) {
    TUvxPopupMenu popup(nullptr);
    TMenuItem* items[] = {WideNewItem(u"\u041A\u043E\u043F\u0438\u044F", ShortCut('C', ssCtrl), true, false, nullptr, 7,
                                      "Copy1"),
                          WideNewItem(u"\u0412\u0441\u0442\u0430\u0432\u043A\u0430", 0, false, true, nullptr, 0, "Paste1")};
    TUvxMenuItem* sub = WideNewSubMenu(u"\u041F\u0440\u0430\u0432\u043A\u0430", 3, "Edit1", items, 1, true);
    popup.Items()->Add(sub);
    HMENU h = sub->Handle();
    EXPECT_EQ(NativeMenuText(h, items[0]->Command()), u"\u041A\u043E\u043F\u0438\u044F\tCtrl+C");
    EXPECT_EQ(NativeMenuText(popup.Handle(), sub->Command()), u"\u041F\u0440\u0430\u0432\u043A\u0430");
    EXPECT_EQ(GetMenuState(h, items[0]->Command(), MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED),
              static_cast<UINT>(MF_CHECKED | MF_GRAYED));
    EXPECT_EQ(items[0]->HelpContext, 7);
    EXPECT_EQ(sub->Name(), "Edit1");
    EXPECT_EQ(UvxPopupList->Count(), 1);
    EXPECT_EQ(PopupList->Count(), 0) << "a Unicode pop-up menu lives in the layer's list";
}

TEST(UnicodeMenus, EightBitPlatformWritesEightBitCaptions) {
    Platform eightBit(false);
    MenuForm f;
    f.form.Handle();
    EXPECT_EQ(NativeMenuText(f.file->Handle(), f.open->Command()), u"??????? ??\tCtrl+O");
    EXPECT_EQ(f.open->GetCaption(), u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00")
        << "the item keeps its wide caption for later";
}

namespace {
// A 32-bit bitmap to draw menu items into, and its pixels.
struct TItemBitmap {
    int Width, Height;
    HDC DC;
    HBITMAP Bitmap;
    HGDIOBJ Old;
    uint32_t* Bits = nullptr;
    TItemBitmap(int w, int h) : Width(w), Height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        DC = CreateCompatibleDC(nullptr);
        Bitmap = CreateDIBSection(DC, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0);
        Old = SelectObject(DC, Bitmap);
    }
    ~TItemBitmap() {
        SelectObject(DC, Old);
        DeleteObject(Bitmap);
        DeleteDC(DC);
    }
    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        return std::vector<uint32_t>(Bits, Bits + static_cast<size_t>(Width) * Height);
    }
    bool Has(COLORREF c) const {
        uint32_t want = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        for (uint32_t p : Pixels())
            if ((p & 0xFFFFFF) == want) return true;
        return false;
    }
};

SIZE MenuTextExtent(const std::u16string& text) {
    HDC dc = GetDC(nullptr);
    SIZE size{};
    {
        TMenuFontScope font(dc);
        GetTextExtentPoint32W(dc, WC(text), static_cast<int>(text.size()), &size);
    }
    ReleaseDC(nullptr, dc);
    return size;
}
}  // namespace

TEST(UnicodeMenus, OwnerDrawnItemsMeasureAndDrawTheirWideCaptions) {
    MenuForm f;
    f.menu.OwnerDraw = true;
    const std::u16string caption = u"\u0388\u03BE\u03BF\u03B4\u03BF\u03C2";  // Έξοδος
    f.exit->SetCaption(caption);
    f.form.Show();
    PumpUntilIdle();
    HWND h = f.form.Handle();
    HMENU sub = f.file->Handle();
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(sub, f.exit->Command(), FALSE, &mi));
    EXPECT_TRUE(mi.fType & MFT_OWNERDRAW);

    // Measured by the system's question to the form: the framework's size of
    // the 8-bit caption, widened by what the wide caption needs more.
    MEASUREITEMSTRUCT m{ODT_MENU, 0, f.exit->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(f.exit)};
    EXPECT_TRUE(SendMessageW(h, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)));
    TMenuItem plain(nullptr);
    plain.SetCaption(f.exit->Caption());
    plain.SetShortCut(f.exit->ShortCut());
    int plainWidth = 0, plainHeight = 0;
    HDC screen = GetDC(nullptr);
    plain.MeasureItem(screen, plainWidth, plainHeight);
    ReleaseDC(nullptr, screen);
    const std::u16string ansi = AnsiToWideSys(f.exit->Caption());
    ASSERT_NE(ansi, caption);
    EXPECT_EQ(static_cast<int>(m.itemWidth), plainWidth + MenuTextExtent(caption).cx - MenuTextExtent(ansi).cx);
    EXPECT_EQ(static_cast<int>(m.itemHeight), plainHeight);

    // Drawn through the form: the menu's background, the wide caption six
    // pixels in and centred, the shortcut text ten pixels before the right edge.
    const int w = static_cast<int>(m.itemWidth) + 20, ih = static_cast<int>(m.itemHeight);
    TItemBitmap drawn(w, ih), expected(w, ih);
    DRAWITEMSTRUCT d{ODT_MENU, 0, f.exit->Command(), ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(sub), drawn.DC,
                     RECT{0, 0, w, ih}, reinterpret_cast<ULONG_PTR>(f.exit)};
    EXPECT_TRUE(SendMessageW(h, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d)));
    {
        RECT all{0, 0, w, ih};
        FillRect(expected.DC, &all, GetSysColorBrush(COLOR_MENU));
        TMenuFontScope font(expected.DC);
        SetBkMode(expected.DC, TRANSPARENT);
        SetTextColor(expected.DC, GetSysColor(COLOR_MENUTEXT));
        SIZE text = MenuTextExtent(caption);
        RECT r{6, (ih - text.cy) / 2, 6 + text.cx, (ih - text.cy) / 2 + text.cy};
        DrawTextW(expected.DC, WC(caption), -1, &r, DT_SINGLELINE | DT_EXPANDTABS);
        RECT keys{r.right, r.top, w - 10, r.bottom};
        DrawTextW(expected.DC, L"Alt+F4", -1, &keys, DT_SINGLELINE | DT_EXPANDTABS | DT_RIGHT);
    }
    EXPECT_TRUE(drawn.Pixels() == expected.Pixels());

    // A disabled item is embossed: highlight copy below right, shadow copy in place.
    f.exit->SetEnabled(false);
    TItemBitmap grey(w, ih);
    d.hDC = grey.DC;
    d.itemState = ODS_GRAYED;
    SendMessageW(h, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    EXPECT_TRUE(grey.Has(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(grey.Has(GetSysColor(COLOR_BTNHIGHLIGHT)) || GetSysColor(COLOR_BTNHIGHLIGHT) == GetSysColor(COLOR_MENU));

    // Top-level items that draw nothing of their own become wide text items.
    HMENU bar = GetMenu(h);
    NoOwnerDrawTopLevelItems(&f.menu);
    mi.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(bar, f.edit->Command(), FALSE, &mi));
    EXPECT_FALSE(mi.fType & MFT_OWNERDRAW);
    EXPECT_EQ(NativeMenuText(bar, f.edit->Command()), u"\u041F\u0440\u0430\u0432\u043A\u0430");
    EXPECT_EQ(NativeMenuText(bar, f.file->Command()), u"&\u0424\u0430\u0439\u043B");
}

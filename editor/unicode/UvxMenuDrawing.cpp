// Owner-drawn menu items of the layer: the framework draws the background
// and the check mark, the wide caption and shortcut text are drawn here.
#include <windows.h>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/Exceptions.h"
#include "framework/WinText.h"

namespace {
// The ignore-changes flag of an item for the scope, also on failure.
struct TIgnoreScope {
    bool& Flag;
    bool Saved;
    explicit TIgnoreScope(bool& flag) : Flag(flag), Saved(flag) { Flag = true; }
    ~TIgnoreScope() { Flag = Saved; }
};

bool NtAbove4() {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    return GetVersionExA(&vi) && vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion > 4;
}

// Windows 98, 2000 or later.
bool Windows98OrLater() {
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    return GetVersionExA(&vi) && (vi.dwMajorVersion > 4 || (vi.dwMajorVersion == 4 && vi.dwMinorVersion > 0));
}
}  // namespace

UINT TUvxMenuItem::GetAlignmentDrawStyle() {
    auto* popup = dynamic_cast<TPopupMenu*>(GetParentMenu());
    if (!popup) return DT_LEFT;
    switch (popup->Alignment) {
        case TPopupMenu::paRight: return DT_RIGHT;
        case TPopupMenu::paCenter: return DT_CENTER;
        default: return DT_LEFT;
    }
}

void TUvxMenuItem::DoDrawText(HDC dc, std::u16string text, RECT& rect, bool selected, UINT flags) {
    TMenuFontScope font(dc, Default());
    if (!Win32PlatformIsUnicode || IsLine()) {
        std::string ansi = WideToAnsiSys(text);
        DrawTextA(dc, ansi.c_str(), static_cast<int>(ansi.size()), &rect, flags);
        return;
    }
    // Measuring nothing (or a lone accelerator mark) still gives one line.
    if ((flags & DT_CALCRECT) && (text.empty() || text == u"&")) text += u' ';
    int oldMode = SetBkMode(dc, TRANSPARENT);
    int length = static_cast<int>(text.size());
    if (!Enabled()) {
        if (!selected) {
            COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            OffsetRect(&rect, 1, 1);
            Uvx_DrawTextW(dc, WC(text), length, &rect, flags);
            OffsetRect(&rect, -1, -1);
            SetTextColor(dc, old);
        }
        int colour = selected && GetSysColor(COLOR_HIGHLIGHT) == GetSysColor(COLOR_BTNSHADOW) ? COLOR_BTNHIGHLIGHT
                                                                                              : COLOR_BTNSHADOW;
        SetTextColor(dc, GetSysColor(colour));
    }
    Uvx_DrawTextW(dc, WC(text), length, &rect, flags);
    SetBkMode(dc, oldMode);
}

int TUvxMenuItem::MeasureItemTextWidth(HDC dc, const std::u16string& text) {
    RECT r{0, 0, 0, 0};
    DoDrawText(dc, text, r, false, GetAlignmentDrawStyle() | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP | DT_CALCRECT);
    return r.right - r.left;
}

// The framework measures the 8-bit texts; the difference to the wide ones
// is added, then the item's own measure event sees the corrected size.
void TUvxMenuItem::MeasureItem(HDC dc, int& width, int& height) {
    if (!Win32PlatformIsUnicode || IsLine()) return TMenuItem::MeasureItem(dc, width, height);
    TMenuMeasureItemEvent event = OnMeasureItem;
    OnMeasureItem = nullptr;
    try {
        TMenuItem::MeasureItem(dc, width, height);
        width += MeasureItemTextWidth(dc, GetCaption()) - MeasureItemTextWidth(dc, AnsiToWideSys(Caption()));
        if (ShortCut())
            width += MeasureItemTextWidth(dc, WideShortCutToText(ShortCut())) -
                     MeasureItemTextWidth(dc, AnsiToWideSys(ShortCutToText(ShortCut())));
    } catch (...) {
        OnMeasureItem = event;
        throw;
    }
    OnMeasureItem = event;
    if (OnMeasureItem) OnMeasureItem(this, dc, width, height);
}

void TUvxMenuItem::AdvancedDrawItem(HDC dc, RECT rect, UINT state, bool topLevel) {
    if (!Win32PlatformIsUnicode || IsLine() || OnAdvancedDrawItem)
        return TMenuItem::AdvancedDrawItem(dc, rect, state, topLevel);
    bool selected = (state & ODS_SELECTED) != 0;
    {
        // The framework draws background and check mark without any text.
        TIgnoreScope ignore(FIgnoreChanges);
        std::string caption = Caption();
        TShortCut shortCut = ShortCut();
        TMenuItem::SetCaption("");
        SetShortCut(0);
        try {
            TMenuItem::AdvancedDrawItem(dc, rect, state, topLevel);
        } catch (...) {
            TMenuItem::SetCaption(caption);
            SetShortCut(shortCut);
            throw;
        }
        TMenuItem::SetCaption(caption);
        SetShortCut(shortCut);
    }
    // No image lists or bitmaps in menus here: the glyph area is empty.
    RECT glyph{rect.left + 1, rect.top, rect.left + 1, rect.bottom};
    glyph.left -= 1;
    glyph.right += 2;
    bool win98 = Windows98OrLater();
    if (topLevel && !selected && win98 && !Win32PlatformIsXP) OffsetRect(&rect, 0, -1);
    RECT text = rect;
    text.left = glyph.right + 1;
    text.left += 2;
    text.right -= 1;
    UINT style = GetAlignmentDrawStyle() | DT_EXPANDTABS | DT_SINGLELINE;
    if ((state & ODS_NOACCEL) && NtAbove4()) style |= DT_HIDEPREFIX;
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    std::u16string caption = GetCaption();
    RECT measured = text;
    DoDrawText(dc, caption, measured, selected, style | DT_CALCRECT | DT_NOCLIP);
    int offset = ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2;
    OffsetRect(&measured, 0, offset);
    if (topLevel && selected && win98 && !Win32PlatformIsXP) OffsetRect(&measured, 1, 0);
    DoDrawText(dc, caption, measured, selected, style);
    if (!topLevel && ShortCut()) {
        RECT keys{measured.right, measured.top, rect.right - 10, measured.bottom};
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        DoDrawText(dc, WideShortCutToText(ShortCut()), keys, selected, style | DT_RIGHT);
    }
}

void NoOwnerDrawTopLevelItems(TMainMenu* menu) {
    if (!Windows98OrLater() || !menu) return;
    HMENU native = menu->Handle();
    for (UINT i = 0;; ++i) {
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID;
        if (!GetMenuItemInfoA(native, i, TRUE, &mi)) break;
        if (!(mi.fType & MFT_OWNERDRAW)) continue;
        TMenuItem* item = menu->Items()->FindByCommand(mi.wID);
        if (!item || item->OnAdvancedDrawItem) continue;
        auto* wide = dynamic_cast<TUvxMenuItem*>(item);
        if (wide && Win32PlatformIsUnicode) {
            std::u16string caption = wide->GetCaption();
            MENUITEMINFOW w{};
            w.cbSize = sizeof w;
            w.fMask = MIIM_FTYPE | MIIM_STRING;
            w.fType = mi.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
            w.dwTypeData = reinterpret_cast<LPWSTR>(caption.data());
            SetMenuItemInfoW(native, i, TRUE, &w);
        } else {
            std::string caption = item->Caption();
            mi.fMask = MIIM_FTYPE | MIIM_STRING;
            mi.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
            mi.dwTypeData = caption.data();
            SetMenuItemInfoA(native, i, TRUE, &mi);
        }
    }
}

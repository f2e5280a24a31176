#include "editor/crashreport/support/listview/ListViewItems.h"

#include "editor/crashreport/support/listview/DrawBmp.h"

namespace {

const char* const kBitmapNames[lrbCount] = {"ZV_DLL", "ZV_BPL", "ZV_VCL", "ZV_PAS", "ZV_PLUS", "ZV_MINUS"};

const UINT kTextFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

// The module that holds this code, where the row pictures are.
HMODULE CodeModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CodeModule), &module);
    return module;
}

// A font selected into a device context until the end of the scope.
class TFontSelection {
public:
    TFontSelection(HDC dc, HFONT font) : FDC(dc), FOld(font ? SelectObject(dc, font) : nullptr) {}
    ~TFontSelection()
    {
        if (FOld)
            SelectObject(FDC, FOld);
    }
    TFontSelection(const TFontSelection&) = delete;
    TFontSelection& operator=(const TFontSelection&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

void FillBand(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    if (right <= left || bottom <= top)
        return;
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush);
}

HFONT ListFont(HWND list)
{
    auto font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

TListViewItems::TListViewItems(HWND listWindow) : FListWindow(listWindow)
{
    FListDC = GetDC(listWindow);
    const HMODULE module = CodeModule();
    for (int i = 0; i < lrbCount; ++i)
        FBitmaps[i] = LoadBitmapA(module, kBitmapNames[i]);
    FImageList = ImageList_Create(16, 16, ILC_COLORDDB, 4, 4);
    for (int i = lrbDLL; i <= lrbPAS; ++i)
        ImageList_Add(FImageList, FBitmaps[i], nullptr);
    ListView_SetImageList(listWindow, FImageList, LVSIL_SMALL);
    const COLORREF colours[brCount] = {RGB(204, 218, 241), RGB(255, 255, 255), RGB(49, 106, 197),
                                       RGB(152, 181, 226), RGB(123, 164, 224), RGB(206, 203, 194)};
    for (int i = 0; i < brCount; ++i)
        FBrushes[i] = CreateSolidBrush(colours[i]);
}

TListViewItems::~TListViewItems()
{
    // The list may outlive these rows: it keeps neither their items, whose
    // parameters point at the rows, nor the image list freed below.
    if (IsWindow(FListWindow)) {
        SendMessageA(FListWindow, LVM_DELETEALLITEMS, 0, 0);
        ListView_SetImageList(FListWindow, nullptr, LVSIL_SMALL);
    }
    for (HBRUSH brush : FBrushes)
        DeleteObject(brush);
    for (HBITMAP bitmap : FBitmaps)
        DeleteObject(bitmap);
    ImageList_Destroy(FImageList);
    if (FListDC) {
        if (FListDCFont)
            SelectObject(FListDC, FListDCFont);
        ReleaseDC(FListWindow, FListDC);
    }
    TListRows::Clear();
    if (FBoldFont)
        DeleteObject(FBoldFont);
}

void TListViewItems::InitializeData()
{
    HWND header = ListView_GetHeader(FListWindow);
    FColumnCount = header ? Header_GetItemCount(header) : 0;
    if (FColumnCount < 0)
        FColumnCount = 0;
    FColumnAlignment.assign(static_cast<size_t>(FColumnCount), DT_LEFT);
    for (int i = 0; i < FColumnCount; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT;
        if (!SendMessageA(FListWindow, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)))
            continue;
        const int format = column.fmt & LVCFMT_JUSTIFYMASK;
        FColumnAlignment[static_cast<size_t>(i)] = format == LVCFMT_RIGHT ? DT_RIGHT
                                                   : format == LVCFMT_CENTER ? DT_CENTER
                                                                             : DT_LEFT;
    }

    // The indent: blanks in the list's font until they are 14 pixels wide.
    HFONT font = ListFont(FListWindow);
    if (FListDC) {
        HGDIOBJ old = SelectObject(FListDC, font);
        if (!FListDCFont)
            FListDCFont = old;
        FIndentText = " ";
        SIZE size{};
        while (GetTextExtentPoint32A(FListDC, FIndentText.data(), static_cast<int>(FIndentText.size()), &size) &&
               size.cx < 14 && FIndentText.size() < 64)
            FIndentText += ' ';
        FIndentStep = size.cx;
    }

    LOGFONTA logFont{};
    if (GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont) {
        logFont.lfWeight = FW_BOLD;
        if (FBoldFont)
            DeleteObject(FBoldFont);
        FBoldFont = CreateFontIndirectA(&logFont);
    }
}

void TListViewItems::AddRow(const std::vector<std::string>& texts, int32_t image, intptr_t data, bool parent,
                            const std::string& caption)
{
    if (Count() == 0)
        InitializeData();
    TListViewItemRec* row = AddRowRecord(texts, image, data, parent, caption, FIndentText);
    row->ListWindow = FListWindow;
    InsertItem(row, -1);
}

void TListViewItems::InsertItem(TListViewItemRec* row, int position)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position < 0 ? ListView_GetItemCount(FListWindow) : position;
    std::string first = row->Columns.empty() ? std::string() : row->Columns[0];
    item.pszText = const_cast<char*>(first.c_str());
    item.iImage = row->Image;
    item.lParam = reinterpret_cast<LPARAM>(row);
    const int at = static_cast<int>(SendMessageA(FListWindow, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0)
        return;
    for (size_t i = 1; i < row->Columns.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i);
        sub.pszText = const_cast<char*>(row->Columns[i].c_str());
        SendMessageA(FListWindow, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
    }
}

void TListViewItems::DeleteItem(int position)
{
    SendMessageA(FListWindow, LVM_DELETEITEM, static_cast<WPARAM>(position), 0);
}

void TListViewItems::RedrawItems(int first, int last)
{
    SendMessageA(FListWindow, LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

void TListViewItems::SetRedrawState(bool on)
{
    SendMessageA(FListWindow, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

TListViewItemRec* TListViewItems::GetItemParam(int position) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = position;
    if (position < 0 || !SendMessageA(FListWindow, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<TListViewItemRec*>(item.lParam);
}

int TListViewItems::PositionOf(const TListViewItemRec* row) const
{
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(row);
    return static_cast<int>(SendMessageA(FListWindow, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

void TListViewItems::ClickOnItem(int position, POINT point, bool signOnly)
{
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessageA(FListWindow, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&r)))
        return;
    TListViewItemRec* row = GetItemParam(position);
    if (row == nullptr || !row->Parent)
        return;
    if (signOnly && !SignAreaHit(point.x - r.left, point.y - r.top, row->ParentRow != nullptr, FIndentStep))
        return;
    const int index = IndexOf(row);
    if (index < 0)
        return;
    SetRedrawState(false);
    for (const TFoldStep& step : ToggleHeader(index, position)) {
        if (step.Insert)
            InsertItem(GetItem(step.Row), step.Position);
        else
            DeleteItem(step.Position);
    }
    SetRedrawState(true);
    RedrawItems(position, position);
}

void TListViewItems::Delete(int index)
{
    const int position = PositionOf(GetItem(index));
    if (position >= 0)
        DeleteItem(position);
    TListRows::Delete(index);
}

void TListViewItems::Clear()
{
    if (IsWindow(FListWindow))
        SendMessageA(FListWindow, LVM_DELETEALLITEMS, 0, 0);
    TListRows::Clear();
    if (FBoldFont) {
        DeleteObject(FBoldFont);
        FBoldFont = nullptr;
    }
}

bool TListViewItems::DrawList(const DRAWITEMSTRUCT& item)
{
    auto* row = reinterpret_cast<const TListViewItemRec*>(item.itemData);
    if (row == nullptr)
        return true;
    if (!FDCReady) {
        SetBkMode(FListDC, TRANSPARENT);
        FDCReady = true;
    }
    // The list may hand each paint a new device context: text never paints
    // its own background over the row's.
    HDC dc = item.hDC;
    SetBkMode(dc, TRANSPARENT);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const RECT& r = item.rcItem;
    const int indent = FIndentStep * row->Indented;

    FillBand(dc, r.left + indent + 2, r.top, r.right, r.bottom, FBrushes[selected ? brSelected : brUnselected]);
    if (row->Parent)
        DrawHeaderRow(dc, r, *row);
    else
        DrawPlainRow(dc, r, *row, indent);

    if (focused) {
        const bool active = selected && GetFocus() == FListWindow;
        FrameRect(dc, &r, FBrushes[active ? brSelectedFrame : brUnselectedFrame]);
    }
    return true;
}

void TListViewItems::DrawHeaderRow(HDC dc, const RECT& r, const TListViewItemRec& row)
{
    COLORREF colour = 0x606060;
    int left = r.left;
    switch (row.Data) {
    case 1: colour = 0x800000; break;  // navy
    case 3: colour = 0x000080; break;  // dark red
    case 0: left += FIndentStep; break;
    default: break;
    }
    FillBand(dc, left + 2, r.bottom - 2, r.right, r.bottom, FBrushes[brHeaderLine]);
    {
        TFontSelection bold(dc, FBoldFont);
        SetTextColor(dc, colour);
        RECT text{left + 15, r.top, r.right, r.bottom};
        DrawTextA(dc, row.Caption.c_str(), static_cast<int>(row.Caption.size()), &text, kTextFlags | DT_LEFT);
    }
    DrawBmp(dc, FBitmaps[row.Expanded ? lrbMinus : lrbPlus], left + 1, r.top + 1, 13, 13);
}

void TListViewItems::DrawPlainRow(HDC dc, const RECT& r, const TListViewItemRec& row, int indent)
{
    if (row.Image >= 0 && row.Image < lrbCount)
        DrawBmp(dc, FBitmaps[row.Image], r.left + indent + 2, r.top, 16, 16);
    SetTextColor(dc, RGB(0, 0, 0));
    int x = r.left;
    for (int i = 0; i < FColumnCount; ++i) {
        const int width = static_cast<int>(SendMessageA(FListWindow, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        if (!row.Separator)
            FillBand(dc, i == 0 ? r.left + indent + 2 : x, r.bottom - 1, x + width, r.bottom, FBrushes[brRowLine]);
        if (static_cast<size_t>(i) < row.Columns.size()) {
            RECT text{x + (i == 0 ? 20 : 6), r.top, x + width - 6 + (i == 0 ? 4 : 0), r.bottom};
            const std::string& t = row.Columns[static_cast<size_t>(i)];
            DrawTextA(dc, t.c_str(), static_cast<int>(t.size()), &text,
                      kTextFlags | static_cast<UINT>(FColumnAlignment[static_cast<size_t>(i)]));
        }
        x += width;
    }
}

bool TListViewItems::DrawItem(int position, HDC dc, bool selected, bool focused)
{
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTVIEW;
    item.itemID = static_cast<UINT>(position);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (selected ? ODS_SELECTED : 0) | (focused ? ODS_FOCUS : 0);
    item.hwndItem = FListWindow;
    item.hDC = dc;
    item.rcItem.left = LVIR_BOUNDS;
    SendMessageA(FListWindow, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item.rcItem));
    item.itemData = reinterpret_cast<ULONG_PTR>(GetItemParam(position));
    return DrawList(item);
}

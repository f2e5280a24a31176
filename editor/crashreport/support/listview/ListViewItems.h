#pragma once
// The rows of a report-style list view drawn by its owner: header rows that
// fold and unfold the rows under them with a plus or minus sign, separator
// rows, indented rows, each drawn with its own colours, fonts and pictures.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "editor/crashreport/support/listview/ListRows.h"

// The pictures of the rows, by index.
enum TListRowBitmap { lrbDLL, lrbBPL, lrbVCL, lrbPAS, lrbPlus, lrbMinus, lrbCount };

class TListViewItems : public TListRows {
public:
    explicit TListViewItems(HWND listWindow);
    ~TListViewItems() override;
    TListViewItems(const TListViewItems&) = delete;
    TListViewItems& operator=(const TListViewItems&) = delete;

    // Appends a row and shows it at the end of the list.
    void AddRow(const std::vector<std::string>& texts, int32_t image, intptr_t data, bool parent,
                const std::string& caption);
    // Puts the row into the list view at the position (-1: at the end).
    void InsertItem(TListViewItemRec* row, int position);
    void DeleteItem(int position);
    void RedrawItems(int first, int last);
    void SetRedrawState(bool on);

    // A click at `point` (list coordinates) on the item at `position`: a
    // header row folds or unfolds; with `signOnly`, only when the point lies
    // on its sign.
    void ClickOnItem(int position, POINT point, bool signOnly);

    // The row of a list-view item, or null.
    TListViewItemRec* GetItemParam(int position) const;
    // Frees one row (taking it out of the list view) or all of them.
    void Delete(int index);
    void Clear();

    // Draws one row for WM_DRAWITEM; true.
    bool DrawList(const DRAWITEMSTRUCT& item);
    // Draws the row at the position into a device context of the caller.
    bool DrawItem(int position, HDC dc, bool selected, bool focused);

    // Column count and alignment, indent step and bold font, from the list.
    void InitializeData();

    HWND ListWindow() const { return FListWindow; }
    HIMAGELIST ImageList() const { return FImageList; }
    HBITMAP Bitmap(TListRowBitmap which) const { return FBitmaps[which]; }
    int32_t IndentStep() const { return FIndentStep; }
    const std::string& IndentText() const { return FIndentText; }
    int32_t ColumnCount() const { return FColumnCount; }
    const std::vector<int32_t>& ColumnAlignment() const { return FColumnAlignment; }

private:
    enum { brSelected, brUnselected, brSelectedFrame, brUnselectedFrame, brHeaderLine, brRowLine, brCount };

    void DrawHeaderRow(HDC dc, const RECT& r, const TListViewItemRec& row);
    void DrawPlainRow(HDC dc, const RECT& r, const TListViewItemRec& row, int indent);
    int PositionOf(const TListViewItemRec* row) const;

    bool FDCReady = false;
    HWND FListWindow;
    HDC FListDC = nullptr;
    HBITMAP FBitmaps[lrbCount] = {};
    HBRUSH FBrushes[brCount] = {};
    HIMAGELIST FImageList = nullptr;
    HFONT FBoldFont = nullptr;
    HGDIOBJ FListDCFont = nullptr;
    std::string FIndentText;
    int32_t FIndentStep = 0;
    int32_t FColumnCount = 0;
    std::vector<int32_t> FColumnAlignment;
};

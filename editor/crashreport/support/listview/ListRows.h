#pragma once
// The rows behind a report list of the crash dialogs: header rows that fold
// and unfold the rows below them, separator rows that end a group, and the
// indentation of rows under a second header. The rows are kept here in
// order, folded ones included; the list view shows the visible ones.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/List.h"

struct TListViewItemRec {
    void* ListWindow = nullptr;  // the list view the row belongs to
    std::vector<std::string> Columns;
    int32_t Image = -1;          // index into the row bitmaps, -1 for none
    int32_t Indented = 0;        // 1: drawn one indent step to the right
    intptr_t Data = 0;           // header rows: the colour selector
    bool Parent = false;         // a header row folding the rows below it
    bool Expanded = true;        // header rows
    bool Separator = false;      // a non-header row whose texts are all blank
    bool Visible = true;         // the row is in the list view now
    std::string Caption;         // header rows: the text across the row
    TListViewItemRec* ParentRow = nullptr;  // the header above it, if any
};

// One change of the list view when a header folds or unfolds: the row is
// inserted at the position, or the item at the position is deleted.
struct TFoldStep {
    bool Insert = false;
    int Row = 0;
    int Position = 0;
    bool operator==(const TFoldStep&) const = default;
};

class TListRows : public TList {
public:
    TListRows() = default;
    ~TListRows() override;

    TListViewItemRec* GetItem(int index) const { return static_cast<TListViewItemRec*>(Get(index)); }
    // Frees one row; rows that named it as their header no longer do.
    void Delete(int index);
    // Frees every row.
    void Clear();

    // Makes and appends the next row: a separator when it is not a header
    // and every text is blank; the header level decides its indentation,
    // and an indented row gets `indentText` before its first text.
    TListViewItemRec* AddRowRecord(const std::vector<std::string>& texts, int32_t image, intptr_t data, bool parent,
                                   const std::string& caption, const std::string& indentText);

    // Folds or unfolds the header row at `index`, shown in the list view at
    // `position`: every following row up to the next separator takes the
    // header's new state, except that unfolding stops after a header that
    // is itself folded. The list-view changes, in the order to make them.
    std::vector<TFoldStep> ToggleHeader(int index, int position);

    int32_t Level() const { return FLevel; }
    TListViewItemRec* LastParent() const { return FLastParent; }

private:
    TListViewItemRec* FLastParent = nullptr;
    int32_t FLevel = 0;
};

// Whether a point, relative to a header row's rectangle, lies on its plus or
// minus sign: x from s + 2 to s + 12 and y from 2 to 12, both inclusive,
// where s is the indent step for a row under another header, else 0.
bool SignAreaHit(int x, int y, bool hasParentRow, int indentStep);

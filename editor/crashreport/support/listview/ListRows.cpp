#include "editor/crashreport/support/listview/ListRows.h"

#include "framework/SysUtils.h"

TListRows::~TListRows() { Clear(); }

void TListRows::Delete(int index)
{
    TListViewItemRec* row = GetItem(index);
    TList::Delete(index);
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->ParentRow == row)
            GetItem(i)->ParentRow = nullptr;
    if (FLastParent == row)
        FLastParent = nullptr;
    delete row;
}

void TListRows::Clear()
{
    for (int i = 0; i < Count(); ++i)
        delete GetItem(i);
    TList::Clear();
    FLastParent = nullptr;
    FLevel = 0;
}

TListViewItemRec* TListRows::AddRowRecord(const std::vector<std::string>& texts, int32_t image, intptr_t data,
                                          bool parent, const std::string& caption, const std::string& indentText)
{
    auto* row = new TListViewItemRec;
    row->Columns = texts;
    row->Image = image;
    row->Parent = parent;
    bool blank = true;
    for (const std::string& t : texts)
        blank = blank && Trim(t).empty();
    row->Separator = !parent && blank;
    row->Data = data;

    if (parent)
        ++FLevel;
    else if (row->Separator)
        FLevel = 0;

    if (row->Separator || FLevel < 2) {
        row->Indented = 0;
    } else {
        row->Indented = 1;
        if (row->Columns.empty())
            row->Columns.emplace_back();
        row->Columns[0] = indentText + row->Columns[0];
    }

    row->Caption = caption;
    row->ParentRow = FLastParent;
    if (row->Separator)
        FLastParent = nullptr;
    else if (parent)
        FLastParent = row;
    Add(row);
    return row;
}

std::vector<TFoldStep> TListRows::ToggleHeader(int index, int position)
{
    std::vector<TFoldStep> steps;
    TListViewItemRec* header = GetItem(index);
    if (!header->Parent)
        return steps;
    header->Expanded = !header->Expanded;
    int shown = position;  // the list position of the last row shown so far
    for (int i = index + 1; i < Count(); ++i) {
        TListViewItemRec* row = GetItem(i);
        if (row->Separator)
            break;
        const bool was = row->Visible;
        row->Visible = header->Expanded;
        if (row->Visible) {
            ++shown;
            if (!was)
                steps.push_back({true, i, shown});
            if (row->Parent && !row->Expanded)
                break;
        } else if (was) {
            steps.push_back({false, i, shown + 1});
        }
    }
    return steps;
}

bool SignAreaHit(int x, int y, bool hasParentRow, int indentStep)
{
    const int s = hasParentRow ? indentStep : 0;
    return x >= s + 2 && x <= s + 12 && y >= 2 && y <= 12;
}

#include "framework/ListView.h"

#include "framework/ActionClients.h"

#include "framework/StdCtrls.h"

TListView::TListView(TComponent* owner) : TWinControl(owner) { FVisible = true; }

TListView::~TListView() {
    // The items' reports go to the parent while the window is destroyed:
    // the window first, while this object is still whole.
    DestroyHandle();
}

void TListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_LISTVIEWA;
    // The image lists belong to the caller, not to the window.
    params.Style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
    if (OwnerDraw) params.Style |= LVS_OWNERDRAWFIXED;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateHandleDone() {
    UseDialogFont(FHandle);
    if (RowSelect) ListView_SetExtendedListViewStyle(FHandle, LVS_EX_FULLROWSELECT);
    if (SmallImages) ListView_SetImageList(FHandle, SmallImages, LVSIL_SMALL);
    for (size_t i = 0; i < FColumns.size(); ++i) InsertColumn(static_cast<int>(i), FColumns[i]);
}

void TListView::SetSmallImages(HIMAGELIST images) {
    SmallImages = images;
    if (FHandle) ListView_SetImageList(FHandle, images, LVSIL_SMALL);
}

void TListView::InsertColumn(int index, const TListColumn& column) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = column.Format;
    col.cx = column.Width;
    col.pszText = const_cast<char*>(column.Caption.c_str());
    SendMessageA(FHandle, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
}

void TListView::AddColumn(const TListColumn& column) {
    FColumns.push_back(column);
    if (FHandle) InsertColumn(ColumnCount() - 1, column);
}

int TListView::ItemCount() { return ListView_GetItemCount(Handle()); }

int TListView::Selected() { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

void TListView::SetSelected(int item) {
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (item >= 0) ListView_SetItemState(Handle(), item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

RECT TListView::ItemRect(int item) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return r;
}

bool TListView::Notified(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        if (!OnDrawItem) return false;
        OnDrawItem(this, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    if (msg != WM_NOTIFY) return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    switch (hdr->code) {
        case NM_CLICK: {
            // The report carries the item and the point of the click.
            auto* click = reinterpret_cast<NMITEMACTIVATE*>(lParam);
            if (OnItemClick) OnItemClick(this, click->iItem, click->ptAction);
            if (OnClick) OnClick(this);
            result = 0;
            return true;
        }
        case NM_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            result = 0;
            return true;
        default:
            return false;
    }
}

TActionLinkClass TListView::GetActionLinkClass() { return &TListViewActionLink::Make; }

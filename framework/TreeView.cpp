#include "framework/TreeView.h"

#include "framework/StdCtrls.h"

namespace {
// Posted to the tree after NM_CLICK: the control selects the clicked node
// only after it has reported the click, and OnClick wants the new selection.
const UINT kDelayedClick = WM_APP + 0x31;
}  // namespace

bool TTreeNode::HasChildren() const { return TreeView_GetChild(FOwner->Handle(), FItem) != nullptr; }
bool TTreeNode::Expanded() const {
    return (TreeView_GetItemState(FOwner->Handle(), FItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}
void TTreeNode::Expand(bool recursive) {
    TreeView_Expand(FOwner->Handle(), FItem, TVE_EXPAND);
    if (recursive)
        for (HTREEITEM c = TreeView_GetChild(FOwner->Handle(), FItem); c; c = TreeView_GetNextSibling(FOwner->Handle(), c))
            if (TTreeNode* n = FOwner->FindNode(c)) n->Expand(true);
}
void TTreeNode::Collapse(bool recursive) {
    TreeView_Expand(FOwner->Handle(), FItem, TVE_COLLAPSE);
    if (recursive)
        for (HTREEITEM c = TreeView_GetChild(FOwner->Handle(), FItem); c; c = TreeView_GetNextSibling(FOwner->Handle(), c))
            if (TTreeNode* n = FOwner->FindNode(c)) n->Collapse(true);
}
bool TTreeNode::Selected() const { return TreeView_GetSelection(FOwner->Handle()) == FItem; }
void TTreeNode::SetSelected(bool value) { TreeView_SelectItem(FOwner->Handle(), value ? FItem : nullptr); }

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) { FVisible = true; }

TTreeView::~TTreeView() {
    // The nodes go with the window; the window first, so that no report of
    // a deleted item reaches a freed node.
    DestroyHandle();
}

void TTreeView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_TREEVIEWA;
    params.Style |= WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    if (!HideSelection) params.Style |= TVS_SHOWSELALWAYS;
    if (!ReadOnly) params.Style |= TVS_EDITLABELS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::CreateHandleDone() {
    UseDialogFont(FHandle);
    TreeView_SetIndent(FHandle, Indent);
    if (Images) TreeView_SetImageList(FHandle, Images, TVSIL_NORMAL);
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::string& text, intptr_t data) {
    auto node = std::make_unique<TTreeNode>(this, nullptr, text, data);
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent ? parent->ItemId() : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(node->Text().c_str());
    ins.item.lParam = reinterpret_cast<LPARAM>(node.get());
    ins.item.iImage = I_IMAGECALLBACK;
    ins.item.iSelectedImage = I_IMAGECALLBACK;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    *node = TTreeNode(this, item, text, data);
    FNodes.push_back(std::move(node));
    return FNodes.back().get();
}

void TTreeView::Clear() {
    if (FHandle) TreeView_DeleteAllItems(FHandle);
    FNodes.clear();
}

TTreeNode* TTreeView::FindNode(HTREEITEM item) const {
    if (!item || !FHandle) return nullptr;
    TVITEMA it{};
    it.mask = TVIF_PARAM | TVIF_HANDLE;
    it.hItem = item;
    if (!SendMessageA(FHandle, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return nullptr;
    return reinterpret_cast<TTreeNode*>(it.lParam);
}

TTreeNode* TTreeView::Selected() { return FindNode(TreeView_GetSelection(Handle())); }

LRESULT TTreeView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kDelayedClick) {
        if (OnClick) OnClick(this);
        return 0;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

bool TTreeView::Notified(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    switch (hdr->code) {
        case NM_CLICK:
            PostMessageA(FHandle, kDelayedClick, 0, 0);
            result = 0;
            return true;
        case NM_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            result = 0;
            return true;
        case TVN_GETDISPINFOA:
        case TVN_GETDISPINFOW: {
            // Both forms share the item layout up to the fields read here.
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(lParam);
            TTreeNode* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
            if (!node) return false;
            if (info->item.mask & TVIF_IMAGE) {
                if (OnGetImageIndex) OnGetImageIndex(this, node);
                info->item.iImage = node->ImageIndex;
            }
            if (info->item.mask & TVIF_SELECTEDIMAGE) {
                if (OnGetSelectedIndex) OnGetSelectedIndex(this, node);
                info->item.iSelectedImage = node->SelectedIndex;
            }
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

#pragma once
// The tree view of the common controls, with nodes that carry a text, a data
// value and images chosen by the owner through events.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ControlNotify.h"
#include "framework/Controls.h"

class TTreeView;

class TTreeNode {
public:
    TTreeNode(TTreeView* owner, HTREEITEM item, std::string text, intptr_t data)
        : Data(data), FOwner(owner), FItem(item), FText(std::move(text)) {}
    HTREEITEM ItemId() const { return FItem; }
    const std::string& Text() const { return FText; }
    intptr_t Data;
    int ImageIndex = -1;
    int SelectedIndex = -1;
    bool HasChildren() const;
    bool Expanded() const;
    void Expand(bool recursive);
    void Collapse(bool recursive);
    bool Selected() const;
    void SetSelected(bool value);

private:
    TTreeView* FOwner;
    HTREEITEM FItem;
    std::string FText;
};

using TTVExpandedEvent = std::function<void(TObject* sender, TTreeNode* node)>;

class TTreeView : public TWinControl, public TNotifiedControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;
    std::string ClassName() const override { return "TTreeView"; }

    bool ReadOnly = true;
    bool HideSelection = false;
    int Indent = 19;
    // Owned by the caller; images are asked for through the events below.
    HIMAGELIST Images = nullptr;

    // A node under parent (the top level when null); owned by the tree.
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text, intptr_t data);
    void Clear();
    int Count() const { return static_cast<int>(FNodes.size()); }
    TTreeNode* Node(int index) const { return FNodes[static_cast<size_t>(index)].get(); }
    TTreeNode* Selected();
    TTreeNode* FindNode(HTREEITEM item) const;

    TTVExpandedEvent OnGetImageIndex;
    TTVExpandedEvent OnGetSelectedIndex;

    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Click() override {}  // clicks come from the control's NM_CLICK report

private:
    std::vector<std::unique_ptr<TTreeNode>> FNodes;
};

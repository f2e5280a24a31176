#pragma once
// The list view of the common controls in its report style: columns under a
// header, one line per item, optionally drawn by its owner.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/ControlNotify.h"
#include "framework/Controls.h"

struct TListColumn {
    std::string Caption;
    int Width = 50;
    int Format = LVCFMT_LEFT;  // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER
};

// The item under a click and the point in the list's client coordinates.
using TLVItemClickEvent = std::function<void(TObject* sender, int item, POINT point)>;
// One item to draw (owner drawing only).
using TLVDrawItemEvent = std::function<void(TObject* sender, const DRAWITEMSTRUCT& item)>;

class TListView : public TWinControl, public TNotifiedControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;
    std::string ClassName() const override { return "TListView"; }

    // Set before the window exists.
    bool OwnerDraw = false;
    bool RowSelect = true;
    // Small images of the items; owned by the caller.
    HIMAGELIST SmallImages = nullptr;
    void SetSmallImages(HIMAGELIST images);

    // Columns given before the window exists are made with it.
    void AddColumn(const TListColumn& column);
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    int ItemCount();
    int Selected();
    void SetSelected(int item);
    RECT ItemRect(int item);

    TLVItemClickEvent OnItemClick;
    TLVDrawItemEvent OnDrawItem;

    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Click() override {}  // clicks come from the control's NM_CLICK report
    TActionLinkClass GetActionLinkClass() override;

private:
    void InsertColumn(int index, const TListColumn& column);
    std::vector<TListColumn> FColumns;
};

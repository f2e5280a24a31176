#pragma once
// A drop-down list over the system's "COMBOBOX" class: a fixed list of
// items, one of them chosen.
#include <string>
#include <vector>

#include "framework/ControlNotify.h"
#include "framework/Controls.h"

class TComboBox : public TWinControl, public TNotifiedControl {
public:
    explicit TComboBox(TComponent* owner);
    std::string ClassName() const override { return "TComboBox"; }

    void SetItems(const std::vector<std::string>& items);
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    std::string Item(int index) const;
    // -1 when none is chosen.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    // How many items the open list shows without scrolling.
    int DropDownCount = 8;
    // After the user chose another item.
    TNotifyEvent OnChange;
    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void FillWindow();
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};

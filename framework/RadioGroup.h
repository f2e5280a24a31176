#pragma once
// A radio group: a group box with one radio button per item, laid out in
// columns, the checked one being the item index.
#include <string>
#include <vector>

#include "framework/ButtonCtrls.h"
#include "framework/GroupBox.h"

class TRadioGroup : public TCustomGroupBox {
public:
    explicit TRadioGroup(TComponent* owner);
    std::string ClassName() const override { return "TRadioGroup"; }

    // The items' captions; one button each.
    void SetItems(const std::vector<std::string>& items);
    // Changes the captions and keeps the buttons and the index.
    void SetItemCaption(int index, const std::string& caption);
    int ItemCount() const { return static_cast<int>(FButtons.size()); }
    // -1 when none is checked.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    TRadioButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
    // After a click of the user checked a button.
    TNotifyEvent OnItemClick;

protected:
    void CreateHandleDone() override;
    void Resize() override;

private:
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* button);

    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FSetting = false;
};

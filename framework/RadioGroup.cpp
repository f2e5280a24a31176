#include "framework/RadioGroup.h"

#include <algorithm>

// The caption in the dialogs' font, as the buttons.
TRadioGroup::TRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
    FVisible = true;
    LOGFONTA lf{};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf) == sizeof lf) {
        Font.SetName(lf.lfFaceName);
        Font.SetHeight(lf.lfHeight);
    }
}

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
    for (TRadioButton* b : FButtons) delete b;
    FButtons.clear();
    for (const std::string& caption : items) {
        auto* b = new TRadioButton(this);
        b->SetCaption(caption);
        b->SetParent(this);
        b->OnClick = [this, b](TObject*) { ButtonClicked(b); };
        FButtons.push_back(b);
    }
    if (FItemIndex >= ItemCount()) FItemIndex = -1;
    ArrangeButtons();
    SetItemIndex(FItemIndex);
}

void TRadioGroup::SetItemCaption(int index, const std::string& caption) {
    if (index >= 0 && index < ItemCount()) FButtons[static_cast<size_t>(index)]->SetCaption(caption);
}

void TRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= ItemCount()) index = -1;
    FItemIndex = index;
    FSetting = true;
    for (int i = 0; i < ItemCount(); ++i)
        if (i != index) FButtons[static_cast<size_t>(i)]->SetChecked(false);
    if (index >= 0) FButtons[static_cast<size_t>(index)]->SetChecked(true);
    FSetting = false;
}

void TRadioGroup::SetColumns(int value) {
    FColumns = std::clamp(value, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::ButtonClicked(TRadioButton* button) {
    if (FSetting || !button->Checked()) return;
    const auto it = std::find(FButtons.begin(), FButtons.end(), button);
    FItemIndex = static_cast<int>(it - FButtons.begin());
    if (OnItemClick) OnItemClick(this);
}

void TRadioGroup::CreateHandleDone() {
    TCustomGroupBox::CreateHandleDone();
    ArrangeButtons();
}

void TRadioGroup::Resize() {
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

// The buttons fill the columns from the top down, below the caption.
void TRadioGroup::ArrangeButtons() {
    if (!FHandle || FButtons.empty()) return;
    const int count = ItemCount();
    const int rows = (count + FColumns - 1) / FColumns;
    const int top = 16, bottom = 4, left = 8;
    const int columnWidth = (FWidth - 2 * left) / FColumns;
    const int rowHeight = std::max(1, (FHeight - top - bottom) / rows);
    for (int i = 0; i < count; ++i) {
        TRadioButton* b = FButtons[static_cast<size_t>(i)];
        const int column = i / rows, row = i % rows;
        b->SetBounds(left + column * columnWidth, top + row * rowHeight + (rowHeight - 17) / 2, columnWidth - 4, 17);
        b->Handle();
    }
}

#include "editor/unicode/UvxRadioGroup.h"

#include <algorithm>
#include <cstdint>

#include "framework/Application.h"
#include "framework/TypeInfo.h"

// ---- group button ----

TUvxGroupButton::TUvxGroupButton(TUvxCustomRadioGroup* group) : TUvxRadioButton(group), FGroup(group) {
    group->FButtons.push_back(this);
    FVisible = false;
    SetEnabled(group->Enabled());
    OnClick = [group](TObject* sender) { group->ButtonClick(sender); };
    SetParent(group);
}

TUvxGroupButton::~TUvxGroupButton() {
    auto& list = FGroup->FButtons;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TUvxGroupButton::CNCommand(WORD code) {
    if (FInClick) return;
    FInClick = true;
    try {
        if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && FGroup->CanModify()) TUvxRadioButton::CNCommand(code);
    } catch (...) {
        Application->HandleException(this);
    }
    FInClick = false;
}

void TUvxGroupButton::KeyPress(char& key) {
    TUvxRadioButton::KeyPress(key);
    if (FGroup->OnKeyPress) FGroup->OnKeyPress(FGroup, key);
    if ((key == 8 || key == ' ') && !FGroup->CanModify()) key = 0;
}

void TUvxGroupButton::KeyDown(WORD& key, TShiftState shift) {
    TUvxRadioButton::KeyDown(key, shift);
    if (FGroup->OnKeyDown) FGroup->OnKeyDown(FGroup, key, shift);
}

// ---- radio group ----

TUvxCustomRadioGroup::TUvxCustomRadioGroup(TComponent* owner)
    : TUvxCustomGroupBox(owner), FItems(new TUvxStringList) {
    FItems->OnChange = [this](TObject* sender) { ItemsChange(sender); };
}

TUvxCustomRadioGroup::~TUvxCustomRadioGroup() {
    SetButtonCount(0);
    FItems->OnChange = nullptr;
    delete FItems;
}

void TUvxCustomRadioGroup::CreateHandleDone() {
    TUvxCustomGroupBox::CreateHandleDone();
    ArrangeButtons();
}

void TUvxCustomRadioGroup::ArrangeButtons() {
    if (FButtons.empty() || FReading || !HandleAllocated()) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font.Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int count = ButtonCount();
    int perColumn = (count + FColumns - 1) / FColumns;
    int buttonWidth = (Width() - 10) / FColumns;
    int i = Height() - tm.tmHeight - 5;
    int buttonHeight = i / perColumn;
    int topMargin = tm.tmHeight + 1 + (i % perColumn) / 2;
    HDWP positions = BeginDeferWindowPos(count);
    try {
        for (int n = 0; n < count; ++n) {
            TUvxGroupButton* button = FButtons[static_cast<size_t>(n)];
            int left = (n / perColumn) * buttonWidth + 8;
            if (UseRightToLeftAlignment()) left = ClientWidth() - left - buttonWidth;
            int top = (n % perColumn) * buttonHeight + topMargin;
            positions = DeferWindowPos(positions, button->Handle(), nullptr, left, top, buttonWidth, buttonHeight,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } catch (...) {
        EndDeferWindowPos(positions);
        throw;
    }
    EndDeferWindowPos(positions);
    for (auto* button : FButtons) button->Show();
}

void TUvxCustomRadioGroup::ButtonClick(TObject* sender) {
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), sender);
    FItemIndex = it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
    if (OnChange) OnChange(this);
    if (OnClick) OnClick(this);
}

void TUvxCustomRadioGroup::ItemsChange(TObject*) {
    if (FReading) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
}

void TUvxCustomRadioGroup::SetButtonCount(int value) {
    while (ButtonCount() < value) new TUvxGroupButton(this);
    while (ButtonCount() > value) delete FButtons.back();
}

void TUvxCustomRadioGroup::UpdateButtons() {
    SetButtonCount(FItems->Count());
    // A layout may name an item the list does not have: the index comes to
    // lie on the last one, as when it is set directly.
    FItemIndex = std::clamp(FItemIndex, -1, ButtonCount() - 1);
    for (int i = 0; i < ButtonCount(); ++i) FButtons[static_cast<size_t>(i)]->SetCaption(FItems->Get(i));
    if (FItemIndex >= 0) {
        FUpdating = true;
        FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
        FUpdating = false;
    }
    ArrangeButtons();
    Invalidate();
}

void TUvxCustomRadioGroup::SetItemIndex(int value) {
    if (FReading) {
        FItemIndex = value;
        return;
    }
    value = std::clamp(value, -1, ButtonCount() - 1);
    if (value == FItemIndex) return;
    if (FItemIndex >= 0) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(false);
    FItemIndex = value;
    if (FItemIndex >= 0) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
}

namespace {
TPropInfo GroupNumber(const char* name, int (TUvxCustomRadioGroup::*get)() const,
                      void (TUvxCustomRadioGroup::*set)(int)) {
    TPropInfo p{name, TTypeKind::tkInteger};
    p.GetOrd = [get](const TPersistent& o) { return (static_cast<const TUvxCustomRadioGroup&>(o).*get)(); };
    p.SetOrd = [set](TPersistent& o, int64_t v) {
        (static_cast<TUvxCustomRadioGroup&>(o).*set)(static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)));
    };
    return p;
}

TPropInfo GroupItems() {
    TPropInfo p{"Items", TTypeKind::tkClass};
    p.GetObj = [](const TPersistent& o) -> TPersistent* { return static_cast<const TUvxCustomRadioGroup&>(o).Items(); };
    return p;
}
}  // namespace

const TClassInfo* TUvxCustomRadioGroup::ClassInfo() const {
    static const TClassInfo info{
        "TUvxCustomRadioGroup", TUvxCustomGroupBox::ClassInfo(),
        {GroupItems(), GroupNumber("ItemIndex", &TUvxCustomRadioGroup::ItemIndex, &TUvxCustomRadioGroup::SetItemIndex),
         GroupNumber("Columns", &TUvxCustomRadioGroup::Columns, &TUvxCustomRadioGroup::SetColumns)}};
    return &info;
}

void TUvxCustomRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == FColumns) return;
    FColumns = value;
    ArrangeButtons();
    Invalidate();
}

void TUvxCustomRadioGroup::ReadState(const std::function<void()>& read) {
    FReading = true;
    try {
        read();
    } catch (...) {
        FReading = false;
        throw;
    }
    FReading = false;
    UpdateButtons();
}

void TUvxCustomRadioGroup::Loaded() { ArrangeButtons(); }

LRESULT TUvxCustomRadioGroup::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case CM_ENABLEDCHANGED:
            for (auto* button : FButtons) button->SetEnabled(Enabled());
            return TUvxCustomGroupBox::WndProc(msg, wParam, lParam);
        case CM_FONTCHANGED:
        case WM_SIZE: {
            LRESULT r = TUvxCustomGroupBox::WndProc(msg, wParam, lParam);
            ArrangeButtons();
            return r;
        }
        default: return TUvxCustomGroupBox::WndProc(msg, wParam, lParam);
    }
}

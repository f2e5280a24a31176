#pragma once
// A radio group: a group box whose wide item list becomes one radio button
// per item, laid out in columns, with the checked one as the item index.
#include <string>
#include <vector>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxStringLists.h"

class TUvxCustomRadioGroup;

// One radio button of a radio group; its caption is the group's item.
class TUvxGroupButton : public TUvxRadioButton {
public:
    explicit TUvxGroupButton(TUvxCustomRadioGroup* group);
    ~TUvxGroupButton() override;
    std::string ClassName() const override { return "TUvxGroupButton"; }

protected:
    void CNCommand(WORD code) override;
    void KeyPress(char& key) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    TUvxCustomRadioGroup* FGroup;
    bool FInClick = false;
};

class TUvxCustomRadioGroup : public TUvxCustomGroupBox {
public:
    explicit TUvxCustomRadioGroup(TComponent* owner);
    ~TUvxCustomRadioGroup() override;
    std::string ClassName() const override { return "TUvxCustomRadioGroup"; }
    TUvxStringList* Items() const { return FItems; }
    void SetItems(TWideStrings* value) { FItems->Assign(value); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TUvxGroupButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
    virtual bool CanModify() { return true; }
    // Items, ItemIndex and Columns travel in a layout beside the wide caption and hint.
    const TClassInfo* ClassInfo() const override;
    // While a layout is read the buttons wait; afterwards they are made.
    void ReadState(const std::function<void()>& read);
    void Loaded();
    void ArrangeButtons();
    void FlipChildren(bool) {}
    TNotifyEvent OnChange;  // after a click changed the item index

protected:
    friend class TUvxGroupButton;
    void ButtonClick(TObject* sender);
    void ItemsChange(TObject* sender);
    void SetButtonCount(int value);
    void UpdateButtons();
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CreateHandleDone() override;

private:
    std::vector<TUvxGroupButton*> FButtons;
    TUvxStringList* FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FReading = false;
    bool FUpdating = false;
};

class TUvxRadioGroup : public TUvxCustomRadioGroup {
public:
    explicit TUvxRadioGroup(TComponent* owner) : TUvxCustomRadioGroup(owner) {}
    std::string ClassName() const override { return "TUvxRadioGroup"; }
};

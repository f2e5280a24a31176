#pragma once
// The standard controls over the system's classes: label, edit box, push
// button and list box.
#include <functional>
#include <string>

#include "framework/ControlNotify.h"
#include "framework/Controls.h"

// Gives a control the window font of the dialogs ("MS Sans Serif" or its
// stand-in) instead of the bold system font.
void UseDialogFont(HWND control);

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TWinControl {
public:
    explicit TLabel(TComponent* owner);
    std::string ClassName() const override { return "TLabel"; }
    TAlignment Alignment = taLeftJustify;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override { UseDialogFont(FHandle); }
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    std::string ClassName() const override { return "TEdit"; }
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    TNotifyEvent OnEnter;  // the edit box takes the focus

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override { UseDialogFont(FHandle); }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TButton : public TWinControl, public TNotifiedControl {
public:
    explicit TButton(TComponent* owner);
    std::string ClassName() const override { return "TButton"; }
    // The default button of its window shows a heavier frame; the window
    // decides what Enter clicks.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    // As a click by the user: runs OnClick.
    void DoClick();
    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override { UseDialogFont(FHandle); }
    TActionLinkClass GetActionLinkClass() override;
    void Click() override {}  // clicks come from the control's BN_CLICKED report

private:
    bool FDefault = false;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
// The text of item index of a virtual list box, asked of the program.
using TLBGetDataEvent = std::function<void(TWinControl* control, int index, std::string& data)>;

class TListBox : public TWinControl, public TNotifiedControl {
public:
    explicit TListBox(TComponent* owner);
    std::string ClassName() const override { return "TListBox"; }
    int Add(const std::string& item);
    void Clear();
    int Count();
    std::string Item(int index);
    int ItemIndex();  // -1 when none is selected
    void SetItemIndex(int index);
    int ItemHeight = 13;
    TNotifyEvent OnEnter;
    // Set before the window is made. The virtual styles keep no items:
    // SetCount gives their number and OnData their texts.
    TListBoxStyle Style = lbStandard;
    bool MultiSelect = false;
    TLBGetDataEvent OnData;
    void SetCount(int count);
    bool IsVirtual() const { return Style == lbVirtual || Style == lbVirtualOwnerDraw; }
    int TopIndex();
    void SetTopIndex(int index);
    bool Selected(int index);
    void SetSelected(int index, bool value);
    LONG_PTR ItemData(int index);
    void SetItemData(int index, LONG_PTR data);
    void DeleteString(int index);
    void ResetContent() { Clear(); }
    // True while an item is moved (deleted and inserted elsewhere).
    bool Moving = false;
    // Owner-drawn styles: OnDrawItem draws when set, else DrawItem.
    std::function<void(TWinControl* control, HDC dc, int index, RECT rect, UINT state)> OnDrawItem;
    // lbOwnerDrawVariable: the height of each item as it is added, from
    // ItemHeight on.
    std::function<void(TWinControl* control, int index, int& height)> OnMeasureItem;
    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // An owner-drawn item: the background and the 8-bit text.
    virtual void DrawItem(HDC dc, int index, RECT rect, UINT state);
    virtual void MeasureItem(int index, int& height);
};

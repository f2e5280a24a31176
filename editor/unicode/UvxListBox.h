#pragma once
// List boxes with wide items: a Unicode "LISTBOX" window whose items live in
// the window and are reached through the wide LB_ messages; moving,
// exchanging and replacing an item keeps its data value; virtual list boxes
// ask the wide OnData (or the framework's 8-bit one) for their texts.
#include <functional>
#include <memory>
#include <string>

#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxStringLists.h"
#include "editor/unicode/UvxWideControl.h"
#include "framework/StdCtrls.h"

// (list box, index, the wide text to fill in)
using TWideLBGetDataEvent = std::function<void(TWinControl* control, int index, std::u16string& data)>;

class TUvxCustomListBox;

// The items of a list box, wide in a Unicode window, the framework's 8-bit
// items converted elsewhere.
class TUvxListBoxStrings : public TUvxStrings {
public:
    explicit TUvxListBoxStrings(TListBox* listBox) : FListBox(listBox) {}
    std::string ClassName() const override { return "TUvxListBoxStrings"; }
    TListBox* GetListBox() const { return FListBox; }
    void SetListBox(TListBox* value) { FListBox = value; }
    int Count() const override;
    std::u16string Get(int index) const override;
    TObject* GetObject(int index) const override;
    void Put(int index, const std::u16string& s) override;
    void PutObject(int index, TObject* obj) override;
    int Add(const std::u16string& s) override;
    void Clear() override;
    void Delete(int index) override;
    void Exchange(int a, int b) override;
    int IndexOf(const std::u16string& s) const override;
    void Insert(int index, const std::u16string& s) override;
    void Move(int from, int to) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    bool Wide() const;
    TListBox* FListBox;
};

// The routines the layer's list-box-like classes share.
void UvxListBox_AfterInherited_CreateWnd(TListBox* listBox, std::unique_ptr<TUvxStrings>& saved, int savedTop,
                                         int savedIndex, TWideStrings& items);
void UvxListBox_BeforeInherited_DestroyWnd(TListBox* listBox, std::unique_ptr<TUvxStrings>& saved, int& savedTop,
                                           int& savedIndex, TWideStrings& items);
void UvxListBox_DrawItem_Text(TListBox* listBox, TWideStrings& items, HDC dc, int index, RECT rect);
void UvxListBox_AddItem(TWideStrings& items, const std::u16string& item, TObject* object);
void UvxListBox_CopySelection(TListBox* listBox, TWideStrings& items, TListBox* destination);
// The text of a virtual item: the wide OnData, else the framework's 8-bit one.
bool UvxListBox_GetVirtualItemText(TListBox* listBox, int index, const TWideLBGetDataEvent& onData,
                                   std::u16string& text);
// LB_GETTEXT and LB_GETTEXTLEN of a virtual list box; false for other styles.
bool UvxCustomListBox_LBGetText(TListBox* listBox, WPARAM wParam, LPARAM lParam, const TWideLBGetDataEvent& onData,
                                LRESULT& result);
bool UvxCustomListBox_LBGetTextLen(TListBox* listBox, WPARAM wParam, const TWideLBGetDataEvent& onData,
                                   LRESULT& result);

class TUvxCustomListBox : public TUvxWideControl<TListBox>, public IWideCustomListControl {
public:
    explicit TUvxCustomListBox(TComponent* owner);
    ~TUvxCustomListBox() override;
    std::string ClassName() const override { return "TUvxCustomListBox"; }
    TUvxListBoxStrings* Items() { return FItems.get(); }
    void SetItems(TWideStrings* value) { FItems->Assign(value); }
    void AddItem(const std::u16string& item, TObject* object) override;
    void CopySelection(TListBox* destination);
    TWideLBGetDataEvent OnData;

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    void CreateHandleDone() override;
    void DrawItem(HDC dc, int index, RECT rect, UINT state) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<TUvxListBoxStrings> FItems;
    std::unique_ptr<TUvxStrings> FSavedItems;
    int FSavedTopIndex = 0;
    int FSavedItemIndex = -1;
};

class TUvxListBox : public TUvxCustomListBox {
public:
    explicit TUvxListBox(TComponent* owner) : TUvxCustomListBox(owner) {}
    std::string ClassName() const override { return "TUvxListBox"; }
};

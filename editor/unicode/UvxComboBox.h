#pragma once
// Combo boxes with wide items, a wide text and a wide selection: the combo
// box, its edit part and its list are Unicode windows whose items are
// reached through the wide CB_ messages (the framework's 8-bit items,
// converted, elsewhere). Typing searches the items (list styles) or
// completes the text (edit styles) in wide characters. The routines are
// free functions over the framework's combo box, so other combo-like
// controls of the layer can share them.
#include <cstdint>
#include <memory>
#include <string>

#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxStringLists.h"
#include "editor/unicode/UvxWideControl.h"
#include "framework/CustomComboBox.h"

// The items of a combo box.
class TUvxComboBoxStrings : public TUvxStrings {
public:
    explicit TUvxComboBoxStrings(TCustomComboBox* comboBox) : FComboBox(comboBox) {}
    std::string ClassName() const override { return "TUvxComboBoxStrings"; }
    TCustomComboBox* ComboBox() const { return FComboBox; }
    std::u16string Get(int index) const override;
    int Count() const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    int Add(const std::u16string& s) override;
    void Clear() override;
    void Delete(int index) override;
    int IndexOf(const std::u16string& s) const override;
    void Insert(int index, const std::u16string& s) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    bool Wide() const;
    TCustomComboBox* FComboBox;
};

// A combo box that searches its items itself.
class IUvxComboFindString {
public:
    virtual ~IUvxComboFindString() = default;
    virtual int FindString(const std::u16string& value, int startIndex) = 0;
};

// The clock of the auto-search pause (GetTickCount; tests put their own).
extern uint32_t (*UvxCombo_TickCount)();

void UvxCombo_AfterInherited_CreateWnd(TCustomComboBox* combo, std::unique_ptr<TUvxStrings>& savedItems,
                                       int& savedItemIndex, TWideStrings& items, const std::string& ansiText);
void UvxCombo_BeforeInherited_DestroyWnd(TCustomComboBox* combo, std::unique_ptr<TUvxStrings>& savedItems,
                                         int& savedItemIndex, TWideStrings& items, int itemIndex,
                                         std::u16string& keptText);
using TUvxComboEditCharHandler = std::function<void(uint32_t& wParam)>;
// Returns whether it handled the child window's message (result set).
bool UvxCombo_ComboWndProc(TCustomComboBox* combo, UINT msg, WPARAM wParam, LPARAM lParam, HWND child,
                           WNDPROC childProc, const TUvxComboEditCharHandler& doEditCharMsg, LRESULT& result);
bool UvxCombo_CNCommand(TCustomComboBox* combo, TWideStrings& items, WORD code);
int UvxCombo_GetSelStart(TCustomComboBox* combo);
void UvxCombo_SetSelStart(TCustomComboBox* combo, int value);
int UvxCombo_GetSelLength(TCustomComboBox* combo);
void UvxCombo_SetSelLength(TCustomComboBox* combo, int value);
std::u16string UvxCombo_GetSelText(TCustomComboBox* combo);
void UvxCombo_SetSelText(TCustomComboBox* combo, const std::u16string& value);
void UvxCombo_DropDown_PreserveSelection(TCustomComboBox* combo);
void UvxComboBox_AddItem(TWideStrings& items, const std::u16string& item, TObject* object);
void UvxComboBox_CopySelection(TCustomComboBox* combo, TWideStrings& items, TWinControl* destination);
void UvxCombo_AutoSearchKeyPress(TCustomComboBox* combo, TWideStrings& items, uint32_t& wParam,
                                 uint32_t& lastSearchTime, std::u16string& searchFilter);
void UvxCombo_AutoCompleteKeyPress(TCustomComboBox* combo, TWideStrings& items, uint32_t& wParam,
                                   bool preserveDataEntryCase, bool uniqueMatchOnly);
void UvxCombo_DefaultDrawItem(TCustomComboBox* combo, TWideStrings& items, HDC dc, int index, RECT rect, UINT state);
int UvxCombo_FindString(TCustomComboBox* combo, int startIndex, const std::u16string& value);
int UvxCombo_FindUniqueString(TCustomComboBox* combo, const std::u16string& value);
bool UvxCombo_AutoSelect(TCustomComboBox* combo, TWideStrings& items, const std::u16string& value,
                         bool preserveDataEntryCase, bool uniqueMatchOnly);

class TUvxCustomComboBox : public TUvxWideControl<TCustomComboBox>, public IWideCustomListControl {
public:
    explicit TUvxCustomComboBox(TComponent* owner);
    ~TUvxCustomComboBox() override;
    std::string ClassName() const override { return "TUvxCustomComboBox"; }
    TUvxComboBoxStrings* Items() { return FItems.get(); }
    virtual void SetItems(TWideStrings* value) { FItems->Assign(value); }
    std::u16string GetText() { return GetCaption(); }
    void SetText(const std::u16string& value) { SetCaption(value); }
    using TCustomComboBox::SetText;
    int GetSelStart() { return UvxCombo_GetSelStart(this); }
    void SetSelStart(int value) { UvxCombo_SetSelStart(this, value); }
    int GetSelLength() { return UvxCombo_GetSelLength(this); }
    void SetSelLength(int value) { UvxCombo_SetSelLength(this, value); }
    std::u16string GetSelText() { return UvxCombo_GetSelText(this); }
    void SetSelText(const std::u16string& value) { UvxCombo_SetSelText(this, value); }
    using TCustomComboBox::SetSelText;
    void AddItem(const std::u16string& item, TObject* object) override;
    virtual void CopySelection(TWinControl* destination);
    // Dynamic queries of the typing aids.
    virtual bool GetAutoComplete_PreserveDataEntryCase() { return true; }
    virtual bool GetAutoComplete_UniqueMatchOnly() { return false; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    void CreateWnd() override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT ComboWndProc(UINT msg, WPARAM wParam, LPARAM lParam, HWND child, WNDPROC childProc) override;
    bool CNCommand(WORD code) override;
    void DrawItem(HDC dc, int index, RECT rect, UINT state) override;
    void KeyPress(char& key) override;
    virtual void DoEditCharMsg(uint32_t& wParam);

private:
    std::unique_ptr<TUvxComboBoxStrings> FItems;
    std::unique_ptr<TUvxStrings> FSavedItems;
    int FSavedItemIndex = -1;
    std::u16string FSearchFilter;
    uint32_t FLastSearchTime = 0;
    std::string FAnsiTextBeforeCreate;
};

class TUvxComboBox : public TUvxCustomComboBox {
public:
    explicit TUvxComboBox(TComponent* owner) : TUvxCustomComboBox(owner) {}
    std::string ClassName() const override { return "TUvxComboBox"; }
};

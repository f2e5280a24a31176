#pragma once
// A combo box over the system's "COMBOBOX" class in all its styles: an edit
// part with a drop-down list, an edit part over a list always shown, or a
// list alone (plain or drawn by the program). The 8-bit items live in the
// window; the edit and list windows the system makes inside it are
// subclassed, so that their messages pass ComboWndProc first.
#include <functional>
#include <string>
#include <vector>

#include "framework/ControlNotify.h"
#include "framework/Controls.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

using TComboDrawItemEvent = std::function<void(TWinControl* control, HDC dc, int index, RECT rect, UINT state)>;

class TCustomComboBox : public TWinControl, public TNotifiedControl {
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;
    std::string ClassName() const override { return "TCustomComboBox"; }

    // The 8-bit items, in the window (made on first use).
    int Count();
    std::string Item(int index);
    int Add(const std::string& item);          // "Unable to insert a line" when refused
    void Insert(int index, const std::string& item);
    void Delete(int index);
    void ClearItems();
    int IndexOf(const std::string& item);      // exact, ignoring case; -1 when missing
    LONG_PTR ItemData(int index);
    void SetItemData(int index, LONG_PTR data);

    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    TComboBoxStyle Style() const { return FStyle; }
    // A new style takes a new window.
    void SetStyle(TComboBoxStyle value);
    bool IsEditStyle() const { return FStyle == csDropDown || FStyle == csSimple; }
    int ItemIndex();
    void SetItemIndex(int index);
    bool DroppedDown();
    void SetDroppedDown(bool value);
    // The selection of the edit part, in the window's characters.
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    HWND EditHandle() const { return FEditHandle; }
    HWND ListHandle() const { return FListHandle; }
    // The list window's procedure before the framework's, for a layer that
    // puts the framework's back in another way; a value set here was read
    // through the wide call.
    WNDPROC ListDefProc() const { return FListDefProc; }
    void SetListDefProc(WNDPROC value) {
        FListDefProc = value;
        FListDefProcWide = true;
    }

    bool AutoComplete = true;
    int AutoCompleteDelay = 500;
    bool AutoDropDown = false;
    bool AutoCloseUp = false;
    TEditCharCase CharCase = ecNormal;
    int DropDownCount = 8;
    int ItemHeight = 16;
    int MaxLength = 0;
    bool Sorted = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TComboDrawItemEvent OnDrawItem;
    // csOwnerDrawVariable: the height of each item as it is added, from
    // ItemHeight on.
    std::function<void(TWinControl* control, int index, int& height)> OnMeasureItem;

    // As a person's choice of an item: OnClick, then OnSelect.
    void DoClick() { Click(); }
    // The key events of a typed character; true when they took it.
    bool DoKeyPress(char& key) {
        KeyPress(key);
        return key == 0;
    }
    virtual void Select();
    virtual void Change();
    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The procedure the combo box puts on its edit and list windows.
    static LRESULT CALLBACK ChildWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // A message for the edit or list window; childProc is the procedure
    // the child had before.
    virtual LRESULT ComboWndProc(UINT msg, WPARAM wParam, LPARAM lParam, HWND child, WNDPROC childProc);
    // A notification of the window (CBN_ code); true when handled.
    virtual bool CNCommand(WORD code);
    // An owner-drawn item: the background and the 8-bit text.
    virtual void DrawItem(HDC dc, int index, RECT rect, UINT state);
    virtual void MeasureItem(int index, int& height);

    HWND FEditHandle = nullptr;
    HWND FListHandle = nullptr;
    WNDPROC FEditDefProc = nullptr;
    WNDPROC FListDefProc = nullptr;

private:
    void SubclassChild(HWND child, WNDPROC& defProc);
    void UnhookChildren();
    bool FListDefProcWide = false;
    struct TSavedItem {
        std::string Text;
        LONG_PTR Data;
    };
    TComboBoxStyle FStyle = csDropDown;
    std::vector<TSavedItem> FSavedItems;  // while the window is re-made
    int FSavedItemIndex = -1;
};

#pragma once
// The value input dialog: one number or one character, typed as Text,
// Decimal, Hexadecimal or Binary. The caller prepares each showing (captions,
// text, kind, the two flags); the dialog only refuses what it cannot accept.
#include <cstdint>
#include <string>

#include "editor/unicode/UvxForms.h"
#include "framework/ControlNotify.h"
#include "framework/CustomEdit.h"

class TBevel;
class TButton;
class TComboBox;
class TLabel;

// The value line: a one-line memo that tells its parent of every change.
class TGetalMemo : public TCustomMemo, public TNotifiedControl {
public:
    explicit TGetalMemo(TComponent* owner) : TCustomMemo(owner) {}
    ~TGetalMemo() override;
    std::string ClassName() const override { return "TMemo"; }
    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    HFONT FFont = nullptr;
};

class TGetGetalForm : public TUvxForm {
public:
    explicit TGetGetalForm(TComponent* owner);
    ~TGetGetalForm() override;
    std::string ClassName() const override { return "TGetGetalForm"; }

    TLabel* Vraag = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TGetalMemo* EditGetal = nullptr;
    TComboBox* DataKind = nullptr;
    TBevel* Bevel1 = nullptr;
    TBevel* Bevel2 = nullptr;
    // 1: the list starts with Text. 1: any number of 0 or more; 0: 0..255.
    uint8_t AllowText = 0;
    uint8_t AnyNumber = 1;
    // The help page of the help key.
    int HelpContext = 100;

    // Fills the list for AllowText and chooses the item (the window and its
    // controls are made first when they do not exist yet).
    void SetKinds(int itemIndex);
    void FormActivate(TObject* sender);
    void EditGetalChange(TObject* sender);
    void EditGetalKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormClose(TObject* sender, TCloseAction& action);
    void OkButtonClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void DataKindChange(TObject* sender);

protected:
    void CreateParams(TCreateParams& params) override;
    // The controls' windows are made with the form's.
    void CreateHandleDone() override;
    // The form's keys first, as a form with key preview sees them.
    void PreviewKeysOf(TWinControl* control);
    // The second bevel's and the buttons' top (the move dialog puts its check box above them).
    void PlaceLowerPart(int bevelTop, int buttonsTop);
    int FClientHeight = 116;
};

extern TGetGetalForm* GetGetalForm;

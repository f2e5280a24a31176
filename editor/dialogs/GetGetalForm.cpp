#include "editor/dialogs/GetGetalForm.h"

#include <vector>

#include "editor/dialogs/DialogWindow.h"
#include "editor/dialogs/ValueInputRules.h"
#include "editor/document/LanguageSystem.h"
#include "framework/Application.h"
#include "framework/Bevel.h"
#include "framework/ComboBox.h"
#include "framework/StdCtrls.h"

TGetGetalForm* GetGetalForm = nullptr;

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }

constexpr int DialogWidth = 427;
}  // namespace

TGetalMemo::~TGetalMemo() {
    DestroyHandle();
    if (FFont) DeleteObject(FFont);
}

// One line without scroll bars.
void TGetalMemo::CreateParams(TCreateParams& params) {
    TCustomMemo::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);
}

void TGetalMemo::CreateHandleDone() {
    TCustomMemo::CreateHandleDone();
    if (!FFont)
        FFont = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    if (FFont) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), TRUE);
}

bool TGetalMemo::Notified(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != EN_CHANGE) return false;
    if (OnChange) OnChange(this);
    result = 0;
    return true;
}

TGetGetalForm::TGetGetalForm(TComponent* owner) : TUvxForm(owner) {
    Vraag = new TLabel(this);
    Vraag->Alignment = taCenter;
    Vraag->SetParent(this);
    Vraag->SetBounds(8, 4, DialogWidth - 16, 28);
    Bevel1 = new TBevel(this);
    Bevel1->SetParent(this);
    Bevel1->SetBounds(8, 33, DialogWidth - 16, 2);

    EditGetal = new TGetalMemo(this);
    EditGetal->WantReturns = false;
    EditGetal->WordWrap = false;
    EditGetal->SetParent(this);
    EditGetal->SetBounds(8, 39, 280, 21);

    DataKind = new TComboBox(this);
    DataKind->SetParent(this);
    DataKind->DropDownCount = 4;
    DataKind->SetBounds(296, 39, DialogWidth - 304, 21);

    Bevel2 = new TBevel(this);
    Bevel2->SetParent(this);
    OkButton = new TButton(this);
    OkButton->SetDefault(true);
    OkButton->SetParent(this);
    OkButton->SetCaption(Text("WORD_OK"));
    CancelButton = new TButton(this);
    CancelButton->SetParent(this);
    CancelButton->SetCaption(Text("WORD_CANCEL"));
    PlaceLowerPart(66, 79);

    OkButton->OnClick = [this](TObject* s) { OkButtonClick(s); };
    CancelButton->OnClick = [this](TObject* s) { CancelButtonClick(s); };
    EditGetal->OnChange = [this](TObject* s) { EditGetalChange(s); };
    EditGetal->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
        FormKeyDown(s, k, sh);
        if (k) EditGetalKeyDown(s, k, sh);
    };
    // The line takes no line breaks: Enter has acted as OK already.
    EditGetal->OnKeyPress = [](TObject*, char& key) {
        if (key == '\r' || key == '\n') key = 0;
    };
    DataKind->OnChange = [this](TObject* s) { DataKindChange(s); };
    PreviewKeysOf(DataKind);
    PreviewKeysOf(OkButton);
    PreviewKeysOf(CancelButton);
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TGetGetalForm::~TGetGetalForm() {
    if (GetGetalForm == this) GetGetalForm = nullptr;
}

void TGetGetalForm::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, DialogWidth, FClientHeight);
}

void TGetGetalForm::CreateHandleDone() {
    TUvxForm::CreateHandleDone();
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TWinControl*>(Components(i)); control && control->Parent() == this)
            control->Handle();
}

void TGetGetalForm::PlaceLowerPart(int bevelTop, int buttonsTop) {
    Bevel2->SetBounds(8, bevelTop, DialogWidth - 16, 2);
    OkButton->SetBounds(DialogWidth / 2 - 88, buttonsTop, 80, 25);
    CancelButton->SetBounds(DialogWidth / 2 + 8, buttonsTop, 80, 25);
}

void TGetGetalForm::PreviewKeysOf(TWinControl* control) {
    control->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
}

void TGetGetalForm::SetKinds(int itemIndex) {
    Handle();
    std::vector<std::string> items;
    for (const std::string& key : ValueKindKeys(AllowText != 0)) items.push_back(Text(key.c_str()));
    DataKind->SetItems(items);
    DataKind->SetItemIndex(itemIndex);
}

// The list is made again for the caller's layout with the caller's item;
// the button texts follow the language of the moment.
void TGetGetalForm::FormActivate(TObject*) {
    OkButton->SetCaption(Text("WORD_OK"));
    CancelButton->SetCaption(Text("WORD_CANCEL"));
    SetKinds(DataKind->ItemIndex());
    EditGetal->SetFocus();
    EditGetal->SetSelStart(0);
    EditGetal->SetSelLength(static_cast<int>(EditGetal->Text().size()));
}

void TGetGetalForm::EditGetalChange(TObject*) {
    if (SwitchesToHexadecimal(EditGetal->Text(), DataKind->ItemIndex(), AllowText != 0))
        DataKind->SetItemIndex(DataKind->ItemIndex() + 1);
}

void TGetGetalForm::EditGetalKeyDown(TObject*, WORD& key, TShiftState) {
    if (key == VK_RETURN) {
        key = 0;
        OkButtonClick(this);
    }
}

void TGetGetalForm::FormKeyDown(TObject*, WORD& key, TShiftState) {
    if (key == VK_ESCAPE) {
        key = 0;
        Close();
    } else if (key == VK_F1) {
        key = 0;
        Application->HelpContext(HelpContext);
    }
}

void TGetGetalForm::FormClose(TObject*, TCloseAction&) { AnyNumber = 1; }

// After a refusal the user types over the whole value.
void TGetGetalForm::OkButtonClick(TObject*) {
    EditGetal->SetFocus();
    EditGetal->SetSelStart(0);
    EditGetal->SetSelLength(static_cast<int>(EditGetal->Text().size()));
    const ValueCheck check = CheckValueText(EditGetal->Text(), DataKind->ItemIndex(), AllowText != 0, AnyNumber != 0);
    if (check.Accepted) {
        ModalResult = mrOk;
        return;
    }
    const std::string text = Text(check.MessageKey);
    if (DialogHostWindow) DialogHostWindow->Tell(text, Text("WORD_OK"));
    else MessageBoxA(Handle(), text.c_str(), "Tessaly", MB_OK);
}

void TGetGetalForm::CancelButtonClick(TObject*) { ModalResult = mrCancel; }

void TGetGetalForm::DataKindChange(TObject*) {}

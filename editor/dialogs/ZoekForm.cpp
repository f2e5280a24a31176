#include "editor/dialogs/ZoekForm.h"

#include "editor/dialogs/DialogWindow.h"
#include "editor/dialogs/SearchWindowLogic.h"
#include "editor/document/LanguageSystem.h"
#include "framework/Bevel.h"
#include "framework/ButtonCtrls.h"
#include "framework/RadioGroup.h"
#include "framework/StdCtrls.h"

TZoekForm* ZoekForm = nullptr;

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }

template <class T>
T* Place(TZoekForm* form, int left, int top, int width, int height) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
}
}  // namespace

TZoekForm::TZoekForm(TComponent* owner) : TSearchWindowForm(owner, 301) {
    if (!ZoekForm) ZoekForm = this;
    SearchFunction = [this](const uint8_t* p, int32_t n, bool forward) { return NoSearchFunction(p, n, forward); };

    Label1 = Place<TLabel>(this, 8, 10, 200, 16);
    DataEdit = Place<TEdit>(this, 8, 28, 346, 21);
    Bevel1 = Place<TBevel>(this, 8, 58, 346, 2);
    DataKind = Place<TRadioGroup>(this, 8, 66, 126, 82);
    Bevel4 = Place<TBevel>(this, 142, 74, 2, 70);
    Bevel4->Shape = bsLeftLine;
    TextExample = Place<TLabel>(this, 152, 84, 202, 16);
    Label2 = Place<TLabel>(this, 152, 104, 202, 16);
    Label3 = Place<TLabel>(this, 152, 124, 202, 16);
    Bevel2 = Place<TBevel>(this, 8, 154, 346, 2);
    SelectionCheckBox = Place<TCheckBox>(this, 8, 160, 346, 18);
    SearchDirection = Place<TRadioGroup>(this, 8, 182, 346, 42);
    SearchDirection->SetColumns(2);
    Bevel3 = Place<TBevel>(this, 8, 230, 346, 2);
    SearchButton = Place<TButton>(this, 8, 238, 100, 26);
    SearchButton->SetDefault(true);
    Count1 = Place<TButton>(this, 131, 238, 100, 26);
    CloseButton = Place<TButton>(this, 254, 238, 100, 26);

    DataKind->SetItems({Text("WORD_TEXT"), Text("DECIMAL"), Text("HEXADECIMAL")});
    DataKind->SetItemIndex(0);
    SearchDirection->SetItems({Text("TOEND"), Text("TOBEGIN")});
    SearchDirection->SetItemIndex(0);
    ApplyTexts();

    SearchButton->OnClick = [this](TObject* s) { SearchButtonClick(s); };
    Count1->OnClick = [this](TObject* s) { Count1Click(s); };
    CloseButton->OnClick = [this](TObject* s) { CloseButtonClick(s); };
    TakeDataLine(DataEdit);
    DataKind->OnItemClick = [this](TObject* s) { DataKindClick(s); };
    SearchDirection->OnItemClick = [this](TObject* s) { SearchDirectionClick(s); };
    SelectionCheckBox->OnClick = [this](TObject* s) { SelectionCheckBoxClick(s); };
    for (TWinControl* c : {static_cast<TWinControl*>(SearchButton), static_cast<TWinControl*>(Count1),
                           static_cast<TWinControl*>(CloseButton), static_cast<TWinControl*>(SelectionCheckBox)})
        EscapeCloses(c);
    for (int i = 0; i < DataKind->ItemCount(); ++i) EscapeCloses(DataKind->Buttons(i));
    for (int i = 0; i < SearchDirection->ItemCount(); ++i) EscapeCloses(SearchDirection->Buttons(i));

    // Every control exists with the window.
    for (TWinControl* c : {static_cast<TWinControl*>(Label1), static_cast<TWinControl*>(DataEdit),
                           static_cast<TWinControl*>(Bevel1), static_cast<TWinControl*>(Bevel2),
                           static_cast<TWinControl*>(Bevel3), static_cast<TWinControl*>(Bevel4),
                           static_cast<TWinControl*>(DataKind), static_cast<TWinControl*>(TextExample),
                           static_cast<TWinControl*>(Label2), static_cast<TWinControl*>(Label3),
                           static_cast<TWinControl*>(SelectionCheckBox), static_cast<TWinControl*>(SearchDirection),
                           static_cast<TWinControl*>(SearchButton), static_cast<TWinControl*>(Count1),
                           static_cast<TWinControl*>(CloseButton)})
        c->Handle();
}

TZoekForm::~TZoekForm() {
    if (ZoekForm == this) ZoekForm = nullptr;
}

void TZoekForm::ApplyTexts() {
    SetCaption(Text("SEARCHDOTS"));
    Label1->SetCaption(Text("SEARCHFOR"));
    SelectionCheckBox->SetCaption(Text("SEARCHSELONLY"));
    DataKind->SetCaption(Text("CHOOSEDATATYPE"));
    DataKind->SetItemCaption(0, Text("WORD_TEXT"));
    DataKind->SetItemCaption(1, Text("DECIMAL"));
    DataKind->SetItemCaption(2, Text("HEXADECIMAL"));
    SearchDirection->SetCaption(Text("SEARCHFROM"));
    SearchDirection->SetItemCaption(0, Text("TOEND"));
    SearchDirection->SetItemCaption(1, Text("TOBEGIN"));
    SearchButton->SetCaption(Text("SEARCH"));
    Count1->SetCaption(Text("COUNT"));
    CloseButton->SetCaption(Text("WORD_CLOSE"));
    TextExample->SetCaption(Text("TEXTEXAMPLE"));
    Label2->SetCaption(Text("DECEXAMPLE"));
    Label3->SetCaption(Text("HEXADEXAMPLE"));
}

void TZoekForm::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, 362, 270);
}

void TZoekForm::Bind(TDataFile& document, EditorView& view, TSearchState& state, TFindReplace& finder) {
    if (FLogic && FFinder == &finder) return;
    FState = &state;
    FFinder = &finder;
    FLogic = std::make_unique<TSearchWindowLogic>(document, view, state, finder);
    FLogic->SearchFunction = [this](const uint8_t* p, int32_t n, bool forward) {
        return SearchFunction && SearchFunction(p, n, forward);
    };
}

void TZoekForm::Unbind() {
    FLogic.reset();
    FState = nullptr;
    FFinder = nullptr;
    SearchFunction = [this](const uint8_t* p, int32_t n, bool forward) { return NoSearchFunction(p, n, forward); };
}

bool TZoekForm::NoSearchFunction(const uint8_t*, int32_t, bool) {
    DataEdit->SetText(Text("NOSEARCHFUNCTIONDEFINED"));
    return true;
}

void TZoekForm::FormActivate(TObject*) {
    ApplyTexts();
    FSettingControls = true;
    SelectionCheckBox->SetChecked(false);
    FSettingControls = false;
    std::string caption = FLogic ? FLogic->Activate(FirstByteNumber) : std::string();
    if (!caption.empty()) SelectionCheckBox->SetCaption(caption);
    SelectionCheckBox->SetVisible(!caption.empty());
    DataEdit->SetFocus();
}

void TZoekForm::RunSearch(bool count) {
    if (!FLogic) {
        // Not tied to a main window: the hook says so.
        if (!count && SearchFunction) SearchFunction(nullptr, 0, SearchDirection->ItemIndex() == 0);
        return;
    }
    TSearchWindowLogic::Input input;
    input.Data = DataEdit->Text();
    input.Kind = static_cast<SearchDataKind>(DataKind->ItemIndex() < 0 ? 0 : DataKind->ItemIndex());
    input.Forward = SearchDirection->ItemIndex() == 0;
    input.SelectionBoxChecked = SelectionCheckBox->Checked();
    input.WindowVisible = HandleAllocated() && IsWindowVisible(Handle());
    if (count) {
        FLogic->CountPress(input);
    } else {
        FLogic->SearchPress(input);
    }
    // After a count, a refused input or the end of the run the pattern
    // takes the focus; after a hit the pressed button keeps it.
    if (input.WindowVisible && (count || FState->SearchRestart)) DataEdit->SetFocus();
}

void TZoekForm::SearchButtonClick(TObject*) {
    SearchButton->SetFocus();
    RunSearch(false);
}

void TZoekForm::Count1Click(TObject*) {
    Count1->SetFocus();
    RunSearch(true);
}

void TZoekForm::DataEnter() { SearchButtonClick(SearchButton); }

void TZoekForm::DataEditChange(TObject*) {
    if (FLogic) FLogic->ResetSearchState();
}

void TZoekForm::DataKindClick(TObject*) {
    if (FLogic) FLogic->ResetSearchState();
}

void TZoekForm::SearchDirectionClick(TObject*) {
    if (FLogic) FLogic->ResetSearchState();
}

void TZoekForm::SelectionCheckBoxClick(TObject*) {
    if (FSettingControls || !FLogic) return;
    FLogic->SelectionBoxClick(SelectionCheckBox->Checked());
}

void TZoekForm::FindNext() {
    SearchDirection->SetItemIndex(0);
    if (!FLogic) return;
    TSearchWindowLogic::Input input;
    input.Data = DataEdit->Text();
    input.Kind = static_cast<SearchDataKind>(DataKind->ItemIndex() < 0 ? 0 : DataKind->ItemIndex());
    FLogic->FindNext(input);
}

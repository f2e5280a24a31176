#include "editor/dialogs/ReplaceForm.h"

#include "editor/dialogs/DialogWindow.h"
#include "editor/document/LanguageSystem.h"
#include "framework/Bevel.h"
#include "framework/ButtonCtrls.h"
#include "framework/ComboBox.h"
#include "framework/ProgressBar.h"
#include "framework/StdCtrls.h"

TReplaceForm* ReplaceForm = nullptr;

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }

template <class T>
T* Place(TReplaceForm* form, int left, int top, int width, int height) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
}

const int WindowClientWidth = 460;
const int WindowClientHeight = 214;
}  // namespace

TReplaceForm::TReplaceForm(TComponent* owner) : TSearchWindowForm(owner, 303) {
    if (!ReplaceForm) ReplaceForm = this;
    ReplaceFunction = [this](const uint8_t* p, int32_t n, bool all, int32_t m, const uint8_t* r, int x) {
        return NoReplaceFunction(p, n, all, m, r, x);
    };

    // The data on the left, the buttons in a column on the right.
    Label1 = Place<TLabel>(this, 8, 8, 180, 16);
    DataEdit = Place<TEdit>(this, 8, 26, 170, 21);
    DataKind = Place<TComboBox>(this, 184, 26, 96, 21);
    Label2 = Place<TLabel>(this, 8, 54, 180, 16);
    ReplaceEdit = Place<TEdit>(this, 8, 72, 170, 21);
    ReplaceKind = Place<TComboBox>(this, 184, 72, 96, 21);
    Bevel1 = Place<TBevel>(this, 8, 102, 272, 2);
    SelectionCheckBox = Place<TCheckBox>(this, 8, 110, 272, 18);
    Bevel4 = Place<TBevel>(this, 8, 132, 272, 2);
    FoundLabel = Place<TLabel>(this, 8, 140, 132, 16);
    ReplaceLabel = Place<TLabel>(this, 146, 140, 134, 16);
    ReachEndMessage = Place<TLabel>(this, 8, 160, 272, 28);
    voortgang = Place<TProgressBar>(this, 8, 192, 272, 14);
    Bevel2 = Place<TBevel>(this, 290, 8, 2, 198);
    Bevel2->Shape = bsLeftLine;
    SearchButton = Place<TButton>(this, 300, 8, 152, 26);
    Replace = Place<TButton>(this, 300, 40, 152, 26);
    ReplaceAllButton = Place<TButton>(this, 300, 72, 152, 26);
    Bevel3 = Place<TBevel>(this, 300, 106, 152, 2);
    CloseButton = Place<TButton>(this, 300, 180, 152, 26);
    ReachEndMessage->SetVisible(false);
    voortgang->SetVisible(false);

    for (TComboBox* list : {DataKind, ReplaceKind}) {
        list->SetItems({Text("WORD_TEXT"), Text("DECIMAL"), Text("HEXADECIMAL")});
        list->SetItemIndex(0);
    }
    ApplyTexts();

    SearchButton->OnClick = [this](TObject* s) { SearchButtonClick(s); };
    Replace->OnClick = [this](TObject* s) { ReplaceClick(s); };
    ReplaceAllButton->OnClick = [this](TObject* s) { ReplaceAllButtonClick(s); };
    CloseButton->OnClick = [this](TObject* s) { CloseButtonClick(s); };
    for (TEdit* edit : {DataEdit, ReplaceEdit}) TakeDataLine(edit);
    DataKind->OnChange = [this](TObject* s) { DataKindChange(s); };
    ReplaceKind->OnChange = [this](TObject* s) { ReplaceKindChange(s); };
    SelectionCheckBox->OnClick = [this](TObject* s) { SelectionCheckBoxClick(s); };
    for (TWinControl* c : {static_cast<TWinControl*>(SearchButton), static_cast<TWinControl*>(Replace),
                           static_cast<TWinControl*>(ReplaceAllButton), static_cast<TWinControl*>(CloseButton),
                           static_cast<TWinControl*>(SelectionCheckBox), static_cast<TWinControl*>(DataKind),
                           static_cast<TWinControl*>(ReplaceKind)})
        EscapeCloses(c);

    // Every control exists with the window.
    for (TWinControl* c :
         {static_cast<TWinControl*>(Label1), static_cast<TWinControl*>(DataEdit), static_cast<TWinControl*>(DataKind),
          static_cast<TWinControl*>(Label2), static_cast<TWinControl*>(ReplaceEdit),
          static_cast<TWinControl*>(ReplaceKind), static_cast<TWinControl*>(Bevel1),
          static_cast<TWinControl*>(SelectionCheckBox), static_cast<TWinControl*>(Bevel4),
          static_cast<TWinControl*>(FoundLabel), static_cast<TWinControl*>(ReplaceLabel),
          static_cast<TWinControl*>(ReachEndMessage), static_cast<TWinControl*>(voortgang),
          static_cast<TWinControl*>(Bevel2), static_cast<TWinControl*>(SearchButton), static_cast<TWinControl*>(Replace),
          static_cast<TWinControl*>(ReplaceAllButton), static_cast<TWinControl*>(Bevel3),
          static_cast<TWinControl*>(CloseButton)})
        c->Handle();
}

TReplaceForm::~TReplaceForm() {
    FLogic.reset();
    if (ReplaceForm == this) ReplaceForm = nullptr;
}

void TReplaceForm::ApplyTexts() {
    SetCaption(Text("REPLACEDOTS"));
    Label1->SetCaption(Text("SEARCHFOR"));
    Label2->SetCaption(Text("REPLACEBY"));
    ReachEndMessage->SetCaption(Text("ENDREACHED"));
    SearchButton->SetCaption(Text("SEARCHNEXT"));
    Replace->SetCaption(Text("REPLACE_BUTTON"));
    CloseButton->SetCaption(Text("WORD_CLOSE"));
    ReplaceAllButton->SetCaption(Text("REPLACEALL"));
    SelectionCheckBox->SetCaption(Text("REPLACEINSELECTIONONLY"));
    for (TComboBox* list : {DataKind, ReplaceKind}) {
        const int index = list->ItemIndex();
        list->SetItems({Text("WORD_TEXT"), Text("DECIMAL"), Text("HEXADECIMAL")});
        list->SetItemIndex(index);
    }
}

// A fixed border with the system menu only.
void TReplaceForm::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, WindowClientWidth, WindowClientHeight);
    params.Style |= WS_SYSMENU;
    RECT r = {0, 0, WindowClientWidth, WindowClientHeight};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    params.Width = r.right - r.left;
    params.Height = r.bottom - r.top;
}

void TReplaceForm::Bind(TDataFile& document, EditorView& view, TSearchState& state, TFindReplace& finder) {
    if (FLogic && FFinder == &finder) return;
    FLogic.reset();
    FState = &state;
    FFinder = &finder;
    FLogic = std::make_unique<TReplaceWindowLogic>(document, view, state, finder, *this);
    FLogic->ReplaceFunction = [this](const uint8_t* p, int32_t n, bool all, int32_t m, const uint8_t* r, int x) {
        return ReplaceFunction && ReplaceFunction(p, n, all, m, r, x);
    };
}

void TReplaceForm::Unbind() {
    FLogic.reset();
    FState = nullptr;
    FFinder = nullptr;
    ReplaceFunction = [this](const uint8_t* p, int32_t n, bool all, int32_t m, const uint8_t* r, int x) {
        return NoReplaceFunction(p, n, all, m, r, x);
    };
}

bool TReplaceForm::NoReplaceFunction(const uint8_t*, int32_t, bool, int32_t, const uint8_t*, int) {
    DataEdit->SetText(Text("NOREPLACEFUNCTIONERROR"));
    return true;
}

bool TReplaceForm::Visible() const { return FHandle && IsWindowVisible(FHandle); }
void TReplaceForm::SetFoundText(const std::string& text) { FoundLabel->SetCaption(text); }
void TReplaceForm::SetReplacedText(const std::string& text) { ReplaceLabel->SetCaption(text); }
void TReplaceForm::SetReplaceAllCaption(const std::string& caption) { ReplaceAllButton->SetCaption(caption); }
void TReplaceForm::ShowEndReached(bool shown) { ReachEndMessage->SetVisible(shown); }

// The bar is drawn at once: Replace All runs without returning to the
// message loop.
void TReplaceForm::ShowProgress(int percent) {
    if (percent < 0) {
        voortgang->SetVisible(false);
        return;
    }
    voortgang->SetPosition(percent);
    if (!voortgang->TWinControl::Visible()) voortgang->SetVisible(true);
    voortgang->Update();
}

void TReplaceForm::FormActivate(TObject*) {
    ApplyTexts();
    FSettingControls = true;
    SelectionCheckBox->SetChecked(false);
    FSettingControls = false;
    const bool selection = FLogic && FLogic->Activate();
    SelectionCheckBox->SetVisible(selection);
    SelectionCheckBox->SetEnabled(true);
    DataEdit->SetFocus();
}

TReplaceWindowLogic::Input TReplaceForm::ReadInput() {
    TReplaceWindowLogic::Input input;
    input.Data = DataEdit->Text();
    input.DataKind = static_cast<SearchDataKind>(DataKind->ItemIndex() < 0 ? 0 : DataKind->ItemIndex());
    input.ReplaceData = ReplaceEdit->Text();
    input.ReplaceKind = static_cast<SearchDataKind>(ReplaceKind->ItemIndex() < 0 ? 0 : ReplaceKind->ItemIndex());
    input.SelectionBoxChecked = SelectionCheckBox->Checked();
    return input;
}

// After the end of a run (or a refused input) the search data takes the
// focus; the selection box stays off until the window shows again.
void TReplaceForm::AfterPress() {
    SelectionCheckBox->SetEnabled(false);
    if (FState && FState->SearchRestart && Visible()) DataEdit->SetFocus();
}

void TReplaceForm::SearchButtonClick(TObject*) {
    SearchButton->SetFocus();
    if (!FLogic) {
        if (ReplaceFunction) ReplaceFunction(nullptr, 0, false, 0, nullptr, 1);
        return;
    }
    FLogic->SearchNextPress(ReadInput());
    AfterPress();
}

void TReplaceForm::ReplaceClick(TObject*) {
    Replace->SetFocus();
    if (!FLogic) {
        if (ReplaceFunction) ReplaceFunction(nullptr, 0, false, 0, nullptr, 1);
        return;
    }
    FLogic->ReplacePress(ReadInput());
    AfterPress();
}

void TReplaceForm::ReplaceAllButtonClick(TObject*) {
    if (!FLogic) {
        if (ReplaceFunction) ReplaceFunction(nullptr, 0, true, 0, nullptr, 1);
        return;
    }
    FLogic->ReplaceAllPress(ReadInput());
    AfterPress();
}

void TReplaceForm::DataEnter() { ReplaceClick(Replace); }

void TReplaceForm::DataEditChange(TObject*) {
    if (FLogic) FLogic->DataChange();
}

void TReplaceForm::DataKindChange(TObject*) {
    if (FLogic) FLogic->KindChange(false, DataKind->ItemIndex());
}

void TReplaceForm::ReplaceKindChange(TObject*) {
    if (FLogic) FLogic->KindChange(true, ReplaceKind->ItemIndex());
}

void TReplaceForm::SelectionCheckBoxClick(TObject*) {
    if (FSettingControls || !FLogic) return;
    FLogic->SelectionBoxClick(SelectionCheckBox->Checked());
}

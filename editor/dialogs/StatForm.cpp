#include "editor/dialogs/StatForm.h"

#include "editor/dialogs/DialogWindow.h"
#include "editor/document/LanguageSystem.h"
#include "editor/unicode/UvxLabels.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"

TStatForm* StatForm = nullptr;

namespace {
std::string Text(const char* key) { return LanguageSystem.getText(key); }

// A read-only edit box without a border, on the window's face colour.
TEdit* ReadOnlyEdit(TStatForm* form, int left, int top, int width) {
    auto* e = new TEdit(form);
    e->SetParent(form);
    e->SetBounds(left, top, width, 18);
    HWND h = e->Handle();
    SendMessageA(h, EM_SETREADONLY, TRUE, 0);
    SetWindowLongPtrA(h, GWL_EXSTYLE, GetWindowLongPtrA(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE));
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return e;
}

TLabel* MakeLabel(TStatForm* form, TWinControl* parent, int left, int top, int width, TAlignment alignment) {
    auto* l = new TLabel(form);
    l->Alignment = alignment;
    l->SetParent(parent);
    l->SetBounds(left, top, width, 16);
    return l;
}
}  // namespace

TStatForm::TStatForm(TComponent* owner) : TUvxForm(owner) {
    SetCaption(Text("FILEINFO"));
    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetBounds(0, 0, 300, 52);
    FileLabel = new TUvxLabel(this);
    FileLabel->SetAlignment(taCenter);
    FileLabel->SetWordWrap(true);
    FileLabel->SetShowAccelChar(false);
    FileLabel->SetParent(Panel1);
    FileLabel->SetBounds(8, 4, 284, 44);
    SizeLabel = MakeLabel(this, this, 8, 64, 110, taRightJustify);
    SizeLabel->SetCaption(Text("FILESIZE"));
    ByteLabel = ReadOnlyEdit(this, 124, 64, 80);
    ByteLbl1 = MakeLabel(this, this, 206, 64, 80, taLeftJustify);
    Label1 = MakeLabel(this, this, 8, 90, 110, taRightJustify);
    Label1->SetCaption(Text("SELECTIONSIZE"));
    SelectionLabel = ReadOnlyEdit(this, 124, 90, 80);
    ByteLbl2 = MakeLabel(this, this, 206, 90, 80, taLeftJustify);
    SelectionLabel2 = ReadOnlyEdit(this, 60, 112, 230);
    OkButton = new TButton(this);
    OkButton->SetDefault(true);
    OkButton->SetParent(this);
    OkButton->SetCaption(Text("WORD_CLOSE"));
    OkButton->SetBounds(110, 142, 80, 26);
    OkButton->OnClick = [this](TObject*) { ModalResult = mrOk; };
    for (TWinControl* c : {static_cast<TWinControl*>(OkButton), static_cast<TWinControl*>(ByteLabel),
                           static_cast<TWinControl*>(SelectionLabel), static_cast<TWinControl*>(SelectionLabel2)})
        c->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    OnActivate = [this](TObject*) { OkButton->SetFocus(); };
}

void TStatForm::CreateParams(TCreateParams& params) {
    TUvxForm::CreateParams(params);
    FixedDialogParams(params, 300, 178);
}

void TStatForm::Fill(const std::u16string& fileName, const FileInfoTexts& texts) {
    FileLabel->SetCaption(fileName);
    ByteLabel->SetText(texts.size);
    ByteLbl1->SetCaption(texts.sizeUnit);
    SelectionLabel->SetText(texts.selectionSize);
    ByteLbl2->SetCaption(texts.selectionUnit);
    SelectionLabel2->SetText(texts.bounds);
    SelectionLabel2->SetVisible(texts.boundsVisible);
}

std::u16string TStatForm::FileLabelText() { return FileLabel->GetCaption(); }

void TStatForm::FormKeyDown(TObject*, WORD& key, TShiftState) {
    if (key == VK_ESCAPE) {
        key = 0;
        ModalResult = mrCancel;
    }
}

TStatForm::~TStatForm() {
    if (StatForm == this) StatForm = nullptr;
}

// The main window's Edit, Find and Options commands that ask through the
// message boxes and the value input dialog, and the application's help
// requests.
#include "editor/dialogs/GetGetalForm.h"
#include "editor/dialogs/MoveForm.h"
#include "editor/document/LanguageSystem.h"
#include "editor/main/BerichtBox.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/ButtonCtrls.h"
#include "framework/ComboBox.h"

void TMainForm::BindEditCommands() {
    auto bind = [this](TMenuItem* item, void (TMainForm::*handler)(TObject*)) {
        if (item) item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    };
    bind(Delete1, &TMainForm::Delete1Click);
    bind(Insert1, &TMainForm::Insert1Click);
    bind(SetFileSize1, &TMainForm::SetFileSize1Click);
    bind(EndofFile1, &TMainForm::EndofFile1Click);
    bind(ExactLocation1, &TMainForm::ExactLocation1Click);
    bind(tozero1, &TMainForm::tozero1Click);
    bind(tospace321, &TMainForm::tospace321Click);
    bind(SetFillChar, &TMainForm::SetFillCharClick);
}

void TMainForm::Delete1Click(TObject*) { DeleteCommand(); }
void TMainForm::Insert1Click(TObject*) { InsertBytesCommand(); }
void TMainForm::SetFileSize1Click(TObject*) { SetFileSizeCommand(); }
void TMainForm::EndofFile1Click(TObject*) { EndOfFileAtCursorCommand(); }
void TMainForm::ExactLocation1Click(TObject*) { ExactLocationCommand(); }
void TMainForm::tozero1Click(TObject*) { FillByte = 0; }
void TMainForm::tospace321Click(TObject*) { FillByte = 32; }
void TMainForm::SetFillCharClick(TObject*) { SetFillCharCommand(); }

// The dialog is prepared for this showing; after OK the text is converted
// again by the rules the dialog checked it with.
bool TMainForm::AskValue(TValueRequest& request) {
    TGetGetalForm* form;
    if (request.MoveCursor) {
        if (!MoveForm) MoveForm = new TMoveForm(this);
        form = MoveForm;
    } else {
        if (!GetGetalForm) GetGetalForm = new TGetGetalForm(this);
        form = GetGetalForm;
    }
    form->SetCaption(request.Caption);
    form->Vraag->SetCaption(request.Question);
    form->EditGetal->SetText(request.Text);
    form->AllowText = request.AllowText ? 1 : 0;
    form->AnyNumber = request.AnyNumber ? 1 : 0;
    form->SetKinds(request.ItemIndex);
    if (request.MoveCursor) MoveForm->KeepSelection->SetChecked(false);
    if (form->ShowModal() != mrOk) return false;
    const int item = form->DataKind->ItemIndex();
    const ValueCheck check = CheckValueText(form->EditGetal->Text(), item, request.AllowText, request.AnyNumber);
    if (!check.Accepted) return false;
    request.Kind = ValueKindAt(item, request.AllowText);
    request.Value = check.Value;
    request.KeepSelection = request.MoveCursor && MoveForm->KeepSelection->Checked();
    return true;
}

int TMainForm::TellWithCaption(const std::string& text, const std::string& caption) {
    return BerichtBox1(text, caption, LanguageText("WORD_OK"));
}

int TMainForm::AskYesNoWithCaption(const std::string& text, const std::string& caption) {
    return BerichtBox2(text, caption, LanguageText("YES_AMP"), LanguageText("NO_AMP"));
}

// Ctrl+H in the byte view.
void TMainForm::ReplaceCommand() { Replace1Click(this); }

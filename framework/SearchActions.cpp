#include "framework/SearchActions.h"

#include "framework/Application.h"
#include "framework/WinText.h"

TSearchAction::~TSearchAction() { SetControl(nullptr); }

TFindDialog* TSearchAction::Dialog() {
    if (!FDialog) {
        FDialog = NewDialog();
        FDialog->OnFind = [this](TObject*) { Search(); };
        if (auto* replace = dynamic_cast<TReplaceDialog*>(FDialog.get()))
            if (auto* self = dynamic_cast<TSearchReplace*>(this))
                replace->OnReplace = [self](TObject*) { self->Replace(); };
    }
    return FDialog.get();
}

void TSearchAction::SetControl(TCustomEdit* edit) {
    if (edit == FControl) return;
    if (FControl) RemoveFreeNotification(FControl);
    FControl = edit;
    if (FControl) FreeNotification(FControl);
}

void TSearchAction::Notification(TComponent* component, TOperation operation) {
    TCommonDialogAction::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FControl) FControl = nullptr;
}

bool TSearchAction::Execute() {
    if (TBasicAction::Execute()) return true;
    TCustomEdit* edit = TEditAction::FocusedEdit();
    if (!edit || !HandlesTarget(edit)) return false;
    ExecuteTarget(edit);
    return true;
}

bool TSearchAction::Update() {
    if (TBasicAction::Update()) return true;
    TCustomEdit* edit = TEditAction::FocusedEdit();
    if (!edit || !HandlesTarget(edit)) {
        SetEnabled(false);
        return false;
    }
    UpdateTarget(edit);
    return true;
}

bool TSearchAction::HandlesTarget(TObject* target) { return dynamic_cast<TCustomEdit*>(target) != nullptr; }

void TSearchAction::UpdateTarget(TObject* target) {
    auto* edit = static_cast<TCustomEdit*>(target);
    SetEnabled(edit->Handle() && GetWindowTextLengthA(edit->Handle()) > 0);
}

void TSearchAction::ExecuteTarget(TObject* target) {
    SetControl(static_cast<TCustomEdit*>(target));
    TCommonDialogAction::Execute();
}

std::u16string TSearchAction::FindWhat() { return AnsiToWide(Dialog()->FindText); }
std::u16string TSearchAction::EditText(TCustomEdit* edit) { return AnsiToWide(edit->Text()); }
void TSearchAction::ReplaceSelection(TCustomEdit* edit, const std::u16string& text) {
    edit->SetSelText(WideToAnsi(text));
}

void TSearchAction::GetSelection(TCustomEdit* edit, int& start, int& length) {
    start = edit->SelStart();
    length = edit->SelLength();
}

void TSearchAction::Select(TCustomEdit* edit, int start, int length) {
    edit->SetSelStart(start);
    edit->SetSelLength(length);
}

void TSearchAction::TextNotFound(const std::u16string& what) {
    Application->MessageBox("Text not found: \"" + WideToAnsi(what) + "\"", Application->Title(),
                            MB_OK | MB_ICONINFORMATION);
}

bool TSearchAction::Search(TCustomEdit* target) {
    TCustomEdit* edit = target ? target : FControl;
    if (!edit) return false;
    const std::u16string what = FindWhat();
    const bool fromStart = FFindFirst;
    FFindFirst = false;
    int start = 0, length = 0;
    GetSelection(edit, start, length);
    int at = SearchText(EditText(edit), start, length, what, Dialog()->Options, fromStart);
    if (at < 0) {
        TextNotFound(what);
        return false;
    }
    Select(edit, at, static_cast<int>(what.size()));
    return true;
}

void TSearchFindFirst::ExecuteTarget(TObject* target) {
    FFindFirst = true;
    TSearchFind::ExecuteTarget(target);
}

std::u16string TSearchReplace::ReplaceWith() { return AnsiToWide(ReplaceDialog()->ReplaceText); }

int TSearchReplace::Replace() {
    TCustomEdit* edit = Control();
    if (!edit) return 0;
    const std::u16string what = FindWhat(), with = ReplaceWith();
    const TFindOptions options = Dialog()->Options;
    int count = 0;
    if (options & frReplaceAll) {
        // Every match from the start of the text on, each looked for after
        // the replacement before it, so a replacement that holds the text
        // looked for is not replaced again.
        int from = 0;
        for (;;) {
            const std::u16string before = EditText(edit);
            int at = SearchText(before, from, 0, what, options | frDown);
            if (at < 0) break;
            Select(edit, at, static_cast<int>(what.size()));
            ReplaceSelection(edit, with);
            // A window that refused the change must not hold the loop.
            if (EditText(edit) == before && what != with) break;
            ++count;
            from = at + static_cast<int>(with.size());
            Select(edit, from, 0);
        }
        if (count == 0) TextNotFound(what);
        return count;
    }
    const std::u16string text = EditText(edit);
    int start = 0, length = 0;
    GetSelection(edit, start, length);
    if (start >= 0 && length > 0 && static_cast<size_t>(start) + static_cast<size_t>(length) <= text.size() &&
        SameFoundText(text.substr(static_cast<size_t>(start), static_cast<size_t>(length)), what, options)) {
        ReplaceSelection(edit, with);
        ++count;
    }
    Search(edit);
    return count;
}

TSearchFindNext::~TSearchFindNext() { SetSearchFind(nullptr); }

void TSearchFindNext::SetSearchFind(TSearchFind* value) {
    if (value == FSearchFind) return;
    if (FSearchFind) RemoveFreeNotification(FSearchFind);
    FSearchFind = value;
    if (FSearchFind) FreeNotification(FSearchFind);
}

void TSearchFindNext::Notification(TComponent* component, TOperation operation) {
    TCustomAction::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FSearchFind) FSearchFind = nullptr;
}

bool TSearchFindNext::HandlesTarget(TObject*) {
    return FSearchFind && FSearchFind->Enabled() && !FSearchFind->Dialog()->FindText.empty();
}

bool TSearchFindNext::Update() {
    if (TBasicAction::Update()) return true;
    SetEnabled(HandlesTarget(TEditAction::FocusedEdit()));
    return true;
}

// In the focused edit box, else in the one the find dialog was shown for.
bool TSearchFindNext::Execute() {
    if (TBasicAction::Execute()) return true;
    TCustomEdit* edit = TEditAction::FocusedEdit();
    if (!HandlesTarget(edit)) return false;
    FSearchFind->Search(edit ? edit : FSearchFind->Control());
    return true;
}

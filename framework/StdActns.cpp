#include "framework/StdActns.h"

#include "framework/Application.h"
#include "framework/Forms.h"

TCustomEdit* TEditAction::FocusedEdit() {
    HWND focus = GetFocus();
    return focus ? dynamic_cast<TCustomEdit*>(TWinControl::FromHandle(focus)) : nullptr;
}

bool TEditAction::Execute() {
    if (TBasicAction::Execute()) return true;
    TCustomEdit* edit = FocusedEdit();
    if (!edit || !HandlesTarget(edit)) return false;
    ExecuteTarget(edit);
    return true;
}

bool TEditAction::Update() {
    if (TBasicAction::Update()) return true;
    TCustomEdit* edit = FocusedEdit();
    if (!edit || !HandlesTarget(edit)) {
        SetEnabled(false);
        return false;
    }
    UpdateTarget(edit);
    return true;
}

void TEditDelete::UpdateTarget(TObject* target) { SetEnabled(GetControl(target)->SelLength() > 0); }

void TEditDelete::ExecuteTarget(TObject* target) { GetControl(target)->SetSelText(""); }

void TEditCut::UpdateTarget(TObject* target) { SetEnabled(GetControl(target)->SelLength() > 0); }
void TEditCut::ExecuteTarget(TObject* target) { SendMessageA(GetControl(target)->Handle(), WM_CUT, 0, 0); }
void TEditCopy::UpdateTarget(TObject* target) { SetEnabled(GetControl(target)->SelLength() > 0); }
void TEditCopy::ExecuteTarget(TObject* target) { SendMessageA(GetControl(target)->Handle(), WM_COPY, 0, 0); }
void TEditPaste::UpdateTarget(TObject*) {
    SetEnabled(IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT));
}
void TEditPaste::ExecuteTarget(TObject* target) { SendMessageA(GetControl(target)->Handle(), WM_PASTE, 0, 0); }
void TEditSelectAll::UpdateTarget(TObject* target) {
    TCustomEdit* edit = GetControl(target);
    SetEnabled(GetWindowTextLengthA(edit->Handle()) > 0);
}
void TEditSelectAll::ExecuteTarget(TObject* target) { SendMessageA(GetControl(target)->Handle(), EM_SETSEL, 0, -1); }
void TEditUndo::UpdateTarget(TObject* target) {
    SetEnabled(SendMessageA(GetControl(target)->Handle(), EM_CANUNDO, 0, 0) != 0);
}
void TEditUndo::ExecuteTarget(TObject* target) { SendMessageA(GetControl(target)->Handle(), EM_UNDO, 0, 0); }

bool TCommonDialogAction::Execute() {
    if (BeforeExecute) BeforeExecute(this);
    if (ExecuteDialog()) {
        if (OnAccept) OnAccept(this);
        else TBasicAction::Execute();
    } else if (OnCancel) {
        OnCancel(this);
    }
    return true;
}

TOpenDialog* TFileOpen::Dialog() {
    if (!FDialog) FDialog = NewDialog();
    return FDialog.get();
}

HWND TCommonDialogAction::DialogParent() {
    if (TForm* form = Application->ActiveForm()) return form->Handle();
    TForm* main = Application->MainForm();
    return main && main->HandleAllocated() ? main->Handle() : nullptr;
}

bool TFileExit::Execute() {
    if (TBasicAction::Execute()) return true;
    TForm* main = Application->MainForm();
    if (!main) return false;
    main->Close();
    return true;
}

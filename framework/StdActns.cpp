#include "framework/StdActns.h"

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

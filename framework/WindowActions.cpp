#include "framework/WindowActions.h"

#include <vector>

#include "framework/Application.h"

TWindowAction::~TWindowAction() { SetForm(nullptr); }

void TWindowAction::SetForm(TForm* value) {
    if (value == FForm) return;
    if (FForm) FForm->RemoveFreeNotification(this);
    FForm = value;
    if (FForm) FForm->FreeNotification(this);
}

void TWindowAction::Notification(TComponent* component, TOperation operation) {
    TAction::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FForm) FForm = nullptr;
}

bool TWindowAction::HandlesTarget(TObject* target) {
    auto* form = dynamic_cast<TForm*>(target);
    if (!form || (FForm && form != FForm)) return false;
    return form->FormStyle() == fsMDIForm;
}

TForm* TWindowAction::Target() {
    if (FForm) return HandlesTarget(FForm) ? FForm : nullptr;
    for (TForm* form : {Application->ActiveForm(), Application->MainForm()})
        if (form && HandlesTarget(form)) return form;
    return nullptr;
}

bool TWindowAction::Execute() {
    if (TBasicAction::Execute()) return true;
    TForm* form = Target();
    if (!form) return false;
    ExecuteTarget(form);
    return true;
}

bool TWindowAction::Update() {
    if (TBasicAction::Update()) return true;
    TForm* form = Target();
    if (!form) {
        SetEnabled(false);
        return false;
    }
    UpdateTarget(form);
    return true;
}

void TWindowAction::UpdateTarget(TObject* target) { SetEnabled(GetForm(target)->MDIChildCount() > 0); }

void TWindowClose::UpdateTarget(TObject* target) { SetEnabled(GetForm(target)->ActiveMDIChild() != nullptr); }

void TWindowClose::ExecuteTarget(TObject* target) {
    if (TForm* child = GetForm(target)->ActiveMDIChild()) child->Close();
}

void TWindowCascade::ExecuteTarget(TObject* target) { GetForm(target)->Cascade(); }

void TWindowTileHorizontal::ExecuteTarget(TObject* target) {
    TForm* form = GetForm(target);
    form->TileMode = tbHorizontal;
    form->Tile();
}

void TWindowTileVertical::ExecuteTarget(TObject* target) {
    TForm* form = GetForm(target);
    form->TileMode = tbVertical;
    form->Tile();
}

// From the last child to the first: minimizing one activates another, which
// changes the order the children are counted in, but not the set.
void TWindowMinimizeAll::ExecuteTarget(TObject* target) {
    TForm* form = GetForm(target);
    std::vector<TForm*> children;
    for (int i = 0; i < form->MDIChildCount(); ++i) children.push_back(form->MDIChildren(i));
    for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->SetWindowState(wsMinimized);
}

void TWindowArrange::ExecuteTarget(TObject* target) { GetForm(target)->ArrangeIcons(); }

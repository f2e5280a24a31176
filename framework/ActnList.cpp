#include "framework/ActnList.h"

#include <algorithm>

#include "framework/Controls.h"

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* action) {
    if (action == FAction) return;
    if (FAction) {
        auto& c = FAction->FClients;
        c.erase(std::remove(c.begin(), c.end(), this), c.end());
    }
    FAction = action;
    if (FAction) FAction->FClients.push_back(this);
}

bool TBasicActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TBasicActionLink::IsHintLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TBasicActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TBasicActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TBasicActionLink::IsShortCutLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TBasicActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TBasicActionLink::Execute() { return FAction && FAction->Execute(); }

bool LinkClientToAction(TBasicActionLink*& link, TBasicActionLink* (*make)(TObject*), TObject* client,
                        TBasicAction* action) {
    if (!action) {
        delete link;
        link = nullptr;
        return false;
    }
    if (!link) link = make(client);
    link->SetAction(action);
    return true;
}

TBasicAction::~TBasicAction() {
    // Clients outlive the action: cut their links loose.
    while (!FClients.empty()) FClients.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

namespace {
// Calls f for each client link; a copy, since a client may unlink meanwhile.
template <class F>
void ForEachClient(TBasicAction& action, F f) {
    std::vector<TBasicActionLink*> links;
    for (int i = 0; i < action.ClientCount(); ++i) links.push_back(action.Clients(i));
    for (auto* link : links) f(*link);
}
}  // namespace

TCustomAction::~TCustomAction() {
    if (ActionList) ActionList->RemoveAction(this);
}

void TCustomAction::SetCaption(const std::string& value) {
    if (value == FCaption) return;
    ForEachClient(*this, [&](TBasicActionLink& l) { if (l.IsCaptionLinked()) l.SetCaption(value); });
    FCaption = value;
}

void TCustomAction::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    ForEachClient(*this, [&](TBasicActionLink& l) { if (l.IsImageIndexLinked()) l.SetImageIndex(value); });
    FImageIndex = value;
}

void TCustomAction::SetHint(const std::string& value) {
    if (value == FHint) return;
    ForEachClient(*this, [&](TBasicActionLink& l) { if (l.IsHintLinked()) l.SetHint(value); });
    FHint = value;
}

void TCustomAction::SetEnabled(bool value) {
    if (value == FEnabled) return;
    ForEachClient(*this, [&](TBasicActionLink& l) { if (l.IsEnabledLinked()) l.SetEnabled(value); });
    FEnabled = value;
}

void TCustomAction::SetChecked(bool value) {
    if (value == FChecked) return;
    ForEachClient(*this, [&](TBasicActionLink& l) { if (l.IsCheckedLinked()) l.SetChecked(value); });
    FChecked = value;
}

void TCustomAction::SetVisible(bool value) {
    if (value == FVisible) return;
    ForEachClient(*this, [&](TBasicActionLink& l) { l.SetVisible(value); });
    FVisible = value;
}

void TCustomAction::SetShortCut(uint16_t value) {
    if (value == FShortCut) return;
    ForEachClient(*this, [&](TBasicActionLink& l) { if (l.IsShortCutLinked()) l.SetShortCut(value); });
    FShortCut = value;
}

void TCustomAction::AssignTo(TPersistent* dest) const {
    auto* d = dynamic_cast<TCustomAction*>(dest);
    if (!d) return TBasicAction::AssignTo(dest);
    d->SetCaption(FCaption);
    d->SetHint(FHint);
    d->SetEnabled(FEnabled);
    d->SetChecked(FChecked);
    d->SetVisible(FVisible);
    d->SetShortCut(FShortCut);
    d->OnExecute = OnExecute;
    d->OnUpdate = OnUpdate;
}

void TActionList::AddAction(TCustomAction* action) {
    if (!action || std::find(FActions.begin(), FActions.end(), action) != FActions.end()) return;
    FActions.push_back(action);
    action->ActionList = this;
    FreeNotification(action);
    ActionNotify(action, TOperation::opInsert);
}

void TActionList::RemoveAction(TCustomAction* action) {
    auto it = std::find(FActions.begin(), FActions.end(), action);
    if (it == FActions.end()) return;
    FActions.erase(it);
    action->ActionList = nullptr;
    ActionNotify(action, TOperation::opRemove);
}

void TActionList::UpdateActions() {
    for (auto* a : std::vector<TCustomAction*>(FActions)) a->Update();
}

void TActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    // By address only: a component being freed is no longer its own class.
    auto it = std::find_if(FActions.begin(), FActions.end(),
                           [component](TCustomAction* a) { return static_cast<TComponent*>(a) == component; });
    if (it != FActions.end()) FActions.erase(it);
}

TWinControl* TControlActionLink::Control() const { return static_cast<TWinControl*>(FClient); }

bool TControlActionLink::IsCaptionLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return a && Control()->Caption() == a->Caption();
}

bool TControlActionLink::IsHintLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return a && Control()->Hint == a->Hint();
}

void TControlActionLink::SetCaption(const std::string& value) {
    if (IsCaptionLinked()) Control()->SetCaption(value);
}
void TControlActionLink::SetHint(const std::string& value) {
    if (IsHintLinked()) Control()->Hint = value;
}
void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) Control()->SetEnabled(value);
}
void TControlActionLink::SetVisible(bool value) { Control()->SetVisible(value); }

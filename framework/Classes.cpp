#include "framework/Classes.h"

#include <algorithm>
#include <cctype>

#include "framework/Exceptions.h"

void TPersistent::Assign(const TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    std::string from = "nil";
    if (this != dest) from = ClassName();
    throw EConvertError("Cannot assign a " + from + " to a " + dest->ClassName());
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Tell everyone who asked, then free what we own, then leave our owner.
    auto notifies = std::move(FFreeNotifies);
    for (TComponent* c : notifies) {
        // Unlink first: a listener may free itself when told.
        auto& back = c->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FComponents[index];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents) {
        const std::string& n = c->Name();
        if (n.size() == name.size() &&
            std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return c;
    }
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) == component->FFreeNotifies.end())
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    auto& other = component->FFreeNotifies;
    other.erase(std::remove(other.begin(), other.end(), this), other.end());
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        delete c;
    }
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end()) return;
    Notification(component, TOperation::opRemove);
    FComponents.erase(it);
    component->FOwner = nullptr;
}

void TComponent::Notification(TComponent*, TOperation) {}

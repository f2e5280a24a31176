#pragma once
// The window actions of a multiple-document program: close the active
// child, cascade, tile across or down, minimize all and arrange the icons of
// the children of a frame form (the one named, else the active or main form
// when it is a frame). Each is enabled while the frame has children.
#include <string>

#include "framework/ActnList.h"
#include "framework/Forms.h"

class TWindowAction : public TAction {
public:
    explicit TWindowAction(TComponent* owner) : TAction(owner) {}
    ~TWindowAction() override;
    std::string ClassName() const override { return "TWindowAction"; }
    // The frame the action works on; null: the active form, else the main form.
    TForm* Form() const { return FForm; }
    void SetForm(TForm* value);
    bool Execute() override;
    bool Update() override;
    // A frame form: the named one when it is set.
    virtual bool HandlesTarget(TObject* target);
    virtual void UpdateTarget(TObject* target);
    virtual void ExecuteTarget(TObject*) {}

protected:
    TForm* GetForm(TObject* target) { return static_cast<TForm*>(target); }
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The frame the action would work on now, or null.
    TForm* Target();
    TForm* FForm = nullptr;
};

// Closes the active child; enabled while there is one.
class TWindowClose : public TWindowAction {
public:
    explicit TWindowClose(TComponent* owner) : TWindowAction(owner) {}
    std::string ClassName() const override { return "TWindowClose"; }
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

class TWindowCascade : public TWindowAction {
public:
    explicit TWindowCascade(TComponent* owner) : TWindowAction(owner) {}
    std::string ClassName() const override { return "TWindowCascade"; }
    void ExecuteTarget(TObject* target) override;
};

class TWindowTileHorizontal : public TWindowAction {
public:
    explicit TWindowTileHorizontal(TComponent* owner) : TWindowAction(owner) {}
    std::string ClassName() const override { return "TWindowTileHorizontal"; }
    void ExecuteTarget(TObject* target) override;
};

class TWindowTileVertical : public TWindowAction {
public:
    explicit TWindowTileVertical(TComponent* owner) : TWindowAction(owner) {}
    std::string ClassName() const override { return "TWindowTileVertical"; }
    void ExecuteTarget(TObject* target) override;
};

class TWindowMinimizeAll : public TWindowAction {
public:
    explicit TWindowMinimizeAll(TComponent* owner) : TWindowAction(owner) {}
    std::string ClassName() const override { return "TWindowMinimizeAll"; }
    void ExecuteTarget(TObject* target) override;
};

class TWindowArrange : public TWindowAction {
public:
    explicit TWindowArrange(TComponent* owner) : TWindowAction(owner) {}
    std::string ClassName() const override { return "TWindowArrange"; }
    void ExecuteTarget(TObject* target) override;
};

#pragma once
// Standard actions: edit actions that work on the focused edit box, and
// file actions that show an open or save dialog.
#include <functional>
#include <memory>
#include <string>

#include "framework/ActnList.h"
#include "framework/CustomEdit.h"
#include "framework/OpenDialog.h"

class TEditAction : public TAction {
public:
    explicit TEditAction(TComponent* owner) : TAction(owner) {}
    std::string ClassName() const override { return "TEditAction"; }
    // The focused edit box, else null.
    static TCustomEdit* FocusedEdit();
    // Runs on the focused edit box; false when there is none.
    bool Execute() override;
    bool Update() override;
    virtual bool HandlesTarget(TObject* target) { return dynamic_cast<TCustomEdit*>(target) != nullptr; }
    virtual void UpdateTarget(TObject*) {}
    virtual void ExecuteTarget(TObject*) {}

protected:
    TCustomEdit* GetControl(TObject* target) { return dynamic_cast<TCustomEdit*>(target); }
};

// Deletes the selection; enabled while there is one.
class TEditDelete : public TEditAction {
public:
    explicit TEditDelete(TComponent* owner) : TEditAction(owner) {}
    std::string ClassName() const override { return "TEditDelete"; }
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// Cut, copy and paste through the clipboard; select all; undo the last change.
class TEditCut : public TEditAction {
public:
    explicit TEditCut(TComponent* owner) : TEditAction(owner) {}
    std::string ClassName() const override { return "TEditCut"; }
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

class TEditCopy : public TEditAction {
public:
    explicit TEditCopy(TComponent* owner) : TEditAction(owner) {}
    std::string ClassName() const override { return "TEditCopy"; }
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

class TEditPaste : public TEditAction {
public:
    explicit TEditPaste(TComponent* owner) : TEditAction(owner) {}
    std::string ClassName() const override { return "TEditPaste"; }
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

class TEditSelectAll : public TEditAction {
public:
    explicit TEditSelectAll(TComponent* owner) : TEditAction(owner) {}
    std::string ClassName() const override { return "TEditSelectAll"; }
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

class TEditUndo : public TEditAction {
public:
    explicit TEditUndo(TComponent* owner) : TEditAction(owner) {}
    std::string ClassName() const override { return "TEditUndo"; }
    void UpdateTarget(TObject* target) override;
    void ExecuteTarget(TObject* target) override;
};

// An action that shows a dialog: BeforeExecute, then the dialog, then
// OnAccept or OnCancel.
class TCommonDialogAction : public TAction {
public:
    explicit TCommonDialogAction(TComponent* owner) : TAction(owner) {}
    std::string ClassName() const override { return "TCommonDialogAction"; }
    TNotifyEvent BeforeExecute;
    TNotifyEvent OnAccept;
    TNotifyEvent OnCancel;
    bool Execute() override;

protected:
    // Shows the dialog; true when accepted. An action without a dialog of
    // its own shows nothing, which counts as cancelled.
    virtual bool ExecuteDialog() { return false; }
    // The window that owns the dialog: the active form's, else the main form's.
    static HWND DialogParent();
};

// The dialog actions of the File menu.
class TFileAction : public TCommonDialogAction {
public:
    explicit TFileAction(TComponent* owner) : TCommonDialogAction(owner) {}
    std::string ClassName() const override { return "TFileAction"; }
};

class TFileOpen : public TFileAction {
public:
    explicit TFileOpen(TComponent* owner) : TFileAction(owner) {}
    std::string ClassName() const override { return "TFileOpen"; }
    // Made on first use, of the action's dialog class.
    TOpenDialog* Dialog();
    bool UseDefaultApp = true;

protected:
    virtual std::unique_ptr<TOpenDialog> NewDialog() { return std::make_unique<TOpenDialog>(nullptr); }
    bool ExecuteDialog() override { return Dialog()->Execute(); }

private:
    std::unique_ptr<TOpenDialog> FDialog;
};

class TFileOpenWith : public TFileOpen {
public:
    explicit TFileOpenWith(TComponent* owner) : TFileOpen(owner) {}
    std::string ClassName() const override { return "TFileOpenWith"; }
    std::string FileName;
    TNotifyEvent AfterOpen;
};

class TFileSaveAs : public TFileOpen {
public:
    explicit TFileSaveAs(TComponent* owner) : TFileOpen(owner) {}
    std::string ClassName() const override { return "TFileSaveAs"; }

protected:
    std::unique_ptr<TOpenDialog> NewDialog() override { return std::make_unique<TSaveDialog>(nullptr); }
};

// Closes the application's main form (which ends the application, after
// the form's close query).
class TFileExit : public TCustomAction {
public:
    explicit TFileExit(TComponent* owner) : TCustomAction(owner) {}
    std::string ClassName() const override { return "TFileExit"; }
    // Its own OnExecute, else the main form closes; false without one.
    bool Execute() override;
};

#pragma once
// The framework's standard actions with wide captions and hints; the file
// actions show the layer's wide dialogs; copying from a framework action
// keeps its dialog events and settings; edit-delete deletes the character
// after the caret when nothing is selected.
#include <string>

#include "editor/unicode/UvxActnList.h"
#include "editor/unicode/UvxDialogs.h"
#include "editor/unicode/UvxPropertyStreaming.h"
#include "framework/StdActns.h"
#include "framework/TypeInfo.h"

// After the framework's Assign: wide caption and hint, then what both
// standard actions have in common (dialog events, default application,
// file name and after-open event, the find action of find-next).
void UvxStdActn_AfterInherited_Assign(TCustomAction* action, const TPersistent* source);

template <class Base>
class TUvxStdAction : public Base, public IUvxAction {
public:
    using Base::Base;
    std::u16string GetCaption() { return UvxAction_GetCaption(this); }
    void SetCaption(const std::u16string& v) { UvxAction_SetCaption(this, v); }
    using Base::SetCaption;
    std::u16string GetHint() { return UvxAction_GetHint(this); }
    void SetHint(const std::u16string& v) { UvxAction_SetHint(this, v); }
    using Base::SetHint;
    void Assign(const TPersistent* source) override {
        Base::Assign(source);
        UvxStdActn_AfterInherited_Assign(this, source);
    }
    const TClassInfo* ClassInfo() const override { return UvxAction_ClassInfo(true); }
    void DefineProperties(TFiler* filer) override {
        Base::DefineProperties(filer);
        UvxPersistent_AfterInherited_DefineProperties(filer, this);
    }
};

class TUvxEditAction : public TUvxStdAction<TEditAction> {
public:
    using TUvxStdAction<TEditAction>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxEditAction"; }
};

class TUvxEditCut : public TUvxStdAction<TEditCut> {
public:
    using TUvxStdAction<TEditCut>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxEditCut"; }
};

class TUvxEditCopy : public TUvxStdAction<TEditCopy> {
public:
    using TUvxStdAction<TEditCopy>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxEditCopy"; }
};

class TUvxEditPaste : public TUvxStdAction<TEditPaste> {
public:
    using TUvxStdAction<TEditPaste>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxEditPaste"; }
};

class TUvxEditSelectAll : public TUvxStdAction<TEditSelectAll> {
public:
    using TUvxStdAction<TEditSelectAll>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxEditSelectAll"; }
};

class TUvxEditUndo : public TUvxStdAction<TEditUndo> {
public:
    using TUvxStdAction<TEditUndo>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxEditUndo"; }
};

class TUvxEditDelete : public TUvxStdAction<TEditDelete> {
public:
    using TUvxStdAction<TEditDelete>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxEditDelete"; }
    // Enabled whatever the selection.
    void UpdateTarget(TObject* target) override;
    // No selection: the character after the caret goes.
    void ExecuteTarget(TObject* target) override;
};

class TUvxFileOpen : public TUvxStdAction<TFileOpen> {
public:
    using TUvxStdAction<TFileOpen>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFileOpen"; }
    TUvxOpenDialog* GetDialog() { return static_cast<TUvxOpenDialog*>(Dialog()); }

protected:
    std::unique_ptr<TOpenDialog> NewDialog() override { return std::make_unique<TUvxOpenDialog>(nullptr); }
};

class TUvxFileOpenWith : public TUvxStdAction<TFileOpenWith> {
public:
    using TUvxStdAction<TFileOpenWith>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFileOpenWith"; }
    TUvxOpenDialog* GetDialog() { return static_cast<TUvxOpenDialog*>(Dialog()); }

protected:
    std::unique_ptr<TOpenDialog> NewDialog() override { return std::make_unique<TUvxOpenDialog>(nullptr); }
};

class TUvxFileSaveAs : public TUvxStdAction<TFileSaveAs> {
public:
    using TUvxStdAction<TFileSaveAs>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFileSaveAs"; }
    TUvxSaveDialog* GetDialog() { return static_cast<TUvxSaveDialog*>(Dialog()); }

protected:
    std::unique_ptr<TOpenDialog> NewDialog() override { return std::make_unique<TUvxSaveDialog>(nullptr); }
};

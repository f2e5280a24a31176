#pragma once
// The hint action with a wide hint: the application companion makes one in
// place of the framework's own whenever the application's hint changes, so
// that whoever shows hints gets the full wide text. It has a hint only.
#include <string>

#include "editor/unicode/UvxStdActns.h"
#include "framework/HintAction.h"

class TUvxHintAction : public THintAction, public IUvxAction {
public:
    using THintAction::THintAction;
    std::string ClassName() const override { return "TUvxHintAction"; }
    std::u16string GetHint() { return UvxAction_GetHint(this); }
    void SetHint(const std::u16string& v) { UvxAction_SetHint(this, v); }
    using THintAction::SetHint;
    void Assign(const TPersistent* source) override {
        THintAction::Assign(source);
        UvxStdActn_AfterInherited_Assign(this, source);
    }
    const TClassInfo* ClassInfo() const override { return UvxAction_ClassInfo(false); }
    void DefineProperties(TFiler* filer) override {
        THintAction::DefineProperties(filer);
        UvxPersistent_AfterInherited_DefineProperties(filer, this);
    }
};

#pragma once
// What every control of the layer adds to its framework class: a wide
// caption and hint kept with the control (UvxControls.h), the wide action
// step before the framework's, the layer's action links, and the wide
// properties streamed under their hidden names.
#include <string>

#include "editor/unicode/UvxActnList.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxPropertyStreaming.h"
#include "framework/TypeInfo.h"

template <class Base>
class TUvxWideControl : public Base {
public:
    using Base::Base;
    std::u16string GetCaption() { return UvxControl_GetText(this); }
    void SetCaption(const std::u16string& value) { UvxControl_SetText(this, value); }
    using Base::SetCaption;
    std::u16string GetHint() { return UvxControl_GetHint(this); }
    void SetHint(const std::u16string& value) { UvxControl_SetHint(this, value); }
    bool IsCaptionStored() { return UvxControl_IsCaptionStored(this); }
    bool IsHintStored() { return UvxControl_IsHintStored(this); }

    const TClassInfo* ClassInfo() const override {
        static const TClassInfo info{"TUvxWideControl", nullptr, {WideText("Caption", false), WideText("Hint", true)}};
        return &info;
    }
    void DefineProperties(TFiler* filer) override {
        Base::DefineProperties(filer);
        UvxPersistent_AfterInherited_DefineProperties(filer, this);
    }

protected:
    void ActionChange(TObject* sender, bool checkDefaults) override {
        UvxControl_BeforeInherited_ActionChange(this, sender, checkDefaults);
        Base::ActionChange(sender, checkDefaults);
    }
    TActionLinkClass GetActionLinkClass() override {
        return UvxControl_GetActionLinkClass(this, Base::GetActionLinkClass());
    }

private:
    static TPropInfo WideText(const char* name, bool hint) {
        TPropInfo p{name, TTypeKind::tkWString};
        p.GetWStr = [hint](const TPersistent& o) {
            auto* c = const_cast<TWinControl*>(dynamic_cast<const TWinControl*>(&o));
            return hint ? UvxControl_GetHint(c) : UvxControl_GetText(c);
        };
        p.SetWStr = [hint](TPersistent& o, const std::u16string& v) {
            auto* c = dynamic_cast<TWinControl*>(&o);
            hint ? UvxControl_SetHint(c, v) : UvxControl_SetText(c, v);
        };
        return p;
    }
};

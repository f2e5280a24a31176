#include "editor/unicode/UvxActnList.h"

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "framework/Controls.h"

namespace {
// The wide caption and hint of one Unicode action, owned by it.
class TCustomActionHelper : public TComponent {
public:
    explicit TCustomActionHelper(TCustomAction* action) : TComponent(action), Action(action) {}
    std::string ClassName() const override { return "TCustomActionHelper"; }
    TCustomAction* Action;
    std::u16string WideCaption;
    bool SettingCaption = false;
    std::u16string OldWideCaption;
    std::string NewAnsiCaption;
    std::u16string WideHint;
    bool SettingHint = false;
    std::u16string OldWideHint;
    std::string NewAnsiHint;
};

TCustomActionHelper* FindActionHelper(TCustomAction* action) {
    if (!dynamic_cast<IUvxAction*>(action)) return nullptr;
    for (int i = 0; i < action->ComponentCount(); ++i)
        if (auto* h = dynamic_cast<TCustomActionHelper*>(action->Components(i))) return h;
    return new TCustomActionHelper(action);
}

// Resets a flag when the set ends, also when it fails.
struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
};
}  // namespace

std::u16string UvxAction_GetCaption(TCustomAction* action) {
    auto* h = FindActionHelper(action);
    if (!h) return AnsiToWideSys(action->Caption());
    if (h->SettingCaption && action->Caption() != h->NewAnsiCaption) return h->OldWideCaption;
    return GetSyncedWideString(h->WideCaption, action->Caption());
}

void UvxAction_SetCaption(TCustomAction* action, const std::u16string& value) {
    auto* h = FindActionHelper(action);
    if (!h) {
        action->SetCaption(WideToAnsiSys(value));
        return;
    }
    h->OldWideCaption = UvxAction_GetCaption(action);
    h->NewAnsiCaption = WideToAnsiSys(value);
    FlagScope setting(h->SettingCaption);
    SetSyncedWideString(value, h->WideCaption, action->Caption(), [action, h](const std::string& s) {
        action->TCustomAction::SetCaption(s);
        if (s.empty() && !h->NewAnsiCaption.empty()) h->OldWideCaption.clear();
    });
}

std::u16string UvxAction_GetNewCaption(TCustomAction* action, const std::u16string& def) {
    auto* h = FindActionHelper(action);
    if (h && h->SettingCaption && action->Caption() != h->NewAnsiCaption) return h->WideCaption;
    return def;
}

std::u16string UvxAction_GetHint(TCustomAction* action) {
    auto* h = FindActionHelper(action);
    if (!h) return AnsiToWideSys(action->Hint());
    if (h->SettingHint && action->Hint() != h->NewAnsiHint) return h->OldWideHint;
    return GetSyncedWideString(h->WideHint, action->Hint());
}

void UvxAction_SetHint(TCustomAction* action, const std::u16string& value) {
    auto* h = FindActionHelper(action);
    if (!h) {
        action->SetHint(WideToAnsiSys(value));
        return;
    }
    h->OldWideHint = UvxAction_GetHint(action);
    h->NewAnsiHint = WideToAnsiSys(value);
    FlagScope setting(h->SettingHint);
    SetSyncedWideString(value, h->WideHint, action->Hint(), [action, h](const std::string& s) {
        action->TCustomAction::SetHint(s);
        if (s.empty() && !h->NewAnsiHint.empty()) h->OldWideHint.clear();
    });
}

std::u16string UvxAction_GetNewHint(TCustomAction* action, const std::u16string& def) {
    auto* h = FindActionHelper(action);
    if (h && h->SettingHint && action->Hint() != h->NewAnsiHint) return h->WideHint;
    return def;
}

void UvxAction_AfterInherited_Assign(TCustomAction* action, const TPersistent* source) {
    if (auto* a = dynamic_cast<const TCustomAction*>(source)) {
        auto* src = const_cast<TCustomAction*>(a);
        action->TCustomAction::SetCaption(WideToAnsiSys(UvxAction_GetCaption(src)));
        action->TCustomAction::SetHint(WideToAnsiSys(UvxAction_GetHint(src)));
    } else if (auto* c = dynamic_cast<const TWinControl*>(source)) {
        auto* control = const_cast<TWinControl*>(c);
        action->TCustomAction::SetCaption(WideToAnsiSys(UvxControl_GetText(control)));
        action->TCustomAction::SetHint(WideToAnsiSys(UvxControl_GetHint(control)));
    }
}

void TUvxCustomAction::Assign(const TPersistent* source) {
    TCustomAction::Assign(source);
    UvxAction_AfterInherited_Assign(this, source);
}

TActionLinkClass UvxControl_GetActionLinkClass(TWinControl*, TActionLinkClass frameworkClass) {
    if (frameworkClass == &TWinControlActionLink::Make) return &TUvxWinControlActionLink::Make;
    return &TUvxControlActionLink::Make;
}

void UvxControl_BeforeInherited_ActionChange(TWinControl* control, TObject* sender, bool checkDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action || !dynamic_cast<IUvxAction*>(action)) return;
    std::u16string text = UvxControl_GetText(control);
    if (!checkDefaults || text.empty() || WideToAnsiSys(text) == control->Name())
        UvxControl_SetText(control, UvxAction_GetCaption(action));
    if (!checkDefaults || UvxControl_GetHint(control).empty()) UvxControl_SetHint(control, UvxAction_GetHint(action));
}

bool UvxActionLink_IsCaptionLinked(bool frameworkResult, TBasicAction* action, TWinControl* control) {
    auto* a = dynamic_cast<TCustomAction*>(action);
    return frameworkResult && a && UvxAction_GetCaption(a) == UvxControl_GetText(control);
}

bool UvxActionLink_IsHintLinked(bool frameworkResult, TBasicAction* action, TWinControl* control) {
    auto* a = dynamic_cast<TCustomAction*>(action);
    return frameworkResult && a && UvxAction_GetHint(a) == UvxControl_GetHint(control);
}

void UvxActionLink_SetCaption(bool linked, TBasicAction* action, TWinControl* control, const std::string& value) {
    if (linked)
        UvxControl_SetText(control, UvxAction_GetNewCaption(static_cast<TCustomAction*>(action), AnsiToWideSys(value)));
}

void UvxActionLink_SetHint(bool linked, TBasicAction* action, TWinControl* control, const std::string& value) {
    if (linked)
        UvxControl_SetHint(control, UvxAction_GetNewHint(static_cast<TCustomAction*>(action), AnsiToWideSys(value)));
}

// The framework's link test is that an action is there; the caption and
// hint tests compare the wide texts instead of the 8-bit ones.
#define UVX_CONTROL_LINK(Class, Base)                                                                       \
    bool Class::IsCaptionLinked() {                                                                         \
        return UvxActionLink_IsCaptionLinked(TBasicActionLink::IsCaptionLinked(), FAction, Control());      \
    }                                                                                                       \
    bool Class::IsHintLinked() {                                                                            \
        return UvxActionLink_IsHintLinked(TBasicActionLink::IsHintLinked(), FAction, Control());            \
    }                                                                                                       \
    void Class::SetCaption(const std::string& v) { UvxActionLink_SetCaption(IsCaptionLinked(), FAction, Control(), v); } \
    void Class::SetHint(const std::string& v) { UvxActionLink_SetHint(IsHintLinked(), FAction, Control(), v); }

UVX_CONTROL_LINK(TUvxControlActionLink, TControlActionLink)
UVX_CONTROL_LINK(TUvxWinControlActionLink, TWinControlActionLink)

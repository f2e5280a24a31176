#include "editor/unicode/UvxActnList.h"

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxPropertyStreaming.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"
#include "framework/TypeInfo.h"

namespace {
// One wide text of an action: valid while its 8-bit form is the action's.
struct TWideActionText {
    std::u16string Wide;
    bool Setting = false;       // true while a wide text is being set
    std::u16string OldWide;     // the wide text from before that change
    std::string NewAnsi;        // the 8-bit form of the text being set
};

// The wide caption and hint of one Unicode action, owned by it.
class TCustomActionHelper : public TComponent {
public:
    explicit TCustomActionHelper(TCustomAction* action) : TComponent(action), Action(action) {}
    std::string ClassName() const override { return "TCustomActionHelper"; }
    TCustomAction* Action;
    TWideActionText Caption;
    TWideActionText Hint;
};

TCustomActionHelper* FindActionHelper(TCustomAction* action) {
    if (!dynamic_cast<IUvxAction*>(action)) return nullptr;
    for (int i = 0; i < action->ComponentCount(); ++i)
        if (auto* h = dynamic_cast<TCustomActionHelper*>(action->Components(i))) return h;
    return new TCustomActionHelper(action);
}

// Which text: the helper's field and the framework's 8-bit property.
struct TTextAccess {
    TWideActionText TCustomActionHelper::*Field;
    const std::string& (TCustomAction::*Get)() const;
    void (TCustomAction::*Set)(const std::string&);
};
const TTextAccess kCaption{&TCustomActionHelper::Caption, &TCustomAction::Caption, &TCustomAction::SetCaption};
const TTextAccess kHint{&TCustomActionHelper::Hint, &TCustomAction::Hint, &TCustomAction::SetHint};

// Resets a flag when the set ends, also when it fails.
struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
};

std::u16string GetText(TCustomAction* action, const TTextAccess& access) {
    const std::string& ansi = (action->*access.Get)();
    auto* h = FindActionHelper(action);
    if (!h) return AnsiToWideSys(ansi);
    TWideActionText& t = h->*access.Field;
    if (t.Setting && ansi != t.NewAnsi) return t.OldWide;
    return GetSyncedWideString(t.Wide, ansi);
}

// The framework tells the clients before it stores the 8-bit value; while
// it does, GetNewText gives them the whole wide text.
void SetText(TCustomAction* action, const std::u16string& value, const TTextAccess& access) {
    auto* h = FindActionHelper(action);
    if (!h) return (action->*access.Set)(WideToAnsiSys(value));
    TWideActionText& t = h->*access.Field;
    t.OldWide = GetText(action, access);
    t.NewAnsi = WideToAnsiSys(value);
    FlagScope setting(t.Setting);
    SetSyncedWideString(value, t.Wide, (action->*access.Get)(), [action, &t, &access](const std::string& s) {
        (action->*access.Set)(s);
        if (s.empty() && !t.NewAnsi.empty()) t.OldWide.clear();
    });
}

std::u16string GetNewText(TCustomAction* action, const std::u16string& def, const TTextAccess& access) {
    auto* h = FindActionHelper(action);
    if (!h) return def;
    TWideActionText& t = h->*access.Field;
    return t.Setting && (action->*access.Get)() != t.NewAnsi ? t.Wide : def;
}
}  // namespace

std::u16string UvxAction_GetCaption(TCustomAction* action) { return GetText(action, kCaption); }
void UvxAction_SetCaption(TCustomAction* action, const std::u16string& value) { SetText(action, value, kCaption); }
std::u16string UvxAction_GetNewCaption(TCustomAction* action, const std::u16string& def) {
    return GetNewText(action, def, kCaption);
}
std::u16string UvxAction_GetHint(TCustomAction* action) { return GetText(action, kHint); }
void UvxAction_SetHint(TCustomAction* action, const std::u16string& value) { SetText(action, value, kHint); }
std::u16string UvxAction_GetNewHint(TCustomAction* action, const std::u16string& def) {
    return GetNewText(action, def, kHint);
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

namespace {
TPropInfo WideActionText(const char* name, bool hint) {
    TPropInfo p{name, TTypeKind::tkWString};
    p.GetWStr = [hint](const TPersistent& o) {
        auto* a = const_cast<TCustomAction*>(dynamic_cast<const TCustomAction*>(&o));
        return hint ? UvxAction_GetHint(a) : UvxAction_GetCaption(a);
    };
    p.SetWStr = [hint](TPersistent& o, const std::u16string& v) {
        auto* a = dynamic_cast<TCustomAction*>(&o);
        hint ? UvxAction_SetHint(a, v) : UvxAction_SetCaption(a, v);
    };
    return p;
}
}  // namespace

const TClassInfo* UvxAction_ClassInfo(bool withCaption) {
    static const TClassInfo both{"TUvxCustomAction", nullptr,
                                 {WideActionText("Caption", false), WideActionText("Hint", true)}};
    static const TClassInfo hintOnly{"TUvxHintAction", nullptr, {WideActionText("Hint", true)}};
    return withCaption ? &both : &hintOnly;
}

void TUvxCustomAction::DefineProperties(TFiler* filer) {
    TCustomAction::DefineProperties(filer);
    UvxPersistent_AfterInherited_DefineProperties(filer, this);
}

void TUvxCustomAction::Assign(const TPersistent* source) {
    TCustomAction::Assign(source);
    UvxAction_AfterInherited_Assign(this, source);
}

// First match wins; a windowed control the framework links as a plain
// control keeps the plain control's link.
TActionLinkClass UvxControl_GetActionLinkClass(TWinControl* control, TActionLinkClass frameworkClass) {
    if (dynamic_cast<TListView*>(control)) return &TUvxListViewActionLink::Make;
    if (dynamic_cast<TComboBoxEx*>(control)) return &TUvxComboBoxExActionLink::Make;
    if (dynamic_cast<TSpeedButton*>(control)) return &TUvxSpeedButtonActionLink::Make;
    if (dynamic_cast<TBitBtn*>(control)) return &TUvxBitBtnActionLink::Make;
    if (dynamic_cast<TToolButton*>(control)) return &TUvxToolButtonActionLink::Make;
    if (dynamic_cast<TButtonControl*>(control) || dynamic_cast<TButton*>(control)) return &TUvxButtonActionLink::Make;
    if (frameworkClass == &TControlActionLink::Make) return &TUvxControlActionLink::Make;
    return &TUvxWinControlActionLink::Make;
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
UVX_CONTROL_LINK(TUvxListViewActionLink, TListViewActionLink)
UVX_CONTROL_LINK(TUvxComboBoxExActionLink, TComboBoxExActionLink)
UVX_CONTROL_LINK(TUvxSpeedButtonActionLink, TSpeedButtonActionLink)
UVX_CONTROL_LINK(TUvxBitBtnActionLink, TBitBtnActionLink)
UVX_CONTROL_LINK(TUvxToolButtonActionLink, TToolButtonActionLink)
UVX_CONTROL_LINK(TUvxButtonActionLink, TButtonActionLink)

// Such a button keeps its own glyph: the image index counts as linked, but
// setting it does nothing.
bool TUvxSpeedButtonActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TUvxBitBtnActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }

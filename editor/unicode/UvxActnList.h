#pragma once
// Actions with wide captions and hints. The framework hands its clients only
// 8-bit texts; while a Unicode action sets a caption, its clients' links ask
// the action for the full wide text being set (UvxAction_GetNewCaption).
#include <string>

#include "framework/ActionClients.h"
#include "framework/ActnList.h"
#include "framework/Buttons.h"
#include "framework/ListView.h"
#include "framework/Controls.h"

class TWinControl;

// Marks a Unicode action.
class IUvxAction {
public:
    virtual ~IUvxAction() = default;
};

std::u16string UvxAction_GetCaption(TCustomAction* action);
void UvxAction_SetCaption(TCustomAction* action, const std::u16string& value);
// The wide caption being set while the clients hear of it; def otherwise.
std::u16string UvxAction_GetNewCaption(TCustomAction* action, const std::u16string& def);
std::u16string UvxAction_GetHint(TCustomAction* action);
void UvxAction_SetHint(TCustomAction* action, const std::u16string& value);
std::u16string UvxAction_GetNewHint(TCustomAction* action, const std::u16string& def);
// After the framework's Assign: 8-bit caption and hint from the source's wide ones.
void UvxAction_AfterInherited_Assign(TCustomAction* action, const TPersistent* source);
// The wide Caption (when `withCaption`) and Hint a Unicode action publishes,
// so that they travel in a layout beside their 8-bit twins.
const TClassInfo* UvxAction_ClassInfo(bool withCaption);

// The Unicode link class for the control.
TActionLinkClass UvxControl_GetActionLinkClass(TWinControl* control, TActionLinkClass frameworkClass);
// Before the framework's ActionChange: wide caption and hint from a Unicode action.
void UvxControl_BeforeInherited_ActionChange(TWinControl* control, TObject* sender, bool checkDefaults);
bool UvxActionLink_IsCaptionLinked(bool frameworkResult, TBasicAction* action, TWinControl* control);
bool UvxActionLink_IsHintLinked(bool frameworkResult, TBasicAction* action, TWinControl* control);
void UvxActionLink_SetCaption(bool linked, TBasicAction* action, TWinControl* control, const std::string& value);
void UvxActionLink_SetHint(bool linked, TBasicAction* action, TWinControl* control, const std::string& value);

class TUvxCustomAction : public TCustomAction, public IUvxAction {
public:
    explicit TUvxCustomAction(TComponent* owner) : TCustomAction(owner) {}
    std::string ClassName() const override { return "TUvxCustomAction"; }
    std::u16string GetCaption() { return UvxAction_GetCaption(this); }
    void SetCaption(const std::u16string& v) { UvxAction_SetCaption(this, v); }
    using TCustomAction::SetCaption;
    std::u16string GetHint() { return UvxAction_GetHint(this); }
    void SetHint(const std::u16string& v) { UvxAction_SetHint(this, v); }
    using TCustomAction::SetHint;
    void Assign(const TPersistent* source) override;
    const TClassInfo* ClassInfo() const override { return UvxAction_ClassInfo(true); }
    void DefineProperties(TFiler* filer) override;
};

class TUvxAction : public TUvxCustomAction {
public:
    explicit TUvxAction(TComponent* owner) : TUvxCustomAction(owner) {}
    std::string ClassName() const override { return "TUvxAction"; }
};

// At run time the framework's action list.
class TUvxActionList : public TActionList {
public:
    using TActionList::TActionList;
    std::string ClassName() const override { return "TUvxActionList"; }
};

class TUvxControlActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
    std::string ClassName() const override { return "TUvxControlActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TUvxControlActionLink(client); }
    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    void SetCaption(const std::string& value) override;
    void SetHint(const std::string& value) override;
};

class TUvxWinControlActionLink : public TWinControlActionLink {
public:
    using TWinControlActionLink::TWinControlActionLink;
    std::string ClassName() const override { return "TUvxWinControlActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TUvxWinControlActionLink(client); }
    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    void SetCaption(const std::string& value) override;
    void SetHint(const std::string& value) override;
};

// The links of the other kinds of control: wide captions and hints by the
// general rule. Speed and bitmap buttons never take an action's image index.
#define UVX_DECLARE_CONTROL_LINK(Class, Base, Extra)                                   \
    class Class : public Base {                                                         \
    public:                                                                             \
        using Base::Base;                                                               \
        std::string ClassName() const override { return #Class; }                       \
        static TBasicActionLink* Make(TObject* client) { return new Class(client); }    \
        bool IsCaptionLinked() override;                                                \
        bool IsHintLinked() override;                                                   \
        void SetCaption(const std::string& value) override;                             \
        void SetHint(const std::string& value) override;                                \
        Extra                                                                           \
    };

#define UVX_NO_IMAGE_INDEX               \
    bool IsImageIndexLinked() override;  \
    void SetImageIndex(int) override {}

UVX_DECLARE_CONTROL_LINK(TUvxListViewActionLink, TListViewActionLink, )
UVX_DECLARE_CONTROL_LINK(TUvxComboBoxExActionLink, TComboBoxExActionLink, )
UVX_DECLARE_CONTROL_LINK(TUvxSpeedButtonActionLink, TSpeedButtonActionLink, UVX_NO_IMAGE_INDEX)
UVX_DECLARE_CONTROL_LINK(TUvxBitBtnActionLink, TBitBtnActionLink, UVX_NO_IMAGE_INDEX)
UVX_DECLARE_CONTROL_LINK(TUvxToolButtonActionLink, TToolButtonActionLink, )
UVX_DECLARE_CONTROL_LINK(TUvxButtonActionLink, TButtonActionLink, )
#undef UVX_NO_IMAGE_INDEX
#undef UVX_DECLARE_CONTROL_LINK

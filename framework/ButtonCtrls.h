#pragma once
// Check boxes and radio buttons over the system's "BUTTON" class. The
// control checks itself: a click toggles a check box and checks a radio
// button, which unchecks the radio buttons beside it.
#include "framework/ActnList.h"
#include "framework/ControlNotify.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"

// The base of the framework's button-like controls with a check state.
class TButtonControl : public TWinControl, public TNotifiedControl {
public:
    explicit TButtonControl(TComponent* owner);
    std::string ClassName() const override { return "TButtonControl"; }
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}
    bool WordWrap = false;
    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateHandleDone() override;
    TActionLinkClass GetActionLinkClass() override;
    void Click() override {}  // clicks come from the control's BN_CLICKED report
    // The control's BN_CLICKED or BN_DOUBLECLICKED report.
    virtual void CNCommand(WORD code);
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* owner);
    std::string ClassName() const override { return "TCustomCheckBox"; }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    bool Checked() const override { return FState == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed = false;
    TAlignment Alignment = taRightJustify;  // where the text sits beside the box
    // The next state: unchecked, checked, then grayed where allowed.
    virtual void Toggle();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(WORD code) override;

private:
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
    std::string ClassName() const override { return "TCheckBox"; }
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);
    std::string ClassName() const override { return "TRadioButton"; }
    bool Checked() const override { return FChecked; }
    // Checking one unchecks the radio buttons of the same parent.
    void SetChecked(bool value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(WORD code) override;

private:
    bool FChecked = false;
};

// The link of a button control: as any windowed control's, and the check mark.
class TButtonActionLink : public TWinControlActionLink {
public:
    using TWinControlActionLink::TWinControlActionLink;
    std::string ClassName() const override { return "TButtonActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TButtonActionLink(client); }
    void SetChecked(bool value) override;
};

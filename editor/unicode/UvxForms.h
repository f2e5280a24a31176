#pragma once
// Forms with a Unicode window, wide caption and hint, and the application's
// wide face: title and hint in wide text, and a get-message hook that keeps
// wide characters from the framework's 8-bit message loop.
#include <windows.h>

#include <string>

#include "framework/Forms.h"

class TUvxForm : public TForm {
public:
    explicit TUvxForm(TComponent* owner);
    std::string ClassName() const override { return "TUvxForm"; }
    std::u16string GetCaption() { return GetWideCaption(); }
    void SetCaption(const std::u16string& value);
    using TWinControl::SetCaption;
    std::u16string GetHint();
    void SetHint(const std::u16string& value);
    bool IsCaptionStored();
    bool IsHintStored();
    const TClassInfo* ClassInfo() const override;
    void DefineProperties(TFiler* filer) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void UpdateActions() override;

protected:
    // Reads the layout resource of the given name into the form (a derived
    // form's constructor names its class); EResNotFound when it is missing.
    void ReadLayout(const std::string& resourceName);
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TActionLinkClass GetActionLinkClass() override;
    void WMMenuSelect(WPARAM wParam, LPARAM lParam) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::u16string GetWideCaption();
};

class TUvxApplication : public TComponent {
public:
    explicit TUvxApplication(TComponent* owner);
    ~TUvxApplication() override;
    std::string ClassName() const override { return "TUvxApplication"; }
    std::u16string GetExeName();
    std::u16string GetTitle();
    void SetTitle(const std::u16string& value);
    std::u16string GetHint();
    void SetHint(const std::u16string& value);
    std::u16string ApplicationMouseControlHint();
    void DoIdle();
    bool IsDlgMsg(MSG& msg);
    // True when it consumed the message (a wide character it dispatched).
    bool ProcessMessage(MSG& msg);

    // The control that brings idle time to a main form of the framework's own.
    TWinControl* IdleEventControl() const { return FIdleEventControl; }

private:
    friend class TUvxAppIdleEventControl;
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool ExecuteWideHintAction(TBasicAction* action, LRESULT& result);
    TWinControl* FIdleEventControl = nullptr;
    bool FMainFormChecked = false;
    std::u16string FWideHint;
    std::u16string FWideTitle;
    bool FTitlePending = false;
    uint32_t FSettingChangeTime = 0;
    int FHookId = 0;
};

// Made by the unit's start-up, with the get-message hook on the NT family;
// null once the unit ended.
extern TUvxApplication* UvxApplication;
// The unit's end: the message hook is removed and UvxApplication freed. It
// runs by itself after main returns; a program may end the unit sooner, and
// a second end does nothing.
void EndUvxFormsUnit();

// A control without a window on a main form that is not a Unicode form: its
// action's update and execute events run UvxApplication->DoIdle.
class TUvxAppIdleEventControl : public TWinControl {
public:
    explicit TUvxAppIdleEventControl(TComponent* owner);
    ~TUvxAppIdleEventControl() override;
    std::string ClassName() const override { return "TUvxAppIdleEventControl"; }

protected:
    // Its action carries only the two events: nothing of it is taken over,
    // so the control never makes a window (it is made inside the message hook).
    void ActionChange(TObject*, bool) override {}
};

bool IsWideCharAccel(WORD charCode, const std::u16string& caption);
// Not called by the editor: the default dialog font name goes into the
// framework's default font data, and hints show in wide hint windows.
void InitUvxEnvironment();
// The dialog font ("MS Shell Dlg 2" inside a development environment), with
// missing font substitutes written to the user's profile.
std::string DefaultDialogFontName();
void EnableManualPeekMessageWithRemove();
void DisableManualPeekMessageWithRemove();

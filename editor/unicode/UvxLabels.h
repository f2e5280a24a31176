#pragma once
// Labels and static texts with wide captions and hints. A label draws its
// wide text with the wide text call; a static text is a Unicode "STATIC"
// window that sizes itself to its wide caption.
#include <string>

#include "editor/unicode/UvxWideControl.h"
#include "framework/CustomLabel.h"
#include "framework/StaticText.h"

class TUvxCustomLabel : public TUvxWideControl<TCustomLabel> {
public:
    explicit TUvxCustomLabel(TComponent* owner) : TUvxWideControl<TCustomLabel>(owner) {}
    std::string ClassName() const override { return "TUvxCustomLabel"; }
    void DoDrawText(RECT& rect, UINT flags) override;
    // The wide text every drawing path takes.
    virtual std::u16string GetWideLabelText() { return GetCaption(); }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    bool CMDialogChar(WPARAM charCode) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUvxLabel : public TUvxCustomLabel {
public:
    explicit TUvxLabel(TComponent* owner) : TUvxCustomLabel(owner) {}
    std::string ClassName() const override { return "TUvxLabel"; }
};

// Draws (or measures) text for the label; false on a platform without the
// wide calls, where the label draws its 8-bit caption itself.
bool UvxLabel_DoDrawText(TCustomLabel* label, RECT& rect, UINT flags, std::u16string text);
// The label's accelerator by its wide caption: true (result 1) when it focused
// the label's FocusControl.
bool UvxLabel_CMDialogChar(TCustomLabel* label, WPARAM charCode, const std::u16string& caption);

class TUvxCustomStaticText : public TUvxWideControl<TCustomStaticText> {
public:
    explicit TUvxCustomStaticText(TComponent* owner);
    std::string ClassName() const override { return "TUvxCustomStaticText"; }
    void AdjustBounds() override;

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    bool CMDialogChar(WPARAM charCode) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUvxStaticText : public TUvxCustomStaticText {
public:
    explicit TUvxStaticText(TComponent* owner) : TUvxCustomStaticText(owner) {}
    std::string ClassName() const override { return "TUvxStaticText"; }
};

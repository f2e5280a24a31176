#pragma once
// A static text over the system's "STATIC" class that sizes itself to its
// caption (AutoSize) and hands an accelerator to its FocusControl.
#include "framework/Controls.h"

class TCustomStaticText : public TWinControl {
public:
    explicit TCustomStaticText(TComponent* owner);
    std::string ClassName() const override { return "TCustomStaticText"; }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool value);
    bool ShowAccelChar = true;
    TWinControl* FocusControl = nullptr;
    // While set (a layout being read), the size stays as it is.
    bool Loading = false;
    // After a layout was read: sized once.
    virtual void Loaded();
    virtual void AdjustBounds();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual bool CMDialogChar(WPARAM charCode);

private:
    bool FAutoSize = true;
};

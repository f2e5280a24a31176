#pragma once
// The byte view: the main window's client area showing the document in the
// Text, Decimal and Hexadecimal views. It keeps no state of its own but the
// wheel's remainder; what it shows comes from the main window.
#include "framework/CustomControl.h"

class TMainForm;

class DataScreen : public TCustomControl {
public:
    DataScreen(TComponent* owner, TMainForm* form);
    std::string ClassName() const override { return "DataScreen"; }
    // Wheel delta not yet turned into rows.
    int WheelRemainder = 0;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void WMVScroll(WPARAM wParam);
    void WMMouseWheel(WPARAM wParam);
    TMainForm* FForm;
};

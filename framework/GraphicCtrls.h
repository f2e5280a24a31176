#pragma once
// A paint box: a control drawn by its OnPaint on its canvas; and the 3-D
// frame that panels draw.
#include "framework/CustomControl.h"

class TPaintBox : public TCustomControl {
public:
    explicit TPaintBox(TComponent* owner);
    std::string ClassName() const override { return "TPaintBox"; }
    TNotifyEvent OnPaint;

protected:
    void Paint() override;
};

// A 3-D frame of width pixels inside rect, which shrinks by it.
void Frame3D(HDC dc, RECT& rect, TColor topColour, TColor bottomColour, int width);

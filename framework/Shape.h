#pragma once
// A shape: a rectangle filled with its brush colour and framed by a black
// pen, reporting mouse presses through OnMouseDown.
#include "framework/Controls.h"
#include "framework/Graphic.h"

class TShape : public TWinControl {
public:
    explicit TShape(TComponent* owner);
    std::string ClassName() const override { return "TShape"; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor color);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TColor FBrushColor = clWhite;
};

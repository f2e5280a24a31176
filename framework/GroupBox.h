#pragma once
// A group box: a frame with its caption in a gap of the top edge, painted
// by the control itself; a container whose children's reports come back to them.
#include "framework/CustomControl.h"

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* owner);
    std::string ClassName() const override { return "TCustomGroupBox"; }
    // A raised (highlight and shadow) frame; a plain dark one without.
    bool Ctl3D = true;
    // Focuses the first child that can take the focus.
    void SelectFirst();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual bool CMDialogChar(WPARAM charCode);
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
    std::string ClassName() const override { return "TGroupBox"; }
};

// Draws a frame of the rectangle: pen width 1, brush colour as given.
void FrameRectColour(HDC dc, const RECT& rect, TColor colour);

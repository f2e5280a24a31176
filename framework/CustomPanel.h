#pragma once
// A panel that paints its bevels and centres its caption; and the control
// bar, a panel that holds bands of controls.
#include "framework/CustomControl.h"
#include "framework/StdCtrls.h"

enum TPanelBevel { bvNoBevel, bvLoweredBevel, bvRaisedBevel };

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);
    std::string ClassName() const override { return "TCustomPanel"; }
    TPanelBevel BevelOuter = bvRaisedBevel;
    TPanelBevel BevelInner = bvNoBevel;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TAlignment Alignment = taCenter;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Bevels, border and background; rect ends as the area inside them.
    void PaintFrame(RECT& rect);
};

class TCustomControlBar : public TCustomPanel {
public:
    explicit TCustomControlBar(TComponent* owner);
    std::string ClassName() const override { return "TCustomControlBar"; }
};

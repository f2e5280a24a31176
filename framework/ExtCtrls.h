#pragma once
// Container panels and the splitter that moves the edge between two of them.
#include <functional>

#include "framework/Controls.h"

enum TBevelKind { bvNone, bvLowered };

// A plain container; the reports of the common controls on it go back to them.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);
    std::string ClassName() const override { return "TPanel"; }
    TBevelKind Bevel = bvNone;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A vertical bar dragged with the mouse; OnMoved gets the bar's new left
// edge in its parent, and the owner arranges the neighbours.
class TSplitter : public TWinControl {
public:
    explicit TSplitter(TComponent* owner);
    std::string ClassName() const override { return "TSplitter"; }
    int MinLeft = 30;
    std::function<void(int left)> OnMoved;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int FGrab = -1;  // x within the bar where the drag started; -1 when not dragging
};

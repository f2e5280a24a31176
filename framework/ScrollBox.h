#pragma once
// Containers that other controls sit on: the scroll box and the frame (a
// reusable group of controls). Their children's reports come back to them.
#include "framework/Controls.h"

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* owner);
    std::string ClassName() const override { return "TScrollingWinControl"; }

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // WM_SIZE: keeps the bounds and runs OnResize.
    virtual LRESULT WMSize(WPARAM wParam, LPARAM lParam);
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* owner);
    std::string ClassName() const override { return "TScrollBox"; }

protected:
    void CreateParams(TCreateParams& params) override;
};

class TCustomFrame : public TScrollingWinControl {
public:
    using TScrollingWinControl::TScrollingWinControl;
    std::string ClassName() const override { return "TCustomFrame"; }
};

class TFrame : public TCustomFrame {
public:
    using TCustomFrame::TCustomFrame;
    std::string ClassName() const override { return "TFrame"; }
};

#pragma once
// A scroll bar control over the system's "SCROLLBAR" class.
#include "framework/Controls.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* owner);
    std::string ClassName() const override { return "TScrollBar"; }
    TScrollBarKind Kind = sbHorizontal;
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    void SetParams(int position, int min, int max);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    int FMin = 0, FMax = 100, FPosition = 0;
};

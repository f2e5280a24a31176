#pragma once
// A progress bar over the common control: a position between a minimum
// and a maximum, drawn as a filled part of the bar.
#include <string>

#include "framework/Controls.h"

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);
    std::string ClassName() const override { return "TProgressBar"; }
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetRange(int min, int max);
    int Position() const { return FPosition; }
    void SetPosition(int value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
};

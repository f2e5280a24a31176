#pragma once
// A bevel: an etched line or frame that sets groups of controls apart, drawn
// by the system's static control.
#include <string>

#include "framework/Controls.h"

enum TBevelShape { bsLeftLine, bsBottomLine, bsFrame };

class TBevel : public TWinControl {
public:
    explicit TBevel(TComponent* owner);
    std::string ClassName() const override { return "TBevel"; }
    TBevelShape Shape = bsBottomLine;  // set before the handle is made

protected:
    void CreateParams(TCreateParams& params) override;
};

#pragma once
// The about window.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TAbout : public TUvxForm {
public:
    explicit TAbout(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TAbout"; }
};

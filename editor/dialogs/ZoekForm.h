#pragma once
// The search window: text or bytes to find, forward or backward.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TZoekForm : public TUvxForm {
public:
    explicit TZoekForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TZoekForm"; }
};

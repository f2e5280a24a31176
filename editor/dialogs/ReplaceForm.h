#pragma once
// The replace window: what to find and what to put in its place.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TReplaceForm : public TUvxForm {
public:
    explicit TReplaceForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TReplaceForm"; }
};

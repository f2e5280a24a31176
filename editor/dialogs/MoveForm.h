#pragma once
// The move-cursor dialog: an exact location, optionally selecting to it.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TMoveForm : public TUvxForm {
public:
    explicit TMoveForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TMoveForm"; }
};

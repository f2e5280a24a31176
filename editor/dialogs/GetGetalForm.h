#pragma once
// The value input dialog: a number or a character in one of several kinds.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TGetGetalForm : public TUvxForm {
public:
    explicit TGetGetalForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TGetGetalForm"; }
};

#pragma once
// The file information window: size, selection and name of the document.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TStatForm : public TUvxForm {
public:
    explicit TStatForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TStatForm"; }
};

#pragma once
// The colours dialog: the six colours of the byte view.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TPrefForm : public TUvxForm {
public:
    explicit TPrefForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TPrefForm"; }
};

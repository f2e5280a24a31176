#pragma once
// The bit editor: the bits of sixteen bytes from the cursor.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TBinaryForm : public TUvxForm {
public:
    explicit TBinaryForm(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TBinaryForm"; }
};

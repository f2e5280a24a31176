#pragma once
// The data types editor: the bytes at the cursor as 8-, 16-, 32- and 64-bit values.
// A plain form for now; its controls and commands come with the dialog's own work.
#include "editor/unicode/UvxForms.h"

class TDataTypesView : public TUvxForm {
public:
    explicit TDataTypesView(TComponent* owner) : TUvxForm(owner) {}
    std::string ClassName() const override { return "TDataTypesView"; }
};

#pragma once
// The move-cursor dialog: the value input dialog asking for an exact
// location, with a check box that selects up to the new position.
#include "editor/dialogs/GetGetalForm.h"

class TCheckBox;

class TMoveForm : public TGetGetalForm {
public:
    explicit TMoveForm(TComponent* owner);
    ~TMoveForm() override;
    std::string ClassName() const override { return "TMoveForm"; }

    TCheckBox* KeepSelection = nullptr;
};

extern TMoveForm* MoveForm;

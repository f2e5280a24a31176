#pragma once
// The editor's main window.
#include "framework/Forms.h"

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner);
    std::string ClassName() const override { return "TMainForm"; }
};

extern TMainForm* MainForm;

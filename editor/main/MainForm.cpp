#include "editor/main/MainForm.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    SetCaption("Tessaly");
    SetBounds(CW_USEDEFAULT, CW_USEDEFAULT, 800, 600);
}

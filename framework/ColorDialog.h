#pragma once
// The system's colour dialog (ChooseColor): Execute shows it modally with
// Color as the starting colour and, on OK, takes the colour picked.
#include <windows.h>

#include "framework/Classes.h"
#include "framework/Graphic.h"

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TColorDialog"; }
    // True when the user chose OK; the dialog's window is owned by owner.
    bool Execute(HWND owner);
    TColor Color = clBlack;

private:
    COLORREF FCustomColors[16] = {};
};

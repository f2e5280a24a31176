#pragma once
// The system's font dialog (ChooseFont): Execute shows it with Font as the
// starting choice and, on OK, takes the name, height, style and colour.
#include <windows.h>

#include "framework/CommonDialog.h"
#include "framework/Font.h"

class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* owner) : TCommonDialog(owner) {}
    std::string ClassName() const override { return "TFontDialog"; }
    bool Execute(HWND owner) override;
    TFont Font;
};

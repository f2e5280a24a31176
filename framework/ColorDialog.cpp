#include "framework/ColorDialog.h"

#include <commdlg.h>

#include "framework/Graphics.h"

bool TColorDialog::Execute(HWND owner) {
    for (COLORREF& c : FCustomColors)
        if (c == 0) c = RGB(255, 255, 255);
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = ToColorRef(Color);
    cc.lpCustColors = FCustomColors;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    Color = static_cast<TColor>(cc.rgbResult);
    return true;
}

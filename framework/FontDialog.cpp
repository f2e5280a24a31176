#include "framework/FontDialog.h"

#include <commdlg.h>

#include <cstring>

#include "framework/Graphics.h"

bool TFontDialog::Execute(HWND owner) {
    LOGFONTA lf{};
    lf.lfHeight = Font.Height();
    lf.lfWeight = (Font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Font.Style() & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (Font.Style() & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (Font.Style() & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, Font.Name().c_str(), LF_FACESIZE - 1);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.rgbColors = ToColorRef(Font.Color);
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&cf)) return false;
    Font.SetName(lf.lfFaceName);
    Font.SetHeight(lf.lfHeight);
    unsigned style = 0;
    if (lf.lfWeight >= FW_BOLD) style |= fsBold;
    if (lf.lfItalic) style |= fsItalic;
    if (lf.lfUnderline) style |= fsUnderline;
    if (lf.lfStrikeOut) style |= fsStrikeOut;
    Font.SetStyle(style);
    Font.Color = static_cast<TColor>(cf.rgbColors);
    return true;
}

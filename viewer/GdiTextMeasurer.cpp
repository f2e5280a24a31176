#include "viewer/GdiTextMeasurer.h"

#include <cstring>

#include "viewer/PageLayout.h"

GdiTextMeasurer::GdiTextMeasurer(HDC dc) : Dc_(dc) {}

GdiTextMeasurer::~GdiTextMeasurer() {
    if (OriginalFont_) SelectObject(Dc_, OriginalFont_);
    for (auto& entry : Fonts_) DeleteObject(entry.second);
}

int32_t GdiTextMeasurer::FontHeight(int32_t size) const {
    return -MulDiv(size, GetDeviceCaps(Dc_, LOGPIXELSY), 72);
}

HFONT GdiTextMeasurer::Font(int32_t kind, int32_t size) {
    auto key = std::make_pair(kind, size);
    auto found = Fonts_.find(key);
    if (found != Fonts_.end()) return found->second;
    LOGFONTA lf{};
    lf.lfHeight = FontHeight(size);
    lf.lfWeight = kind == pkBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = kind == pkItalic;
    lf.lfUnderline = kind == pkLink;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_ROMAN;
    std::strcpy(lf.lfFaceName, "Times New Roman");
    HFONT font = CreateFontIndirectA(&lf);
    Fonts_[key] = font;
    return font;
}

int32_t GdiTextMeasurer::SelectFont(int32_t kind, int32_t size) {
    HGDIOBJ previous = SelectObject(Dc_, Font(kind, size));
    if (!OriginalFont_) OriginalFont_ = previous;
    return FontHeight(size);
}

int32_t GdiTextMeasurer::TextWidth(const std::string& text) {
    if (text.empty()) return 0;
    SIZE extent{};
    GetTextExtentPoint32A(Dc_, text.data(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

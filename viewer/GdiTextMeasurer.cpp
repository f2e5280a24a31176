#include "viewer/GdiTextMeasurer.h"

#include <cstdint>
#include <cstring>

#include "viewer/PageLayout.h"

GdiTextMeasurer::GdiTextMeasurer(HDC dc) : Dc_(dc) {}

GdiTextMeasurer::~GdiTextMeasurer() {
    if (OriginalFont_) SelectObject(Dc_, OriginalFont_);
    for (auto& entry : Fonts_) DeleteObject(entry.second.Font);
}

int32_t GdiTextMeasurer::FontHeight(int32_t size) const {
    return -MulDiv(size, GetDeviceCaps(Dc_, LOGPIXELSY), 72);
}

HFONT GdiTextMeasurer::Font(int32_t kind, int32_t size) { return Measured(kind, size).Font; }

// A font is made once per kind and size, and the advance widths of its 256
// characters are taken with it: a text's width is then their sum, as GDI
// sums them, without a call to GDI for every word of a long page.
GdiTextMeasurer::MeasuredFont& GdiTextMeasurer::Measured(int32_t kind, int32_t size) {
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
    MeasuredFont& m = Fonts_[key];
    m.Font = CreateFontIndirectA(&lf);
    HGDIOBJ previous = SelectObject(Dc_, m.Font);
    for (int c = 0; c < 256; ++c) {
        // Each width on its own, as GDI measures a text of that one byte.
        char ch = static_cast<char>(c);
        SIZE extent{};
        GetTextExtentPoint32A(Dc_, &ch, 1, &extent);
        m.Widths[static_cast<size_t>(c)] = extent.cx;
    }
    SelectObject(Dc_, previous);
    return m;
}

int32_t GdiTextMeasurer::SelectFont(int32_t kind, int32_t size) {
    MeasuredFont& m = Measured(kind, size);
    HGDIOBJ previous = SelectObject(Dc_, m.Font);
    if (!OriginalFont_) OriginalFont_ = previous;
    Selected_ = &m;
    return FontHeight(size);
}

int32_t GdiTextMeasurer::TextWidth(const std::string& text) {
    if (text.empty()) return 0;
    if (!Selected_) {
        SIZE extent{};
        GetTextExtentPoint32A(Dc_, text.data(), static_cast<int>(text.size()), &extent);
        return extent.cx;
    }
    int64_t sum = 0;
    for (char c : text) sum += Selected_->Widths[static_cast<unsigned char>(c)];
    return static_cast<int32_t>(sum > INT32_MAX ? INT32_MAX : sum);
}

#pragma once
// How the page layout measures text: the fonts are the page view's, real GDI
// fonts in the program and fixed widths in tests.
#include <cstdint>
#include <string>

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Selects the font an item of this kind (PageItem kinds) and size in
    // points is drawn in; returns its height in pixels, negative as a font's
    // character height is given (-16 for 12 points at 96 pixels per inch).
    virtual int32_t SelectFont(int32_t kind, int32_t size) = 0;
    // Width in pixels of the text in the selected font.
    virtual int32_t TextWidth(const std::string& text) = 0;
};

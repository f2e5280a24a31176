#pragma once
// A font description (name, height, colour) with the GDI font made from it.
// The font owns its handle: a handle that is replaced is deleted.
#include <windows.h>

#include <string>

#include "framework/Graphic.h"

// The style bits of a font.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
public:
    TFont() = default;
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    // Positive: the cell height in pixels; negative: the character height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // TFontStyle bits.
    unsigned Style() const { return FStyle; }
    void SetStyle(unsigned style);
    // The text colour; not part of the GDI font.
    TColor Color = clBlack;

    // The GDI font, made from the description on first use.
    HFONT Handle();
    // Takes over a font made elsewhere; the previous handle is deleted.
    void SetHandle(HFONT font);

private:
    void FreeHandle();
    std::string FName = "Arial";
    int FHeight = -13;
    unsigned FStyle = 0;
    HFONT FHandle = nullptr;
};

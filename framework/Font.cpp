#include "framework/Font.h"

TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle() {
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
}

void TFont::SetName(const std::string& name) {
    if (name == FName) return;
    FName = name;
    FreeHandle();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    FreeHandle();
}

void TFont::SetStyle(unsigned style) {
    if (style == FStyle) return;
    FStyle = style;
    FreeHandle();
}

HFONT TFont::Handle() {
    if (!FHandle)
        FHandle = CreateFontA(FHeight, 0, 0, 0, (FStyle & fsBold) ? FW_BOLD : FW_NORMAL, (FStyle & fsItalic) != 0,
                              (FStyle & fsUnderline) != 0, (FStyle & fsStrikeOut) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, FName.c_str());
    return FHandle;
}

void TFont::SetHandle(HFONT font) {
    if (font == FHandle) return;
    FreeHandle();
    FHandle = font;
}

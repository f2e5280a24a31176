#pragma once
// Wide text drawn and measured on a framework canvas.
#include <windows.h>

#include <string>

#include "framework/Graphics.h"

// Draws at (x, y) with the canvas's font colour on a clear background; a
// right-to-left canvas (TextFlags holds ETO_RTLREADING) starts right of x by
// the text width + 1.
void WideCanvasTextOut(TCanvas& canvas, int x, int y, const std::u16string& text);
// The same clipped to rect, opaque on BrushColor unless brushClear.
void WideCanvasTextRect(TCanvas& canvas, const RECT& rect, int x, int y, const std::u16string& text,
                        bool brushClear = false);
SIZE WideDCTextExtent(HDC dc, const std::u16string& text);
SIZE WideCanvasTextExtent(TCanvas& canvas, const std::u16string& text);
int WideCanvasTextWidth(TCanvas& canvas, const std::u16string& text);
int WideCanvasTextHeight(TCanvas& canvas, const std::u16string& text);

// A picture that loads and saves files with wide names, through their short
// (8.3) names, which the 8-bit picture classes can open.
class TUvxPicture : public TPicture {
public:
    std::string ClassName() const override { return "TUvxPicture"; }
    void LoadFromFile(const std::u16string& fileName);
    // Nothing without a graphic. The file is written under a new name beside
    // the target and then put in its place, so a failed save leaves the old file.
    void SaveToFile(const std::u16string& fileName);
};

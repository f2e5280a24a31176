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

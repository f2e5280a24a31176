#pragma once
// PNG pictures on Windows: their image memory as DIB sections in memory
// device contexts, drawing on a canvas, palettes, and copying to and from
// bitmaps.
#include <windows.h>

#include "framework/Graphics.h"
#include "viewer/png/PngObject.h"
#include "viewer/png/PngPlatform.h"

// Installs all of the below into TPNGObject; call once at start-up, before
// pictures are loaded.
void PngInstallGdi();

// The device context that holds the picture's DIB, and a canvas on it.
HDC PngDC(const TPNGObject& png);
TCanvas& PngCanvas(const TPNGObject& png);
HPALETTE PngPalette(const TPNGObject& png);
// Palette pictures only: the palette is realised into the picture's device
// context and its entries become the DIB's colour table.
void PngSetPalette(TPNGObject& png, HPALETTE palette);

// Makes the picture from a bitmap (a palette picture below 16 bits a pixel,
// RGB otherwise), with colour as the transparent one when transparent.
void PngCreateFromBitmap(TPNGObject& png, HBITMAP bitmap, bool transparent, TColor colour);

// The clipboard's form of a picture: a bitmap of its size with the picture
// drawn on it (format CF_BITMAP); the caller owns the handle.
HBITMAP PngSaveToClipboardFormat(const TPNGObject& png, UINT& format);
// From a CF_BITMAP handle; other formats raise EInvalidGraphic.
void PngLoadFromClipboardFormat(TPNGObject& png, UINT format, HANDLE data);

#pragma once
// Drawing a bitmap with one colour left transparent, as every crash dialog
// draws its pictures.
#include <windows.h>

// Draws width x height pixels of the bitmap at (x, y); every pixel of the
// colour of the bitmap's top-left pixel leaves the destination as it was.
void DrawBmp(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);

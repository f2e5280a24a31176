#pragma once
// What a PNG picture needs of the system and only the Windows shell has:
// drawing on a device context, and copying to and from the system's bitmaps.
// The shell installs the routines (PngInstallGdi in PngGdi.h).
#include "framework/Graphic.h"

class TPNGObject;

struct TPngPlatform {
    void (*Paint)(TPNGObject& png, TCanvas& canvas, const TRect& rect) = nullptr;
    // True when the routine knew the source (or destination) class.
    bool (*AssignFrom)(TPNGObject& png, const TPersistent& source) = nullptr;
    bool (*AssignTo)(const TPNGObject& png, TPersistent& dest) = nullptr;
};

void SetPngPlatform(const TPngPlatform& platform);
const TPngPlatform& PngPlatform();

#include "viewer/png/PngPlatform.h"

namespace {
TPngPlatform gPlatform;
}

void SetPngPlatform(const TPngPlatform& platform) { gPlatform = platform; }
const TPngPlatform& PngPlatform() { return gPlatform; }

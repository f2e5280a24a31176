#include "viewer/png/PngImageMemory.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "viewer/png/PngErrors.h"

int64_t TPngImageMemory::MaxBytes = int64_t{1} << 30;

namespace {

// Left uninitialised here: the image memory clears it once.
class TPlainSurface : public TPngSurface {
public:
    explicit TPlainSurface(size_t size) : FData(new uint8_t[size]) {}
    uint8_t* Bits() override { return FData.get(); }

private:
    std::unique_ptr<uint8_t[]> FData;
};

std::unique_ptr<TPngSurface> PlainSurface(const TPngDibFormat& f, const TRGBQuad*, int) {
    return std::make_unique<TPlainSurface>(static_cast<size_t>(f.BytesPerRow) * static_cast<size_t>(f.Height));
}

TPngSurfaceFactory gFactory = PlainSurface;

}  // namespace

void SetPngSurfaceFactory(TPngSurfaceFactory factory) { gFactory = factory ? factory : PlainSurface; }

TPngImageMemory::TPngImageMemory(int32_t width, int32_t height, int bitCount, bool withAlpha, bool withLowBytes) {
    if (width < 1 || height < 1) throw EPNGInvalidNewSize();
    int64_t rowBytes = (static_cast<int64_t>(bitCount) * width + 31) / 32 * 4;
    int64_t pixels = rowBytes * height;
    int64_t alpha = withAlpha ? int64_t{width} * height : 0;
    int64_t total = pixels + alpha * (withLowBytes ? 2 : 1) + (withLowBytes ? pixels : 0);
    if (rowBytes > INT32_MAX || total > MaxBytes) throw EPNGOutMemory();
    FFormat = {width, height, bitCount, static_cast<int32_t>(rowBytes)};
    for (int i = 0; i < 256; ++i) FColours[i] = {};
    try {
        FSurface = gFactory(FFormat, FColours, ColourCount());
        if (!FSurface || !FSurface->Bits()) throw EPNGOutMemory();
        FBits = FSurface->Bits();
        std::memset(FBits, 0, static_cast<size_t>(pixels));
        if (withAlpha) FAlpha.assign(static_cast<size_t>(width) * height, 0);
        if (withLowBytes) FLow.assign(static_cast<size_t>(pixels), 0);
        if (withAlpha && withLowBytes) FAlphaLow.assign(static_cast<size_t>(width) * height, 0);
    } catch (const std::bad_alloc&) {
        throw EPNGOutMemory();
    }
}

std::unique_ptr<TPngImageMemory> TPngImageMemory::Clone() const {
    auto copy = std::make_unique<TPngImageMemory>(Width(), Height(), BitCount(), HasAlpha(), HasLowBytes());
    std::memcpy(copy->FBits, FBits, static_cast<size_t>(BytesPerRow()) * Height());
    copy->FAlpha = FAlpha;
    copy->FAlphaLow = FAlphaLow;
    copy->FLow = FLow;
    copy->SetColours(FColours, ColourCount());
    return copy;
}

void TPngImageMemory::SetColours(const TRGBQuad* colours, int count) {
    count = std::clamp(count, 0, 256);
    std::copy(colours, colours + count, FColours);
    FSurface->ColoursChanged(FColours, ColourCount());
}

#include "viewer/png/PngObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "viewer/png/PngPlatform.h"
#include "viewer/png/PngStreamIO.h"

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// The picture class reads files named *.png.
const bool gRegistered = [] {
    TPicture::RegisterFileFormat("PNG", "Portable Network Graphics", [] { return std::make_unique<TPNGObject>(); });
    return true;
}();

}  // namespace

TPNGObject::TPNGObject() : FChunks(this) { ResetGamma(); }

TPNGObject::~TPNGObject() = default;

void TPNGObject::ResetGamma() {
    for (int i = 0; i < 256; ++i) GammaTable[i] = InverseGamma[i] = static_cast<uint8_t>(i);
}

void TPNGObject::SetGammaFromChunk(uint32_t gamma) {
    if (gamma == 0) return;
    double exponent = 1.0 / (gamma / 100000.0 * 2.2);
    for (int i = 0; i < 256; ++i) {
        // Halves go to the even neighbour, the default rounding mode.
        double v = std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
        GammaTable[i] = static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
        InverseGamma[GammaTable[i]] = static_cast<uint8_t>(i);
    }
}

void TPNGObject::Clear() {
    FChunks.Clear();
    ResetGamma();
}

TChunkIHDR& TPNGObject::Header() const {
    if (FChunks.Count() > 0)
        if (auto* h = dynamic_cast<TChunkIHDR*>(FChunks.Item(0)); h && h->HasImage()) return *h;
    throw EPNGHeaderNotPresent();
}

int32_t TPNGObject::Width() const {
    auto* h = FChunks.Count() > 0 ? dynamic_cast<TChunkIHDR*>(FChunks.Item(0)) : nullptr;
    return h ? static_cast<int32_t>(h->Width) : 0;
}

int32_t TPNGObject::Height() const {
    auto* h = FChunks.Count() > 0 ? dynamic_cast<TChunkIHDR*>(FChunks.Item(0)) : nullptr;
    return h ? static_cast<int32_t>(h->Height) : 0;
}

void TPNGObject::LoadFromStream(TStream& stream) {
    Clear();
    uint8_t signature[8];
    if (stream.Read(signature, 8) != 8 || std::memcmp(signature, kSignature, 8) != 0) throw EPNGInvalidFileHeader();
    bool haveIdat = false;
    for (;;) {
        uint32_t size = PngReadBE32(stream);
        char typeBytes[4];
        PngReadExact(stream, typeBytes, 4);
        std::string type(typeBytes, 4);
        if (FChunks.Count() == 0 && type != "IHDR") throw EPNGIHDRNotFirst();
        if (type == "cHRM" || (type == "IDAT" && haveIdat)) {
            // Passed over: the data and the CRC.
            stream.Seek(int64_t{size} + 4, soCurrent);
            continue;
        }
        if (!ChunkTypeKnown(type) && !(typeBytes[0] & 0x20)) throw EPNGUnknownCriticalChunk();
        std::unique_ptr<TChunk> owned = CreateChunk(type, this);
        TChunk* chunk = owned.get();
        FChunks.Add(std::move(owned));
        if (type == "IDAT") haveIdat = true;
        if (!chunk->LoadFromStream(stream, type, size)) break;
        if (chunk->Discarded()) FChunks.RemoveChunk(chunk);
        if (type == "IEND") break;
    }
    if (!haveIdat) throw EPNGNoImageData();
}

void TPNGObject::SaveToStream(TStream& stream) {
    stream.WriteBuffer(kSignature, 8);
    for (int i = 0; i < FChunks.Count(); ++i) FChunks.Item(i)->SaveToStream(stream);
}

void TPNGObject::Assign(const TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    auto* png = dynamic_cast<const TPNGObject*>(source);
    if (!png) {
        if (PngPlatform().AssignFrom && PngPlatform().AssignFrom(*this, *source)) return;
        TGraphic::Assign(source);
        return;
    }
    if (png == this) return;
    InterlaceMethod = png->InterlaceMethod;
    FMaxIdatSize = png->FMaxIdatSize;
    CompressionLevel = png->CompressionLevel;
    Filters = png->Filters;
    Clear();
    std::memcpy(GammaTable, png->GammaTable, sizeof GammaTable);
    std::memcpy(InverseGamma, png->InverseGamma, sizeof InverseGamma);
    for (int i = 0; i < png->FChunks.Count(); ++i) {
        const TChunk* from = png->FChunks.Item(i);
        std::unique_ptr<TChunk> copy = CreateChunk(from->Name(), this);
        copy->Assign(*from);
        FChunks.Add(std::move(copy));
    }
}

TPNGTransparencyMode TPNGObject::TransparencyMode() const {
    if (Empty()) return ptmNone;
    TChunkIHDR& h = Header();
    auto* trns = FChunks.ItemFromClass<TChunktRNS>();
    switch (h.ColorType) {
        case 0:
        case 2: return trns ? ptmBit : ptmNone;
        case 3:
            if (!trns) return ptmNone;
            return trns->BitTransparency() ? ptmBit : ptmPartial;
        case 4:
        case 6: return ptmPartial;
        default: return ptmNone;
    }
}

TColor TPNGObject::TransparentColor() const {
    auto* trns = FChunks.ItemFromClass<TChunktRNS>();
    return trns ? trns->TransparentColor() : clBlack;
}

void TPNGObject::SetTransparentColor(TColor colour) {
    TChunkIHDR& h = Header();
    if (h.ColorType == 4 || h.ColorType == 6) return;  // they carry alpha of their own
    auto* trns = FChunks.ItemFromClass<TChunktRNS>();
    if (!trns) {
        // tRNS goes after PLTE and before the first IDAT.
        int at = 1;
        while (at < FChunks.Count() && FChunks.Item(at)->Name() != "IDAT" && FChunks.Item(at)->Name() != "IEND") ++at;
        auto owned = std::make_unique<TChunktRNS>(this);
        owned->SetName("tRNS");
        trns = owned.get();
        FChunks.Add(std::move(owned));
        for (int i = FChunks.Count() - 1; i > at; --i) FChunks.Put(i, FChunks.Get(i - 1));
        FChunks.Put(at, trns);
    }
    trns->SetTransparentColor(colour);
    if (trns->Discarded()) FChunks.RemoveChunk(trns);
}

namespace {

int IndexAt(const TPngImageMemory& image, int32_t x, int32_t y) {
    const uint8_t* row = image.Row(y);
    switch (image.BitCount()) {
        case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
        case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
        default: return row[x];
    }
}

void SetIndexAt(TPngImageMemory& image, int32_t x, int32_t y, int index) {
    uint8_t* row = image.Row(y);
    switch (image.BitCount()) {
        case 1: {
            uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
            row[x >> 3] = static_cast<uint8_t>(index ? row[x >> 3] | bit : row[x >> 3] & ~bit);
            break;
        }
        case 4: {
            int shift = (x & 1) ? 0 : 4;
            row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(15 << shift)) | ((index & 15) << shift));
            break;
        }
        default: row[x] = static_cast<uint8_t>(index); break;
    }
}

int NearestColourIndex(const TPngImageMemory& image, TColor colour) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < image.ColourCount(); ++i) {
        const TRGBQuad& c = image.Colours()[i];
        long dr = c.Red - ColorRed(colour), dg = c.Green - ColorGreen(colour), db = c.Blue - ColorBlue(colour);
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
    }
    return best;
}

}  // namespace

TColor TPNGObject::Pixel(int32_t x, int32_t y) const {
    if (Empty() || x < 0 || y < 0 || x >= Width() || y >= Height()) return clBlack;
    TChunkIHDR& h = Header();
    const TPngImageMemory& image = h.Image();
    switch (h.ColorType) {
        case 3: {
            const TRGBQuad& c = image.Colours()[IndexAt(image, x, y)];
            return RGBColor(InverseGamma[c.Red], InverseGamma[c.Green], InverseGamma[c.Blue]);
        }
        case 0: {
            // The grey level as the file has it (2-bit levels sit at 0, 5, 10, 15).
            int index = IndexAt(image, x, y), v = index;
            switch (h.BitDepth) {
                case 1: v = index * 255; break;
                case 2: v = index / 5 * 85; break;
                case 4: v = index * 17; break;
                default: break;
            }
            return RGBColor(static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v));
        }
        case 4: {
            uint8_t v = image.Row(y)[x];
            return RGBColor(v, v, v);
        }
        default: {
            const uint8_t* p = image.Row(y) + 3 * x;
            return RGBColor(p[2], p[1], p[0]);
        }
    }
}

void TPNGObject::SetPixel(int32_t x, int32_t y, TColor colour) {
    if (Empty() || x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    TChunkIHDR& h = Header();
    TPngImageMemory& image = h.Image();
    // 16-bit pictures: the low byte follows the high byte (v * 257).
    switch (h.ColorType) {
        case 0:
        case 3: {
            int index = NearestColourIndex(image, colour);
            SetIndexAt(image, x, y, index);
            if (image.HasLowBytes()) image.LowRow(y)[x] = static_cast<uint8_t>(index);
            break;
        }
        case 4:
            image.Row(y)[x] = ColorRed(colour);
            if (image.HasLowBytes()) image.LowRow(y)[x] = ColorRed(colour);
            break;
        default: {
            uint8_t bgr[3] = {ColorBlue(colour), ColorGreen(colour), ColorRed(colour)};
            std::memcpy(image.Row(y) + 3 * x, bgr, 3);
            if (image.HasLowBytes()) std::memcpy(image.LowRow(y) + 3 * x, bgr, 3);
            break;
        }
    }
}

void TPNGObject::Resize(int32_t width, int32_t height) {
    if (width < 1 || height < 1) throw EPNGInvalidNewSize();
    TChunkIHDR& h = Header();
    const TPngImageMemory& old = h.Image();
    auto fresh = std::make_unique<TPngImageMemory>(width, height, old.BitCount(), old.HasAlpha(), old.HasLowBytes());
    fresh->SetColours(old.Colours(), old.ColourCount());
    int32_t w = std::min(width, old.Width()), rows = std::min(height, old.Height());
    size_t bytes = static_cast<size_t>((int64_t{w} * old.BitCount() + 7) / 8);
    for (int32_t y = 0; y < rows; ++y) {
        std::memcpy(fresh->Row(y), old.Row(y), bytes);
        if (old.HasLowBytes()) std::memcpy(fresh->LowRow(y), old.LowRow(y), bytes);
        if (old.HasAlpha()) std::memcpy(fresh->AlphaRow(y), old.AlphaRow(y), static_cast<size_t>(w));
        if (old.HasAlpha() && old.HasLowBytes()) std::memcpy(fresh->AlphaLowRow(y), old.AlphaLowRow(y), static_cast<size_t>(w));
    }
    h.Width = static_cast<uint32_t>(width);
    h.Height = static_cast<uint32_t>(height);
    h.SetImage(std::move(fresh));
}

void TPNGObject::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty()) return;
    if (!PngPlatform().Paint) throw EInvalidGraphicOperation("No device to draw the picture on");
    PngPlatform().Paint(*this, canvas, rect);
}

void TPNGObject::AssignTo(TPersistent* dest) const {
    if (auto* png = dynamic_cast<TPNGObject*>(dest)) {
        png->Assign(this);
        return;
    }
    // Only a picture with a header draws itself into a bitmap.
    if (dest && !Empty() && PngPlatform().AssignTo && PngPlatform().AssignTo(*this, *dest)) return;
    TGraphic::AssignTo(dest);
}

void TPNGObject::PrepareFromBitmap(int32_t width, int32_t height, int bitCount, bool transparent) {
    Clear();
    auto header = std::make_unique<TChunkIHDR>(this);
    header->SetName("IHDR");
    header->Width = static_cast<uint32_t>(width);
    header->Height = static_cast<uint32_t>(height < 0 ? -int64_t{height} : height);
    bool palette = bitCount < 16;
    header->ColorType = palette ? 3 : 2;
    header->BitDepth = static_cast<uint8_t>(palette ? (bitCount <= 1 ? 1 : bitCount <= 4 ? 4 : 8) : 8);
    InterlaceMethod = 0;
    header->PrepareImageData();
    FChunks.Add(std::move(header));
    if (palette) {
        auto plte = std::make_unique<TChunkPLTE>(this);
        plte->SetName("PLTE");
        plte->SetCount(1 << Header().BitDepth);
        FChunks.Add(std::move(plte));
    }
    if (transparent) {
        auto trns = std::make_unique<TChunktRNS>(this);
        trns->SetName("tRNS");
        FChunks.Add(std::move(trns));
    }
    FChunks.Add(CreateChunk("IDAT", this));
    FChunks.Add(CreateChunk("IEND", this));
}

void TPNGObject::FinishFromBitmap(bool transparent, TColor transparentColour) {
    if (!transparent) return;
    SetTransparentColor(transparentColour);
}

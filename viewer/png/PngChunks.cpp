#include "viewer/png/PngChunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "viewer/png/PngDecoder.h"
#include "viewer/png/PngEncoder.h"
#include "viewer/png/PngObject.h"
#include "viewer/png/PngStreamIO.h"

namespace {

// Inflated texts larger than this are cut: a small chunk must not become an
// unbounded allocation.
constexpr size_t kMaxInflatedText = 16u << 20;

uint32_t ChunkCrc(const std::string& type, const uint8_t* data, size_t size) {
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4);
    // zlib takes at most 4 GiB a call; chunk data is far smaller.
    if (size) crc = crc32(crc, data, static_cast<uInt>(size));
    return static_cast<uint32_t>(crc);
}

std::string Deflate(const std::string& text) {
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
                  static_cast<uLong>(text.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw PngZlibError("deflate");
    out.resize(size);
    return out;
}

// Through a 256-byte buffer appended to the result; damaged data ends the text.
std::string Inflate(const uint8_t* data, size_t size) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return "";
    std::string out;
    uint8_t buffer[256];
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    for (;;) {
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        int r = inflate(&z, Z_NO_FLUSH);
        out.append(reinterpret_cast<char*>(buffer), sizeof buffer - z.avail_out);
        if (r != Z_OK || out.size() > kMaxInflatedText) break;
    }
    inflateEnd(&z);
    if (out.size() > kMaxInflatedText) out.resize(kMaxInflatedText);
    return out;
}

}  // namespace

// ---- TChunk

void TChunk::Assign(const TChunk& source) {
    if (typeid(source) != typeid(*this)) throw EPngError(PngIncompatibleChunksMessage());
    FData = source.FData;
    FName = source.FName;
}

bool TChunk::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    FName = type;
    FData.clear();
    // Grows with what the stream really holds, so that a length from a
    // damaged file allocates nothing beyond the file's end.
    constexpr uint32_t kBlock = 1 << 16;
    while (FData.size() < size) {
        size_t n = std::min<size_t>(kBlock, size - FData.size());
        size_t at = FData.size();
        FData.resize(at + n);
        PngReadExact(stream, FData.data() + at, static_cast<int32_t>(n));
    }
    uint32_t crc = PngReadBE32(stream);
    if (crc != ChunkCrc(type, FData.data(), FData.size())) throw EPngInvalidCRC();
    return true;
}

void TChunk::SaveToStream(TStream& stream) { WriteChunk(stream, FName, FData.data(), DataSize()); }

void TChunk::WriteChunk(TStream& stream, const std::string& type, const uint8_t* data, uint32_t size) {
    uint8_t b[4];
    PngPutBE32(b, size);
    stream.WriteBuffer(b, 4);
    stream.WriteBuffer(type.data(), 4);
    if (size) stream.WriteBuffer(data, static_cast<int32_t>(size));
    PngPutBE32(b, ChunkCrc(type, data, size));
    stream.WriteBuffer(b, 4);
}

// ---- IHDR

namespace {

bool ValidColourAndDepth(uint8_t colourType, uint8_t depth) {
    switch (colourType) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6: return depth == 8 || depth == 16;
        default: return false;
    }
}

}  // namespace

void TChunkIHDR::Assign(const TChunk& source) {
    TChunk::Assign(source);
    const auto& s = static_cast<const TChunkIHDR&>(source);
    Width = s.Width;
    Height = s.Height;
    BitDepth = s.BitDepth;
    ColorType = s.ColorType;
    CompressionMethod = s.CompressionMethod;
    FilterMethod = s.FilterMethod;
    InterlaceMethod = s.InterlaceMethod;
    FImage = s.FImage ? s.FImage->Clone() : nullptr;
}

bool TChunkIHDR::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    // A second header would describe other pixels than the first: left out.
    if (FOwner && FOwner->Chunks().Count() > 0 && FOwner->Chunks().Item(0) != this) {
        FDiscarded = true;
        return true;
    }
    if (FData.size() < 13) throw EPngInvalidIHDR();
    const uint8_t* d = FData.data();
    Width = PngGetBE32(d);
    Height = PngGetBE32(d + 4);
    BitDepth = d[8];
    ColorType = d[9];
    CompressionMethod = d[10];
    FilterMethod = d[11];
    InterlaceMethod = d[12];
    if (Width == 0 || Height == 0) throw EPngInvalidIHDR();
    if (Width > 65535 || Height > 65535) throw EPNGSizeExceeds();
    if (CompressionMethod != 0) throw EPNGUnknownCompression();
    if (InterlaceMethod > 1) throw EPNGUnknownInterlace();
    // Only the pairs the format allows: the decoder has no conversion for others.
    if (!ValidColourAndDepth(ColorType, BitDepth)) throw EPngInvalidIHDR();
    if (FOwner) FOwner->InterlaceMethod = InterlaceMethod;
    PrepareImageData();
    return true;
}

void TChunkIHDR::SaveToStream(TStream& stream) {
    // The image memory holds 2-bit pictures at 4 bits a pixel.
    if (BitDepth == 2) BitDepth = 4;
    if (FOwner) InterlaceMethod = FOwner->InterlaceMethod;
    FData.assign(13, 0);
    PngPutBE32(FData.data(), Width);
    PngPutBE32(FData.data() + 4, Height);
    FData[8] = BitDepth;
    FData[9] = ColorType;
    FData[10] = CompressionMethod;
    FData[11] = FilterMethod;
    FData[12] = InterlaceMethod;
    FName = "IHDR";
    TChunk::SaveToStream(stream);
}

int TChunkIHDR::DibBitCount() const {
    switch (ColorType) {
        case 2:
        case 6: return 24;
        default: break;
    }
    switch (BitDepth) {
        case 1: return 1;
        case 2:
        case 4: return 4;
        default: return 8;
    }
}

void TChunkIHDR::PrepareImageData() {
    FImage.reset();
    FImage = std::make_unique<TPngImageMemory>(static_cast<int32_t>(Width), static_cast<int32_t>(Height),
                                               DibBitCount(), ColorType == 4 || ColorType == 6, BitDepth == 16);
}

TPngImageMemory& TChunkIHDR::Image() const {
    if (!FImage) throw EPNGHeaderNotPresent();
    return *FImage;
}

// ---- PLTE

void TChunkPLTE::Assign(const TChunk& source) {
    TChunk::Assign(source);
    FCount = static_cast<const TChunkPLTE&>(source).FCount;
}

bool TChunkPLTE::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    if (FData.size() % 3 != 0 || FData.size() > 256 * 3) throw EPNGInvalidPalette();
    FCount = static_cast<int>(FData.size() / 3);
    TChunkIHDR& header = FOwner->Header();
    if (header.ColorType != 3) return true;  // a suggested palette: kept, not used
    // More entries than the indexes can reach is a damaged palette.
    if (FCount > (1 << header.BitDepth)) throw EPNGInvalidPalette();
    TRGBQuad colours[256] = {};
    const uint8_t* g = FOwner->GammaTable;
    for (int k = 0; k < FCount; ++k)
        colours[k] = {g[FData[k * 3 + 2]], g[FData[k * 3 + 1]], g[FData[k * 3]], 0};
    header.Image().SetColours(colours, 256);
    return true;
}

TRGBQuad TChunkPLTE::Item(int index) const {
    if (index < 0 || index >= FCount) throw EPngError();
    TChunkIHDR& header = FOwner->Header();
    if (header.HasImage() && header.Image().HasPalette()) return header.Image().Colours()[index];
    return {FData[index * 3 + 2], FData[index * 3 + 1], FData[index * 3], 0};
}

void TChunkPLTE::SaveToStream(TStream& stream) {
    TChunkIHDR& header = FOwner->Header();
    if (header.HasImage() && header.Image().HasPalette() && header.ColorType == 3) {
        int n = FCount ? FCount : header.Image().ColourCount();
        n = std::clamp(n, 1, header.Image().ColourCount());
        const TRGBQuad* c = header.Image().Colours();
        const uint8_t* inv = FOwner->InverseGamma;
        const uint8_t* g = FOwner->GammaTable;
        // A component still shown as the file's value had it is written as
        // that value: the gamma table may map several values to one.
        std::vector<uint8_t> read = std::move(FData);
        FData.assign(static_cast<size_t>(n) * 3, 0);
        for (int k = 0; k < n; ++k) {
            const uint8_t shown[3] = {c[k].Red, c[k].Green, c[k].Blue};
            for (int i = 0; i < 3; ++i) {
                size_t at = static_cast<size_t>(k) * 3 + i;
                FData[at] = at < read.size() && g[read[at]] == shown[i] ? read[at] : inv[shown[i]];
            }
        }
    }
    FName = "PLTE";
    TChunk::SaveToStream(stream);
}

// ---- tRNS

TChunktRNS::TChunktRNS(TPNGObject* owner) : TChunk(owner) { std::memset(PaletteAlpha, 255, sizeof PaletteAlpha); }

void TChunktRNS::Assign(const TChunk& source) {
    TChunk::Assign(source);
    const auto& s = static_cast<const TChunktRNS&>(source);
    std::memcpy(PaletteAlpha, s.PaletteAlpha, sizeof PaletteAlpha);
    FBitTransparency = s.FBitTransparency;
}

bool TChunktRNS::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    if (FData.size() > 256) throw EPNGInvalidPalette();
    std::memset(PaletteAlpha, 255, sizeof PaletteAlpha);
    std::copy(FData.begin(), FData.end(), PaletteAlpha);
    switch (FOwner->Header().ColorType) {
        case 0: FDiscarded = FData.size() != 2; FBitTransparency = true; break;
        case 2: FDiscarded = FData.size() != 6; FBitTransparency = true; break;
        case 3: {
            // Colour-key drawing only when one entry is fully transparent and
            // every other opaque; a half-transparent entry must be blended.
            int notOpaque = 0, lastAlpha = 255;
            for (uint8_t a : PaletteAlpha)
                if (a != 255) ++notOpaque, lastAlpha = a;
            FBitTransparency = notOpaque == 1 && lastAlpha == 0;
            break;
        }
        default: FDiscarded = true; break;  // alpha pictures have no colour key
    }
    return true;
}

TColor TChunktRNS::TransparentColor() const {
    TChunkIHDR& h = FOwner->Header();
    const uint8_t* g = FOwner->GammaTable;
    switch (h.ColorType) {
        case 0: {
            if (FData.size() < 2) break;
            uint16_t key = PngGetBE16(FData.data());
            int index = key;
            if (h.BitDepth == 16) index = key >> 8;
            else if (h.BitDepth == 2 && key < 4) index = key * 5;
            else if (key >= (1 << h.BitDepth)) break;
            const TRGBQuad& c = h.Image().Colours()[index];
            return RGBColor(c.Red, c.Green, c.Blue);
        }
        case 2: {
            if (FData.size() < 6) break;
            uint8_t v[3];
            for (int i = 0; i < 3; ++i) {
                uint16_t s = PngGetBE16(FData.data() + 2 * i);
                v[i] = g[h.BitDepth == 16 ? s >> 8 : s & 0xFF];
            }
            return RGBColor(v[0], v[1], v[2]);
        }
        case 3:
            for (int i = 0; i < 256; ++i)
                if (PaletteAlpha[i] == 0) {
                    const TRGBQuad& c = h.Image().Colours()[i];
                    return RGBColor(c.Red, c.Green, c.Blue);
                }
            break;
        default: break;
    }
    return clBlack;
}

void TChunktRNS::SetTransparentColor(TColor colour) {
    // Every entry opaque but the key.
    std::memset(PaletteAlpha, 255, sizeof PaletteAlpha);
    FBitTransparency = true;
    FDiscarded = false;
    FName = "tRNS";
    TChunkIHDR& h = FOwner->Header();
    // A component as a sample of the picture's depth.
    auto sample = [&](uint8_t v) -> uint16_t {
        if (h.BitDepth == 16) return static_cast<uint16_t>(v * 257);
        int max = (1 << h.BitDepth) - 1;
        return static_cast<uint16_t>((v * max + 127) / 255);
    };
    auto put16 = [&](size_t at, uint16_t v) {
        FData[at] = static_cast<uint8_t>(v >> 8);
        FData[at + 1] = static_cast<uint8_t>(v);
    };
    switch (h.ColorType) {
        case 0:
            FData.assign(2, 0);
            put16(0, sample(ColorRed(colour)));
            break;
        case 2:
            FData.assign(6, 0);
            put16(0, sample(ColorRed(colour)));
            put16(2, sample(ColorGreen(colour)));
            put16(4, sample(ColorBlue(colour)));
            break;
        case 3: {
            const TRGBQuad* c = h.Image().Colours();
            int n = h.Image().ColourCount();
            for (int i = 0; i < n; ++i)
                if (RGBColor(c[i].Red, c[i].Green, c[i].Blue) == colour) {
                    PaletteAlpha[i] = 0;
                    FData.assign(PaletteAlpha, PaletteAlpha + i + 1);
                    return;
                }
            // No entry has the colour: nothing to mark.
            FData.clear();
            FDiscarded = true;
            break;
        }
        default: FDiscarded = true; break;
    }
}

void TChunktRNS::SaveToStream(TStream& stream) {
    // Only a palette picture's tRNS holds alphas; grey and RGB hold the key.
    if (FOwner->Header().ColorType == 3)
        std::copy(PaletteAlpha, PaletteAlpha + std::min<size_t>(FData.size(), 256), FData.begin());
    FName = "tRNS";
    TChunk::SaveToStream(stream);
}

// ---- gAMA

bool TChunkgAMA::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    if (FData.size() < 4) {
        FDiscarded = true;
        return true;
    }
    FOwner->SetGammaFromChunk(Gamma());
    return true;
}

uint32_t TChunkgAMA::Gamma() const { return FData.size() >= 4 ? PngGetBE32(FData.data()) : 0; }

void TChunkgAMA::SetGamma(uint32_t value) {
    FData.assign(4, 0);
    PngPutBE32(FData.data(), value);
    FName = "gAMA";
}

// ---- IDAT

bool TChunkIDAT::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    FName = type;
    PngDecodeImage(*FOwner, stream, size);
    return true;
}

void TChunkIDAT::SaveToStream(TStream& stream) { PngEncodeImage(*FOwner, stream); }

// ---- pHYs, tIME

void TChunkpHYs::Assign(const TChunk& source) {
    TChunk::Assign(source);
    const auto& s = static_cast<const TChunkpHYs&>(source);
    PPUnitX = s.PPUnitX;
    PPUnitY = s.PPUnitY;
    UnitType = s.UnitType;
}

bool TChunkpHYs::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    if (FData.size() == 9) {
        PPUnitX = PngGetBE32(FData.data());
        PPUnitY = PngGetBE32(FData.data() + 4);
        UnitType = FData[8];
    }
    return true;
}

void TChunkpHYs::SaveToStream(TStream& stream) {
    FData.assign(9, 0);
    PngPutBE32(FData.data(), PPUnitX);
    PngPutBE32(FData.data() + 4, PPUnitY);
    FData[8] = UnitType;
    FName = "pHYs";
    TChunk::SaveToStream(stream);
}

void TChunktIME::Assign(const TChunk& source) {
    TChunk::Assign(source);
    const auto& s = static_cast<const TChunktIME&>(source);
    Year = s.Year, Month = s.Month, Day = s.Day, Hour = s.Hour, Minute = s.Minute, Second = s.Second;
}

bool TChunktIME::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    if (FData.size() == 7) {
        Year = PngGetBE16(FData.data());
        Month = FData[2], Day = FData[3], Hour = FData[4], Minute = FData[5], Second = FData[6];
    }
    return true;
}

void TChunktIME::SaveToStream(TStream& stream) {
    FData = {static_cast<uint8_t>(Year >> 8), static_cast<uint8_t>(Year), Month, Day, Hour, Minute, Second};
    FName = "tIME";
    TChunk::SaveToStream(stream);
}

// ---- tEXt, zTXt

void TChunktEXt::Assign(const TChunk& source) {
    TChunk::Assign(source);
    const auto& s = static_cast<const TChunktEXt&>(source);
    Keyword = s.Keyword;
    Text = s.Text;
}

bool TChunktEXt::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    if (FData.size() > 2) {
        auto zero = std::find(FData.begin(), FData.end(), 0);
        if (zero == FData.end()) {
            FDiscarded = true;  // no end to the keyword
            return true;
        }
        Keyword.assign(FData.begin(), zero);
        Text.assign(zero + 1, FData.end());
    }
    return true;
}

void TChunktEXt::SaveToStream(TStream& stream) {
    FData.assign(Keyword.begin(), Keyword.end());
    FData.push_back(0);
    FData.insert(FData.end(), Text.begin(), Text.end());
    FName = "tEXt";
    TChunk::SaveToStream(stream);
}

bool TChunkzTXt::LoadFromStream(TStream& stream, const std::string& type, uint32_t size) {
    TChunk::LoadFromStream(stream, type, size);
    auto zero = std::find(FData.begin(), FData.end(), 0);
    if (zero == FData.end() || zero + 1 == FData.end()) {
        FDiscarded = true;  // no keyword end, or no compression method
        return true;
    }
    Keyword.assign(FData.begin(), zero);
    size_t at = static_cast<size_t>(zero - FData.begin()) + 2;
    Text = zero[1] == 0 ? Inflate(FData.data() + at, FData.size() - at) : std::string();
    return true;
}

void TChunkzTXt::SaveToStream(TStream& stream) {
    std::string packed = Deflate(Text.empty() ? std::string(" ") : Text);
    FData.assign(Keyword.begin(), Keyword.end());
    FData.push_back(0);
    FData.push_back(0);
    FData.insert(FData.end(), packed.begin(), packed.end());
    FName = "zTXt";
    TChunk::SaveToStream(stream);
}

// ---- The chunk classes, in the order they are looked up.

namespace {

struct TChunkClass {
    const char* Type;
    std::unique_ptr<TChunk> (*Create)(TPNGObject* owner);
};

template <class T>
std::unique_ptr<TChunk> Make(TPNGObject* owner) {
    return std::make_unique<T>(owner);
}

const TChunkClass kChunkClasses[] = {
    {"IEND", Make<TChunkIEND>}, {"IHDR", Make<TChunkIHDR>}, {"IDAT", Make<TChunkIDAT>}, {"PLTE", Make<TChunkPLTE>},
    {"gAMA", Make<TChunkgAMA>}, {"tRNS", Make<TChunktRNS>}, {"pHYs", Make<TChunkpHYs>}, {"tIME", Make<TChunktIME>},
    {"tEXt", Make<TChunktEXt>}, {"zTXt", Make<TChunkzTXt>},
};

const TChunkClass* FindClass(const std::string& type) {
    for (const TChunkClass& c : kChunkClasses)
        if (type == c.Type) return &c;
    return nullptr;
}

}  // namespace

std::unique_ptr<TChunk> CreateChunk(const std::string& type, TPNGObject* owner) {
    const TChunkClass* c = FindClass(type);
    std::unique_ptr<TChunk> chunk = c ? c->Create(owner) : std::make_unique<TChunk>(owner);
    chunk->SetName(type);
    return chunk;
}

bool ChunkTypeKnown(const std::string& type) { return FindClass(type) != nullptr; }

// ---- Lists

void* TPNGPointerList::Remove(int index) {
    void* item = Get(index);
    FItems.erase(FItems.begin() + index);
    return item;
}

void TPNGList::RemoveChunk(TChunk* chunk) {
    auto it = std::find(FItems.begin(), FItems.end(), chunk);
    if (it == FItems.end()) return;
    FItems.erase(it);
    delete chunk;
}

void TPNGList::Clear() {
    // The header goes last: other chunks may look at it while they go.
    for (size_t i = FItems.size(); i-- > 0;) delete static_cast<TChunk*>(FItems[i]);
    FItems.clear();
}

// Decoding checked against ImageMagick's own decoding of the same files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

#include "viewer/tests/PngFixtures.h"

using namespace pngtest;

namespace {

// The gamma table the picture should use, worked out here from the gAMA value.
std::vector<uint8_t> ExpectedGamma(const TPNGObject& png) {
    std::vector<uint8_t> t(256);
    for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
    if (auto* g = png.Chunks().ItemFromClass<TChunkgAMA>(); g && g->Gamma())
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<uint8_t>(std::nearbyint(255 * std::pow(i / 255.0, 1 / (g->Gamma() / 100000.0 * 2.2))));
    return t;
}

int IndexAt(const TPngImageMemory& image, int32_t x, int32_t y) {
    const uint8_t* row = image.Row(y);
    if (image.BitCount() == 1) return (row[x / 8] >> (7 - x % 8)) & 1;
    if (image.BitCount() == 4) return (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
    return row[x];
}

// What the image memory holds for a pixel, as shown (high bytes) and the low
// bytes, in red, green, blue order.
struct Stored {
    uint8_t High[3], Low[3];
};

Stored StoredAt(const TPNGObject& png, int32_t x, int32_t y) {
    const TChunkIHDR& h = png.Header();
    const TPngImageMemory& image = h.Image();
    Stored s{};
    if (image.HasPalette()) {
        const TRGBQuad& c = image.Colours()[IndexAt(image, x, y)];
        s.High[0] = c.Red, s.High[1] = c.Green, s.High[2] = c.Blue;
        if (image.HasLowBytes()) s.Low[0] = s.Low[1] = s.Low[2] = image.LowRow(y)[x];
    } else {
        const uint8_t* p = image.Row(y) + 3 * x;
        s.High[0] = p[2], s.High[1] = p[1], s.High[2] = p[0];
        if (image.HasLowBytes()) {
            const uint8_t* l = image.LowRow(y) + 3 * x;
            s.Low[0] = l[2], s.Low[1] = l[1], s.Low[2] = l[0];
        }
    }
    return s;
}

class FixtureDecode : public ::testing::TestWithParam<std::string> {};

TEST_P(FixtureDecode, PixelsAreImageMagicks) {
    auto png = Load(Fixture(GetParam()));
    const int32_t w = png->Width(), h = png->Height();
    Reference ref = ReferenceOf(GetParam(), w * h);
    ASSERT_EQ(ref.Samples.size(), static_cast<size_t>(w) * h * 4);
    const TChunkIHDR& header = png->Header();
    std::vector<uint8_t> gamma = ExpectedGamma(*png);
    ASSERT_EQ(0, std::memcmp(gamma.data(), png->GammaTable, 256));
    const bool grey = header.ColorType == 0 || header.ColorType == 4;
    auto* trns = png->Chunks().ItemFromClass<TChunktRNS>();
    int bad = 0;
    for (int32_t y = 0; y < h && bad < 5; ++y)
        for (int32_t x = 0; x < w && bad < 5; ++x) {
            const uint16_t* r = &ref.Samples[(static_cast<size_t>(y) * w + x) * 4];
            Stored s = StoredAt(*png, x, y);
            for (int c = 0; c < 3; ++c) {
                int high = ref.Depth == 16 ? r[c] >> 8 : r[c];
                bool ok = s.High[c] == gamma[high];
                if (ref.Depth == 16) {
                    // Grey low bytes are kept as they are, RGB ones through the table.
                    int low = r[c] & 0xFF;
                    ok = ok && s.Low[c] == (grey ? low : gamma[low]);
                }
                if (!ok) {
                    ADD_FAILURE() << GetParam() << " pixel " << x << "," << y << " channel " << c << ": ours "
                                  << int(s.High[c]) << "/" << int(s.Low[c]) << ", ImageMagick " << r[c];
                    ++bad;
                }
            }
            int alpha = ref.Depth == 16 ? r[3] >> 8 : r[3];
            if (png->Header().Image().HasAlpha()) {
                EXPECT_EQ(alpha, png->AlphaScanline(y)[x]) << GetParam() << " alpha at " << x << "," << y;
                if (ref.Depth == 16) {
                    EXPECT_EQ(r[3] & 0xFF, png->Header().Image().AlphaLowRow(y)[x]) << GetParam() << " alpha at " << x;
                }
            } else if (header.ColorType == 3 && trns) {
                EXPECT_EQ(alpha, trns->PaletteAlpha[IndexAt(png->Header().Image(), x, y)])
                    << GetParam() << " palette alpha at " << x << "," << y;
            }
        }
}

// Drawing with transparency at 1:1 over a background: per-pixel alpha,
// palette alpha and colour keys (16-bit keys matched in full).
TEST_P(FixtureDecode, BlendsByImageMagicksAlpha) {
    auto png = Load(Fixture(GetParam()));
    const int32_t w = png->Width(), h = png->Height();
    Reference ref = ReferenceOf(GetParam(), w * h);
    std::vector<uint8_t> gamma = ExpectedGamma(*png);
    const uint8_t background[3] = {40, 200, 90};  // blue, green, red
    std::vector<uint8_t> work(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < work.size(); i += 4) std::memcpy(&work[i], background, 3);
    png->BlendOnto(work.data(), w, h, w * 4);
    int bad = 0, seeThrough = 0;
    for (int32_t i = 0; i < w * h && bad < 5; ++i) {
        const uint16_t* r = &ref.Samples[static_cast<size_t>(i) * 4];
        int a = ref.Depth == 16 ? r[3] >> 8 : r[3];
        if (a < 255) ++seeThrough;
        if (png->TransparencyMode() == ptmNone) a = 255;
        for (int c = 0; c < 3; ++c) {
            int s = gamma[ref.Depth == 16 ? r[c] >> 8 : r[c]];
            int d = background[2 - c];
            int expected = a == 255 ? s : (a * s + (255 - a) * d + 255) / 256;
            if (work[static_cast<size_t>(i) * 4 + 2 - c] != expected) {
                ADD_FAILURE() << GetParam() << " pixel " << i << " channel " << c << ": "
                              << int(work[static_cast<size_t>(i) * 4 + 2 - c]) << " != " << expected;
                ++bad;
            }
        }
    }
    // A fixture with transparency shows some of the background.
    if (png->TransparencyMode() != ptmNone) {
        EXPECT_GT(seeThrough, 0) << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(GeneratedSet, FixtureDecode, ::testing::ValuesIn(FixtureNames()),
                         FixtureParamName);

TEST(PngDecode, FixtureSetCoversEveryColourTypeAndDepth) {
    std::set<std::pair<int, int>> seen;
    std::set<int> interlace;
    for (const std::string& name : FixtureNames()) {
        auto png = Load(Fixture(name));
        seen.insert({png->Header().ColorType, png->Header().BitDepth});
        interlace.insert(png->Header().InterlaceMethod);
    }
    std::set<std::pair<int, int>> all = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8},  {2, 16}, {3, 1},
                                         {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
    EXPECT_EQ(all, seen);
    EXPECT_EQ((std::set<int>{0, 1}), interlace);
}

TEST(PngDecode, RowsArePaddedAndBottomUp) {
    auto png = Load(Fixture("tiny3x2"));
    const TPngImageMemory& image = png->Header().Image();
    EXPECT_EQ(24, image.BitCount());
    EXPECT_EQ(12, image.BytesPerRow());  // 9 bytes of pixels, padded
    EXPECT_EQ(image.Bits() + 12, image.Row(0));  // the top row is the last DIB row
    EXPECT_EQ(image.Bits(), image.Row(1));
}

TEST(PngDecode, OnePixelAdam7) {
    auto png = Load(Fixture("tiny1x1i"));
    EXPECT_EQ(1u, png->Header().InterlaceMethod);
    EXPECT_EQ(RGBColor(0x33, 0x66, 0xcc), png->Pixel(0, 0));
}

TEST(PngDecode, TwoBitGreyKeepsWhiteWhite) {
    // Samples 0..3 on one row.
    Bytes raw = {0, 0b00011011};
    auto png = Load(BuildPng({{"IHDR", Ihdr(4, 1, 2, 0)}, {"IDAT", Deflated(raw)}, {"IEND", {}}}));
    const TPngImageMemory& image = png->Header().Image();
    ASSERT_EQ(4, image.BitCount());
    const int levels[4] = {0, 85, 170, 255};
    for (int x = 0; x < 4; ++x) {
        int index = IndexAt(image, x, 0);
        EXPECT_EQ(x * 5, index);
        EXPECT_EQ(levels[x], image.Colours()[index].Red);
        EXPECT_EQ(RGBColor(levels[x], levels[x], levels[x]), png->Pixel(x, 0));
    }
}

TEST(PngDecode, SplitIdatDecodesLikeOneChunk) {
    auto one = Load(Fixture("rgba8i")), three = Load(Fixture("rgba8i-split"));
    const TPngImageMemory &a = one->Header().Image(), &b = three->Header().Image();
    EXPECT_EQ(0, std::memcmp(a.Bits(), b.Bits(), static_cast<size_t>(a.BytesPerRow()) * a.Height()));
    for (int32_t y = 0; y < a.Height(); ++y) EXPECT_EQ(0, std::memcmp(a.AlphaRow(y), b.AlphaRow(y), a.Width()));
}

TEST(PngDecode, GammaTableFromGama) {
    auto png = Load(Fixture("rgb8-gama"));  // gamma 1.0 on a 2.2 display
    EXPECT_EQ(0, png->GammaTable[0]);
    EXPECT_EQ(186, png->GammaTable[128]);
    EXPECT_EQ(255, png->GammaTable[255]);
    EXPECT_EQ(128, png->InverseGamma[186]);
    // Palette entries are shown through the table and read back as in the file.
    auto pal = Load(Fixture("p8-gama"));
    auto plain = Load(Fixture("p8"));
    EXPECT_EQ(plain->Pixel(3, 3), pal->Pixel(3, 3));
}

TEST(PngDecode, TransparencyModes) {
    struct Case {
        const char* Name;
        TPNGTransparencyMode Mode;
    } cases[] = {{"rgb8", ptmNone},          {"rgb8-trns", ptmBit},           {"g16-trns", ptmBit},
                 {"p4", ptmNone},            {"p4-trns-bit", ptmBit},         {"p8-trns-partial", ptmPartial},
                 {"ga8", ptmPartial},        {"rgba16", ptmPartial}};
    for (const Case& c : cases) EXPECT_EQ(c.Mode, Load(Fixture(c.Name))->TransparencyMode()) << c.Name;
    auto bit = Load(Fixture("p4-trns-bit"));
    const TRGBQuad& key = bit->Header().Image().Colours()[1];
    EXPECT_EQ(RGBColor(key.Red, key.Green, key.Blue), bit->TransparentColor());
}

TEST(PngDecode, HalfTransparentOnlyEntryBlendsInsteadOfKeying) {
    // Two black entries; only the second is half transparent.
    Bytes raw = {0, 0x01};
    Bytes file = BuildPng({{"IHDR", Ihdr(2, 1, 8, 3)},
                           {"PLTE", {0, 0, 0, 0, 0, 0}},
                           {"tRNS", {255, 128}},
                           {"IDAT", Deflated({0, 0, 1})},
                           {"IEND", {}}});
    auto png = Load(file);
    EXPECT_EQ(ptmPartial, png->TransparencyMode());
    uint8_t work[8] = {200, 200, 200, 0, 200, 200, 200, 0};
    png->BlendOnto(work, 2, 1, 8);
    EXPECT_EQ(0, work[0]);    // opaque black stays black
    EXPECT_EQ(100, work[4]);  // half over 200
}

TEST(PngDecode, StretchedBlendRepeatsPixels) {
    auto png = Load(Fixture("rgba8"));
    png->Resize(10, 10);
    std::vector<uint8_t> work(20 * 20 * 4, 0);
    png->BlendOnto(work.data(), 20, 20, 80);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(0, std::memcmp(&work[(y * 20 + x) * 4], &work[((y & ~1) * 20 + (x & ~1)) * 4], 4)) << x << "," << y;
    std::vector<uint8_t> small(10 * 10 * 4, 0);
    png->BlendOnto(small.data(), 10, 10, 40);
    EXPECT_EQ(0, std::memcmp(&small[(3 * 10 + 4) * 4], &work[(6 * 20 + 8) * 4], 4));
}

}  // namespace

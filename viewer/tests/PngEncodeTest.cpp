// Writing pictures: chunk order and layout, IDAT sizes, filters, round trips.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>

#include "viewer/png/PngEncoder.h"
#include "viewer/tests/PngFixtures.h"

using namespace pngtest;

namespace {

// The same pixels, alpha and low bytes in two pictures.
void ExpectSameImage(const TPNGObject& a, const TPNGObject& b, const std::string& what) {
    const TPngImageMemory &x = a.Header().Image(), &y = b.Header().Image();
    ASSERT_EQ(x.BitCount(), y.BitCount()) << what;
    ASSERT_EQ(x.Width(), y.Width()) << what;
    ASSERT_EQ(x.Height(), y.Height()) << what;
    size_t bytes = static_cast<size_t>(x.BytesPerRow()) * x.Height();
    EXPECT_EQ(0, std::memcmp(x.Bits(), y.Bits(), bytes)) << what;
    if (x.HasLowBytes()) {
        EXPECT_EQ(0, std::memcmp(x.LowRow(x.Height() - 1), y.LowRow(y.Height() - 1), bytes)) << what;
    }
    if (x.HasAlpha()) {
        for (int32_t r = 0; r < x.Height(); ++r) {
            EXPECT_EQ(0, std::memcmp(x.AlphaRow(r), y.AlphaRow(r), x.Width())) << what;
            if (x.HasLowBytes()) {
                EXPECT_EQ(0, std::memcmp(x.AlphaLowRow(r), y.AlphaLowRow(r), x.Width())) << what;
            }
        }
    }
    for (int32_t r = 0; r < x.Height(); ++r)
        for (int32_t c = 0; c < x.Width(); ++c) ASSERT_EQ(a.Pixel(c, r), b.Pixel(c, r)) << what << " at " << c << "," << r;
    EXPECT_EQ(a.TransparencyMode(), b.TransparencyMode()) << what;
}

class FixtureRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(FixtureRoundTrip, SavedAndLoadedAgainUnderEverySetting) {
    auto png = Load(Fixture(GetParam()));
    struct Setting {
        TFilters Filters;
        uint8_t Interlace;
        int Level;
    } settings[] = {{pfSub, 0, 7}, {pfNone | pfSub | pfUp | pfAverage | pfPaeth, 1, 9}, {pfPaeth, 1, 0}, {0, 0, 1},
                    {pfUp | pfAverage, 0, 6}};
    for (const Setting& s : settings) {
        png->Filters = s.Filters;
        png->InterlaceMethod = s.Interlace;
        png->CompressionLevel = s.Level;
        auto again = Load(Save(*png));
        ExpectSameImage(*png, *again, GetParam() + " filters " + std::to_string(s.Filters));
        EXPECT_EQ(s.Interlace, again->Header().InterlaceMethod);
    }
}

INSTANTIATE_TEST_SUITE_P(GeneratedSet, FixtureRoundTrip, ::testing::ValuesIn(FixtureNames()),
                         FixtureParamName);

TEST(PngEncode, DefaultsWriteSubFilteredIdatsOfAtMost65535Bytes) {
    // A noisy 300 x 300 RGB picture does not compress below 64 KiB.
    uint32_t seed = 7;
    Bytes raw;
    for (int y = 0; y < 300; ++y) {
        raw.push_back(0);
        for (int x = 0; x < 900; ++x) raw.push_back(static_cast<uint8_t>((seed = seed * 1664525 + 1013904223) >> 24));
    }
    auto png = Load(BuildPng({{"IHDR", Ihdr(300, 300, 8, 2)}, {"IDAT", Deflated(raw)}, {"IEND", {}}}));
    EXPECT_EQ(7, png->CompressionLevel);
    EXPECT_EQ(pfSub, png->Filters);
    std::vector<Chunk> chunks = ChunksOf(Save(*png));
    int idats = 0;
    Bytes stream;
    for (const Chunk& c : chunks)
        if (c.Type == "IDAT") {
            ++idats;
            EXPECT_LE(c.Data.size(), 65535u);
            stream.insert(stream.end(), c.Data.begin(), c.Data.end());
        }
    EXPECT_GE(idats, 5);
    EXPECT_EQ(65535u, chunks[1].Data.size());
    // Every row written with filter type 1 (Sub).
    Bytes rows(raw.size());
    uLongf size = rows.size();
    ASSERT_EQ(Z_OK, uncompress(rows.data(), &size, stream.data(), static_cast<uLong>(stream.size())));
    for (size_t r = 0; r < 300; ++r) ASSERT_EQ(1, rows[r * 901]);
}

TEST(PngEncode, LargestIdatNeverBelow65535) {
    TPNGObject png;
    png.SetMaxIdatSize(1000);
    EXPECT_EQ(65535, png.MaxIdatSize());
    png.SetMaxIdatSize(100000);
    EXPECT_EQ(100000, png.MaxIdatSize());
}

TEST(PngEncode, FilterChoice) {
    const uint8_t none[6] = {1, 2, 3, 4, 5, 6};          // no repeats
    const uint8_t paeth[6] = {9, 8, 7, 6, 5, 4};         // no repeats either
    const uint8_t sub[6] = {1, 1, 1, 1, 1, 1};           // four repeats
    const uint8_t up[6] = {1, 2, 1, 2, 1, 2};            // four repeats, later in order
    const uint8_t* rows[5] = {none, sub, up, nullptr, paeth};
    const uint8_t* noneAndPaeth[5] = {none, nullptr, nullptr, nullptr, paeth};
    EXPECT_EQ(0, PngChooseFilter(pfNone | pfPaeth, noneAndPaeth, 6));
    const uint8_t* paethOnly[5] = {nullptr, none, nullptr, nullptr, paeth};
    EXPECT_EQ(0, PngChooseFilter(pfSub | pfPaeth, paethOnly, 6)) << "every score 0: type 0";
    EXPECT_EQ(1, PngChooseFilter(pfNone | pfSub | pfUp | pfPaeth, rows, 6)) << "a tie goes to the earlier filter";
    EXPECT_EQ(2, PngChooseFilter(pfUp | pfPaeth, rows, 6));
    EXPECT_EQ(4, PngChooseFilter(pfPaeth, rows, 6)) << "one filter: that one";
    EXPECT_EQ(0, PngChooseFilter(0, rows, 6));
    EXPECT_EQ(0, PngChooseFilter(pfNone, rows, 6));
}

TEST(PngEncode, TwoBitPicturesWrittenAtDepthFour) {
    for (const char* name : {"p2", "g2"}) {
        auto png = Load(Fixture(name));
        Bytes saved = Save(*png);
        EXPECT_EQ(4, ChunksOf(saved)[0].Data[8]) << name;
        auto again = Load(saved);
        for (int y = 0; y < png->Height(); ++y)
            for (int x = 0; x < png->Width(); ++x) ASSERT_EQ(png->Pixel(x, y), again->Pixel(x, y)) << name;
    }
}

TEST(PngEncode, SixteenBitLowBytesAreWrittenBack) {
    auto png = Load(Fixture("rgb16"));
    Bytes saved = Save(*png);
    auto again = Load(saved);
    EXPECT_EQ(0, std::memcmp(png->ExtraScanline(5), again->ExtraScanline(5), 33 * 3));
    // A written pixel becomes v * 257.
    png->SetPixel(0, 0, RGBColor(0x12, 0x34, 0x56));
    again = Load(Save(*png));
    EXPECT_EQ(0x56, again->Scanline(0)[0]);
    EXPECT_EQ(0x56, again->ExtraScanline(0)[0]);
}

TEST(PngEncode, ColourKeyOfGreyAndRgbSurvivesSaving) {
    for (const char* name : {"g16-trns", "rgb8-trns", "g2-trns", "rgb16i-trns"}) {
        auto png = Load(Fixture(name));
        Bytes before = png->Chunks().ItemFromClass<TChunktRNS>()->Data();
        auto again = Load(Save(*png));
        EXPECT_EQ(before, again->Chunks().ItemFromClass<TChunktRNS>()->Data()) << name;
    }
}

TEST(PngEncode, PaletteWrittenAsInTheFileDespiteGamma) {
    Bytes file = Fixture("p8-gama");
    auto png = Load(file);
    Bytes original, saved;
    for (const Chunk& c : ChunksOf(file))
        if (c.Type == "PLTE") original = c.Data;
    for (const Chunk& c : ChunksOf(Save(*png)))
        if (c.Type == "PLTE") saved = c.Data;
    EXPECT_EQ(original, saved);
}

TEST(PngEncode, FromBitmapPalettePicture) {
    TPNGObject png;
    png.PrepareFromBitmap(4, -2, 8, true);
    TPngImageMemory& image = png.Header().Image();
    TRGBQuad colours[256] = {};
    colours[0] = {0, 0, 255, 0};
    colours[1] = {0, 255, 0, 0};
    colours[2] = {255, 0, 0, 0};  // blue, the transparent one
    image.SetColours(colours, 256);
    for (int x = 0; x < 4; ++x) png.Scanline(0)[x] = png.Scanline(1)[x] = static_cast<uint8_t>(x % 3);
    png.FinishFromBitmap(true, RGBColor(0, 0, 255));
    EXPECT_EQ(2, png.Height());
    auto* trns = png.Chunks().ItemFromClass<TChunktRNS>();
    ASSERT_TRUE(trns);
    EXPECT_EQ((Bytes{255, 255, 0}), trns->Data());
    EXPECT_EQ(ptmBit, png.TransparencyMode());
    std::vector<Chunk> chunks = ChunksOf(Save(png));
    std::vector<std::string> names;
    for (const Chunk& c : chunks) names.push_back(c.Type);
    EXPECT_EQ((std::vector<std::string>{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"}), names);
    EXPECT_EQ(768u, chunks[1].Data.size());
    EXPECT_EQ((Bytes{255, 255, 0}), chunks[2].Data);
    auto again = Load(Save(png));
    EXPECT_EQ(RGBColor(0, 0, 255), again->Pixel(2, 0));
    EXPECT_EQ(RGBColor(0, 0, 255), again->TransparentColor());
    // Other entries stay opaque: only index 2 shows the canvas.
    uint8_t work[4 * 4 * 2];
    std::memset(work, 77, sizeof work);
    again->BlendOnto(work, 4, 2, 16);
    EXPECT_EQ(255, work[0 * 4 + 2]);  // red entry drawn
    EXPECT_EQ(77, work[2 * 4 + 0]);   // key: canvas shows
}

TEST(PngEncode, TransparentColourMissingFromThePaletteMarksNothing) {
    TPNGObject png;
    png.PrepareFromBitmap(2, 1, 1, true);
    TRGBQuad colours[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    png.Header().Image().SetColours(colours, 2);
    png.FinishFromBitmap(true, RGBColor(1, 2, 3));
    EXPECT_FALSE(png.Chunks().ItemFromClass<TChunktRNS>());
    EXPECT_EQ(ptmNone, png.TransparencyMode());
}

TEST(PngEncode, AssignCopiesChunksAndSettings) {
    auto png = Load(Fixture("rgb8-texts"));
    png->Filters = pfPaeth;
    png->CompressionLevel = 3;
    TPNGObject copy;
    copy.Assign(png.get());
    EXPECT_EQ(pfPaeth, copy.Filters);
    EXPECT_EQ(3, copy.CompressionLevel);
    ASSERT_EQ(png->Chunks().Count(), copy.Chunks().Count());
    for (int i = 0; i < copy.Chunks().Count(); ++i) {
        EXPECT_EQ(png->Chunks().Item(i)->ClassName(), copy.Chunks().Item(i)->ClassName());
        EXPECT_NE(png->Chunks().Item(i), copy.Chunks().Item(i));
    }
    EXPECT_EQ("A rose", copy.Chunks().ItemFromClass<TChunktEXt>()->Text);
    ExpectSameImage(*png, copy, "copy");
    png.reset();  // the copy owns its own memory
    EXPECT_EQ(33, copy.Width());
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(PngEncode, ResizeKeepsTheOverlap) {
    auto png = Load(Fixture("ga16"));
    TColor corner = png->Pixel(2, 3);
    uint8_t alpha = png->AlphaScanline(3)[2];
    png->SetWidth(5);
    EXPECT_EQ(5, png->Width());
    EXPECT_EQ(21, png->Height());
    EXPECT_EQ(corner, png->Pixel(2, 3));
    EXPECT_EQ(alpha, png->AlphaScanline(3)[2]);
    png->SetHeight(40);
    EXPECT_EQ(clBlack, png->Pixel(2, 30));
    auto again = Load(Save(*png));
    EXPECT_EQ(5, again->Width());
    EXPECT_EQ(corner, again->Pixel(2, 3));
}

}  // namespace

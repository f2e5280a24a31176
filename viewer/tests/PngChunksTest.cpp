// Reading chunk by chunk: every check, every error class, damaged files.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "viewer/tests/PngFixtures.h"

using namespace pngtest;

namespace {

const Bytes kRow = Deflated({0, 10, 20, 30});  // one RGB pixel

Bytes Minimal(std::vector<Chunk> between = {}, Bytes ihdr = Ihdr(1, 1, 8, 2)) {
    std::vector<Chunk> chunks = {{"IHDR", ihdr}};
    chunks.insert(chunks.end(), between.begin(), between.end());
    chunks.push_back({"IDAT", kRow});
    chunks.push_back({"IEND", {}});
    return BuildPng(chunks);
}

// The class name of what loading raises, or "" when it loads.
std::string ErrorOf(const Bytes& file) {
    try {
        Load(file);
        return "";
    } catch (const Exception& e) {
        return e.ClassName();
    }
}

const std::set<std::string> kPngErrors = {
    "EPngInvalidCRC",          "EPngInvalidIHDR",        "EPNGMissingMultipleIDAT", "EPNGZLIBError",
    "EPNGInvalidPalette",      "EPNGInvalidFileHeader",  "EPNGIHDRNotFirst",        "EPNGSizeExceeds",
    "EPngError",               "EPNGUnknownCriticalChunk", "EPNGUnknownCompression", "EPNGUnknownInterlace",
    "EPngUnexpectedEnd",       "EPNGNoImageData",        "EPNGHeaderNotPresent",    "EPNGInvalidNewSize",
    "EPNGOutMemory",           "EPNGInvalidSpec"};

TEST(PngChunks, MinimalFileLoads) {
    auto png = Load(Minimal());
    EXPECT_EQ(RGBColor(10, 20, 30), png->Pixel(0, 0));
    EXPECT_EQ(clBlack, png->Pixel(1, 0));  // outside
}

TEST(PngChunks, ErrorsByClass) {
    Bytes badSignature = Minimal();
    badSignature[1] = 'Q';
    Bytes badCrc = Minimal();
    badCrc[8 + 8 + 13] ^= 1;  // IHDR's CRC
    Bytes truncated = Minimal();
    truncated.resize(truncated.size() - 14);  // inside IDAT's CRC... and no IEND
    Bytes garbage = BuildPng({{"IHDR", Ihdr(1, 1, 8, 2)}, {"IDAT", {1, 2, 3, 4, 5, 6}}, {"IEND", {}}});
    Bytes textBetween = [] {
        Bytes z = Deflated({0, 1, 2, 3, 0, 4, 5, 6});
        return BuildPng({{"IHDR", Ihdr(1, 2, 8, 2)},
                         {"IDAT", Bytes(z.begin(), z.begin() + 4)},
                         {"tEXt", {'a', 0, 'b'}},
                         {"IDAT", Bytes(z.begin() + 4, z.end())},
                         {"IEND", {}}});
    }();
    struct Case {
        const char* What;
        Bytes File;
        const char* Error;
    } cases[] = {
        {"signature", badSignature, "EPNGInvalidFileHeader"},
        {"empty file", {}, "EPNGInvalidFileHeader"},
        {"first chunk not IHDR", BuildPng({{"gAMA", {0, 0, 0, 1}}, {"IHDR", Ihdr(1, 1, 8, 2)}}), "EPNGIHDRNotFirst"},
        {"IHDR short", Minimal({}, Bytes(12, 0)), "EPngInvalidIHDR"},
        {"width 65536", Minimal({}, Ihdr(65536, 1, 8, 2)), "EPNGSizeExceeds"},
        {"width 0", Minimal({}, Ihdr(0, 1, 8, 2)), "EPngInvalidIHDR"},
        {"height 0", Minimal({}, Ihdr(1, 0, 8, 2)), "EPngInvalidIHDR"},
        {"compression 1", Minimal({}, [] { Bytes d = Ihdr(1, 1, 8, 2); d[10] = 1; return d; }()), "EPNGUnknownCompression"},
        {"interlace 2", Minimal({}, Ihdr(1, 1, 8, 2, 2)), "EPNGUnknownInterlace"},
        {"RGB at depth 4", Minimal({}, Ihdr(1, 1, 4, 2)), "EPngInvalidIHDR"},
        {"palette at depth 16", Minimal({}, Ihdr(1, 1, 16, 3)), "EPngInvalidIHDR"},
        {"grey at depth 3", Minimal({}, Ihdr(1, 1, 3, 0)), "EPngInvalidIHDR"},
        {"grey+alpha at depth 4", Minimal({}, Ihdr(1, 1, 4, 4)), "EPngInvalidIHDR"},
        {"colour type 5", Minimal({}, Ihdr(1, 1, 8, 5)), "EPngInvalidIHDR"},
        {"CRC", badCrc, "EPngInvalidCRC"},
        {"unknown critical chunk", Minimal({{"QUUX", {1}}}), "EPNGUnknownCriticalChunk"},
        {"PLTE of 770 bytes", Minimal({{"PLTE", Bytes(770, 0)}}, Ihdr(1, 1, 8, 3)), "EPNGInvalidPalette"},
        {"PLTE over 256 entries", Minimal({{"PLTE", Bytes(771, 0)}}, Ihdr(1, 1, 8, 3)), "EPNGInvalidPalette"},
        {"PLTE of 17 entries at depth 4", Minimal({{"PLTE", Bytes(51, 0)}}, Ihdr(1, 1, 4, 3)), "EPNGInvalidPalette"},
        {"tRNS over 256", Minimal({{"PLTE", Bytes(3, 0)}, {"tRNS", Bytes(257, 0)}}, Ihdr(1, 1, 8, 3)), "EPNGInvalidPalette"},
        {"ends before IEND", truncated, "EPngUnexpectedEnd"},
        {"no IDAT", BuildPng({{"IHDR", Ihdr(1, 1, 8, 2)}, {"IEND", {}}}), "EPNGNoImageData"},
        {"no IEND, file ends", BuildPng({{"IHDR", Ihdr(1, 1, 8, 2)}, {"IDAT", kRow}}), "EPngUnexpectedEnd"},
        {"chunk length past the end", [] { Bytes f = Minimal(); f[33 + 3] = 0xFF; f[33 + 2] = 0xFF; return f; }(), "EPngUnexpectedEnd"},
        {"compressed data damaged", garbage, "EPNGZLIBError"},
        {"text between IDATs", textBetween, "EPNGMissingMultipleIDAT"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.Error, ErrorOf(c.File)) << c.What;
}

TEST(PngChunks, CompressedStreamEdges) {
    // Bytes after the end of the compressed stream, inside the last IDAT: the
    // CRC follows them and the file reads on to IEND.
    Bytes padded = kRow;
    padded.insert(padded.end(), {1, 2, 3, 4, 5});
    EXPECT_EQ("", ErrorOf(BuildPng({{"IHDR", Ihdr(1, 1, 8, 2)}, {"IDAT", padded}, {"tEXt", {'k', 0, 'v'}}, {"IEND", {}}})));
    // A stream that ends before the last row: the rows it has, the rest black.
    auto png = Load(BuildPng({{"IHDR", Ihdr(1, 3, 8, 2)}, {"IDAT", Deflated({0, 10, 20, 30})}, {"IEND", {}}}));
    EXPECT_EQ(RGBColor(10, 20, 30), png->Pixel(0, 0));
    EXPECT_EQ(clBlack, png->Pixel(0, 2));
    // Extra IDAT chunks after the image are passed over, whatever they hold.
    EXPECT_EQ("", ErrorOf(BuildPng({{"IHDR", Ihdr(1, 1, 8, 2)}, {"IDAT", kRow}, {"IDAT", {9, 9}}, {"IEND", {}}})));
    // A filter type above 4 leaves the row as it is.
    auto odd = Load(BuildPng({{"IHDR", Ihdr(1, 1, 8, 2)}, {"IDAT", Deflated({7, 10, 20, 30})}, {"IEND", {}}}));
    EXPECT_EQ(RGBColor(10, 20, 30), odd->Pixel(0, 0));
}

TEST(PngChunks, MessagesAsWorded) {
    EXPECT_STREQ("This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n"
                 "(IHDR chunk is not the first)",
                 EPNGIHDRNotFirst().what());
    EXPECT_EQ("Could not decompress the image because it contains invalid compressed data.\r\n Description: incorrect header check",
              PngZlibError("incorrect header check").Message);
}

TEST(PngChunks, AncillaryChunksKeptAndWrittenBack) {
    Bytes file = Minimal({{"cHRM", Bytes(32, 7)}, {"quUx", {1, 2, 3}}, {"tIME", {0x07, 0xEA, 12, 10, 13, 5, 9}},
                          {"pHYs", {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1}}});
    auto png = Load(file);
    std::vector<std::string> names;
    for (int i = 0; i < png->Chunks().Count(); ++i) names.push_back(png->Chunks().Item(i)->Name());
    EXPECT_EQ((std::vector<std::string>{"IHDR", "quUx", "tIME", "pHYs", "IDAT", "IEND"}), names);
    auto* time = png->Chunks().ItemFromClass<TChunktIME>();
    ASSERT_TRUE(time);
    EXPECT_EQ(2026, time->Year);
    EXPECT_EQ(9, time->Second);
    EXPECT_EQ(2835u, png->Chunks().ItemFromClass<TChunkpHYs>()->PPUnitX);
    std::vector<Chunk> saved = ChunksOf(Save(*png));
    ASSERT_EQ(6u, saved.size());
    EXPECT_EQ("quUx", saved[1].Type);
    EXPECT_EQ((Bytes{1, 2, 3}), saved[1].Data);
    EXPECT_EQ((Bytes{0x07, 0xEA, 12, 10, 13, 5, 9}), saved[2].Data);
}

TEST(PngChunks, TextsReadAndWritten) {
    auto png = Load(Fixture("rgb8-texts"));
    auto* text = png->Chunks().ItemFromClass<TChunktEXt>();
    auto* ztext = png->Chunks().ItemFromClass<TChunkzTXt>();
    ASSERT_TRUE(text && ztext);
    EXPECT_EQ("Title", text->Keyword);
    EXPECT_EQ("A rose", text->Text);
    EXPECT_EQ("Comment", ztext->Keyword);
    EXPECT_EQ(168u, ztext->Text.size());
    EXPECT_EQ("A rose, drawn small. ", ztext->Text.substr(0, 21));
    ztext->Text = "";
    auto again = Load(Save(*png));
    EXPECT_EQ(" ", again->Chunks().ItemFromClass<TChunkzTXt>()->Text);  // an empty text is written as one blank
    EXPECT_EQ("A rose", again->Chunks().ItemFromClass<TChunktEXt>()->Text);
}

TEST(PngChunks, ChunksBreakingTheirLayoutAreLeftOut) {
    struct Case {
        const char* What;
        Chunk Bad;
        Bytes Header;
    } cases[] = {
        {"tRNS of 4 bytes on grey", {"tRNS", {0, 1, 0, 2}}, Ihdr(1, 1, 8, 0)},
        {"tRNS of 2 bytes on RGB", {"tRNS", {0, 1}}, Ihdr(1, 1, 8, 2)},
        {"tRNS on RGB + alpha", {"tRNS", {0, 1, 0, 2, 0, 3}}, Ihdr(1, 1, 8, 6)},
        {"gAMA of 3 bytes", {"gAMA", {0, 1, 0}}, Ihdr(1, 1, 8, 2)},
        {"tEXt without its zero", {"tEXt", {'a', 'b', 'c'}}, Ihdr(1, 1, 8, 2)},
        {"zTXt without its method", {"zTXt", {'a', 'b', 0}}, Ihdr(1, 1, 8, 2)},
    };
    for (const Case& c : cases) {
        auto png = Load(Minimal({c.Bad}, c.Header));
        EXPECT_EQ(3, png->Chunks().Count()) << c.What;
        EXPECT_EQ(0, png->GammaTable[0]);
        EXPECT_EQ(128, png->GammaTable[128]) << c.What;
        EXPECT_EQ(ptmNone == png->TransparencyMode(), png->Header().ColorType != 6) << c.What;
    }
}

TEST(PngChunks, SecondHeaderAndUnreachableKeysIgnored) {
    auto png = Load(Minimal({{"IHDR", Ihdr(9, 9, 16, 6, 1)}}));
    EXPECT_EQ(3, png->Chunks().Count());
    EXPECT_EQ(1, png->Width());
    EXPECT_EQ(0, png->InterlaceMethod);
    // An 8-bit RGB key above 255 matches no pixel.
    auto keyed = Load(Minimal({{"tRNS", {0x01, 10, 0, 20, 0, 30}}}));
    ASSERT_EQ(ptmBit, keyed->TransparencyMode());
    uint8_t work[4] = {1, 2, 3, 0};
    keyed->BlendOnto(work, 1, 1, 4);
    EXPECT_EQ(30, work[0]);
    auto matching = Load(Minimal({{"tRNS", {0, 10, 0, 20, 0, 30}}}));
    work[0] = 1;
    matching->BlendOnto(work, 1, 1, 4);
    EXPECT_EQ(1, work[0]);
}

TEST(PngChunks, ChunkCopyNeedsTheSameClass) {
    TPNGObject owner;
    TChunktEXt text(&owner);
    TChunkzTXt ztext(&owner);
    try {
        text.Assign(ztext);
        FAIL();
    } catch (const EPngError& e) {
        EXPECT_STREQ("The chunks must be compatible to be assigned.", e.what());
    }
    TChunkPLTE plte(&owner);
    EXPECT_THROW(plte.Item(0), EPngError);
}

TEST(PngChunks, HeaderNeededOnEmptyPicture) {
    TPNGObject png;
    EXPECT_TRUE(png.Empty());
    EXPECT_EQ(0, png.Width());
    EXPECT_FALSE(png.Transparent());
    EXPECT_THROW(png.Header(), EPNGHeaderNotPresent);
    EXPECT_THROW(png.Resize(2, 2), EPNGHeaderNotPresent);
    auto loaded = Load(Minimal());
    EXPECT_THROW(loaded->Resize(0, 3), EPNGInvalidNewSize);
}

TEST(PngChunks, HugeImageRefusedAsOutOfMemory) {
    int64_t old = TPngImageMemory::MaxBytes;
    TPngImageMemory::MaxBytes = 1 << 20;
    EXPECT_EQ("EPNGOutMemory", ErrorOf(Minimal({}, Ihdr(65535, 65535, 8, 6))));
    TPngImageMemory::MaxBytes = old;
}

TEST(PngChunks, RegisteredForPngFiles) {
    EXPECT_EQ("Portable Network Graphics", TPicture::FileFormatDescription("png"));
    auto graphic = TPicture::CreateForFile("help/picture.PNG");
    ASSERT_TRUE(graphic);
    EXPECT_EQ("TPNGObject", graphic->ClassName());
    TPicture picture;
    picture.LoadFromFile(FixtureDir() + "p8.png");
    EXPECT_EQ(33, picture.Graphic()->Width());
}

// Cut and flipped copies of every fixture: an error of the picture's own
// classes or a picture, never anything else.
TEST(PngChunks, DamagedFilesRaiseOnlyPictureErrors) {
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245 + 12345; };
    for (const std::string& name : FixtureNames()) {
        Bytes good = Fixture(name);
        std::vector<Bytes> damaged;
        for (size_t cut : {size_t{5}, size_t{8}, size_t{20}, size_t{33}, good.size() / 3, good.size() / 2, good.size() - 13,
                           good.size() - 1})
            damaged.emplace_back(good.begin(), good.begin() + static_cast<long>(std::min(cut, good.size())));
        for (int i = 0; i < 24; ++i) {
            Bytes f = good;
            f[8 + next() % (f.size() - 8)] ^= static_cast<uint8_t>(1 << (next() % 8));
            damaged.push_back(f);
        }
        for (const Bytes& f : damaged) {
            std::string error = ErrorOf(f);
            if (!error.empty()) {
                EXPECT_TRUE(kPngErrors.count(error)) << name << ": " << error;
            }
        }
        for (size_t cut : {size_t{5}, size_t{20}, good.size() / 2, good.size() - 1})
            EXPECT_NE("", ErrorOf(Bytes(good.begin(), good.begin() + static_cast<long>(cut)))) << name << " cut at " << cut;
    }
}

}  // namespace

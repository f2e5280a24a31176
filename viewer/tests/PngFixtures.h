#pragma once
// Helpers of the PNG tests: the ImageMagick fixture set, and PNG files put
// together chunk by chunk.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "viewer/png/PngObject.h"

namespace pngtest {

using Bytes = std::vector<uint8_t>;

std::string FixtureDir();
// Names (without ".png") of every picture of the generated set.
std::vector<std::string> FixtureNames();
Bytes ReadFile(const std::string& path);
Bytes Fixture(const std::string& name);
// A fixture name as a test name (letters and digits only).
std::string FixtureParamName(const ::testing::TestParamInfo<std::string>& info);

// ImageMagick's decoding of a fixture: RGBA samples of 8 or 16 bits.
struct Reference {
    int Depth = 8;
    std::vector<uint16_t> Samples;  // 4 per pixel, top-down
};
Reference ReferenceOf(const std::string& name, int32_t pixels);

std::unique_ptr<TPNGObject> Load(const Bytes& file);
Bytes Save(TPNGObject& png);

// A PNG file from chunks (type, data); CRCs computed.
struct Chunk {
    std::string Type;
    Bytes Data;
};
Bytes BuildPng(const std::vector<Chunk>& chunks);
Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint8_t interlace = 0);
// Raw rows (each with its filter byte), deflated.
Bytes Deflated(const Bytes& raw);
std::vector<Chunk> ChunksOf(const Bytes& file);

}  // namespace pngtest

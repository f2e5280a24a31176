#include "viewer/tests/PngFixtures.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pngtest {

std::string FixtureDir() { return "tests/data/png/"; }

std::vector<std::string> FixtureNames() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(FixtureDir()))
        if (e.path().extension() == ".png") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("missing " + path);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Bytes Fixture(const std::string& name) { return ReadFile(FixtureDir() + name + ".png"); }

std::string FixtureParamName(const ::testing::TestParamInfo<std::string>& info) {
    std::string n = info.param;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

Reference ReferenceOf(const std::string& name, int32_t pixels) {
    Bytes raw = ReadFile(FixtureDir() + name + ".rgba");
    Reference ref;
    ref.Depth = raw.size() == static_cast<size_t>(pixels) * 8 ? 16 : 8;
    if (ref.Depth == 16)
        for (size_t i = 0; i + 1 < raw.size(); i += 2) ref.Samples.push_back(static_cast<uint16_t>(raw[i] << 8 | raw[i + 1]));
    else
        ref.Samples.assign(raw.begin(), raw.end());
    return ref;
}

std::unique_ptr<TPNGObject> Load(const Bytes& file) {
    TMemoryStream stream;
    stream.Write(file.data(), static_cast<int32_t>(file.size()));
    stream.SetPosition(0);
    auto png = std::make_unique<TPNGObject>();
    png->LoadFromStream(stream);
    return png;
}

Bytes Save(TPNGObject& png) {
    TMemoryStream stream;
    png.SaveToStream(stream);
    return stream.Bytes();
}

Bytes BuildPng(const std::vector<Chunk>& chunks) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto be32 = [&](uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
    };
    for (const Chunk& c : chunks) {
        be32(static_cast<uint32_t>(c.Data.size()));
        out.insert(out.end(), c.Type.begin(), c.Type.end());
        out.insert(out.end(), c.Data.begin(), c.Data.end());
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(c.Type.data()), 4);
        if (!c.Data.empty()) crc = crc32(crc, c.Data.data(), static_cast<uInt>(c.Data.size()));
        be32(static_cast<uint32_t>(crc));
    }
    return out;
}

Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint8_t interlace) {
    Bytes d;
    for (uint32_t v : {width, height})
        for (int s = 24; s >= 0; s -= 8) d.push_back(static_cast<uint8_t>(v >> s));
    d.insert(d.end(), {depth, colourType, 0, 0, interlace});
    return d;
}

Bytes Deflated(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    out.resize(size);
    return out;
}

std::vector<Chunk> ChunksOf(const Bytes& file) {
    std::vector<Chunk> chunks;
    size_t p = 8;
    while (p + 12 <= file.size()) {
        uint32_t n = static_cast<uint32_t>(file[p] << 24 | file[p + 1] << 16 | file[p + 2] << 8 | file[p + 3]);
        Chunk c{std::string(file.begin() + p + 4, file.begin() + p + 8),
                Bytes(file.begin() + p + 8, file.begin() + p + 8 + n)};
        chunks.push_back(c);
        p += 12 + n;
    }
    return chunks;
}

}  // namespace pngtest

#include "framework/Graphic.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

struct TFileFormat {
    std::string Extension;  // lower case, without the dot
    std::string Description;
    TGraphicClass Create;
};

// Function-local, so that classes may register from static initialisers.
std::vector<TFileFormat>& FileFormats() {
    static std::vector<TFileFormat> formats;
    return formats;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string ExtensionOf(const std::string& fileName) {
    size_t dot = fileName.find_last_of('.');
    size_t slash = fileName.find_last_of("/\\:");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return Lower(fileName.substr(dot + 1));
}

const TFileFormat* Find(const std::string& extension) {
    std::string ext = Lower(extension);
    for (const TFileFormat& f : FileFormats())
        if (f.Extension == ext) return &f;
    return nullptr;
}

}  // namespace

void TGraphic::LoadFromFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + fileName + "\"");
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TMemoryStream stream;
    stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) throw EFCreateError("Cannot create file \"" + fileName + "\"");
    out.write(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::streamsize>(stream.Size()));
    // Most of a small file is still in the stream's buffer here: only the
    // final flush on closing tells whether it reached the disk.
    out.close();
    if (out.fail()) throw EWriteError("Stream write error");
}

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description, TGraphicClass create) {
    UnregisterFileFormat(extension);
    FileFormats().push_back({Lower(extension), description, std::move(create)});
}

void TPicture::UnregisterFileFormat(const std::string& extension) {
    auto& formats = FileFormats();
    std::string ext = Lower(extension);
    formats.erase(std::remove_if(formats.begin(), formats.end(), [&](const TFileFormat& f) { return f.Extension == ext; }),
                  formats.end());
}

std::string TPicture::FileFormatDescription(const std::string& extension) {
    const TFileFormat* f = Find(extension);
    return f ? f->Description : std::string();
}

std::unique_ptr<TGraphic> TPicture::CreateForFile(const std::string& fileName) {
    const TFileFormat* f = Find(ExtensionOf(fileName));
    return f ? f->Create() : nullptr;
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::unique_ptr<TGraphic> graphic = CreateForFile(fileName);
    if (!graphic) throw EInvalidGraphic("Unknown picture file extension (." + ExtensionOf(fileName) + ")");
    graphic->LoadFromFile(fileName);
    FGraphic = std::move(graphic);
}

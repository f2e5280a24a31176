#include "viewer/PngPictureLoader.h"

#include "viewer/png/PngObject.h"

std::unique_ptr<TGraphic> PngPictureLoader::Load(const std::string& path) {
    auto picture = std::make_unique<TPNGObject>();
    picture->LoadFromFile(path);
    return picture;
}

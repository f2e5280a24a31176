#pragma once
// The pictures of the program's help pages: PNG files.
#include "viewer/PictureLoader.h"

class PngPictureLoader : public PictureLoader {
public:
    std::unique_ptr<TGraphic> Load(const std::string& path) override;
};

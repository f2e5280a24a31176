#pragma once
// How pictures reach the page layout: a loader makes a graphic of a page's
// picture file (a PNG picture in the program, boxes of known size in tests).
#include <memory>
#include <string>

#include "framework/Graphic.h"

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Loads the picture file; raises an Exception (or kin) when it cannot.
    virtual std::unique_ptr<TGraphic> Load(const std::string& path) = 0;
};

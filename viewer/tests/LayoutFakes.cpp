#include "viewer/tests/LayoutFakes.h"

#include "framework/Exceptions.h"

int32_t FakeMeasurer::SelectFont(int32_t kind, int32_t size) {
    Size = size;
    return -(size * 4 / 3);
}

int32_t FakeMeasurer::TextWidth(const std::string& text) {
    return static_cast<int32_t>(text.size()) * (Size / 2);
}

std::unique_ptr<TGraphic> FakePictures::Load(const std::string& path) {
    Asked.push_back(path);
    auto found = Known.find(path);
    if (found == Known.end()) throw Exception("Cannot open picture " + path);
    return std::make_unique<FakePicture>(found->second.first, found->second.second);
}
